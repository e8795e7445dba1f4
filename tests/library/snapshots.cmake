# Plays the background scenario, which saves a picture of the window for
# each background, and checks the pictures: each saved anew, a real PNG, and
# no two alike. Variables: RUNNER, APP_DIR, SCENARIO, FILES (the pictures,
# separated by "|").
string(REPLACE "|" ";" FILES "${FILES}")
file(REMOVE ${FILES})
execute_process(
    COMMAND ${RUNNER} --app-dir ${APP_DIR} ${SCENARIO}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
message("${output}")
if(NOT status EQUAL 0)
    message(FATAL_ERROR "the scenario ${SCENARIO} failed (status ${status})")
endif()
set(seen "")
foreach(file IN LISTS FILES)
    if(NOT EXISTS ${file})
        message(FATAL_ERROR "no picture ${file}")
    endif()
    file(READ ${file} head LIMIT 8 HEX)
    if(NOT head STREQUAL "89504e470d0a1a0a")
        message(FATAL_ERROR "${file} is no PNG")
    endif()
    file(SHA256 ${file} hash)
    list(FIND seen ${hash} earlier)
    if(NOT earlier EQUAL -1)
        message(FATAL_ERROR "${file} is the same picture as an earlier background")
    endif()
    list(APPEND seen ${hash})
endforeach()
message("Pictures: ${FILES}")

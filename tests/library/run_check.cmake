# Runs piyoran-check and holds it to expectations. CHECKER is the program;
# PARAMS a file that sets ARGS (its arguments), STATUS (the exit status it
# must give), CONTAINS (texts its output must hold) and LACKS (texts it must
# not hold). Output means standard output and standard error together.
include(${PARAMS})
execute_process(
    COMMAND ${CHECKER} ${ARGS}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
set(all "${output}${errors}")
message("${all}")
set(failures "")
if(NOT status STREQUAL STATUS)
    string(APPEND failures "exit status ${status}, expected ${STATUS}\n")
endif()
foreach(text IN LISTS CONTAINS)
    string(FIND "${all}" "${text}" at)
    if(at EQUAL -1)
        string(APPEND failures "missing: ${text}\n")
    endif()
endforeach()
foreach(text IN LISTS LACKS)
    string(FIND "${all}" "${text}" at)
    if(NOT at EQUAL -1)
        string(APPEND failures "present: ${text}\n")
    endif()
endforeach()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()

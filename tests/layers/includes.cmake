# The layers, read off the includes:
#   - Qt is included only in the toolkit's Qt folder (toolkit/qt/);
#   - nothing in the toolkit includes the program (app/, book/, drill/) or
#     the tools;
#   - only the toolkit's Qt folder includes its own private headers;
#   - Emscripten and the toolkit's web side are included only in toolkit/web/.
# Run as: cmake -DSOURCE_DIR=... -P includes.cmake

set(broken "")
foreach(folder toolkit app book drill tools)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
        ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source ${sources})
        file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include")
        string(REGEX MATCH "^toolkit/qt/" inQtSide ${source})
        string(REGEX MATCH "^toolkit/" inToolkit ${source})
        string(REGEX MATCH "^toolkit/web/" inWebSide ${source})
        foreach(line ${includes})
            if(NOT inQtSide AND line MATCHES "<Q[A-Za-z]*(/|>)")
                list(APPEND broken "${source}: Qt outside toolkit/qt/: ${line}")
            endif()
            if(NOT inQtSide AND line MATCHES "\"toolkit/qt/")
                list(APPEND broken "${source}: the toolkit's Qt side outside it: ${line}")
            endif()
            if(NOT inWebSide AND line MATCHES "<emscripten[/.]|\"toolkit/web/")
                list(APPEND broken "${source}: Emscripten or the toolkit's web side outside toolkit/web/: ${line}")
            endif()
            if(inToolkit AND line MATCHES "\"(app|book|drill|tools)/")
                list(APPEND broken "${source}: the toolkit reaching up: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()

if(broken)
    list(JOIN broken "\n  " lines)
    message(FATAL_ERROR "Includes that cross the layers:\n  ${lines}")
endif()
message(STATUS "The includes keep to the layers")

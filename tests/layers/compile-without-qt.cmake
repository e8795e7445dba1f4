# The program is compiled with its own include paths, which name no Qt
# folder: the toolkit's headers compile there, and a Qt header does not.
# Run as: cmake -DCXX=... -DINCLUDES=a;b;... -DSOURCE_DIR=... -DWORK_DIR=... -P compile-without-qt.cmake

set(flags -std=c++20 -fsyntax-only)
foreach(folder ${INCLUDES})
    list(APPEND flags -I${folder})
endforeach()
file(MAKE_DIRECTORY ${WORK_DIR})

# Every public header of the toolkit, and the main window that uses them.
file(GLOB headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/toolkit/*.h)
set(text "")
foreach(header ${headers} app/orvel.h)
    string(APPEND text "#include \"${header}\"\n")
endforeach()
file(WRITE ${WORK_DIR}/public_headers.cpp "${text}")
execute_process(COMMAND ${CXX} ${flags} ${WORK_DIR}/public_headers.cpp
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The toolkit's headers do not compile with the program's include paths:\n${errors}")
endif()

# A drill source that reaches for Qt.
file(WRITE ${WORK_DIR}/drill_with_qt.cpp "#include \"drill/right_item.h\"\n#include <QWidget>\n")
execute_process(COMMAND ${CXX} ${flags} ${WORK_DIR}/drill_with_qt.cpp
    RESULT_VARIABLE result ERROR_VARIABLE errors)
if(result EQUAL 0)
    message(FATAL_ERROR "A Qt header compiles in the program: its include paths reach Qt")
endif()
if(NOT errors MATCHES "QWidget: No such file")
    message(FATAL_ERROR "The Qt probe failed for another reason than a missing Qt header:\n${errors}")
endif()
message(STATUS "The program compiles without Qt, and cannot include it")

# Draws the pictures with makepictures into OUT and compares each with the
# one in the source tree, byte for byte.
#   cmake -DMAKEPICTURES=... -DOUT=... -DSOURCE=... -P pictures.cmake
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${MAKEPICTURES} ${OUT}/image ${OUT}/app RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "makepictures failed: ${status}")
endif()
set(differ "")
foreach(pair image/violet.jpg:data/image/violet.jpg image/Water1.jpg:data/image/Water1.jpg
             image/Sea1.jpg:data/image/Sea1.jpg image/Sunset.jpg:data/image/Sunset.jpg
             app/builtin.jpg:app/resources/builtin.jpg app/logo.xpm:app/resources/logo.xpm)
    string(REPLACE ":" ";" pair ${pair})
    list(GET pair 0 drawn)
    list(GET pair 1 kept)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${drawn} ${SOURCE}/${kept}
                    RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        list(APPEND differ ${kept})
    endif()
endforeach()
if(differ)
    message(FATAL_ERROR "not what makepictures draws (cmake --build . --target pictures): ${differ}")
endif()

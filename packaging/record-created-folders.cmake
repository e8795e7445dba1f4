# Runs at the start of an install (install(SCRIPT)). Notes every folder the
# install is about to create -- the prefix itself, and each folder on the way
# to a destination that does not exist yet -- in PIYORAN_CREATED_RECORD, so
# that uninstall.cmake removes those folders again and no others (a shared
# folder such as PREFIX/bin that was there before stays).
#
# Set before: PIYORAN_INSTALL_FOLDERS (destinations relative to the prefix)
# and PIYORAN_CREATED_RECORD (the record, in the build folder).
#
# A staged install (DESTDIR, as CPack makes) records nothing: the package
# manager removes what it installed.

if(NOT "$ENV{DESTDIR}" STREQUAL "")
    return()
endif()

get_filename_component(_piyoran_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
set(_piyoran_created)
if(NOT EXISTS "${_piyoran_prefix}")
    list(APPEND _piyoran_created "${_piyoran_prefix}")
endif()
foreach(_piyoran_folder IN LISTS PIYORAN_INSTALL_FOLDERS)
    set(_piyoran_path "${_piyoran_prefix}")
    string(REPLACE "/" ";" _piyoran_steps "${_piyoran_folder}")
    foreach(_piyoran_step IN LISTS _piyoran_steps)
        set(_piyoran_path "${_piyoran_path}/${_piyoran_step}")
        if(NOT EXISTS "${_piyoran_path}")
            list(APPEND _piyoran_created "${_piyoran_path}")
        endif()
    endforeach()
endforeach()
list(REMOVE_DUPLICATES _piyoran_created)
foreach(_piyoran_path IN LISTS _piyoran_created)
    file(APPEND "${PIYORAN_CREATED_RECORD}" "${_piyoran_path}\n")
endforeach()

# Removes what `cmake --install` put in place from one build folder: every
# file of the install manifest, then every folder the install created
# (noted by record-created-folders.cmake), if nothing else is left in it.
#
#   cmake -DMANIFEST=BUILD/install_manifest.txt
#         -DCREATED=BUILD/install_created_folders.txt -P uninstall.cmake
#
# (`cmake --build BUILD --target uninstall` runs exactly this.)

cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED MANIFEST OR NOT DEFINED CREATED)
    message(FATAL_ERROR "usage: cmake -DMANIFEST=FILE -DCREATED=FILE -P uninstall.cmake")
endif()
if(NOT EXISTS "${MANIFEST}")
    message(FATAL_ERROR "Nothing to uninstall: ${MANIFEST} does not exist "
                        "(nothing was installed from this build folder).")
endif()

file(STRINGS "${MANIFEST}" files)
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}" OR EXISTS "${file}")
        message(STATUS "Removing ${file}")
        file(REMOVE "${file}")
        if(IS_SYMLINK "${file}" OR EXISTS "${file}")
            message(FATAL_ERROR "Cannot remove ${file}")
        endif()
    endif()
endforeach()

# True when FOLDER holds nothing at all, hidden entries included.
function(folder_is_empty folder result)
    file(GLOB entries LIST_DIRECTORIES true "${folder}/*" "${folder}/.*")
    list(FILTER entries EXCLUDE REGEX "/\\.\\.?$")
    if(entries)
        set(${result} FALSE PARENT_SCOPE)
    else()
        set(${result} TRUE PARENT_SCOPE)
    endif()
endfunction()

function(remove_if_empty folder)
    if(IS_DIRECTORY "${folder}" AND NOT IS_SYMLINK "${folder}")
        folder_is_empty("${folder}" empty)
        if(empty)
            message(STATUS "Removing ${folder}/")
            file(REMOVE_RECURSE "${folder}") # empty: removes the folder alone
        else()
            message(STATUS "Keeping ${folder}/: it is not empty")
        endif()
    endif()
endfunction()

if(EXISTS "${CREATED}")
    file(STRINGS "${CREATED}" folders)
    list(REMOVE_DUPLICATES folders)
    # Deepest first: a folder sorts after every folder inside it.
    list(SORT folders ORDER DESCENDING)
    foreach(folder IN LISTS folders)
        # What the install laid out inside a folder it created is its own too.
        if(IS_DIRECTORY "${folder}")
            file(GLOB_RECURSE inside LIST_DIRECTORIES true "${folder}/*")
            list(SORT inside ORDER DESCENDING)
            foreach(path IN LISTS inside)
                remove_if_empty("${path}")
            endforeach()
        endif()
        remove_if_empty("${folder}")
    endforeach()
    file(REMOVE "${CREATED}")
endif()

# Run by CPack on its staging folder before it builds the package: removes the .comment and .note
# sections that a plain strip leaves in the programs and the sound module.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(file ${staged})
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND strip --remove-section=.comment --remove-section=.note
                                --strip-unneeded "${file}"
                        RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "could not strip ${file}")
        endif()
    endif()
endforeach()

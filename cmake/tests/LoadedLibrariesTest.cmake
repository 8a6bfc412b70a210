# Fails when one of PROGRAMS loads a library matching FORBIDDEN, however it came to be linked: what the
# dynamic loader resolves for each program, not only what the build declared.
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ldd ${program} RESULT_VARIABLE result OUTPUT_VARIABLE libraries ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "ldd could not read ${program}: ${errors}")
    endif()
    string(REGEX MATCH "[^\n\t ]*${FORBIDDEN}[^\n\t ]*" found "${libraries}")
    if(found)
        message(FATAL_ERROR "${program} loads ${found}.")
    endif()
endforeach()

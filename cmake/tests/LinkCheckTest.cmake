# Configures the LinkCheck project for CASE in BINARY_DIR. With EXPECTED_CHAIN the configuration must fail
# and name that chain of links; without, it must pass.
file(REMOVE_RECURSE ${BINARY_DIR})
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -G ${GENERATOR}
            -DCMAKE_C_COMPILER=${C_COMPILER} -DPELORAMA_CMAKE_DIR=${PELORAMA_CMAKE_DIR} -DCASE=${CASE}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
file(REMOVE_RECURSE ${BINARY_DIR})
if(EXPECTED_CHAIN)
    if(result EQUAL 0)
        message(FATAL_ERROR "The configuration passed, but ${EXPECTED_CHAIN} links the forbidden library.")
    endif()
    string(FIND "${errors}" "${EXPECTED_CHAIN}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The configuration failed without naming ${EXPECTED_CHAIN}:\n${errors}")
    endif()
elseif(NOT result EQUAL 0)
    message(FATAL_ERROR "The configuration failed, though nothing links the forbidden library:\n${errors}")
endif()

# Helpers shared by every library of the project.

# Our own code builds warning-free.
function(pelorama_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# pelorama_publish_headers(target)
# Consumers include a library's headers as "folder/Header.h". Each library publishes an include folder of
# its own holding only a link to itself, so a header is reachable exactly where the library is linked:
# an include that reaches past the declared dependencies fails to compile.
function(pelorama_publish_headers target)
    get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(_include ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${_include})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${_include}/${_folder} SYMBOLIC)
    target_include_directories(${target} PUBLIC ${_include})
endfunction()

# pelorama_add_library(name [SHARED] SOURCES ... LIBS ...)
# A library whose headers live beside its sources; consumers include them as "folder/Header.h".
function(pelorama_add_library name)
    cmake_parse_arguments(ARG "SHARED" "" "SOURCES;LIBS;PRIVATE_LIBS" ${ARGN})
    if(ARG_SHARED)
        add_library(${name} SHARED ${ARG_SOURCES})
    else()
        add_library(${name} STATIC ${ARG_SOURCES})
    endif()
    pelorama_warnings(${name})
    pelorama_publish_headers(${name})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
endfunction()

# pelorama_add_test(name SOURCES ... LIBS ... [DRAG_SUITES suite ...])
# One GoogleTest program per library; every test runs headless. The offscreen platform ends every drag
# at once, so the suites named in DRAG_SUITES, which drag through Qt's own drag loop as a user does, run
# on the minimal platform, which runs that loop.
function(pelorama_add_test name)
    if(NOT PELORAMA_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;DRAG_SUITES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    pelorama_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    set(_offscreen_filter "*")
    if(ARG_DRAG_SUITES)
        list(TRANSFORM ARG_DRAG_SUITES APPEND ".*" OUTPUT_VARIABLE _drag_patterns)
        list(JOIN _drag_patterns ":" _drag_filter)
        set(_offscreen_filter "-${_drag_filter}")
        gtest_discover_tests(${name}
            TEST_FILTER "${_drag_filter}"
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=minimal" TIMEOUT 120
            DISCOVERY_TIMEOUT 60
            DISCOVERY_MODE PRE_TEST)
    endif()
    gtest_discover_tests(${name}
        TEST_FILTER "${_offscreen_filter}"
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST)
endfunction()

# pelorama_add_benchmark(name SOURCES ... LIBS ...)
function(pelorama_add_benchmark name)
    if(NOT PELORAMA_BUILD_BENCHMARKS OR NOT benchmark_FOUND)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    pelorama_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()

# Helpers shared by every library of the project.

# Our own code builds warning-free.
function(pelorama_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# pelorama_publish_headers(target [HEADERS header ...])
# Consumers include a library's headers as "folder/Header.h". Each library publishes an include folder of
# its own holding only a link to itself, so a header is reachable exactly where the library is linked:
# an include that reaches past the declared dependencies fails to compile.
#
# A library that shares its folder with another (a widget-free core beside its widgets) publishes only
# its own: with SUBFOLDER, the one subfolder that holds it, linked under the folder's name ("appkit/core");
# with HEADERS, each of its headers linked on its own. Either way the core's consumers cannot reach the
# widgets' headers.
function(pelorama_publish_headers target)
    cmake_parse_arguments(ARG "" "SUBFOLDER" "HEADERS" ${ARGN})
    get_filename_component(_folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(_include ${CMAKE_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${_include})
    if(NOT ARG_HEADERS AND NOT ARG_SUBFOLDER)
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${_include}/${_folder} SYMBOLIC)
    else()
        # A link to the whole folder, left by an earlier configuration, goes first: links made through it
        # would land in the source folder.
        if(IS_SYMLINK ${_include}/${_folder})
            file(REMOVE ${_include}/${_folder})
        endif()
        # Links left from an earlier header list go, so a header that left the library stops being found.
        file(GLOB_RECURSE _stale LIST_DIRECTORIES false ${_include}/${_folder}/*)
        foreach(_link IN LISTS _stale)
            if(IS_SYMLINK ${_link})
                file(REMOVE ${_link})
            endif()
        endforeach()
        if(ARG_SUBFOLDER)
            file(MAKE_DIRECTORY ${_include}/${_folder})
            file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_SUBFOLDER}
                ${_include}/${_folder}/${ARG_SUBFOLDER} SYMBOLIC)
        endif()
        foreach(_header IN LISTS ARG_HEADERS)
            get_filename_component(_source ${_header} ABSOLUTE)
            file(RELATIVE_PATH _relative ${CMAKE_CURRENT_SOURCE_DIR} ${_source})
            get_filename_component(_subfolder ${_include}/${_folder}/${_relative} DIRECTORY)
            file(MAKE_DIRECTORY ${_subfolder})
            file(CREATE_LINK ${_source} ${_include}/${_folder}/${_relative} SYMBOLIC)
        endforeach()
    endif()
    target_include_directories(${target} PUBLIC ${_include})
endfunction()

# pelorama_add_library(name [SHARED] [OWN_HEADERS_ONLY | SUBFOLDER sub] SOURCES ... LIBS ... PRIVATE_LIBS ...)
# A library whose headers live beside its sources; consumers include them as "folder/Header.h". With
# OWN_HEADERS_ONLY it publishes only the headers among its SOURCES, with SUBFOLDER only the subfolder sub
# of its folder, as "folder/sub/Header.h" (see pelorama_publish_headers).
function(pelorama_add_library name)
    cmake_parse_arguments(ARG "SHARED;OWN_HEADERS_ONLY" "SUBFOLDER" "SOURCES;LIBS;PRIVATE_LIBS" ${ARGN})
    if(ARG_SHARED)
        add_library(${name} SHARED ${ARG_SOURCES})
    else()
        add_library(${name} STATIC ${ARG_SOURCES})
    endif()
    pelorama_warnings(${name})
    if(ARG_OWN_HEADERS_ONLY)
        set(_headers ${ARG_SOURCES})
        list(FILTER _headers INCLUDE REGEX "\\.h$")
        pelorama_publish_headers(${name} HEADERS ${_headers})
    elseif(ARG_SUBFOLDER)
        pelorama_publish_headers(${name} SUBFOLDER ${ARG_SUBFOLDER})
    else()
        pelorama_publish_headers(${name})
    endif()
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
    # The main functions' shared part (testsupport/HeadlessTests.h).
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/testsupport)
    set(_offscreen_filter "*")
    # The TSan build reports only races in our code (see tsan-suppressions.txt), the ASan build only
    # leaks of ours (see lsan-suppressions.txt).
    set(_sanitizer_environment)
    if("thread" IN_LIST PELORAMA_SANITIZE)
        set(_sanitizer_environment ENVIRONMENT_MODIFICATION
            "TSAN_OPTIONS=string_append: suppressions=${PROJECT_SOURCE_DIR}/cmake/tsan-suppressions.txt")
    elseif("address" IN_LIST PELORAMA_SANITIZE)
        set(_sanitizer_environment ENVIRONMENT_MODIFICATION
            "LSAN_OPTIONS=string_append: suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-suppressions.txt")
    endif()
    if(ARG_DRAG_SUITES)
        list(TRANSFORM ARG_DRAG_SUITES APPEND ".*" OUTPUT_VARIABLE _drag_patterns)
        list(JOIN _drag_patterns ":" _drag_filter)
        set(_offscreen_filter "-${_drag_filter}")
        gtest_discover_tests(${name}
            TEST_FILTER "${_drag_filter}"
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=minimal" TIMEOUT 120 ${_sanitizer_environment}
            DISCOVERY_TIMEOUT 60
            DISCOVERY_MODE PRE_TEST)
    endif()
    gtest_discover_tests(${name}
        TEST_FILTER "${_offscreen_filter}"
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120 ${_sanitizer_environment}
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST)
endfunction()

# pelorama_add_benchmark(name SOURCES ... LIBS ... [INCLUDES ...])
function(pelorama_add_benchmark name)
    if(NOT PELORAMA_BUILD_BENCHMARKS OR NOT benchmark_FOUND)
        return()
    endif()
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;INCLUDES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    pelorama_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
    target_include_directories(${name} PRIVATE ${ARG_INCLUDES})
endfunction()

# The targets target links directly: its LINK_LIBRARIES and INTERFACE_LINK_LIBRARIES. A generator expression
# counts with every target it names ($<LINK_ONLY:x>, $<TARGET_NAME_IF_EXISTS:x>, conditions alike), so a
# dependency that is linked only sometimes still counts.
function(_pelorama_direct_links target out)
    set(_entries)
    get_target_property(_interface ${target} INTERFACE_LINK_LIBRARIES)
    if(_interface)
        list(APPEND _entries ${_interface})
    endif()
    get_target_property(_imported ${target} IMPORTED)
    get_target_property(_type ${target} TYPE)
    if(NOT _imported AND NOT _type STREQUAL "INTERFACE_LIBRARY")
        get_target_property(_links ${target} LINK_LIBRARIES)
        if(_links)
            list(APPEND _entries ${_links})
        endif()
    endif()
    set(_found)
    foreach(_entry IN LISTS _entries)
        if(_entry MATCHES "\\$<")
            string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*" _names "${_entry}")
        else()
            set(_names ${_entry})
        endif()
        foreach(_name IN LISTS _names)
            if(TARGET ${_name})
                list(APPEND _found ${_name})
            endif()
        endforeach()
    endforeach()
    list(REMOVE_DUPLICATES _found)
    set(${out} ${_found} PARENT_SCOPE)
endfunction()

# pelorama_link_path(target dependency out)
# The shortest chain of links by which target reaches dependency, as "target -> ... -> dependency", or
# empty when target does not link it, directly or through any library (imported ones included).
function(pelorama_link_path target dependency out)
    set(_queue ${target})
    set(_seen ${target})
    set(_chain_${target} ${target})
    while(_queue)
        list(POP_FRONT _queue _current)
        _pelorama_direct_links(${_current} _next)
        foreach(_dependency IN LISTS _next)
            if(_dependency IN_LIST _seen)
                continue()
            endif()
            list(APPEND _seen ${_dependency})
            set(_chain_${_dependency} "${_chain_${_current}} -> ${_dependency}")
            if(_dependency STREQUAL dependency)
                set(${out} "${_chain_${_dependency}}" PARENT_SCOPE)
                return()
            endif()
            list(APPEND _queue ${_dependency})
        endforeach()
    endwhile()
    set(${out} "" PARENT_SCOPE)
endfunction()

# pelorama_forbid_link(dependency TARGETS target ...)
# Fails the configuration when one of the targets reaches dependency, directly or through any library it
# links, and names the chain of links for each. Run it once every target exists: at the end of the
# top-level CMakeLists.
function(pelorama_forbid_link dependency)
    cmake_parse_arguments(ARG "" "" "TARGETS" ${ARGN})
    set(_offending)
    foreach(_target IN LISTS ARG_TARGETS)
        if(NOT TARGET ${_target})
            message(FATAL_ERROR "pelorama_forbid_link: there is no target ${_target} to check.")
        endif()
        pelorama_link_path(${_target} ${dependency} _path)
        if(_path)
            list(APPEND _offending "  ${_path}")
        endif()
    endforeach()
    if(_offending)
        list(JOIN _offending "\n" _lines)
        message(FATAL_ERROR "These targets must not link ${dependency}, yet they reach it:\n${_lines}")
    endif()
endfunction()

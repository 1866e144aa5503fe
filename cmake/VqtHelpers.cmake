# Environment of every test: no display needed, sanitizer reports that do not come from our code
# (fontconfig, Qt's plugin loader) suppressed.
set(VQT_TEST_ENV "QT_QPA_PLATFORM=offscreen"
    "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1"
    "TSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/tsan.supp:second_deadlock_stack=1")

# vqt_add_library(NAME DIR DEPS...): a static library from every source file of DIR
# (not recursive, so sub-folders can be libraries of their own).
function(vqt_add_library name)
    cmake_parse_arguments(ARG "" "" "DEPS;EXCLUDE" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c
        ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
    foreach(ex ${ARG_EXCLUDE})
        list(FILTER sources EXCLUDE REGEX "/${ex}$")
    endforeach()
    if(NOT sources)
        file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp "// no sources yet\n")
        set(sources ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    endif()
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    set_target_properties(${name} PROPERTIES AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# vqt_add_gtest(NAME DIR LIBS...): one GoogleTest executable from DIR/*_test.cpp.
function(vqt_add_gtest name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*_test.cpp)
    file(GLOB helpers CONFIGURE_DEPENDS ${dir}/*_helpers.cpp ${dir}/*_helpers.h)
    # big_*_test.cpp need several GiB of memory and minutes: their own executable, label "big".
    set(big ${sources})
    list(FILTER sources EXCLUDE REGEX "/big_[^/]*_test\\.cpp$")
    list(FILTER big INCLUDE REGEX "/big_[^/]*_test\\.cpp$")
    if(sources)
        vqt_gtest_executable(${name} "" "${sources};${helpers}" ${ARGN})
    endif()
    if(big)
        vqt_gtest_executable(${name}_big big "${big};${helpers}" ${ARGN})
    endif()
endfunction()

# One ctest test per executable: each starts once, which keeps sanitizer runs short.
function(vqt_gtest_executable name label sources)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gmock GTest::gtest_main)
    set(tmp ${CMAKE_CURRENT_BINARY_DIR}/tmp/${name})
    file(MAKE_DIRECTORY ${tmp})
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${VQT_TEST_ENV};TMPDIR=${tmp}" TIMEOUT 900)
    if(label)
        set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT 3600)
    endif()
endfunction()

# vqt_add_qtests(DIR LIBS...): one QtTest executable per DIR/tst_*.cpp.
function(vqt_add_qtests dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/tst_*.cpp)
    foreach(src ${sources})
        get_filename_component(base ${src} NAME_WE)
        add_executable(${base} ${src})
        target_link_libraries(${base} PRIVATE ${ARGN} Qt5::Test)
        add_test(NAME ${base} COMMAND ${base})
        set_tests_properties(${base} PROPERTIES TIMEOUT 600
            ENVIRONMENT "${VQT_TEST_ENV};TMPDIR=${CMAKE_CURRENT_BINARY_DIR}/tmp/${base}")
        file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/tmp/${base})
    endforeach()
endfunction()

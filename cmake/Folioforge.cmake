# Shared helpers for the project's CMake files.

find_package(GTest REQUIRED)

# folioforge_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable registered with CTest. GUI tests run on Qt's offscreen platform and
# are left out of sanitizer builds.
function(folioforge_test)
    cmake_parse_arguments(ARG "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
    if(ARG_GUI AND NOT FOLIOFORGE_GUI)
        return()
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set(env "FOLIOFORGE_TEST_TMP=${CMAKE_BINARY_DIR}/test-tmp")
    if(ARG_GUI)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
        set_tests_properties(${ARG_NAME} PROPERTIES LABELS gui)
    endif()
    set_tests_properties(${ARG_NAME} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()

# folioforge_hidden_visibility(target building_macro)
# Compiles target for a shared library that exports only what its export macro marks: hidden
# visibility by default, and building_macro defined (the export macro's "building the library"
# switch).
function(folioforge_hidden_visibility target building_macro)
    set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_compile_definitions(${target} PRIVATE ${building_macro})
endfunction()

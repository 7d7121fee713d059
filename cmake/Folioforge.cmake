# Shared helpers for the project's CMake files.

include(GoogleTest)

# folioforge_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable; each of its cases becomes a CTest test named "name.Suite.Case",
# found when CTest runs. GUI tests run on Qt's offscreen platform, carry the label gui (which
# sanitizer runs leave out with -LE gui) and are not built without FOLIOFORGE_GUI.
function(folioforge_test)
    cmake_parse_arguments(ARG "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
    if(ARG_GUI AND NOT FOLIOFORGE_GUI)
        return()
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    set(properties TIMEOUT 600)
    if(ARG_GUI)
        list(APPEND properties LABELS gui)
        # Listing the cases starts the program too, before any test property applies: the
        # offscreen platform comes through the launcher CTest uses for listing and running alike.
        set_target_properties(${ARG_NAME} PROPERTIES
            CROSSCOMPILING_EMULATOR "${CMAKE_COMMAND};-E;env;QT_QPA_PLATFORM=offscreen")
    endif()
    gtest_discover_tests(${ARG_NAME}
        TEST_PREFIX "${ARG_NAME}."
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ${properties})
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

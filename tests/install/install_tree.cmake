# cmake -DBUILD=build-folder -DROOT=destdir -P install_tree.cmake
# Installs the build, stripped, under the prefix /usr into a fresh DESTDIR, as the package does.
file(REMOVE_RECURSE "${ROOT}")
set(ENV{DESTDIR} "${ROOT}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix /usr --strip
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# Compares the defined dynamic symbols of LIBRARY with the global names of the version script
# EXPECTED; fails on any difference.
execute_process(COMMAND nm -D --defined-only --format=posix ${LIBRARY}
    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REGEX MATCHALL "(^|\n)[A-Za-z_][A-Za-z0-9_]* [TDBRVW]" entries "${listing}")
set(exported)
foreach(entry ${entries})
    string(REGEX REPLACE "^\n?([A-Za-z0-9_]+) .*" "\\1" name "${entry}")
    list(APPEND exported ${name})
endforeach()

file(READ ${EXPECTED} script)
string(REGEX REPLACE ".*global:(.*)local:.*" "\\1" names "${script}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" expected "${names}")

list(SORT exported)
list(SORT expected)
list(LENGTH exported count)
message(STATUS "${count} exported names: ${exported}")
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "exports differ\n  found:    ${exported}\n  expected: ${expected}")
endif()

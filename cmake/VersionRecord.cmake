# folioforge_version_record(target
#     [DESCRIPTION text] [INTERNAL_NAME name] [ORIGINAL_FILENAME name] [COMMENTS text]
#     [PRODUCT_NAME name] [VERSION a.b.c.d] [COMPANY name] [COPYRIGHT text]
#     [TRADEMARKS text] [PRIVATE_BUILD text] [SPECIAL_BUILD text])
#
# Compiles a version record into an executable (see base/include/basalt/version_record.h) and
# exports it from the executable's dynamic symbol table, where libbasalt finds it at run time.
# Defaults: the project's version (padded to four parts), name and the company "Velkor"; the
# internal name is the target's name and the original file name its output file name.

set(FOLIOFORGE_VERSION_RECORD_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/version_record.c.in)

# A CMake text as the body of a C string literal.
function(_folioforge_c_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(folioforge_version_record target)
    set(fields DESCRIPTION INTERNAL_NAME ORIGINAL_FILENAME COMMENTS PRODUCT_NAME VERSION COMPANY
               COPYRIGHT TRADEMARKS PRIVATE_BUILD SPECIAL_BUILD)
    cmake_parse_arguments(ARG "" "${fields}" "" ${ARGN})

    if(NOT ARG_VERSION)
        set(ARG_VERSION ${PROJECT_VERSION})
    endif()
    string(REPLACE "." ";" parts "${ARG_VERSION}")
    list(APPEND parts 0 0 0 0)
    list(SUBLIST parts 0 4 parts)
    list(JOIN parts "." ARG_VERSION)
    list(JOIN parts ", " VR_NUMBERS)

    if(NOT ARG_PRODUCT_NAME)
        set(ARG_PRODUCT_NAME ${PROJECT_NAME})
    endif()
    if(NOT ARG_COMPANY)
        set(ARG_COMPANY "Velkor")
    endif()
    if(NOT ARG_INTERNAL_NAME)
        set(ARG_INTERNAL_NAME ${target})
    endif()
    if(NOT ARG_ORIGINAL_FILENAME)
        set(ARG_ORIGINAL_FILENAME ${target})
    endif()
    if(NOT ARG_COPYRIGHT)
        string(TIMESTAMP year "%Y")
        set(ARG_COPYRIGHT "Copyright ${year} ${ARG_COMPANY}")
    endif()

    foreach(field ${fields})
        _folioforge_c_string(VR_${field} "${ARG_${field}}")
    endforeach()

    set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_record.c)
    configure_file(${FOLIOFORGE_VERSION_RECORD_TEMPLATE} ${source} @ONLY)
    target_sources(${target} PRIVATE ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/base/include)
    target_link_options(${target} PRIVATE
        "LINKER:--export-dynamic-symbol=folioforge_version_record")
endfunction()

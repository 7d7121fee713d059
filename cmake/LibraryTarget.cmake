# folioforge_library_target(<Package> <target> HEADER <file> NAMES <library>... [PKG <module>])
# The body of the small Find modules beside this file: finds one header and one library (with
# pkg-config's answer as a hint when PKG names a module), sets <Package>_FOUND the standard way
# and defines the imported target <target>.
include_guard(GLOBAL)
include(FindPackageHandleStandardArgs)

function(folioforge_library_target package target)
    cmake_parse_arguments(ARG "" "HEADER;PKG" "NAMES" ${ARGN})
    if(ARG_PKG)
        find_package(PkgConfig QUIET)
        if(PkgConfig_FOUND)
            pkg_check_modules(PC_${package} QUIET ${ARG_PKG})
        endif()
    endif()
    find_path(${package}_INCLUDE_DIR ${ARG_HEADER} HINTS ${PC_${package}_INCLUDE_DIRS})
    find_library(${package}_LIBRARY NAMES ${ARG_NAMES} HINTS ${PC_${package}_LIBRARY_DIRS})
    mark_as_advanced(${package}_INCLUDE_DIR ${package}_LIBRARY)
    find_package_handle_standard_args(${package}
        REQUIRED_VARS ${package}_LIBRARY ${package}_INCLUDE_DIR)
    set(${package}_FOUND ${${package}_FOUND} PARENT_SCOPE)
    if(${package}_FOUND AND NOT TARGET ${target})
        add_library(${target} UNKNOWN IMPORTED)
        set_target_properties(${target} PROPERTIES
            IMPORTED_LOCATION "${${package}_LIBRARY}"
            INTERFACE_INCLUDE_DIRECTORIES "${${package}_INCLUDE_DIR}")
    endif()
endfunction()

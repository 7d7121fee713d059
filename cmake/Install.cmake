# The installed layout: programs in bin/, the shared libraries (and the helpers that must sit
# beside the context-menu module) in lib/folioforge/, the artwork and the language files in
# share/folioforge/. The programs find their libraries through their run path and their data
# relative to their own folder, so the tree can be installed under any prefix.

set(FOLIOFORGE_INSTALL_BINDIR bin)
set(FOLIOFORGE_INSTALL_LIBDIR lib/folioforge)
set(FOLIOFORGE_INSTALL_DATADIR share/folioforge)

# folioforge_install_program(target [DESTINATION folder])
# Installs an executable into bin/ (or folder), finding the libraries in lib/folioforge/.
function(folioforge_install_program target)
    cmake_parse_arguments(ARG "" "DESTINATION" "" ${ARGN})
    if(NOT ARG_DESTINATION)
        set(ARG_DESTINATION ${FOLIOFORGE_INSTALL_BINDIR})
    endif()
    file(RELATIVE_PATH to_libraries /${ARG_DESTINATION} /${FOLIOFORGE_INSTALL_LIBDIR})
    set(run_path "$ORIGIN")
    if(NOT to_libraries STREQUAL "")
        string(APPEND run_path "/${to_libraries}")
    endif()
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "${run_path}")
    install(TARGETS ${target} RUNTIME DESTINATION ${ARG_DESTINATION})
endfunction()

# folioforge_install_library(target)
# Installs a shared library or module into lib/folioforge/, finding its siblings there.
function(folioforge_install_library target)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target} LIBRARY DESTINATION ${FOLIOFORGE_INSTALL_LIBDIR})
endfunction()

# folioforge_install_link(link target)
# A relative symbolic link link (relative to the prefix) to target (relative to the link's
# folder), made at install time under $DESTDIR.
function(folioforge_install_link link target)
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\")
        get_filename_component(folder \"\${link}\" DIRECTORY)
        file(MAKE_DIRECTORY \"\${folder}\")
        message(STATUS \"Installing: \${link} -> ${target}\")
        file(CREATE_LINK \"${target}\" \"\${link}\" SYMBOLIC)
    ")
endfunction()

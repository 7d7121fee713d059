# Finds JBIG-KIT's libjbig: JBIG_FOUND and the imported target JBIG::JBIG.
include(${CMAKE_CURRENT_LIST_DIR}/LibraryTarget.cmake)
folioforge_library_target(JBIG JBIG::JBIG HEADER jbig.h NAMES jbig)

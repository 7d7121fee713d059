# Finds libmng: MNG_FOUND and the imported target MNG::MNG.
include(${CMAKE_CURRENT_LIST_DIR}/LibraryTarget.cmake)
folioforge_library_target(MNG MNG::MNG HEADER libmng.h NAMES mng)

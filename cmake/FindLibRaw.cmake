# Finds LibRaw's thread-safe library: LibRaw_FOUND and the imported target LibRaw::LibRaw.
include(${CMAKE_CURRENT_LIST_DIR}/LibraryTarget.cmake)
folioforge_library_target(LibRaw LibRaw::LibRaw HEADER libraw/libraw.h NAMES raw_r PKG libraw_r)

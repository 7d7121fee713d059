#pragma once

// The drop list (clipboard format CF_HDROP): a global memory block holding a DROPFILES header
// followed by the paths as NUL-terminated wide strings and one more NUL. Paths are the wide
// form of native paths (platform::PathFromNative), so any file name survives the trip.

#include <string>
#include <vector>

#include "com/global_memory.h"
#include "com/types.h"

namespace com {

struct POINT {
    LONG x;
    LONG y;
};

struct DROPFILES {
    DWORD pFiles;  // offset of the first path from the start of the block
    POINT pt;
    BOOL fNC;
    BOOL fWide;  // TRUE: the paths are wide strings
};

using HDROP = HGLOBAL;

constexpr UINT kDragQueryCount = 0xFFFFFFFF;

// A new drop list holding paths in order; null when memory runs out. The caller owns the block
// (GlobalFree, or hand it out in a storage medium).
HDROP CreateDropList(const std::vector<std::wstring>& paths);

// With index kDragQueryCount: the number of paths. Otherwise the length of path index in
// characters, without its NUL; when buffer is not null, also copies at most size - 1
// characters and a NUL into it and returns the number copied. 0 for an index past the end, a
// null or malformed block, or a list of narrow strings.
UINT DragQueryFileW(HDROP drop, UINT index, WCHAR* buffer, UINT size);

}  // namespace com

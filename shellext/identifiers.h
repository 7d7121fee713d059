#pragma once

// The names under which the module registers its class.

namespace shellext {

inline constexpr wchar_t kClassIdText[] = L"{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}";
inline constexpr wchar_t kAppIdText[] = L"{AFD2173B-F77A-49AC-9989-ED90008DD502}";
inline constexpr wchar_t kProjectName[] = L"Common";
inline constexpr wchar_t kClassDescription[] = L"PMenuItem Class";
inline constexpr wchar_t kProgId[] = L"Common.PMenuItem.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"Common.PMenuItem";

// The handler keys written directly, beside the one the class script registers.
inline constexpr wchar_t kFileHandlerKey[] = L"*\\shellex\\ContextMenuHandlers\\Folioforge";
inline constexpr wchar_t kFolderHandlerKey[] =
    L"Directory\\shellex\\ContextMenuHandlers\\Folioforge";

}  // namespace shellext

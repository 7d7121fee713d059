#pragma once

// The picture drawn behind every window of the program: "res/7.png" beside the program unless
// the user chose another image, stored as WndiowsBackground in the settings key.

#include <string>

namespace app {

inline constexpr wchar_t kDefaultBackground[] = L"res/7.png";
inline constexpr wchar_t kBackgroundValue[] = L"WndiowsBackground";

// A relative path taken as the program's data file of that name (beside the program in a build
// tree, in ../share/folioforge when installed); an absolute one unchanged.
std::wstring ResolveProgramPath(const std::wstring& path);

// True when the file (absolute, or relative to the program's folder) decodes as an image.
// Decodes the whole file; GUI thread (needs the application's image plug-ins).
bool LoadsAsImage(const std::wstring& path);

}  // namespace app

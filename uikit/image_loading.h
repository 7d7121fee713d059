#pragma once

// Loading the toolkit's images: files named relative to the program's folder, and images
// embedded as resources (trellis/resources.h).

#include <string>
#include <string_view>

#include "gfx/image.h"

// The folder of the running executable with a trailing '/', read once from /proc/self/exe;
// empty when it cannot be read (relative paths then stay relative to the working folder).
const std::wstring& ExecutableFolder();

// path unchanged when it is absolute (starts with '/'); else the program's data file of that
// name (platform::FindDataFile): beside the executable in a build tree, or in
// ../share/folioforge when installed.
std::wstring ResolveProgramPath(std::wstring_view path);

// Loads the file at the resolved path and premultiplies it once. False, with an empty image,
// when path is null or the file cannot be read or decoded.
bool LoadImageFile(CImage& image, const wchar_t* path);

// Decodes resource id of type (such as L"PNG") in module. False, with an empty image, when
// there is no such resource or it does not decode.
bool LoadImageResource(CImage& image, std::string_view module, unsigned id, const wchar_t* type);

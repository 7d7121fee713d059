#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Writes an image file made by ImageMagick's convert from its arguments, for example
// MakeImage(dir / "a.jpg", "-size 400x300 xc:red -density 300 -units PixelsPerInch").
// The output format follows the file's extension unless the arguments name one ("png:x").
// Returns false when convert failed.
bool MakeImage(const std::filesystem::path& file, const std::string& arguments);

}  // namespace testsupport

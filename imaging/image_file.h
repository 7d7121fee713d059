#pragma once

// Reading an image file from disk without letting the file decide how long that takes or how
// much memory it costs.

#include <filesystem>
#include <string>

namespace imaging {

// The whole content of the image file at path. Before anything is read whole it checks that the
// path names a regular file (FIFOs and devices are refused without being opened for reading),
// that the size fits CodecMemoryLimit, and that the first bytes carry a known format's
// signature. Fails with ImageError: "not a regular file", "cannot read the file: <reason>",
// "empty file", "file too large" or "unknown image format".
std::string ReadImageFile(const std::filesystem::path& path);

}  // namespace imaging

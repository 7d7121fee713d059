#pragma once

#include <string>

namespace engine {

// Where a conversion into the configured output folder writes, given that folder (base), the
// first image of the list and the mode (MakeMultiPDF 0, 1 or 2):
// - mode 0, or SaveToImageDir off: the base folder is created when missing, and the name is the
//   folder holding the first image ("velkor" when it lies in the root). Mode 0 gives the first
//   free "base/name.pdf", "base/name(1).pdf", ...; modes 1 and 2 the first free folder
//   "base/name", "base/name(1)", ..., which is created. After 1000 taken names the result is
//   the base folder.
// - modes 1 and 2 with SaveToImageDir: the base folder itself.
// Folder creation failures are silent: the conversion then reports that it cannot write.
std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 int mode, bool saveToImageDir);

}  // namespace engine

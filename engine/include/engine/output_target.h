#pragma once

#include <string>

#include "engine/conversion_settings.h"

namespace engine {

// Where a conversion into the configured output folder writes, given that folder (base), the
// first image of the list and the mode:
// - kSingle, or SaveToImageDir off: the base folder is created when missing, and the name is the
//   folder holding the first image ("velkor" when it lies in the root). kSingle gives the first
//   free "base/name.pdf", "base/name(1).pdf", ...; the other modes the first free folder
//   "base/name", "base/name(1)", ..., which is created. After 1000 taken names the result is
//   the base folder.
// - the other modes with SaveToImageDir: the base folder itself.
// Folder creation failures are silent: the conversion then reports that it cannot write.
std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 DocumentMode mode, bool saveToImageDir);

}  // namespace engine

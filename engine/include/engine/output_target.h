#pragma once

#include <string>

#include "engine/conversion_settings.h"

namespace engine {

// The first choice of the PDF that a single-document conversion into the configured output
// folder (base) writes, for a run that claims its name when it writes (see
// ConversionJob::SetClaimOutputFile): "base/name.pdf", name as for DefaultOutputTarget. The
// base folder is created when missing. Empty for an empty base.
std::wstring DefaultOutputFile(const std::wstring& base, const std::wstring& firstImage);

// Where a conversion into the configured output folder writes, given that folder (base), the
// first image of the list and the mode:
// - kSingle, or SaveToImageDir off: the base folder is created when missing, and the name is the
//   folder holding the first image ("velkor" when it lies in the root). kSingle gives the first
//   free "base/name.pdf", "base/name(1).pdf", ...; the other modes the first free folder
//   "base/name", "base/name(1)", ..., which is created. After 1000 taken names the result is
//   the base folder.
// - the other modes with SaveToImageDir: the base folder itself.
// Folder creation failures are silent: the conversion then reports that it cannot write. An
// empty base (no documents folder is known) gives an empty result.
std::wstring DefaultOutputTarget(const std::wstring& base, const std::wstring& firstImage,
                                 DocumentMode mode, bool saveToImageDir);

}  // namespace engine

#pragma once

#include <string>

#include "engine/conversion_settings.h"

namespace engine {

// The PDF path for one document of the multi-document modes. source is an image path (one
// document per image) or a source folder (one per folder); name is what the PDF is called
// after (the image's file name, or the folder's last component). With SaveToImageDir the PDF
// lies beside the image or inside the folder and replaces an existing one; otherwise it goes
// into folder, with " (n)"-style suffixes "name(1).pdf", "name(2).pdf", ... while a file of
// that name exists.
std::wstring OutputNameFor(const ConversionSettings& settings, const std::wstring& source,
                           const std::wstring& name, const std::wstring& folder);

}  // namespace engine

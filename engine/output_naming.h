#pragma once

#include <string>

#include "engine/conversion_settings.h"

namespace engine {

// Where one document of the multi-document modes goes, before any file is looked at: the path,
// and whether it is only the first choice of a name chosen automatically (claim: the document
// takes the first free of it and its numbered variants when it is written, never replacing a
// file) or a name to write over.
struct OutputChoice {
    std::wstring path;
    bool claim = false;
};

// source is an image path (one document per image) or a source folder (one per folder); name
// is what the PDF is called after (the image's file name, or the folder's last component). With
// SaveToImageDir the PDF lies beside the image or inside the folder and replaces an existing
// one (an empty path for a mode outside the list); otherwise the first choice is
// "folder/name.pdf", followed by "folder/name(1).pdf", "folder/name(2).pdf", ...
OutputChoice FirstOutputChoice(const ConversionSettings& settings, const std::wstring& source,
                               const std::wstring& name, const std::wstring& folder);

// The PDF path for one document as FirstOutputChoice gives it, with the first numbered
// variant that does not exist now in place of a first choice that does.
std::wstring OutputNameFor(const ConversionSettings& settings, const std::wstring& source,
                           const std::wstring& name, const std::wstring& folder);

}  // namespace engine

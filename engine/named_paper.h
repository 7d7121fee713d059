#pragma once

// The paper a page is printed on when the settings name one.

#include "engine/conversion_settings.h"
#include "pdfwriter/paper_sizes.h"

namespace engine {

// The named paper size of the settings (portrait), or nullptr when the page follows the image.
const pdf::PaperSize* NamedPaper(const ConversionSettings& settings);

}  // namespace engine

#pragma once

// Whether the margins of a settings record leave room for an image on its paper.

#include <string>

#include "engine/conversion_settings.h"

namespace engine {

// Says why the left/right and top/bottom margins of settings leave no room for an image on its
// named paper (less than a point across or down), in a sentence a person can read; an empty
// text when they leave room or the page follows the image. Pure; any thread.
std::wstring NoRoomReason(const ConversionSettings& settings);

}  // namespace engine

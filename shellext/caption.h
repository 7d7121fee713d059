#pragma once

#include <string>

namespace shellext {

// The caption of the menu item, as the module finds it at load: libbasalt's text "200016" when
// the library at libraryPath loads and exports GetTextByID and that text exists; the built-in
// "Convert images into PDF" when the text does not exist (libbasalt answers null until it is
// initialised, which the module never does); empty when the library cannot be loaded or lacks
// the export. The library is unloaded again before returning.
std::wstring LoadCaption(const std::string& libraryPath);

// The caption used when libbasalt has no text for the menu item.
inline constexpr wchar_t kBuiltInCaption[] = L"Convert images into PDF";

}  // namespace shellext

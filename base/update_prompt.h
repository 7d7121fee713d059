#pragma once

// The question that offers a newer version to the user.

#include <string_view>

namespace basalt {

// Asks with a Yes/No question box (question icon, caption as its title, parented to the
// application's active window) and, on Yes, opens url with the desktop's URL opener when it is
// an http or https URL; other URLs are ignored. Without a graphical application (no
// QApplication, or a build without Qt) the question is answered No and nothing is shown. From a
// thread other than the application's, the box is shown on the application's thread and this
// call waits for the answer.
void OfferUpdate(std::wstring_view caption, std::wstring_view question, std::wstring_view url);

}  // namespace basalt

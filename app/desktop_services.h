#pragma once

// What the program asks of the desktop: open a web page in the browser, open a file or folder
// with its default program, and show a file in the file manager. Failures are ignored, as the
// desktop reports nothing useful. GUI thread.

#include <string>

namespace app {

// Opens url in the desktop's browser when it is an http or https URL; false otherwise (and
// when the desktop could not be asked).
bool OpenWebPage(const std::wstring& url);

// Opens a file or folder with the desktop's default program.
bool OpenPath(const std::wstring& path);

// Shows path selected in the file manager (org.freedesktop.FileManager1.ShowItems over the
// session bus); when no file manager answers, opens the folder holding path.
void ShowInFolder(const std::wstring& path);

// The maker's web pages: the site root, the help page and the product page.
std::wstring HomePageUrl();
std::wstring HelpPageUrl();
std::wstring ProductPageUrl();

}  // namespace app

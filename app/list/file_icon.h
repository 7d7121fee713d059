#pragma once

// The desktop icon theme's icon for a file's type, judged from its name alone (the file is not
// read), with the theme's generic icon of the type's group and then the style's plain file icon
// as fallbacks. Icons are kept per extension. GUI thread only.

#include <QIcon>
#include <string>

QIcon FileTypeIcon(const std::wstring& path);

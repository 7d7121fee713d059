#pragma once

// Text between the library's wide strings and Qt, through UTF-8 as everywhere else.

#include <QString>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace basalt {

inline QString ToQString(std::wstring_view text) {
    return QString::fromStdString(platform::ToUtf8(text));
}

inline std::wstring ToWide(const QString& text) {
    return platform::FromUtf8(text.toStdString());
}

}  // namespace basalt

#pragma once

// Text crossing between the program's wide strings and Qt, through platform/text.h.

#include <QString>
#include <string>

#include "platform/text.h"

namespace app {

inline QString ToQString(const std::wstring& text) {
    return QString::fromUtf8(platform::ToUtf8(text));
}

inline std::wstring FromQString(const QString& text) {
    return platform::FromUtf8(text.toUtf8().toStdString());
}

}  // namespace app

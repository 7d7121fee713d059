#include "file_drop.h"

#include <QMimeData>
#include <QSysInfo>
#include <cctype>
#include <optional>

#include "platform/text.h"

namespace {

constexpr const char* kUriListType = "text/uri-list";

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The bytes a URI path stands for; a "%" without two hex digits stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

bool IsThisMachine(std::string_view host) {
    return host.empty() || host == "localhost" ||
           QString::fromUtf8(host.data(), static_cast<qsizetype>(host.size())) ==
               QSysInfo::machineHostName();
}

// The encoded path of a file: URI on this machine ("file:///p", "file://localhost/p",
// "file:/p"), or nothing.
std::optional<std::string_view> LocalUriPath(std::string_view uri) {
    if (!StartsWithNoCase(uri, "file:")) {
        return std::nullopt;
    }
    uri.remove_prefix(5);
    if (uri.substr(0, 2) == "//") {
        uri.remove_prefix(2);
        const size_t slash = uri.find('/');
        if (slash == std::string_view::npos || !IsThisMachine(uri.substr(0, slash))) {
            return std::nullopt;
        }
        uri.remove_prefix(slash);
    }
    if (uri.empty() || uri.front() != '/') {
        return std::nullopt;
    }
    return uri.substr(0, uri.find_first_of("?#"));
}

std::string_view Trimmed(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

std::vector<std::wstring> PathsFromUriList(std::string_view uriList) {
    std::vector<std::wstring> paths;
    while (!uriList.empty()) {
        const size_t end = uriList.find('\n');
        const std::string_view line = Trimmed(uriList.substr(0, end));
        uriList.remove_prefix(end == std::string_view::npos ? uriList.size() : end + 1);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::optional<std::string_view> encoded = LocalUriPath(line);
        if (!encoded) {
            continue;
        }
        const std::string bytes = PercentDecoded(*encoded);
        if (bytes.find('\0') == std::string::npos) {
            paths.push_back(platform::FromUtf8(bytes));
        }
    }
    return paths;
}

std::vector<std::wstring> DroppedPaths(const QMimeData& data) {
    const QByteArray list = data.data(QString::fromLatin1(kUriListType));
    return PathsFromUriList(std::string_view(list.constData(), static_cast<size_t>(list.size())));
}

bool HasDroppedPaths(const QMimeData& data) {
    return data.hasFormat(QString::fromLatin1(kUriListType)) && !DroppedPaths(data).empty();
}

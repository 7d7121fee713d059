#include "recording_sink.h"

#include <cstdio>

namespace {

std::string Hex(std::uintptr_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string DescribeCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != UI_COMMAND_TAG || lParam != 0) {
        return "command " + std::to_string(LOWORD(wParam)) + " high " + Hex(HIWORD(wParam));
    }
    return "command " + std::to_string(LOWORD(wParam));
}

std::string DescribeNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != UIN_MOUSEMOVE || header->idFrom != wParam || header->hwndFrom) {
        return "notify " + std::to_string(wParam) + " code " + Hex(header->code);
    }
    return "move " + std::to_string(wParam);
}

std::string DescribeUiMessage(WPARAM wParam) {
    const auto* data = reinterpret_cast<const tagUIMessageData*>(wParam);
    const std::string id = std::to_string(data->id);
    if (data->wParam != 0 || data->lParam != 0) {
        return "ui " + id + " " + Hex(data->msg) + " with parameters";
    }
    if (data->msg == WM_MOUSEHOVER) {
        return "hover " + id;
    }
    if (data->msg == UIN_DROPDOWN) {
        return "dropdown " + id;
    }
    return "ui " + id + " " + Hex(data->msg);
}

std::string DescribeChange(WPARAM wParam, LPARAM lParam) {
    const std::string id = std::to_string(wParam);
    switch (lParam) {
        case UI_CHANGED_TEXT:
            return "text " + id;
        case UI_CHANGED_CHECK:
            return "check " + id;
        case UI_CHANGED_SELECTION:
            return "selection " + id;
        default:
            return "changed " + id + " " + std::to_string(lParam);
    }
}

}  // namespace

LRESULT RecordingSink::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            log.push_back(DescribeCommand(wParam, lParam));
            break;
        case WM_SYSCOMMAND:
            log.push_back("syscommand " + Hex(wParam) +
                          (lParam == UI_SYSCOMMAND_TAG ? "" : " untagged"));
            break;
        case WM_NOTIFY:
            log.push_back(DescribeNotify(wParam, lParam));
            break;
        case WM_UI_MESSAGE:
            log.push_back(DescribeUiMessage(wParam));
            break;
        case WM_UI_CHANGED:
            log.push_back(DescribeChange(wParam, lParam));
            break;
        default:
            log.push_back("message " + Hex(msg));
    }
    return 0;
}

BOOL RecordingSink::Invalidate(const RECT* rect) {
    ++invalidations;
    lastInvalidated = rect != nullptr ? std::optional<RECT>(*rect) : std::nullopt;
    return 1;
}

void RecordingSink::Clear() {
    log.clear();
    invalidations = 0;
    lastInvalidated.reset();
    tips.clear();
    cursors.clear();
}

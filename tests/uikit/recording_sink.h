#pragma once

// A message sink that writes down what a tree of toolkit objects tells its window, with the
// records behind pointer parameters copied while they are valid.

#include <optional>
#include <string>
#include <vector>

#include "trellis/message_sink.h"
#include "trellis/messages.h"

class RecordingSink : public CMessageSink {
public:
    HWND GetWnd() override { return nullptr; }
    LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL Invalidate(const RECT* rect) override;
    void PopTip(const std::wstring& text) override { tips.push_back(text); }
    void SetCursorShape(Qt::CursorShape shape) override { cursors.push_back(shape); }

    // Each message in a short form: "command 7", "syscommand f060", "move 7", "hover 7",
    // "dropdown 7", "text 7", "check 7", "selection 7" (anything unexpected spelled out).
    std::vector<std::string> log;
    int invalidations = 0;
    std::optional<RECT> lastInvalidated;  // nullopt when the last request was the whole window
    std::vector<std::wstring> tips;
    std::vector<Qt::CursorShape> cursors;

    void Clear();
};

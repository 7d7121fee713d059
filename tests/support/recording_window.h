#pragma once

// A window of the window layer that writes down every message its own procedure receives,
// then handles it the default way. Tests can decide the answer to the hit test.

#include <QTest>
#include <functional>
#include <vector>

#include "ui/host_window.h"

class RecordingWindow : public CHostWindow {
public:
    struct Message {
        UINT msg = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    explicit RecordingWindow(DWORD style = WS_OVERLAPPED, HWND parent = nullptr, UINT id = 0)
        : CHostWindow(style, parent, id) {}

    // Places the window on the screen, shows it and waits until it can be painted.
    void ShowAt(const QRect& geometry) {
        setGeometry(geometry);
        show();
        (void)QTest::qWaitForWindowExposed(this);
    }

    std::vector<Message> Of(UINT msg) const {
        std::vector<Message> found;
        for (const Message& message : messages) {
            if (message.msg == msg) {
                found.push_back(message);
            }
        }
        return found;
    }
    size_t Count(UINT msg) const { return Of(msg).size(); }

    std::vector<Message> messages;
    // When set, sees each message as it arrives (while its pointers are valid).
    std::function<void(const Message&)> inspect;
    // When set, answers WM_NCHITTEST for the client point instead of the default procedure.
    std::function<LRESULT(QPoint)> hitTest;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        messages.push_back({msg, wParam, lParam});
        if (inspect) {
            inspect(messages.back());
        }
        if (msg == WM_NCHITTEST && hitTest) {
            return hitTest(mapFromGlobal(QPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))));
        }
        return CHostWindow::WindowProc(msg, wParam, lParam);
    }
};

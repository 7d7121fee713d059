#pragma once

// What a host window style asks of a web window.

#include <cstdint>

namespace basalt {

struct WebWindowShape {
    bool child = false;    // WS_CHILD: a child window inside the parent
    bool caption = false;  // WS_CAPTION: the window manager's caption and frame
    bool border = false;   // WS_BORDER without a caption: a one-pixel frame of our own
    bool visible = false;  // WS_VISIBLE: shown at once
};

WebWindowShape ShapeOfStyle(uint32_t style);

}  // namespace basalt

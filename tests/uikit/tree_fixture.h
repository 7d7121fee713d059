#pragma once

// A window's worth of toolkit objects without a window: a root of 200 x 100 that reports to a
// recording sink, and a white surface to paint the tree on.

#include <gtest/gtest.h>

#include "pixels.h"
#include "recording_sink.h"
#include "trellis/ui_root.h"

class TreeTest : public ::testing::Test {
protected:
    static constexpr QRgb kWhite = 0xFFFFFFFF;

    TreeTest() : surface_(Surface(200, 100, kWhite)) {
        const RECT client{0, 0, 200, 100};
        root_.SetRect(&client);
    }

    // Paints the whole tree on a fresh white surface.
    void Paint() {
        surface_.fill(kWhite);
        CDC dc(&surface_);
        const RECT client{0, 0, 200, 100};
        root_.OnDraw(&dc, &client);
    }

    QRgb At(int x, int y) const { return PixelAt(surface_, x, y); }

    // The smallest rectangle holding every pixel that is not (nearly) white.
    QRect InkBounds() const {
        QRect bounds;
        for (int y = 0; y < surface_.height(); ++y) {
            for (int x = 0; x < surface_.width(); ++x) {
                if (!Near(PixelAt(surface_, x, y), kWhite, 40)) {
                    bounds |= QRect(x, y, 1, 1);
                }
            }
        }
        return bounds;
    }

    QImage surface_;
    RecordingSink sink_;
    CUIRoot root_{&sink_};
};

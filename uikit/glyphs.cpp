#include "glyphs.h"

#include "image_loading.h"
#include "trellis/drawing.h"
#include "trellis/resources.h"

namespace {

CImage LoadToolkitPng(unsigned id) {
    CImage image;
    if (LoadImageResource(image, kToolkitResourceModule, id, L"PNG")) {
        CImageTransparent(&image);
    }
    return image;
}

}  // namespace

const CImage& GlyphStrip() {
    static const CImage strip = LoadToolkitPng(kGlyphStripId);
    return strip;
}

const CImage& DropDownArrow() {
    static const CImage arrow = LoadToolkitPng(kDropDownArrowId);
    return arrow;
}

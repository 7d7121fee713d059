#include "web_style.h"

namespace basalt {
namespace {

constexpr uint32_t kChild = 0x40000000;
constexpr uint32_t kVisible = 0x10000000;
constexpr uint32_t kCaption = 0x00C00000;  // a border and a dialog frame together
constexpr uint32_t kBorder = 0x00800000;

}  // namespace

WebWindowShape ShapeOfStyle(uint32_t style) {
    WebWindowShape shape;
    shape.child = (style & kChild) != 0;
    shape.caption = !shape.child && (style & kCaption) == kCaption;
    shape.border = !shape.caption && (style & kBorder) != 0;
    shape.visible = (style & kVisible) != 0;
    return shape;
}

}  // namespace basalt

// CUIButton: how the style divides the button into image, text and drop-down parts.

#include "trellis/ui_button.h"

namespace {

constexpr LONG kDropDownSize = 12;
constexpr LONG kTextBandHeight = 23;  // the text under an image with UIBS_IMAGETOP
constexpr LONG kImageInset = 3;       // the image's distance from the left edge

}  // namespace

int CUIButton::GetAllRect(const RECT* area, CRect* image, CRect* text, CRect* dropDown) const {
    CRect rest = area != nullptr ? CRect(*area) : CRect();
    CRect imagePart;
    CRect textPart;
    CRect dropPart;
    if (style_ == UIBS_IMAGE) {
        imagePart = rest;
    } else if (style_ == UIBS_TEXT) {
        textPart = rest;
    } else {
        if (style_ & UIBS_DROPDOWN) {
            if (style_ & UIBS_DROPRIGHT) {
                dropPart = {rest.right - kDropDownSize, rest.top, rest.right, rest.bottom};
                rest.right -= kDropDownSize;
            } else {
                dropPart = {rest.left, rest.bottom - kDropDownSize, rest.right, rest.bottom};
                rest.bottom -= kDropDownSize;
            }
        }
        if ((style_ & UIBS_IMAGE) && (style_ & UIBS_IMAGETOP)) {
            textPart = {rest.left, rest.bottom - kTextBandHeight, rest.right, rest.bottom};
            imagePart = {rest.left, rest.top, rest.right, rest.bottom - kTextBandHeight};
        } else if (style_ & UIBS_IMAGE) {
            const LONG width = GetImageSize().cx;
            imagePart = {rest.left + kImageInset, rest.top, rest.left + width + 2 * kImageInset,
                         rest.bottom};
            // The text part overlaps the last pixels of the image part.
            textPart = {rest.left + width + kImageInset, rest.top, rest.right, rest.bottom};
        } else if (style_ & UIBS_TEXT) {
            textPart = rest;
        }
    }
    if (image != nullptr) {
        *image = imagePart;
    }
    if (text != nullptr) {
        *text = textPart;
    }
    if (dropDown != nullptr) {
        *dropDown = dropPart;
    }
    return 1;
}

CRect CUIButton::DropDownStrip() const {
    const LONG width = rect_.Width();
    const LONG height = rect_.Height();
    if (style_ == UIBS_TEXT || style_ == UIBS_IMAGE || !(style_ & UIBS_DROPDOWN)) {
        return {};
    }
    if (style_ & UIBS_DROPRIGHT) {
        return {width - kDropDownSize, 0, width, height};
    }
    return {0, height - kDropDownSize, width, height};
}

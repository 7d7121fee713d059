#pragma once

// The size of a page that follows its image.

namespace engine {

// The sides a PDF page may have, in points: conforming readers take no page side outside them
// (ISO 32000-1, Annex C.2).
constexpr double kSmallestPageSide = 3;
constexpr double kLargestPageSide = 14400;

// A page that follows an image, and the size the image is drawn at on it.
struct FollowedPage {
    double width = 0;
    double height = 0;
    double imageWidth = 0;
    double imageHeight = 0;

    // True when the page is the image at its natural size plus the margins.
    bool natural = true;
};

// The image at its natural size (imageWidth x imageHeight points) plus the margins on both
// sides, held within the sides a page may have: an image whose page would be larger is scaled
// down, keeping its aspect ratio, until the page fits (margins so wide that no room is left
// leave the image a point each way), and a page that would be smaller grows to the smallest
// page around the image, which keeps its size.
FollowedPage PageFollowingImage(double imageWidth, double imageHeight, double marginX,
                                double marginY);

}  // namespace engine

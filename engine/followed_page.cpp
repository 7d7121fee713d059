#include "followed_page.h"

#include <algorithm>

namespace engine {
namespace {

// The factor that brings an image side plus its two margins within the largest page side.
double FittingScale(double side, double margin) {
    const double room = std::max(1.0, kLargestPageSide - 2 * margin);
    return side > room ? room / side : 1.0;
}

}  // namespace

FollowedPage PageFollowingImage(double imageWidth, double imageHeight, double marginX,
                                double marginY) {
    const double scale =
        std::min(FittingScale(imageWidth, marginX), FittingScale(imageHeight, marginY));
    FollowedPage page;
    page.imageWidth = imageWidth * scale;
    page.imageHeight = imageHeight * scale;
    const double naturalWidth = page.imageWidth + 2 * marginX;
    const double naturalHeight = page.imageHeight + 2 * marginY;
    page.width = std::clamp(naturalWidth, kSmallestPageSide, kLargestPageSide);
    page.height = std::clamp(naturalHeight, kSmallestPageSide, kLargestPageSide);
    page.natural = scale == 1.0 && page.width == naturalWidth && page.height == naturalHeight;
    return page;
}

}  // namespace engine

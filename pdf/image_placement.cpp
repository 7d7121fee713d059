#include "image_placement.h"

#include "pdf_syntax.h"

namespace pdf {
namespace {

struct Matrix {
    double a, b, c, d, e, f;
};

// The image space has its first stored row at the top of the unit square and its first stored
// column at the left; each case turns that into the shown picture filling the box.
Matrix MatrixFor(uint8_t orientation, double x, double y, double w, double h) {
    switch (orientation) {
        case 2:
            return {-w, 0, 0, h, x + w, y};
        case 3:
            return {-w, 0, 0, -h, x + w, y + h};
        case 4:
            return {w, 0, 0, -h, x, y + h};
        case 5:
            return {0, -h, -w, 0, x + w, y + h};
        case 6:
            return {0, -h, w, 0, x, y + h};
        case 7:
            return {0, h, w, 0, x, y};
        case 8:
            return {0, h, -w, 0, x + w, y};
        default:
            return {w, 0, 0, h, x, y};
    }
}

}  // namespace

std::string PlacementMatrix(uint8_t orientation, double x, double y, double width, double height) {
    const Matrix m = MatrixFor(orientation, x, y, width, height);
    return Number(m.a) + " " + Number(m.b) + " " + Number(m.c) + " " + Number(m.d) + " " +
           Number(m.e) + " " + Number(m.f) + " cm";
}

}  // namespace pdf

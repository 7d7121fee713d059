#pragma once

// The images loaded into one document, by handle. Closed handles are given out again, so the
// table stays as small as the number of images open at once.

#include <cstdint>
#include <optional>
#include <vector>

namespace pdf {

// An image XObject already written, with its natural size in points as it is shown.
struct ImageObject {
    uint32_t objectId = 0;
    double width = 0;
    double height = 0;
    uint8_t orientation = 1;  // how the stored pixels are turned to be shown (EXIF/TIFF, 1-8)
};

class ImageTable {
public:
    int Add(const ImageObject& image);
    // Throws Failure (kErrorHandle) for unknown or closed handles.
    const ImageObject& Get(int handle) const;
    void Close(int handle);

private:
    std::vector<std::optional<ImageObject>> slots_;
};

}  // namespace pdf

#include "image_table.h"

#include <string>

#include "failure.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {

int ImageTable::Add(const ImageObject& image) {
    for (size_t handle = 0; handle < slots_.size(); ++handle) {
        if (!slots_[handle]) {
            slots_[handle] = image;
            return static_cast<int>(handle);
        }
    }
    slots_.push_back(image);
    return static_cast<int>(slots_.size() - 1);
}

const ImageObject& ImageTable::Get(int handle) const {
    if (handle < 0 || static_cast<size_t>(handle) >= slots_.size() || !slots_[handle]) {
        Fail(kErrorHandle, "unknown image " + std::to_string(handle));
    }
    return *slots_[handle];
}

void ImageTable::Close(int handle) {
    Get(handle);
    slots_[handle].reset();
}

}  // namespace pdf

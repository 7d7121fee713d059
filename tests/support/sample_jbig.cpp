extern "C" {
#include <jbig.h>
}

#include "sample_files.h"

namespace samples {
namespace {

void Append(unsigned char* data, size_t length, void* file) {
    auto* out = static_cast<File*>(file);
    out->insert(out->end(), data, data + length);
}

// JBIG's bi-level convention: 1 is black.
File InvertedPlane(const imaging::Bitmap& picture) {
    File plane = picture.samples;
    for (uint8_t& byte : plane) {
        byte = static_cast<uint8_t>(~byte);
    }
    return plane;
}

}  // namespace

File MakeJbig(const imaging::Bitmap& picture) {
    int planes = picture.bitsPerComponent == 1 ? 1 : 8;
    size_t planeBytes = (picture.width + 7) / 8 * size_t{picture.height};
    std::vector<File> storage(planes, File(planeBytes));
    std::vector<unsigned char*> pointers;
    for (File& plane : storage) {
        pointers.push_back(plane.data());
    }
    if (planes == 1) {
        storage[0] = InvertedPlane(picture);
        pointers[0] = storage[0].data();
    } else {
        jbg_split_planes(picture.width, picture.height, 8, 8, picture.samples.data(),
                         pointers.data(), 1);
    }
    File out;
    jbg_enc_state state;
    jbg_enc_init(&state, picture.width, picture.height, planes, pointers.data(), Append, &out);
    jbg_enc_out(&state);
    jbg_enc_free(&state);
    return out;
}

}  // namespace samples

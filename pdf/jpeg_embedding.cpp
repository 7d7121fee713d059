#include "jpeg_embedding.h"

#include <string>
#include <vector>

#include "icc_color_space.h"
#include "jpeg_walk.h"

namespace pdf {
namespace {

constexpr uint8_t kEndMarker[] = {0xFF, 0xD9};

bool HasPlainLayout(const imaging::ImageInfo& info) {
    const uint8_t components = info.components;
    return info.bitsPerComponent == 8 && (components == 1 || components == 3 || components == 4);
}

// True when the image's scan data is whole once its end marker is supplied: the file stops
// after complete scan data rather than inside it.
bool CompleteWithEndMarker(std::span<const uint8_t> image) {
    std::vector<uint8_t> completed(image.begin(), image.end());
    completed.insert(completed.end(), std::begin(kEndMarker), std::end(kEndMarker));
    return imaging::CheckJpegScans(completed.data(), completed.size());
}

uint32_t WriteStream(ObjectWriter& writer, std::span<const uint8_t> image, bool addEndMarker,
                     const imaging::ImageInfo& info) {
    std::string entries = "/Type /XObject /Subtype /Image /Width " + std::to_string(info.width) +
                          " /Height " + std::to_string(info.height) + " /ColorSpace " +
                          SampleColorSpace(writer, info.iccProfile, info.components) +
                          " /BitsPerComponent 8 /Filter /DCTDecode";
    if (info.components == 4 && info.adobeInverted)
        entries += " /Decode [1 0 1 0 1 0 1 0]";
    const uint32_t id = writer.Allocate();
    writer.BeginStream(id, entries, image.size() + (addEndMarker ? sizeof kEndMarker : 0));
    writer.WriteStreamData(image.data(), image.size());
    if (addEndMarker)
        writer.WriteStreamData(kEndMarker, sizeof kEndMarker);
    writer.EndStream();
    return id;
}

}  // namespace

std::optional<uint32_t> WriteJpegPassThrough(ObjectWriter& writer, ImageSource& source,
                                             const imaging::ImageInfo& info) {
    if (!HasPlainLayout(info))
        return std::nullopt;
    const std::span<const uint8_t> bytes = source.All();
    const JpegWalk walk = WalkJpeg(bytes);
    if (!walk.huffman8Bit || (!walk.walked && !walk.endMarkerMissing))
        return std::nullopt;
    const std::span<const uint8_t> image = bytes.first(walk.end);
    if (walk.endMarkerMissing && !CompleteWithEndMarker(image))
        return std::nullopt;
    return WriteStream(writer, image, walk.endMarkerMissing, info);
}

}  // namespace pdf

#include "jpeg_embedding.h"

#include <string>

namespace pdf {
namespace {

const char* DeviceSpace(uint8_t components) {
    if (components == 1)
        return "/DeviceGray";
    if (components == 4)
        return "/DeviceCMYK";
    return "/DeviceRGB";
}

// The end-of-image marker, followed at most by padding.
bool EndsWithEndOfImage(std::span<const uint8_t> tail) {
    size_t end = tail.size();
    while (end > 0 && (tail[end - 1] == 0x00 || tail[end - 1] == '\n' || tail[end - 1] == '\r' ||
                       tail[end - 1] == ' ')) {
        --end;
    }
    return end >= 2 && tail[end - 2] == 0xFF && tail[end - 1] == 0xD9;
}

}  // namespace

bool CanPassJpegThrough(const imaging::ImageInfo& info, ImageSource& source) {
    const uint8_t components = info.components;
    return info.bitsPerComponent == 8 && (components == 1 || components == 3 || components == 4) &&
           EndsWithEndOfImage(source.Tail(ImageSource::kTailSize));
}

uint32_t WriteJpegImage(ObjectWriter& writer, ImageSource& source, const imaging::ImageInfo& info) {
    std::string entries = "/Type /XObject /Subtype /Image /Width " + std::to_string(info.width) +
                          " /Height " + std::to_string(info.height) + " /ColorSpace " +
                          DeviceSpace(info.components) + " /BitsPerComponent 8 /Filter /DCTDecode";
    if (info.components == 4 && info.adobeInverted)
        entries += " /Decode [1 0 1 0 1 0 1 0]";
    const uint32_t id = writer.Allocate();
    writer.BeginStream(id, entries, source.size());
    source.CopyTo(writer);
    writer.EndStream();
    return id;
}

}  // namespace pdf

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

}  // namespace

bool CanPassJpegThrough(const imaging::ImageInfo& info) {
    const uint8_t components = info.components;
    return info.bitsPerComponent == 8 && (components == 1 || components == 3 || components == 4);
}

uint32_t WriteJpegImage(ObjectWriter& writer, std::span<const uint8_t> bytes,
                        const imaging::ImageInfo& info) {
    std::string entries = "/Type /XObject /Subtype /Image /Width " + std::to_string(info.width) +
                          " /Height " + std::to_string(info.height) + " /ColorSpace " +
                          DeviceSpace(info.components) + " /BitsPerComponent 8 /Filter /DCTDecode";
    if (info.components == 4 && info.adobeInverted)
        entries += " /Decode [1 0 1 0 1 0 1 0]";
    const uint32_t id = writer.Allocate();
    writer.BeginStream(id, entries, bytes.size());
    writer.WriteStreamData(bytes.data(), bytes.size());
    writer.EndStream();
    return id;
}

}  // namespace pdf

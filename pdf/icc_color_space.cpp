#include "icc_color_space.h"

#include <imaging/image.h>

#include "deflate_stream.h"
#include "pdf_syntax.h"

namespace pdf {
namespace {

const char* DeviceSpace(unsigned components) {
    if (components == 1) {
        return "/DeviceGray";
    }
    return components == 4 ? "/DeviceCMYK" : "/DeviceRGB";
}

}  // namespace

std::string SampleColorSpace(ObjectWriter& writer, std::span<const uint8_t> profile,
                             unsigned components) {
    if (profile.empty() ||
        imaging::IccProfileComponents(profile.data(), profile.size()) != components) {
        return DeviceSpace(components);
    }
    const uint32_t id = writer.Allocate();
    DeflateStream stream(
        writer, id, "/N " + std::to_string(components) + " /Alternate " + DeviceSpace(components));
    stream.Write(profile);
    stream.Finish();
    return "[/ICCBased " + Reference(id) + "]";
}

}  // namespace pdf

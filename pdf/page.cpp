#include "page.h"

#include <cmath>

#include "deflate_stream.h"
#include "failure.h"
#include "pdf_syntax.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {
namespace {

// The largest page side a conforming reader accepts, in user units.
constexpr double kLargestSide = 14400;

std::string NamedReferences(const char* prefix, const std::set<uint32_t>& ids) {
    std::string dictionary = "<<";
    for (const uint32_t id : ids) {
        dictionary += "/" + std::string(prefix) + std::to_string(id) + " " + Reference(id);
    }
    return dictionary + ">>";
}

}  // namespace

Page::Page(uint32_t id, double width, double height) : id_(id), width_(width), height_(height) {}

void Page::Resize(double width, double height) {
    width_ = width;
    height_ = height;
}

std::string Page::UseImage(uint32_t objectId) {
    images_.insert(objectId);
    return "/Im" + std::to_string(objectId);
}

std::string Page::UseFont(uint32_t objectId) {
    fonts_.insert(objectId);
    return "/F" + std::to_string(objectId);
}

std::string Page::UseGraphicsState(uint32_t objectId) {
    graphicsStates_.insert(objectId);
    return "/GS" + std::to_string(objectId);
}

void Page::Write(ObjectWriter& writer, uint32_t parentId) const {
    if (!(width_ > 0 && height_ > 0))
        Fail(kErrorScope, "the page has no size");
    const double unit = std::ceil(std::max(width_, height_) / kLargestSide);
    std::string page = "<</Type /Page /Parent " + Reference(parentId) + " /MediaBox [0 0 " +
                       Number(width_ / unit) + " " + Number(height_ / unit) + "]";
    if (unit > 1)
        page += " /UserUnit " + Number(unit);

    const uint32_t contentId = writer.Allocate();
    DeflateStream content(writer, contentId, "");
    if (unit > 1) {
        const std::string scale = Number(1 / unit, 10);
        content.Write(scale + " 0 0 " + scale + " 0 0 cm\n");
    }
    content.Write(content_);
    content.Finish();

    page += " /Resources " + ResourceDictionary() + " /Contents " + Reference(contentId) + ">>";
    writer.WriteObject(id_, page);
}

std::string Page::ResourceDictionary() const {
    std::string resources = "<</ProcSet [/PDF /Text /ImageB /ImageC /ImageI]";
    if (!images_.empty())
        resources += " /XObject " + NamedReferences("Im", images_);
    if (!fonts_.empty())
        resources += " /Font " + NamedReferences("F", fonts_);
    if (!graphicsStates_.empty()) {
        resources += " /ExtGState " + NamedReferences("GS", graphicsStates_);
    }
    return resources + ">>";
}

}  // namespace pdf

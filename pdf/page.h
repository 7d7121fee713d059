#pragma once

// One page while it is built: its size, its content operators and the resources they name.
// The content stays in memory until the page is written; it holds operators only, never image
// or font data.

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "object_writer.h"

namespace pdf {

class Page {
public:
    // id is the page object's number, reserved so that bookmarks can point to the page.
    Page(uint32_t id, double width, double height);

    uint32_t id() const { return id_; }
    double width() const { return width_; }
    double height() const { return height_; }
    void Resize(double width, double height);

    void AppendContent(std::string_view operators) { content_ += operators; }
    // The resource name under which the content refers to an object.
    std::string UseImage(uint32_t objectId);
    std::string UseFont(uint32_t objectId);
    std::string UseGraphicsState(uint32_t objectId);

    // Writes the content stream and the page object (ISO 32000-1, 7.7.3.3). Pages larger than
    // 14400 points are written in user units of several points (Annex C.2, 14.11.2.1).
    // Throws Failure when the page has no positive size.
    void Write(ObjectWriter& writer, uint32_t parentId) const;

private:
    std::string ResourceDictionary() const;

    uint32_t id_;
    double width_;
    double height_;
    std::string content_;
    std::set<uint32_t> images_;
    std::set<uint32_t> fonts_;
    std::set<uint32_t> graphicsStates_;
};

}  // namespace pdf

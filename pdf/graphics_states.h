#pragma once

// Graphics-state parameter dictionaries (ISO 32000-1, 8.4.5) created by option lists. Equal
// option values share one object, so a state made again on every page costs nothing more.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "object_writer.h"

namespace pdf {

class GraphicsStates {
public:
    // "opacityfill=F", 0 <= F <= 1: the fill opacity (/ca), which applies to images and text.
    // Returns the handle. Throws Failure (kErrorOption) for other options or values.
    int Create(ObjectWriter& writer, std::wstring_view optlist);
    // The object number behind a handle; throws Failure (kErrorHandle) for unknown handles.
    uint32_t ObjectId(int handle) const;

private:
    std::map<std::string, int> handleOfDictionary_;
    std::vector<uint32_t> objectIds_;
};

}  // namespace pdf

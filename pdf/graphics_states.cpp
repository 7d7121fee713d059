#include "graphics_states.h"

#include "failure.h"
#include "option_list.h"
#include "pdf_syntax.h"
#include "pdfwriter/pdf_writer.h"

namespace pdf {

int GraphicsStates::Create(ObjectWriter& writer, std::wstring_view optlist) {
    const OptionList options(optlist, {"opacityfill"});
    std::string dictionary = "<</Type /ExtGState";
    if (options.Has("opacityfill")) {
        const double opacity = options.Number("opacityfill");
        if (opacity < 0 || opacity > 1)
            Fail(kErrorOption, "opacityfill must lie in 0 to 1");
        dictionary += " /ca " + Number(opacity);
    }
    dictionary += ">>";
    const auto [entry, added] = handleOfDictionary_.emplace(dictionary, objectIds_.size());
    if (added)
        objectIds_.push_back(writer.AddObject(dictionary));
    return entry->second;
}

uint32_t GraphicsStates::ObjectId(int handle) const {
    if (handle < 0 || static_cast<size_t>(handle) >= objectIds_.size()) {
        Fail(kErrorHandle, "unknown graphics state " + std::to_string(handle));
    }
    return objectIds_[handle];
}

}  // namespace pdf

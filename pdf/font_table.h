#pragma once

// The fonts loaded into one document, by handle. Loading the same name and encoding again gives
// the same handle (and a name that found no font fails again at once).

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "embedded_font.h"
#include "object_writer.h"

namespace pdf {

class FontTable {
public:
    // See PdfWriter::load_font. Throws Failure (kErrorFont) when no installed font fits,
    // (kErrorParameter) for an unknown encoding, (kErrorOption) for a non-empty optlist.
    int Load(ObjectWriter& writer, const std::wstring& name, const std::wstring& encoding,
             std::wstring_view optlist);
    // Throws Failure (kErrorHandle) for unknown handles.
    EmbeddedFont& Get(int handle);
    void WriteAll(ObjectWriter& writer) const;

private:
    int Open(ObjectWriter& writer, const std::wstring& name);

    std::vector<std::unique_ptr<EmbeddedFont>> fonts_;
    std::map<std::wstring, int> handleOfName_;  // -1: no font fits
};

}  // namespace pdf

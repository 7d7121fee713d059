#include "font_table.h"

#include <array>

#include "failure.h"
#include "font_locator.h"
#include "option_list.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

namespace pdf {
namespace {

// Text is always embedded with two-byte glyph codes and a Unicode map, so every Unicode
// encoding gives the same result.
constexpr std::array<std::wstring_view, 6> kUnicodeEncodings{
    L"unicode", L"auto", L"UniJIS-UCS2-H", L"UniGB-UCS2-H", L"UniCNS-UCS2-H", L"UniKS-UCS2-H"};

bool IsUnicodeEncoding(std::wstring_view encoding) {
    for (const std::wstring_view known : kUnicodeEncodings) {
        if (platform::EqualsIgnoreCase(encoding, known))
            return true;
    }
    return false;
}

}  // namespace

int FontTable::Load(ObjectWriter& writer, const std::wstring& name, const std::wstring& encoding,
                    std::wstring_view optlist) {
    OptionList(optlist, {});
    if (!IsUnicodeEncoding(encoding)) {
        Fail(kErrorParameter, "unsupported encoding '" + platform::ToUtf8(encoding) + "'");
    }
    const auto known = handleOfName_.find(name);
    const int handle = known != handleOfName_.end() ? known->second : Open(writer, name);
    if (handle < 0)
        Fail(kErrorFont, "no installed font fits '" + platform::ToUtf8(name) + "'");
    return handle;
}

int FontTable::Open(ObjectWriter& writer, const std::wstring& name) {
    handleOfName_[name] = -1;
    const std::optional<FontLocation> location = LocateFont(name);
    if (!location)
        return -1;
    auto program = std::make_unique<FontProgram>(*location);
    fonts_.push_back(std::make_unique<EmbeddedFont>(std::move(program), writer.Allocate()));
    const int handle = static_cast<int>(fonts_.size() - 1);
    handleOfName_[name] = handle;
    return handle;
}

EmbeddedFont& FontTable::Get(int handle) {
    if (handle < 0 || static_cast<size_t>(handle) >= fonts_.size()) {
        Fail(kErrorHandle, "unknown font " + std::to_string(handle));
    }
    return *fonts_[handle];
}

void FontTable::WriteAll(ObjectWriter& writer) const {
    for (const auto& font : fonts_)
        font->Write(writer);
}

}  // namespace pdf

#include "engine/conversion_settings.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/stored_fields.h"
#include "platform/folders.h"
#include "platform/text.h"

namespace engine {
namespace {

// Stored texts are read into a buffer of 260 characters including the terminating zero.
constexpr size_t kMaxTextLength = 259;

// The names the PDF writer's paper table gives the named page formats, by PageFormat value.
constexpr std::array<std::string_view, 12> kPaperNames = {
    "", "a1", "a2", "a3", "a4", "a5", "a6", "b5", "letter", "legal", "ledger", "11x17",
};

// Paths name files on a case-sensitive file system: a change of letter case is a change.
bool IsPathField(const StoredField& field) {
    return field.text == &ConversionSettings::PDFPath ||
           field.text == &ConversionSettings::WaterImage;
}

}  // namespace

std::string_view PaperName(PageFormat format) {
    const auto index = static_cast<size_t>(format);
    return index < kPaperNames.size() ? kPaperNames[index] : std::string_view();
}

const StoredField* FindStoredField(std::wstring_view name, FieldKind kind) {
    const auto* field = std::find_if(kStoredFields.begin(), kStoredFields.end(), [&](auto& f) {
        return f.kind == kind && platform::EqualsIgnoreCase(f.name, name);
    });
    return field == kStoredFields.end() ? nullptr : field;
}

int ConversionSettings::LoadSettings() {
    for (const StoredField& field : kStoredFields) {
        if (field.kind == FieldKind::kText) {
            if (auto text = platform::RegReadString(registryRoot, registryKey, field.name)) {
                this->*field.text = text->substr(0, kMaxTextLength);
            }
        } else if (auto number = platform::RegReadDWord(registryRoot, registryKey, field.name)) {
            this->*field.number = static_cast<int32_t>(*number);
        }
    }
    return 1;
}

std::wstring ConversionSettings::DefaultOutputFolder() {
    if (!platform::KnownDocumentsFolder()) {
        return {};
    }
    return platform::PathFromNative((platform::DocumentsFolder() / "Velkor" / "PDF").native());
}

std::wstring ConversionSettings::GetOutputFolder() {
    if (PDFPath.empty()) {
        PDFPath = DefaultOutputFolder();
    }
    return PDFPath;
}

bool ConversionSettings::SetText(std::wstring_view name, const std::wstring& text) {
    const StoredField* field = FindStoredField(name, FieldKind::kText);
    if (!field) {
        return false;
    }
    std::wstring& current = this->*field->text;
    if (IsPathField(*field) ? current != text : !platform::EqualsIgnoreCase(current, text)) {
        current = text;
        platform::RegWriteString(registryRoot, registryKey, field->name, text);
    }
    return true;
}

bool ConversionSettings::SetNumber(std::wstring_view name, int32_t value) {
    const StoredField* field = FindStoredField(name, FieldKind::kNumber);
    if (!field) {
        return false;
    }
    if (field->number == &ConversionSettings::WaterFontSize) {
        SetWaterFontSize(value);
        return true;
    }
    int32_t& current = this->*field->number;
    if (value != -1 && value != current) {
        current = value;
        platform::RegWriteDWord(registryRoot, registryKey, field->name,
                                static_cast<uint32_t>(value));
    }
    return true;
}

int ConversionSettings::SetPDFPath(const std::wstring& text) {
    return SetText(L"PDFPath", text);
}
int ConversionSettings::SetPDFTitle(const std::wstring& text) {
    return SetText(L"PDFTitle", text);
}
int ConversionSettings::SetPDFSubject(const std::wstring& text) {
    return SetText(L"PDFSubject", text);
}
int ConversionSettings::SetPDFCreator(const std::wstring& text) {
    return SetText(L"PDFCreator", text);
}
int ConversionSettings::SetPDFAuthor(const std::wstring& text) {
    return SetText(L"PDFAuthor", text);
}
int ConversionSettings::SetPDFKeywords(const std::wstring& text) {
    return SetText(L"PDFKeywords", text);
}

int ConversionSettings::SetJpepPercent(int32_t value) {
    return SetNumber(L"JpepPercent", value);
}
int ConversionSettings::SetPageSize(PageFormat format) {
    return SetNumber(L"PageSize", static_cast<int32_t>(format));
}
int ConversionSettings::SetMakeMultiPDF(DocumentMode mode) {
    return SetNumber(L"MakeMultiPDF", static_cast<int32_t>(mode));
}
int ConversionSettings::SetDPI(int32_t value) {
    return SetNumber(L"DPI", value);
}

int ConversionSettings::SetImageMax(int32_t x, int32_t y) {
    SetNumber(L"ImageMaxX", x);
    return SetNumber(L"ImageMaxY", y);
}

int32_t ConversionSettings::SetRotatePage(int32_t value) {
    SetNumber(L"RotatePage", value);
    return RotatePage;
}

int ConversionSettings::SetWaterFontSize(int32_t value) {
    const auto lowByte = static_cast<uint8_t>(value & 0xFF);
    if (lowByte != 0xFF && lowByte != WaterFontPoints()) {
        WaterFontSize = value;
        platform::RegWriteDWord(registryRoot, registryKey, L"WaterFontSize",
                                static_cast<uint32_t>(value));
    }
    return 1;
}

int ConversionSettings::SetShowAD(int32_t value) {
    if (value != ShowAD) {
        ShowAD = value;
        platform::RegWriteDWord(registryRoot, registryKey, L"ShowAD", static_cast<uint32_t>(value));
    }
    bannerObserver.Notify(ShowAD != 0);
    return 1;
}

}  // namespace engine

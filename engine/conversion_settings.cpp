#include "engine/conversion_settings.h"

#include <algorithm>
#include <string_view>

#include "platform/folders.h"
#include "platform/text.h"

namespace engine {
namespace {

using Settings = ConversionSettings;

template <typename T>
struct StoredField {
    const wchar_t* name;
    T Settings::*member;
};

constexpr StoredField<std::wstring> kTextFields[] = {
    {L"PDFPath", &Settings::PDFPath},         {L"PDFTitle", &Settings::PDFTitle},
    {L"PDFSubject", &Settings::PDFSubject},   {L"PDFCreator", &Settings::PDFCreator},
    {L"PDFAuthor", &Settings::PDFAuthor},     {L"PDFKeywords", &Settings::PDFKeywords},
    {L"WaterText", &Settings::WaterText},     {L"WaterImage", &Settings::WaterImage},
    {L"ShareURL", &Settings::ShareURL},
};

constexpr StoredField<int32_t> kNumberFields[] = {
    {L"CheckRightMenu", &Settings::CheckRightMenu},
    {L"WaterFontSize", &Settings::WaterFontSize},
    {L"WaterPosX", &Settings::WaterPosX},
    {L"WaterPosY", &Settings::WaterPosY},
    {L"WaterColor", &Settings::WaterColor},
    {L"WaterImageOpacity", &Settings::WaterImageOpacity},
    {L"WaterImageX", &Settings::WaterImageX},
    {L"WaterImageY", &Settings::WaterImageY},
    {L"ImageEncode", &Settings::ImageEncode},
    {L"DefaultImageEncode", &Settings::DefaultImageEncode},
    {L"JpepPercent", &Settings::JpepPercent},
    {L"PageSize", &Settings::PageSize},
    {L"MearginLeft", &Settings::MearginLeft},
    {L"MearginTop", &Settings::MearginTop},
    {L"MearginRight", &Settings::MearginRight},
    {L"MearginBottom", &Settings::MearginBottom},
    {L"ShowView", &Settings::ShowView},
    {L"MakeMultiPDF", &Settings::MakeMultiPDF},
    {L"ImageInPage", &Settings::ImageInPage},
    {L"ImageMaxX", &Settings::ImageMaxX},
    {L"ImageMaxY", &Settings::ImageMaxY},
    {L"DPI", &Settings::DPI},
    {L"CreateBookmark", &Settings::CreateBookmark},
    {L"SaveToImageDir", &Settings::SaveToImageDir},
    {L"ShowAD", &Settings::ShowAD},
    {L"RotatePage", &Settings::RotatePage},
    {L"DupPageMidMargin", &Settings::DupPageMidMargin},
    {L"DupPageOrder", &Settings::DupPageOrder},
};

// Stored texts are read into a buffer of 260 characters including the terminating zero.
constexpr size_t kMaxTextLength = 259;

template <typename T, size_t N>
const StoredField<T>* FindField(const StoredField<T> (&fields)[N], std::wstring_view name) {
    auto it = std::find_if(std::begin(fields), std::end(fields), [&](const StoredField<T>& f) {
        return platform::EqualsIgnoreCase(f.name, name);
    });
    return it == std::end(fields) ? nullptr : it;
}

}  // namespace

int ConversionSettings::LoadSettings() {
    for (const auto& field : kTextFields) {
        if (auto text = platform::RegReadString(registryRoot, registryKey, field.name)) {
            this->*field.member = text->substr(0, kMaxTextLength);
        }
    }
    for (const auto& field : kNumberFields) {
        if (auto number = platform::RegReadDWord(registryRoot, registryKey, field.name)) {
            this->*field.member = static_cast<int32_t>(*number);
        }
    }
    return 1;
}

std::wstring ConversionSettings::DefaultOutputFolder() {
    return platform::FromUtf8((platform::DocumentsFolder() / "Velkor" / "PDF").string());
}

std::wstring ConversionSettings::GetOutputFolder() {
    if (PDFPath.empty()) PDFPath = DefaultOutputFolder();
    return PDFPath;
}

int32_t* ConversionSettings::NumberField(std::wstring_view name) {
    const auto* field = FindField(kNumberFields, name);
    return field ? &(this->*field->member) : nullptr;
}

std::wstring* ConversionSettings::TextField(std::wstring_view name) {
    const auto* field = FindField(kTextFields, name);
    return field ? &(this->*field->member) : nullptr;
}

bool ConversionSettings::SetText(std::wstring_view name, const std::wstring& text) {
    const auto* field = FindField(kTextFields, name);
    if (!field) return false;
    std::wstring& current = this->*field->member;
    if (!platform::EqualsIgnoreCase(current, text)) {
        current = text;
        platform::RegWriteString(registryRoot, registryKey, field->name, text);
    }
    return true;
}

bool ConversionSettings::SetNumber(std::wstring_view name, int32_t value) {
    const auto* field = FindField(kNumberFields, name);
    if (!field) return false;
    if (field->member == &Settings::WaterFontSize) {
        SetWaterFontSize(value);
        return true;
    }
    int32_t& current = this->*field->member;
    if (value != -1 && value != current) {
        current = value;
        platform::RegWriteDWord(registryRoot, registryKey, field->name,
                                static_cast<uint32_t>(value));
    }
    return true;
}

int ConversionSettings::SetPDFPath(const std::wstring& text) { return SetText(L"PDFPath", text); }
int ConversionSettings::SetPDFTitle(const std::wstring& text) { return SetText(L"PDFTitle", text); }
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

int ConversionSettings::SetJpepPercent(int32_t value) { return SetNumber(L"JpepPercent", value); }
int ConversionSettings::SetPageSize(int32_t value) { return SetNumber(L"PageSize", value); }
int ConversionSettings::SetDPI(int32_t value) { return SetNumber(L"DPI", value); }

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
    if (showWindow) {
        for (WindowRef window : bannerWindows) showWindow(window, ShowAD != 0);
    }
    return 1;
}

int ConversionSettings::AddBannerWindow(WindowRef window) {
    bannerWindows.push_back(window);
    return 1;
}

}  // namespace engine

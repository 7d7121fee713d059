#pragma once

// The table of stored settings fields: each field's name in the settings store, its kind and its
// member of ConversionSettings. LoadSettings, SetNumber and SetText work through it, and so do
// callers that name fields (the command line, the settings dialog): by member, checked when
// compiled, or by stored name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "engine/conversion_settings.h"

namespace engine {

enum class FieldKind { kNumber, kText };

// One field of the settings store: its stored name and its member (number for kNumber, text for
// kText; the other is nullptr).
struct StoredField {
    std::wstring_view name;
    FieldKind kind;
    int32_t ConversionSettings::*number = nullptr;
    std::wstring ConversionSettings::*text = nullptr;
};

namespace internal {
using S = ConversionSettings;
constexpr StoredField Number(std::wstring_view name, int32_t S::*member) {
    return {name, FieldKind::kNumber, member, nullptr};
}
constexpr StoredField Text(std::wstring_view name, std::wstring S::*member) {
    return {name, FieldKind::kText, nullptr, member};
}
}  // namespace internal

// Every stored field, in the order LoadSettings reads them (texts, then numbers).
inline constexpr std::array<StoredField, 37> kStoredFields = {{
    internal::Text(L"PDFPath", &internal::S::PDFPath),
    internal::Text(L"PDFTitle", &internal::S::PDFTitle),
    internal::Text(L"PDFSubject", &internal::S::PDFSubject),
    internal::Text(L"PDFCreator", &internal::S::PDFCreator),
    internal::Text(L"PDFAuthor", &internal::S::PDFAuthor),
    internal::Text(L"PDFKeywords", &internal::S::PDFKeywords),
    internal::Text(L"WaterText", &internal::S::WaterText),
    internal::Text(L"WaterImage", &internal::S::WaterImage),
    internal::Text(L"ShareURL", &internal::S::ShareURL),
    internal::Number(L"CheckRightMenu", &internal::S::CheckRightMenu),
    internal::Number(L"WaterFontSize", &internal::S::WaterFontSize),
    internal::Number(L"WaterPosX", &internal::S::WaterPosX),
    internal::Number(L"WaterPosY", &internal::S::WaterPosY),
    internal::Number(L"WaterColor", &internal::S::WaterColor),
    internal::Number(L"WaterImageOpacity", &internal::S::WaterImageOpacity),
    internal::Number(L"WaterImageX", &internal::S::WaterImageX),
    internal::Number(L"WaterImageY", &internal::S::WaterImageY),
    internal::Number(L"ImageEncode", &internal::S::ImageEncode),
    internal::Number(L"DefaultImageEncode", &internal::S::DefaultImageEncode),
    internal::Number(L"JpepPercent", &internal::S::JpepPercent),
    internal::Number(L"PageSize", &internal::S::PageSize),
    internal::Number(L"MearginLeft", &internal::S::MearginLeft),
    internal::Number(L"MearginTop", &internal::S::MearginTop),
    internal::Number(L"MearginRight", &internal::S::MearginRight),
    internal::Number(L"MearginBottom", &internal::S::MearginBottom),
    internal::Number(L"ShowView", &internal::S::ShowView),
    internal::Number(L"MakeMultiPDF", &internal::S::MakeMultiPDF),
    internal::Number(L"ImageInPage", &internal::S::ImageInPage),
    internal::Number(L"ImageMaxX", &internal::S::ImageMaxX),
    internal::Number(L"ImageMaxY", &internal::S::ImageMaxY),
    internal::Number(L"DPI", &internal::S::DPI),
    internal::Number(L"CreateBookmark", &internal::S::CreateBookmark),
    internal::Number(L"SaveToImageDir", &internal::S::SaveToImageDir),
    internal::Number(L"ShowAD", &internal::S::ShowAD),
    internal::Number(L"RotatePage", &internal::S::RotatePage),
    internal::Number(L"DupPageMidMargin", &internal::S::DupPageMidMargin),
    internal::Number(L"DupPageOrder", &internal::S::DupPageOrder),
}};

// The stored field of that name, in any letter case, and of that kind; nullptr when there is
// none.
const StoredField* FindStoredField(std::wstring_view name, FieldKind kind);

// The position in kStoredFields of a member's field; kStoredFields.size() when the member is not
// stored. Usable in constant expressions, so that callers can name fields by member and have
// the compiler check them.
template <typename T>
constexpr size_t StoredFieldIndex(T ConversionSettings::*member) {
    for (size_t index = 0; index < kStoredFields.size(); ++index) {
        const StoredField& field = kStoredFields[index];
        if constexpr (std::is_same_v<T, int32_t>) {
            if (field.number == member) {
                return index;
            }
        } else if (field.text == member) {
            return index;
        }
    }
    return kStoredFields.size();
}

// The stored field of a member; nullptr when the member is not stored.
template <typename T>
const StoredField* FindStoredField(T ConversionSettings::*member) {
    const size_t index = StoredFieldIndex(member);
    return index < kStoredFields.size() ? &kStoredFields[index] : nullptr;
}

}  // namespace engine

#include "settings_bindings.h"

#include "settings_pages.h"
#include "settings_rules.h"

namespace app {

namespace {

constexpr EditBinding kEditBindings[] = {
    {kOutputFolderEdit, L"PDFPath", StorageRule::kText, L"保存路径"},
    {kTitleEdit, L"PDFTitle", StorageRule::kText, L"PDF,标题"},
    {kSubjectEdit, L"PDFSubject", StorageRule::kText, L"PDF,主题"},
    {kAuthorEdit, L"PDFAuthor", StorageRule::kText, L"PDF,作者"},
    {kCreatorEdit, L"PDFCreator", StorageRule::kText, L"PDF,创作者"},
    {kKeywordsEdit, L"PDFKeywords", StorageRule::kText, L"PDF,关键字"},
    {kJpegQualityEdit, L"JpepPercent", StorageRule::kNumber, L"JPEG%,%s"},
    {kDpiEdit, L"DPI", StorageRule::kNumber, L"ID_ED_IMAGE_DPI,%s"},
    {kWaterTextEdit, L"WaterText", StorageRule::kText, L"水印,%s"},
    {kWaterFontSizeEdit, L"WaterFontSize", StorageRule::kFontSize, L"字体大小,%s"},
    {kWaterPosXEdit, L"WaterPosX", StorageRule::kNumber, L"字体X,%s"},
    {kWaterPosYEdit, L"WaterPosY", StorageRule::kNumber, L"字体Y,%s"},
    {kWaterImageEdit, L"WaterImage", StorageRule::kText, L"图片路径,%s"},
    {kWaterOpacityEdit, L"WaterImageOpacity", StorageRule::kNumber, L"透明度X,%s"},
    {kWaterImageXEdit, L"WaterImageX", StorageRule::kNumber, L"图片X,%s"},
    {kWaterImageYEdit, L"WaterImageY", StorageRule::kNumber, L"图片Y,%s"},
    {kMarginTopEdit, L"MearginTop", StorageRule::kNumber, L"边距T,%s"},
    {kMarginLeftEdit, L"MearginLeft", StorageRule::kNumber, L"边距L,%s"},
};

}  // namespace

const EditBinding* FindEditBinding(UINT id) {
    for (const EditBinding& binding : kEditBindings) {
        if (binding.id == id) {
            return &binding;
        }
    }
    return nullptr;
}

bool StoreEditText(engine::ConversionSettings& settings, const EditBinding& binding,
                   const std::wstring& text) {
    switch (binding.rule) {
        case StorageRule::kText:
            return settings.SetText(binding.setting, text);
        case StorageRule::kNumber:
            return settings.SetNumber(binding.setting, NumberOfText(text));
        case StorageRule::kFontSize:
            settings.SetWaterFontSize(
                FontSizeWithLowByte(settings.WaterFontSize, NumberOfText(text)));
            return true;
    }
    return false;
}

}  // namespace app

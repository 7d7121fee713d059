#pragma once

// The settings dialog's controls: the tab bar, the Close button and the five pages with their
// labels, edits, choice lists, check boxes and buttons, laid out and filled with the values of
// a settings record. Only the layout and the initial values live here; what a change does is
// the dialog's business (settings_dialog.h).
//
// Ownership: SettingsPages owns every object it creates and must outlive the tree it builds
// them into. GUI thread only.

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "engine/conversion_settings.h"
#include "trellis/ui_button.h"
#include "trellis/ui_combo_box.h"
#include "trellis/ui_edit.h"
#include "trellis/ui_image.h"
#include "trellis/ui_static.h"
#include "trellis/ui_tab.h"

namespace app {

// Object ids of the settings dialog.
enum SettingsControl : UINT {
    kSettingsClose = 2,
    kSettingsTab = 1116,
    kFirstSettingsPage = 2000,  // page i has id 2000 + i
    // General
    kOutputFolderEdit = 1151,
    kOutputFolderBrowse = 1152,
    kContextMenuCheck = 1153,
    kLanguageList = 1155,
    kBookmarkCheck = 1171,
    kShowAdCheck = 1172,
    // Document information
    kTitleEdit = 1121,
    kSubjectEdit = 1123,
    kAuthorEdit = 1125,
    kCreatorEdit = 1127,
    kKeywordsEdit = 1129,
    // Image processing
    kImageEncodeList = 1133,
    kDefaultEncodeList = 1134,
    kJpegQualityEdit = 1135,
    kImageMaxXEdit = 1136,
    kImageMaxYEdit = 1137,
    kDpiEdit = 1138,
    // Watermark
    kWaterTextEdit = 1140,
    kWaterFontSizeEdit = 1144,
    kWaterPosXEdit = 1146,
    kWaterPosYEdit = 1148,
    kWaterColorSwatch = 1149,
    kWaterImageEdit = 1183,
    kWaterOpacityEdit = 1185,
    kWaterImageXEdit = 1187,
    kWaterImageYEdit = 1189,
    kWaterImageBrowse = 1191,
    // Page layout
    kPageSizeList = 1161,
    kMarginTopEdit = 1163,
    kMarginLeftEdit = 1167,
    kRotatePageCheck = 1193,
};

class SettingsPages {
public:
    static constexpr int kPageCount = 5;
    // The dialog's client size the layout is made for.
    static constexpr int kDialogWidth = 605;
    static constexpr int kDialogHeight = 370;

    // Creates every object under root, page 0 shown, with the values of settings. Call before
    // root is bound to its window, so that filling in the values reports no change.
    void Build(CUIObject& root, engine::ConversionSettings& settings);

    // Shows page index (0-4) and marks its tab; hides the other pages.
    void ShowPage(int index);
    int CurrentPage() const { return tab_.GetHotIndex(); }

    CUITab& Tab() { return tab_; }
    CUIButton& CloseButton() { return close_; }
    CUIImage& Page(int index) { return pages_.at(index); }
    // The control with id; null when no control of that class has it.
    CUIEdit* Edit(UINT id) const;
    CUIButton* Button(UINT id) const;
    CUIComboBox* ChoiceList(UINT id) const;

private:
    void BuildFrame(CUIObject& root);
    void BuildGeneralPage(CUIObject& page, engine::ConversionSettings& settings);
    void BuildDocumentPage(CUIObject& page, const engine::ConversionSettings& settings);
    void BuildImagePage(CUIObject& page, const engine::ConversionSettings& settings);
    void BuildWatermarkPage(CUIObject& page, const engine::ConversionSettings& settings);
    void BuildLayoutPage(CUIObject& page, const engine::ConversionSettings& settings);
    void FillLanguages(CUIComboBox& list);

    void AddLabel(CUIObject& page, UINT id, const wchar_t* textId, const RECT& rect, UINT format);
    CUIEdit& AddEdit(CUIObject& page, UINT id, const std::wstring& text, const RECT& rect);
    CUIButton& AddButton(CUIObject& page, UINT id, const std::wstring& text, const RECT& rect);
    CUIButton& AddCheck(CUIObject& page, UINT id, const wchar_t* textId, int32_t check,
                        const RECT& rect);
    CUIComboBox& AddChoiceList(CUIObject& page, UINT id, const wchar_t* initialText,
                               const RECT& rect);

    CUITab tab_;
    CUIButton close_;
    std::array<CUIImage, kPageCount> pages_;
    std::vector<std::unique_ptr<CUIStatic>> labels_;
    std::map<UINT, std::unique_ptr<CUIEdit>> edits_;
    std::map<UINT, std::unique_ptr<CUIButton>> buttons_;
    std::map<UINT, std::unique_ptr<CUIComboBox>> choiceLists_;
};

}  // namespace app

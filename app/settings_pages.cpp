#include "settings_pages.h"

#include <string>

#include "basalt/basalt.h"
#include "program_dialog.h"
#include "settings_rules.h"
#include "texts.h"

namespace app {

namespace {

constexpr int kMargin = 10;
constexpr int kRowHeight = 22;
constexpr int kCheckHeight = 20;
constexpr int kRowStep = kRowHeight + 10;  // rows stand 10 px apart
constexpr int kTabTop = 30;
constexpr int kButtonWidth = 50;
constexpr int kPageTop = kTabTop + kRowHeight;
constexpr int kPageWidth = SettingsPages::kDialogWidth - 2 * kMargin;
// The page ends 10 px above the Close button, which sits 10 px inside the bottom edge.
constexpr int kPageBottomGap = kMargin + kRowHeight + kMargin;
constexpr UINT kLabelLeft = DT_VCENTER;              // format 4
constexpr UINT kLabelRight = DT_RIGHT | DT_VCENTER;  // format 6
constexpr COLORREF kPageColour = 0xFFFFFF;
constexpr UINT kPageOpacity = 200;

RECT At(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// The top of row index in a column of rows that starts 10 px into the page.
int RowTop(int index) {
    return kMargin + index * kRowStep;
}

// Keeps object's left edge where it is and puts its right edge gap px inside parent's.
void StretchToRight(CUIObject& object, CUIObject& parent, int gap) {
    RECT rect;
    object.GetRect(&rect);
    object.Anchor(ANCHOR_LEFT, &parent, ANCHOR_LEFT, rect.left);
    object.Anchor(ANCHOR_RIGHT, &parent, ANCHOR_RIGHT, -gap);
}

std::wstring NumberText(int32_t value) {
    return std::to_wstring(value);
}

}  // namespace

void SettingsPages::Build(CUIObject& root, engine::ConversionSettings& settings) {
    BuildFrame(root);
    BuildGeneralPage(pages_[0], settings);
    BuildDocumentPage(pages_[1], settings);
    BuildImagePage(pages_[2], settings);
    BuildWatermarkPage(pages_[3], settings);
    BuildLayoutPage(pages_[4], settings);
    ShowPage(0);
}

void SettingsPages::BuildFrame(CUIObject& root) {
    const int width = kDialogWidth;
    const int height = kDialogHeight;
    const RECT tab = {kMargin, kTabTop, width - kMargin, kPageTop};
    tab_.Create(nullptr, &tab, &root, kSettingsTab);
    for (const wchar_t* textId : {L"201001", L"201002", L"201003", L"201004", L"201005"}) {
        tab_.AddItem(Text(textId).c_str());
    }
    StretchToRight(tab_, root, kMargin);
    const RECT close =
        At(width - kMargin - kButtonWidth, height - kMargin - kRowHeight, kButtonWidth, kRowHeight);
    close_.Create(Text(L"100005").c_str(), &close, &root, kSettingsClose);
    DressTextButton(close_);
    close_.Anchor(ANCHOR_RIGHT, &root, ANCHOR_RIGHT, -kMargin);
    close_.Anchor(ANCHOR_BOTTOM, &root, ANCHOR_BOTTOM, -kMargin);
    for (int index = 0; index < kPageCount; ++index) {
        const RECT page = {kMargin, kPageTop, width - kMargin, height - kPageBottomGap};
        pages_[index].Create(nullptr, &page, &root, kFirstSettingsPage + index);
        pages_[index].SetBkColor(kPageColour, kPageOpacity);
        StretchToRight(pages_[index], root, kMargin);
        pages_[index].Anchor(ANCHOR_TOP, &root, ANCHOR_TOP, kPageTop);
        pages_[index].Anchor(ANCHOR_BOTTOM, &root, ANCHOR_BOTTOM, -kPageBottomGap);
    }
}

void SettingsPages::BuildGeneralPage(CUIObject& page, engine::ConversionSettings& settings) {
    constexpr int kLabelWidth = 120;
    constexpr int kFieldLeft = kMargin + kLabelWidth + 5;
    constexpr int kBrowseWidth = 100;
    AddLabel(page, 1150, L"201101", At(kMargin, RowTop(0), kLabelWidth, kRowHeight), kLabelLeft);
    CUIEdit& folder = AddEdit(page, kOutputFolderEdit, settings.GetOutputFolder(),
                              At(kFieldLeft, RowTop(0), 350, kRowHeight));
    StretchToRight(folder, page, kBrowseWidth);
    CUIButton& browse =
        AddButton(page, kOutputFolderBrowse, Text(L"100007"),
                  At(kPageWidth - kBrowseWidth + 5, RowTop(0), kBrowseWidth, kCheckHeight));
    browse.Anchor(ANCHOR_LEFT, &folder, ANCHOR_RIGHT, 5);
    browse.Anchor(ANCHOR_RIGHT, &page, ANCHOR_RIGHT, -kMargin);

    AddLabel(page, 1154, L"100008", At(kMargin, RowTop(1), kLabelWidth, kRowHeight), kLabelLeft);
    FillLanguages(
        AddChoiceList(page, kLanguageList, L"English", At(kFieldLeft, RowTop(1), 100, kRowHeight)));

    const struct {
        UINT id;
        const wchar_t* textId;
        int32_t check;
    } checks[] = {{kContextMenuCheck, L"201102", settings.CheckRightMenu},
                  {kBookmarkCheck, L"201104", settings.CreateBookmark},
                  {kShowAdCheck, L"100027", settings.ShowAD}};
    int top = RowTop(2);
    for (const auto& check : checks) {
        StretchToRight(AddCheck(page, check.id, check.textId, check.check,
                                At(kMargin, top, 100, kCheckHeight)),
                       page, kMargin);
        top += kCheckHeight + kMargin;
    }
}

void SettingsPages::FillLanguages(CUIComboBox& list) {
    int count = 0;
    BSTR* names = GetLanguageList(&count);
    for (int index = 0; names != nullptr && index < count && names[index] != nullptr; ++index) {
        list.AddString(names[index]);
    }
    ReleaseLanguageList(names);
    list.SetSelectItem(0);  // the current language comes first
}

void SettingsPages::BuildDocumentPage(CUIObject& page, const engine::ConversionSettings& settings) {
    constexpr int kLabelWidth = 100;
    const struct {
        UINT labelId;
        const wchar_t* textId;
        UINT editId;
        const std::wstring& value;
    } rows[] = {{1120, L"201201", kTitleEdit, settings.PDFTitle},
                {1122, L"201202", kSubjectEdit, settings.PDFSubject},
                {1124, L"201203", kAuthorEdit, settings.PDFAuthor},
                {1126, L"201204", kCreatorEdit, settings.PDFCreator},
                {1128, L"201205", kKeywordsEdit, settings.PDFKeywords}};
    int index = 0;
    for (const auto& row : rows) {
        const int top = RowTop(index++);
        AddLabel(page, row.labelId, row.textId, At(kMargin, top, kLabelWidth, kRowHeight),
                 kLabelRight);
        StretchToRight(AddEdit(page, row.editId, row.value,
                               At(kMargin + kLabelWidth + 5, top, 350, kRowHeight)),
                       page, kMargin);
    }
}

void SettingsPages::BuildImagePage(CUIObject& page, const engine::ConversionSettings& settings) {
    constexpr int kLabelWidth = 150;
    constexpr int kFieldLeft = kMargin + kLabelWidth + 10;
    const struct {
        UINT id;
        const wchar_t* textId;
    } labels[] = {{1130, L"201301"}, {1131, L"201302"}, {1132, L"201303"},
                  {0, L"201310"},    {0, L"201311"},    {0, L"201312"}};
    int index = 0;
    for (const auto& label : labels) {
        AddLabel(page, label.id, label.textId,
                 At(kMargin, RowTop(index++), kLabelWidth, kRowHeight), kLabelRight);
    }
    CUIComboBox& encode =
        AddChoiceList(page, kImageEncodeList, L"Jpeg", At(kFieldLeft, RowTop(0), 200, kRowHeight));
    for (const wchar_t* id : {L"201304", L"201305", L"201306", L"201307", L"201308", L"201309"}) {
        encode.AddString(Text(id).c_str());
    }
    encode.SetSelectItem(static_cast<UINT>(settings.ImageEncode));
    AddEdit(page, kJpegQualityEdit, NumberText(settings.JpepPercent),
            At(kFieldLeft, RowTop(1), 100, kRowHeight));
    CUIComboBox& fallback = AddChoiceList(page, kDefaultEncodeList, L"Jpeg",
                                          At(kFieldLeft, RowTop(2), 100, kRowHeight));
    for (const wchar_t* id : {L"201305", L"201306", L"201307", L"201308", L"201309"}) {
        fallback.AddString(Text(id).c_str());
    }
    fallback.SetSelectItem(static_cast<UINT>(settings.DefaultImageEncode - 1));
    AddEdit(page, kImageMaxXEdit, NumberText(settings.ImageMaxX),
            At(kFieldLeft, RowTop(3), 100, kRowHeight));
    AddEdit(page, kImageMaxYEdit, NumberText(settings.ImageMaxY),
            At(kFieldLeft, RowTop(4), 100, kRowHeight));
    AddEdit(page, kDpiEdit, NumberText(settings.DPI), At(kFieldLeft, RowTop(5), 100, kRowHeight));
}

void SettingsPages::BuildWatermarkPage(CUIObject& page,
                                       const engine::ConversionSettings& settings) {
    constexpr int kLabelWidth = 100;
    constexpr int kFieldLeft = kMargin + kLabelWidth + 10;
    constexpr int kWideField = 200;
    constexpr int kBesideWideField = kFieldLeft + kWideField + 10;
    const struct {
        UINT labelId;
        const wchar_t* textId;
        UINT editId;
        std::wstring value;
        int width;
    } rows[] = {
        {1136, L"201401", kWaterTextEdit, settings.WaterText, kWideField},
        {1137, L"201402", kWaterFontSizeEdit, FontSizeText(settings.WaterFontSize), 100},
        {1138, L"201403", kWaterPosXEdit, NumberText(settings.WaterPosX), 100},
        {1139, L"201404", kWaterPosYEdit, NumberText(settings.WaterPosY), 100},
        {1141, L"201406", kWaterImageEdit, settings.WaterImage, kWideField},
        {1143, L"201407", kWaterOpacityEdit, NumberText(settings.WaterImageOpacity), 100},
        {1145, L"201403", kWaterImageXEdit, NumberText(settings.WaterImageX), 100},
        {1147, L"201404", kWaterImageYEdit, NumberText(settings.WaterImageY), 100},
    };
    int index = 0;
    for (const auto& row : rows) {
        const int top = RowTop(index++);
        AddLabel(page, row.labelId, row.textId, At(kMargin, top, kLabelWidth, kRowHeight),
                 kLabelRight);
        AddEdit(page, row.editId, row.value, At(kFieldLeft, top, row.width, kRowHeight));
    }
    CUIButton& swatch = AddButton(page, kWaterColorSwatch, std::wstring(),
                                  At(kBesideWideField, RowTop(0), kRowHeight, kRowHeight));
    swatch.SetColor(static_cast<COLORREF>(settings.WaterColor));
    AddButton(page, kWaterImageBrowse, L"...",
              At(kBesideWideField, RowTop(4), kRowHeight, kRowHeight));
}

void SettingsPages::BuildLayoutPage(CUIObject& page, const engine::ConversionSettings& settings) {
    constexpr int kLabelWidth = 100;
    constexpr int kFieldLeft = kMargin + kLabelWidth + 10;
    AddLabel(page, 1160, L"201501", At(kMargin, RowTop(0), kLabelWidth, kRowHeight), kLabelRight);
    CUIComboBox& sizes =
        AddChoiceList(page, kPageSizeList, L"Size", At(kFieldLeft, RowTop(0), 200, kRowHeight));
    sizes.AddString(Text(L"201502").c_str());
    for (const wchar_t* name : {L"A1", L"A2", L"A3", L"A4", L"A5", L"A6", L"B5", L"letter",
                                L"legal", L"ledger", L"11x17"}) {
        sizes.AddString(name);
    }
    sizes.SetSelectItem(static_cast<UINT>(settings.PageSize));
    const int checkTop = RowTop(1);
    StretchToRight(AddCheck(page, kRotatePageCheck, L"201508", settings.RotatePage,
                            At(kFieldLeft, checkTop, 100, kCheckHeight)),
                   page, kMargin);
    const int topRow = checkTop + kCheckHeight + 20;
    const int leftRow = topRow + kRowStep;
    AddLabel(page, 1162, L"201503", At(kMargin, topRow, kLabelWidth, kRowHeight), kLabelRight);
    AddEdit(page, kMarginTopEdit, NumberText(settings.MearginTop),
            At(kFieldLeft, topRow, 100, kRowHeight));
    AddLabel(page, 1166, L"201505", At(kMargin, leftRow, kLabelWidth, kRowHeight), kLabelRight);
    AddEdit(page, kMarginLeftEdit, NumberText(settings.MearginLeft),
            At(kFieldLeft, leftRow, 100, kRowHeight));
}

void SettingsPages::AddLabel(CUIObject& page, UINT id, const wchar_t* textId, const RECT& rect,
                             UINT format) {
    auto label = std::make_unique<CUIStatic>();
    label->Create(Text(textId).c_str(), &rect, &page, id);
    label->SetFormat(format);
    labels_.push_back(std::move(label));
}

CUIEdit& SettingsPages::AddEdit(CUIObject& page, UINT id, const std::wstring& text,
                                const RECT& rect) {
    auto& edit = edits_[id] = std::make_unique<CUIEdit>();
    edit->Create(text.c_str(), &rect, &page, id);
    return *edit;
}

CUIButton& SettingsPages::AddButton(CUIObject& page, UINT id, const std::wstring& text,
                                    const RECT& rect) {
    auto& button = buttons_[id] = std::make_unique<CUIButton>();
    button->Create(text.c_str(), &rect, &page, id);
    DressTextButton(*button);
    return *button;
}

CUIButton& SettingsPages::AddCheck(CUIObject& page, UINT id, const wchar_t* textId, int32_t check,
                                   const RECT& rect) {
    CUIButton& box = AddButton(page, id, Text(textId), rect);
    box.SetBtStyle(UIBS_CHECK);
    box.SetCheck(check != 0 ? 1 : 0);
    return box;
}

CUIComboBox& SettingsPages::AddChoiceList(CUIObject& page, UINT id, const wchar_t* initialText,
                                          const RECT& rect) {
    auto& list = choiceLists_[id] = std::make_unique<CUIComboBox>();
    list->Create(initialText, &rect, &page, id);
    return *list;
}

void SettingsPages::ShowPage(int index) {
    tab_.SetHotIndex(static_cast<UINT>(index));
    for (int page = 0; page < kPageCount; ++page) {
        pages_[page].SetVisible(page == index ? 1 : 0);
    }
}

CUIEdit* SettingsPages::Edit(UINT id) const {
    const auto found = edits_.find(id);
    return found != edits_.end() ? found->second.get() : nullptr;
}

CUIButton* SettingsPages::Button(UINT id) const {
    const auto found = buttons_.find(id);
    return found != buttons_.end() ? found->second.get() : nullptr;
}

CUIComboBox* SettingsPages::ChoiceList(UINT id) const {
    const auto found = choiceLists_.find(id);
    return found != choiceLists_.end() ? found->second.get() : nullptr;
}

}  // namespace app

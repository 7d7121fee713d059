#include "engine/conversion_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/stored_fields.h"
#include "platform/text.h"
#include "temp_dir.h"

using engine::ConversionSettings;
using namespace platform;

namespace {

constexpr const wchar_t* kKey = L"Software\\Velkor\\Folioforge";

class ConversionSettingsTest : public ::testing::Test {
protected:
    // A value that the store holds behind the record's back: a setter that writes replaces it,
    // a setter that does not write leaves it.
    void PlantNumber(const wchar_t* name, uint32_t value) {
        RegWriteDWord(HKEY_CURRENT_USER, kKey, name, value);
    }
    void PlantText(const wchar_t* name, const wchar_t* text) {
        RegWriteString(HKEY_CURRENT_USER, kKey, name, text);
    }
    std::optional<uint32_t> StoredNumber(const wchar_t* name) {
        return RegReadDWord(HKEY_CURRENT_USER, kKey, name);
    }
    std::optional<std::wstring> StoredText(const wchar_t* name) {
        return RegReadString(HKEY_CURRENT_USER, kKey, name);
    }

    testsupport::ScopedSettingsHome home_;
    ConversionSettings settings_;
};

}  // namespace

TEST_F(ConversionSettingsTest, EmptyStoreYieldsTheDefaults) {
    settings_.LoadSettings();
    const ConversionSettings defaults;
    EXPECT_EQ(settings_.WaterFontSize, 20);
    EXPECT_EQ(settings_.WaterImageOpacity, 100);
    EXPECT_EQ(settings_.JpepPercent, 30);
    for (int32_t value : {settings_.ShowView, settings_.ImageInPage, settings_.CreateBookmark,
                          settings_.ShowAD, settings_.DefaultImageEncode}) {
        EXPECT_EQ(value, 1);
    }
    for (int32_t value : {settings_.CheckRightMenu,   settings_.WaterPosX,
                          settings_.WaterPosY,        settings_.WaterColor,
                          settings_.WaterImageX,      settings_.WaterImageY,
                          settings_.ImageEncode,      settings_.PageSize,
                          settings_.MearginLeft,      settings_.MearginTop,
                          settings_.MearginRight,     settings_.MearginBottom,
                          settings_.MakeMultiPDF,     settings_.ImageMaxX,
                          settings_.ImageMaxY,        settings_.DPI,
                          settings_.SaveToImageDir,   settings_.RotatePage,
                          settings_.DupPageMidMargin, settings_.DupPageOrder}) {
        EXPECT_EQ(value, 0);
    }
    for (const auto* text : {&settings_.PDFPath, &settings_.PDFTitle, &settings_.PDFSubject,
                             &settings_.PDFCreator, &settings_.PDFAuthor, &settings_.PDFKeywords,
                             &settings_.WaterText, &settings_.WaterImage, &settings_.ShareURL}) {
        EXPECT_TRUE(text->empty());
    }
    EXPECT_EQ(settings_.registryKey, kKey);
    EXPECT_EQ(settings_.registryRoot, HKEY_CURRENT_USER);
    EXPECT_FALSE(std::filesystem::exists(HiveFile(HKEY_CURRENT_USER)));  // loading writes nothing
}

TEST_F(ConversionSettingsTest, LoadsStoredValuesAndKeepsDefaultsForMissingOnes) {
    PlantNumber(L"JpepPercent", 85);
    PlantNumber(L"MearginLeft", 0xFFFFFFFF);
    PlantText(L"PDFAuthor", L"Zoë 张");
    PlantText(L"PageSize", L"wrong type");
    PlantText(L"WaterText", std::wstring(400, L'x').c_str());
    settings_.LoadSettings();
    EXPECT_EQ(settings_.JpepPercent, 85);
    EXPECT_EQ(settings_.MearginLeft, -1);
    EXPECT_EQ(settings_.PDFAuthor, L"Zoë 张");
    EXPECT_EQ(settings_.PageSize, 0);
    EXPECT_EQ(settings_.WaterText.size(), 259u);
    EXPECT_EQ(settings_.ShowAD, 1);
}

TEST_F(ConversionSettingsTest, NumberSettersIgnoreMinusOneAndUnchangedValues) {
    settings_.SetPageSize(static_cast<engine::PageFormat>(-1));  // a list without a selection
    EXPECT_EQ(settings_.PageSize, 0);
    EXPECT_FALSE(StoredNumber(L"PageSize"));

    settings_.SetPageSize(engine::PageFormat::kA3);
    EXPECT_EQ(StoredNumber(L"PageSize"), 3u);
    PlantNumber(L"PageSize", 9);
    settings_.SetPageSize(engine::PageFormat::kA3);  // equal to the field: not written again
    EXPECT_EQ(StoredNumber(L"PageSize"), 9u);

    settings_.SetImageMax(-1, 800);
    EXPECT_EQ(settings_.ImageMaxX, 0);
    EXPECT_EQ(settings_.ImageMaxY, 800);
    EXPECT_FALSE(StoredNumber(L"ImageMaxX"));
    EXPECT_EQ(StoredNumber(L"ImageMaxY"), 800u);

    EXPECT_EQ(settings_.SetRotatePage(1), 1);
    EXPECT_EQ(settings_.SetRotatePage(-1), 1);
    settings_.SetDPI(300);
    settings_.SetJpepPercent(55);
    EXPECT_EQ(StoredNumber(L"DPI"), 300u);
    EXPECT_EQ(StoredNumber(L"JpepPercent"), 55u);
}

TEST_F(ConversionSettingsTest, PathSettersTakeAChangeOfLetterCase) {
    settings_.SetText(L"WaterImage", L"/marks/wmark.png");
    settings_.SetText(L"WaterImage", L"/marks/WMARK.png");
    EXPECT_EQ(settings_.WaterImage, L"/marks/WMARK.png");
    EXPECT_EQ(StoredText(L"WaterImage"), L"/marks/WMARK.png");
    settings_.SetPDFPath(L"/out/pdf");
    settings_.SetPDFPath(L"/out/PDF");
    EXPECT_EQ(settings_.PDFPath, L"/out/PDF");
    EXPECT_EQ(StoredText(L"PDFPath"), L"/out/PDF");
}

TEST_F(ConversionSettingsTest, TextSettersIgnoreChangesOfLetterCaseOnly) {
    settings_.SetPDFTitle(L"Report");
    EXPECT_EQ(StoredText(L"PDFTitle"), L"Report");
    PlantText(L"PDFTitle", L"planted");
    settings_.SetPDFTitle(L"report");
    EXPECT_EQ(settings_.PDFTitle, L"Report");
    EXPECT_EQ(StoredText(L"PDFTitle"), L"planted");

    settings_.SetPDFAuthor(L"ÉMILE");
    settings_.SetPDFAuthor(L"émile");
    EXPECT_EQ(settings_.PDFAuthor, L"ÉMILE");
    settings_.SetPDFKeywords(L"");  // equal to the empty field: nothing written
    EXPECT_FALSE(StoredText(L"PDFKeywords"));
    settings_.SetPDFSubject(L"a");
    settings_.SetPDFCreator(L"b");
    settings_.SetPDFPath(L"/tmp/out");
    EXPECT_EQ(StoredText(L"PDFSubject"), L"a");
    EXPECT_EQ(StoredText(L"PDFCreator"), L"b");
    EXPECT_EQ(StoredText(L"PDFPath"), L"/tmp/out");
}

TEST_F(ConversionSettingsTest, WaterFontSizeFollowsItsLowByte) {
    PlantNumber(L"WaterFontSize", 0x114);
    settings_.LoadSettings();
    EXPECT_EQ(settings_.WaterFontPoints(), 20);

    settings_.SetWaterFontSize(20);  // same low byte: unchanged, not written
    EXPECT_EQ(StoredNumber(L"WaterFontSize"), 0x114u);
    settings_.SetWaterFontSize(0x1FF);  // low byte 255 marks "leave as is"
    EXPECT_EQ(settings_.WaterFontSize, 0x114);
    settings_.SetNumber(L"WaterFontSize", 0x230);  // the by-name route keeps the same rule
    EXPECT_EQ(settings_.WaterFontPoints(), 0x30);
    EXPECT_EQ(StoredNumber(L"WaterFontSize"), 0x230u);
}

TEST_F(ConversionSettingsTest, SettersByNameCoverStoredFieldsOnly) {
    EXPECT_TRUE(settings_.SetNumber(L"mearginleft", 12));
    EXPECT_EQ(settings_.MearginLeft, 12);
    EXPECT_EQ(StoredNumber(L"MearginLeft"), 12u);
    EXPECT_TRUE(settings_.SetText(L"WaterText", L"%FileName%"));
    EXPECT_FALSE(settings_.SetNumber(L"registryKey", 1));
    EXPECT_FALSE(settings_.SetText(L"PageSize", L"3"));
}

TEST_F(ConversionSettingsTest, OutputFolderDefaultsToDocumentsWithoutStoringIt) {
    testsupport::TempDir documents;
    setenv("XDG_DOCUMENTS_DIR", (documents.path() / "Docs").c_str(), 1);
    const std::wstring expected = FromUtf8((documents.path() / "Docs/Velkor/PDF").string());
    EXPECT_EQ(settings_.GetOutputFolder(), expected);
    EXPECT_EQ(settings_.PDFPath, expected);
    EXPECT_TRUE(std::filesystem::is_directory(documents.path() / "Docs"));
    EXPECT_FALSE(StoredText(L"PDFPath"));
    unsetenv("XDG_DOCUMENTS_DIR");

    // With no home folder known there is no default, rather than a folder below "/".
    const std::string home = getenv("HOME") ? getenv("HOME") : "";
    unsetenv("HOME");
    engine::ConversionSettings homeless;
    EXPECT_EQ(homeless.GetOutputFolder(), L"");
    setenv("HOME", home.c_str(), 1);
}

TEST_F(ConversionSettingsTest, ShowADTellsTheLiveRecordsObserverEvenWhenUnchanged) {
    std::vector<bool> told;
    settings_.SetBannerObserver([&](bool shown) { told.push_back(shown); });
    settings_.SetShowAD(0);
    settings_.SetShowAD(0);
    settings_.SetShowAD(1);
    EXPECT_EQ(StoredNumber(L"ShowAD"), 1u);
    EXPECT_EQ(told, (std::vector<bool>{false, false, true}));

    ConversionSettings snapshot = settings_;  // a job's copy takes no observer
    snapshot.SetShowAD(0);
    EXPECT_EQ(told.size(), 3u);
    settings_ = snapshot;  // nor does assigning a copy take the live record's away
    EXPECT_EQ(settings_.ShowAD, 0);
    settings_.SetShowAD(0);
    EXPECT_EQ(told.back(), false);
    EXPECT_EQ(told.size(), 4u);
}

TEST_F(ConversionSettingsTest, StoredFieldTableNamesEveryStoredMemberOnce) {
    EXPECT_EQ(engine::FindStoredField(&ConversionSettings::MearginLeft)->name, L"MearginLeft");
    EXPECT_EQ(engine::FindStoredField(&ConversionSettings::WaterText)->kind,
              engine::FieldKind::kText);
    EXPECT_EQ(engine::FindStoredField(&ConversionSettings::registryKey), nullptr);
    EXPECT_EQ(engine::FindStoredField(L"dpi", engine::FieldKind::kNumber)->number,
              &ConversionSettings::DPI);
    EXPECT_EQ(engine::FindStoredField(L"DPI", engine::FieldKind::kText), nullptr);
    for (const engine::StoredField& field : engine::kStoredFields) {
        const std::string name = platform::ToUtf8(field.name);
        EXPECT_EQ(engine::FindStoredField(field.name, field.kind), &field) << name;
        EXPECT_NE(field.number == nullptr, field.text == nullptr) << name;
    }
}

TEST_F(ConversionSettingsTest, EnumsNameTheStoredNumbers) {
    EXPECT_TRUE(settings_.SetPageSize(engine::PageFormat::kLetter));
    EXPECT_EQ(StoredNumber(L"PageSize"), 8u);
    EXPECT_EQ(engine::PaperName(settings_.GetPageFormat()), "letter");
    EXPECT_EQ(engine::PaperName(engine::PageFormat::kFollowImage), "");
    EXPECT_EQ(engine::PaperName(static_cast<engine::PageFormat>(12)), "");
    EXPECT_TRUE(settings_.SetMakeMultiPDF(engine::DocumentMode::kPerFolder));
    EXPECT_EQ(StoredNumber(L"MakeMultiPDF"), 2u);
    EXPECT_EQ(settings_.GetDocumentMode(), engine::DocumentMode::kPerFolder);
}

// The engine's naming rules: watermark fields, bookmark titles and output names.

#include <gtest/gtest.h>
#include <utime.h>

#include <ctime>

#include "engine/output_target.h"
#include "output_naming.h"
#include "path_names.h"
#include "platform/text.h"
#include "temp_dir.h"
#include "watermarks.h"

using platform::FromUtf8;

namespace {

class EngineStepsTest : public ::testing::Test {
protected:
    std::wstring Touch(const std::string& relative) {
        const auto file = dir_ / relative;
        std::filesystem::create_directories(file.parent_path());
        testsupport::WriteFile(file, "x");
        return FromUtf8(file.string());
    }
    std::wstring Path(const std::string& relative) { return FromUtf8((dir_ / relative).string()); }

    testsupport::TempDir dir_;
};

}  // namespace

TEST_F(EngineStepsTest, WatermarkFieldsAreFilledOnlyWhenKnown) {
    using engine::ExpandWatermarkText;
    EXPECT_EQ(ExpandWatermarkText(L"%FileName% - %Number%", L"/pics/holiday.jpg", 3),
              L"holiday - 3");
    EXPECT_EQ(ExpandWatermarkText(L"%FileName%%FileName%", L"/pics/scan", 1), L"scanscan");
    EXPECT_EQ(ExpandWatermarkText(L"%filename% %FileName%", L"noslash.jpg", 1),
              L"%filename% %FileName%");
    EXPECT_EQ(ExpandWatermarkText(L"%Number%%Number%", L"/a.jpg", 12), L"1212");
    EXPECT_EQ(ExpandWatermarkText(L"on %MDate%", L"/no/such/file.jpg", 1), L"on %MDate%");
    // Values put in are never scanned for fields.
    EXPECT_EQ(ExpandWatermarkText(L"%FileName% %Number%", L"/pics/a%Number%b.jpg", 7),
              L"a%Number%b 7");
    EXPECT_EQ(ExpandWatermarkText(L"%FileName%", L"/pics/%MDate%.jpg", 7), L"%MDate%");

    const std::wstring file = Touch("dated.jpg");
    std::tm local{};
    local.tm_year = 2019 - 1900, local.tm_mon = 3, local.tm_mday = 8, local.tm_hour = 12;
    local.tm_isdst = -1;
    const utimbuf times{std::mktime(&local), std::mktime(&local)};
    ASSERT_EQ(utime(platform::ToUtf8(file).c_str(), &times), 0);
    EXPECT_EQ(ExpandWatermarkText(L"%MDate%", file, 1), L"2019/04/08");
}

TEST_F(EngineStepsTest, BookmarkTitlesDropTheExtension) {
    EXPECT_EQ(engine::BookmarkTitle(L"/pics/holiday.v2.jpg"), L"holiday.v2");
    EXPECT_EQ(engine::BookmarkTitle(L"/pics/scan"), L"scan");
    EXPECT_EQ(engine::BookmarkTitle(L"loose.jpg"), L"loose.jpg");
    // Bytes of a name that are not UTF-8 are shown as U+FFFD, never as reserved code points.
    const std::wstring latin1 = platform::PathFromNative("/pics/caf\xE9.jpg");
    EXPECT_EQ(engine::BookmarkTitle(latin1), L"caf\xFFFD");
    EXPECT_EQ(engine::ExpandWatermarkText(L"%FileName%", latin1, 1), L"caf\xFFFD");
}

TEST_F(EngineStepsTest, OutputNamesCountUpPastExistingFiles) {
    engine::ConversionSettings settings;
    settings.MakeMultiPDF = 1;
    const std::wstring folder = FromUtf8(dir_.path().string());
    EXPECT_EQ(engine::OutputNameFor(settings, L"/x/a.jpg", L"a.jpg", folder), Path("a.jpg.pdf"));
    Touch("a.jpg.pdf"), Touch("a.jpg(1).pdf");
    EXPECT_EQ(engine::OutputNameFor(settings, L"/x/a.jpg", L"a.jpg", folder), Path("a.jpg(2).pdf"));

    settings.SaveToImageDir = 1;
    EXPECT_EQ(engine::OutputNameFor(settings, L"/x/a.jpg", L"a.jpg", L"/out"), L"/x/a.jpg.pdf");
    settings.MakeMultiPDF = 2;
    EXPECT_EQ(engine::OutputNameFor(settings, L"/x/Trip", L"trip", L"/out"), L"/x/Trip/trip.pdf");
    settings.MakeMultiPDF = 5;
    EXPECT_EQ(engine::OutputNameFor(settings, L"/x/Trip", L"trip", L"/out"), L"");
}

TEST_F(EngineStepsTest, DefaultTargetIsNamedAfterTheFirstImagesFolder) {
    using engine::DefaultOutputTarget;
    constexpr auto kSingle = engine::DocumentMode::kSingle;
    constexpr auto kPerImage = engine::DocumentMode::kPerImage;
    constexpr auto kPerFolder = engine::DocumentMode::kPerFolder;
    const std::wstring base = Path("out/PDF");
    EXPECT_EQ(DefaultOutputTarget(base, L"/photos/trip/1.jpg", kSingle, false),
              base + L"/trip.pdf");
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "out/PDF"));
    Touch("out/PDF/trip.pdf");
    EXPECT_EQ(DefaultOutputTarget(base, L"/photos/trip/1.jpg", kSingle, true),
              base + L"/trip(1).pdf");
    EXPECT_EQ(DefaultOutputTarget(base, L"/1.jpg", kSingle, false), base + L"/velkor.pdf");

    EXPECT_EQ(DefaultOutputTarget(base, L"/photos/trip/1.jpg", kPerImage, false), base + L"/trip");
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "out/PDF/trip"));
    EXPECT_EQ(DefaultOutputTarget(base, L"/photos/trip/1.jpg", kPerFolder, false),
              base + L"/trip(1)");
    EXPECT_EQ(DefaultOutputTarget(base, L"/photos/trip/1.jpg", kPerFolder, true), base);

    // The first choice for a run that claims its name, and no target without a base folder.
    EXPECT_EQ(engine::DefaultOutputFile(base, L"/photos/trip/1.jpg"), base + L"/trip.pdf");
    EXPECT_EQ(engine::DefaultOutputFile(L"", L"/photos/trip/1.jpg"), L"");
    EXPECT_EQ(DefaultOutputTarget(L"", L"/photos/trip/1.jpg", kPerImage, false), L"");
}

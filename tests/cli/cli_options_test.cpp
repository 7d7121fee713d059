#include "cli_options.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

cli::ParseResult Parse(std::initializer_list<const char*> args) {
    std::vector<char*> argv{const_cast<char*>("folioforge-cli")};
    for (const char* arg : args) {
        argv.push_back(const_cast<char*>(arg));
    }
    return cli::ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

using Settings = engine::ConversionSettings;

// The number the edits give a field, or nullopt when none sets it.
std::optional<int32_t> NumberFor(const cli::CliOptions& options, int32_t Settings::*member) {
    std::optional<int32_t> value;
    for (const auto& edit : options.edits) {
        if (edit.field->number == member) {
            value = edit.number;
        }
    }
    return value;
}

}  // namespace

TEST(CliOptionsTest, TranslatesOptionsIntoSettings) {
    const auto parsed = Parse({"-m",         "per-folder", "--page-size=letter", "--landscape",
                               "--margins",  "10,20",      "--encode",           "gray",
                               "--fallback", "png",        "--quality",          "55",
                               "--max-size", "0x800",      "--text-color",       "FF8000",
                               "--opacity",  "40",         "--no-bookmarks",     "photos"});
    ASSERT_EQ(parsed.error, "");
    const auto& o = parsed.options;
    EXPECT_EQ(NumberFor(o, &Settings::MakeMultiPDF), 2);
    EXPECT_EQ(NumberFor(o, &Settings::PageSize), 8);
    EXPECT_EQ(NumberFor(o, &Settings::RotatePage), 1);
    EXPECT_EQ(NumberFor(o, &Settings::MearginLeft), 10);
    EXPECT_EQ(NumberFor(o, &Settings::MearginTop), 20);
    EXPECT_EQ(NumberFor(o, &Settings::ImageEncode), 2);
    EXPECT_EQ(NumberFor(o, &Settings::DefaultImageEncode), 3);
    EXPECT_EQ(NumberFor(o, &Settings::JpepPercent), 55);
    EXPECT_EQ(NumberFor(o, &Settings::ImageMaxX), 0);
    EXPECT_EQ(NumberFor(o, &Settings::ImageMaxY), 800);
    EXPECT_EQ(NumberFor(o, &Settings::WaterColor), 0x0080FF);  // stored as 0x00BBGGRR
    EXPECT_EQ(NumberFor(o, &Settings::WaterImageOpacity), 40);
    EXPECT_EQ(NumberFor(o, &Settings::CreateBookmark), 0);
    ASSERT_EQ(o.paths.size(), 1u);
    EXPECT_EQ(o.paths[0].front(), L'/');  // made absolute
}

TEST(CliOptionsTest, JobsDefaultToTheEnginesChoice) {
    EXPECT_EQ(Parse({"a.jpg"}).options.jobs, 0u);
    EXPECT_EQ(Parse({"--jobs", "3", "a.jpg"}).options.jobs, 3u);
    EXPECT_EQ(Parse({"--jobs=1", "a.jpg"}).options.jobs, 1u);
}

TEST(CliOptionsTest, TextsAndPathsKeepTheirCharacters) {
    const auto parsed = Parse({"--title", "Отчёт «1»", "--watermark", "mark.png", "--", "-a.jpg"});
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.options.edits.size(), 2u);
    EXPECT_EQ(parsed.options.edits[0].field->name, L"PDFTitle");
    EXPECT_EQ(parsed.options.edits[0].text, L"Отчёт «1»");
    EXPECT_TRUE(parsed.options.edits[1].text.ends_with(L"/mark.png"));
    EXPECT_TRUE(parsed.options.paths[0].ends_with(L"/-a.jpg"));
}

TEST(CliOptionsTest, RejectsWhatItCannotUse) {
    EXPECT_NE(Parse({"--quality", "101", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--quality", "12abc", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--margins", "10", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--page-size", "a0", "a.jpg"}).error, "");  // a paper without a PageFormat
    EXPECT_NE(Parse({"--page-size", "A4", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--text-color", "red", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--bogus", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--landscape=1", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"a.jpg", "--title"}).error, "");
    EXPECT_NE(Parse({}).error, "");
    EXPECT_NE(Parse({"--jobs", "0", "a.jpg"}).error, "");
    EXPECT_NE(Parse({"--jobs", "two", "a.jpg"}).error, "");
    EXPECT_EQ(Parse({"--help"}).error, "");
}

#include "option_list.h"

#include <gtest/gtest.h>

#include "failure.h"
#include "pdfwriter/paper_sizes.h"
#include "pdfwriter/pdf_writer.h"

using pdf::OptionList;

namespace {

int FailureOf(std::wstring_view text) {
    try {
        OptionList(text, {"boxsize", "fitmethod", "adjustpage"});
    } catch (const pdf::Failure& failure) {
        return failure.number();
    }
    return 0;
}

}  // namespace

TEST(OptionListTest, ReadsWordsBracedListsAndFlags) {
    const OptionList options(L"  boxsize={200 100}\tfitmethod=entire AdjustPage ",
                             {"boxsize", "fitmethod", "adjustpage"});
    EXPECT_EQ(options.Words("boxsize"), (std::vector<std::wstring>{L"200", L"100"}));
    EXPECT_EQ(options.Text("fitmethod"), L"entire");
    EXPECT_TRUE(options.Flag("adjustpage"));
    EXPECT_FALSE(OptionList(L"adjustpage=false", {"adjustpage"}).Flag("adjustpage"));
    EXPECT_FALSE(OptionList(L"", {"adjustpage"}).Has("adjustpage"));
}

TEST(OptionListTest, RejectsWhatItCannotReadWithoutGuessing) {
    for (const wchar_t* text : {L"boxsize={200 100", L"=entire", L"fitmethod=", L"box=1",
                                L"fitmethod=a fitmethod=b", L"fitmethod=entire}x"}) {
        EXPECT_EQ(FailureOf(text), pdf::kErrorOption) << pdf::AsciiLower(text).value_or("?");
    }
    EXPECT_EQ(FailureOf(L"fitmethod={a {b c}}"), 0);
}

TEST(OptionListTest, NumbersAndPaperDimensions) {
    EXPECT_EQ(pdf::ParseNumber(L"12"), 12);
    EXPECT_EQ(pdf::ParseNumber(L"-3.5"), -3.5);
    EXPECT_EQ(pdf::ParseNumber(L".25"), 0.25);
    EXPECT_EQ(pdf::ParseNumber(L"+2"), 2);
    for (const wchar_t* text : {L"", L"1e5", L"abc", L"1,5", L"inf", L"nan", L"1 2"}) {
        EXPECT_FALSE(pdf::ParseNumber(text).has_value());
    }
    EXPECT_EQ(pdf::ResolvePageDimension(L"A4.WIDTH"), 595);
    EXPECT_EQ(pdf::ResolvePageDimension(L"b5.height"), 709);
    EXPECT_EQ(pdf::ResolvePageDimension(L"11x17.width"), 792);
    EXPECT_EQ(pdf::ResolvePageDimension(L"300"), 300);
    EXPECT_FALSE(pdf::ResolvePageDimension(L"a4.depth").has_value());
    EXPECT_FALSE(pdf::ResolvePageDimension(L"a7.width").has_value());
    EXPECT_FALSE(pdf::ResolvePageDimension(L"a4").has_value());
    ASSERT_NE(pdf::FindPaperSize("Ledger"), nullptr);
    EXPECT_EQ(pdf::FindPaperSize("Ledger")->width, 1224);
    EXPECT_EQ(pdf::FindPaperSize("a4x"), nullptr);
}

#include <gtest/gtest.h>

#include "writer_test_support.h"

using namespace pdftest;
using namespace testsupport;

namespace {

struct Paper {
    const wchar_t* name;
    double width;
    double height;
};

constexpr Paper kPapers[] = {
    {L"a0", 2380, 3368},   {L"a1", 1684, 2380},   {L"a2", 1190, 1684},    {L"a3", 842, 1190},
    {L"a4", 595, 842},     {L"a5", 421, 595},     {L"a6", 297, 421},      {L"b5", 501, 709},
    {L"letter", 612, 792}, {L"legal", 612, 1008}, {L"ledger", 1224, 792}, {L"11x17", 792, 1224},
};

using PageSizeTest = WriterTest;

}  // namespace

TEST_F(PageSizeTest, PaperNamesGiveTheirSizesUprightAndTurned) {
    Begin("papers.pdf");
    for (const Paper& paper : kPapers) {
        const std::wstring name = paper.name;
        // The arguments are overridden by the option list.
        writer_.begin_page_ext(1, 1, L"height=" + name + L".height width=" + name + L".width");
        EXPECT_EQ(writer_.get_value(L"pagewidth", 0), paper.width);
        writer_.end_page_ext(L"");
        writer_.begin_page_ext(1, 1, L"height=" + name + L".width width=" + name + L".height");
        writer_.end_page_ext(L"");
    }
    writer_.begin_page_ext(0, 0, L"width=300.5 height={400}");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");

    ASSERT_EQ(QpdfCheck(Path("papers.pdf")), 0);
    const std::vector<PageSize> sizes = PageSizes(Path("papers.pdf"));
    ASSERT_EQ(sizes.size(), std::size(kPapers) * 2 + 1);
    for (size_t i = 0; i < std::size(kPapers); ++i) {
        EXPECT_EQ(sizes[2 * i].width, kPapers[i].width) << i;
        EXPECT_EQ(sizes[2 * i].height, kPapers[i].height) << i;
        EXPECT_EQ(sizes[2 * i + 1].width, kPapers[i].height) << i;
        EXPECT_EQ(sizes[2 * i + 1].height, kPapers[i].width) << i;
    }
    EXPECT_DOUBLE_EQ(sizes.back().width, 300.5);
    EXPECT_DOUBLE_EQ(sizes.back().height, 400);
}

TEST_F(PageSizeTest, PagesWithoutSizeCannotBeFinished) {
    Begin("unsized.pdf");
    writer_.begin_page_ext(0, 0, L"");
    EXPECT_EQ(ErrorOf([&] { writer_.end_page_ext(L""); }).number(), pdf::kErrorParameter);
    // The unsized page is gone; the next one is the document's first.
    writer_.begin_page_ext(72, 72, L"");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    EXPECT_EQ(QpdfCheck(Path("unsized.pdf")), 0);
    EXPECT_EQ(PageSizes(Path("unsized.pdf")).size(), 1u);
}

TEST_F(PageSizeTest, HugePagesUseLargerUserUnits) {
    Begin("huge.pdf");
    writer_.begin_page_ext(30000, 20000, L"");
    writer_.end_page_ext(L"");
    writer_.end_document(L"");
    ASSERT_EQ(QpdfCheck(Path("huge.pdf")), 0);
    const ToolResult page = RunTool("qpdf --show-object=2 " + Quoted(Path("huge.pdf")));
    EXPECT_NE(page.output.find("/MediaBox [ 0 0 10000 6666.6667 ]"), std::string::npos)
        << page.output;
    EXPECT_NE(page.output.find("/UserUnit 3"), std::string::npos) << page.output;
}

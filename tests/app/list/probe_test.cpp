// The size probe: what it reads from each format, what the list shows, and that every result
// lands on its own row however the rows were removed, sorted or moved while files were read.

#include <QTest>
#include <QThread>
#include <fstream>

#include "imaging/image.h"
#include "list_fixture.h"
#include "platform/text.h"
#include "sample_images.h"
#include "size_probe.h"
#include "test_images.h"

namespace {

namespace fs = std::filesystem;

class ProbeTest : public ListTest {
protected:
    // Rows "<n>.bmp" of width n, for n = 1..count.
    void AddBmpRows(int count) {
        fs::create_directories(dir_ / "bmp");
        for (int n = 1; n <= count; ++n) {
            const fs::path file = dir_ / "bmp" / (std::to_string(n) + ".bmp");
            WriteBmp(file, n);
            list_->AddFile(Wide(file));
        }
    }

    // Every row shows the size of its own file.
    void ExpectEachRowHasItsOwnSize() const {
        for (int row = 0; row < list_->GetItemCount(); ++row) {
            const std::wstring name = list_->GetItemText(row, kColumnName);
            const std::wstring width = name.substr(0, name.find(L'.'));
            ASSERT_EQ(list_->GetItemText(row, kColumnSize), width + L"*1") << "row " << row;
            ASSERT_EQ(list_->GetItemText(row, kColumnDpi), L"300") << "row " << row;
        }
    }
};

TEST_F(ProbeTest, TheHeaderGivesWhatAFullDecodeGivesForEveryFormat) {
    const std::vector<std::pair<std::string, std::string>> samples = {
        {"a.jpg", "-size 41x23 xc:red -density 300 -units PixelsPerInch"},
        {"b.png", "-size 17x9 xc:blue -density 96 -units PixelsPerInch"},
        {"c.gif", "-size 13x31 xc:green"},
        {"d.bmp", "-size 7x5 xc:white -density 150 -units PixelsPerInch"},
        {"e.tif", "-size 33x12 xc:gray -density 200 -units PixelsPerInch"},
        {"f.tif", "-size 9x4 xc:gray -density 72x144 -units PixelsPerInch -compress lzw"},
        {"g.png", "-size 5x6 xc:none"},
        {"h.jpg", "-size 2000x1500 plasma: -quality 95 -density 240 -units PixelsPerInch"},
    };
    for (const auto& [name, arguments] : samples) {
        ASSERT_TRUE(testsupport::MakeImage(dir_ / name, arguments)) << name;
        const std::wstring path = Wide(dir_ / name);
        imaging::Image decoded;
        ASSERT_TRUE(decoded.Load(path)) << name;
        const ProbeResult probed = ProbeImageFile(7, path);
        EXPECT_EQ(probed.serial, 7u);
        EXPECT_TRUE(probed.readable) << name;
        EXPECT_EQ(probed.xdpi, decoded.GetXDPI()) << name;
        EXPECT_EQ(probed.width, decoded.GetWidth()) << name;
        EXPECT_EQ(probed.height, decoded.GetHeight()) << name;
    }
    EXPECT_FALSE(ProbeImageFile(1, Wide(dir_.path())).readable) << "a folder is not read";
    EXPECT_FALSE(ProbeImageFile(1, Wide(dir_ / "missing.png")).readable);
}

TEST_F(ProbeTest, ProbedRowsShowResolutionAndSizeAndUnreadableOnesADash) {
    AddBmpRows(3);
    testsupport::WriteFile(dir_ / "broken.jpg", "not a picture at all");
    list_->AddFile(Wide(dir_ / "broken.jpg"));
    list_->AddFile(L"/no/such/file.png");
    ASSERT_TRUE(list_->HasUnprobedRow());

    list_->StartSizeProbe();
    EXPECT_FALSE(list_->HasUnprobedRow()) << "every row is claimed at once";
    EXPECT_EQ(list_->GetItemText(0, kColumnDpi), L"-");
    ASSERT_TRUE(WaitForProbe());
    EXPECT_EQ(list_->GetItemText(0, kColumnDpi), L"300");
    EXPECT_EQ(list_->GetItemText(2, kColumnSize), L"3*1");
    for (int row : {3, 4}) {
        EXPECT_EQ(list_->GetItemText(row, kColumnDpi), L"-");
        EXPECT_EQ(list_->GetItemText(row, kColumnSize), L"");
    }

    list_->AddFile(Wide(dir_ / "bmp" / "2.bmp"));
    EXPECT_TRUE(list_->HasUnprobedRow()) << "only the new row waits";
    list_->StartSizeProbe();
    ASSERT_TRUE(WaitForProbe());
    EXPECT_EQ(list_->GetItemText(5, kColumnSize), L"2*1");
}

TEST_F(ProbeTest, ResultsLandOnTheirRowsAfterRowsWereRemovedSortedAndMoved) {
    AddBmpRows(400);
    list_->StartSizeProbe();
    // The results wait for the event loop; meanwhile the rows change under them.
    std::vector<int> everyThird;
    for (int row = 0; row < list_->GetItemCount(); row += 3) {
        everyThird.push_back(row);
    }
    Select(everyThird);
    list_->RemoveSelected();
    list_->SortByHeader(kColumnName, -kColumnName);
    list_->AddFile(Wide(dir_ / "bmp" / "3.bmp"));
    QThread::msleep(300);
    list_->SortByHeader(kColumnPosition, 0);
    ASSERT_TRUE(WaitForProbe());
    list_->StartSizeProbe();  // the row added later
    ASSERT_TRUE(WaitForProbe());
    EXPECT_EQ(list_->GetItemCount(), 267);
    ExpectEachRowHasItsOwnSize();
}

TEST_F(ProbeTest, DestroyingTheListWhileProbesRunIsSafe) {
    AddBmpRows(1500);
    list_->StartSizeProbe();
    parent_.list = nullptr;
    list_.reset();
    QTest::qWait(200);
    list_ = std::make_unique<CDropListCtrl>(parent_.GetSafeHwnd());
    list_->AddFile(Wide(dir_ / "bmp" / "5.bmp"));
    list_->StartSizeProbe();
    ASSERT_TRUE(WaitForProbe());
    EXPECT_EQ(list_->GetItemText(0, kColumnSize), L"5*1");
}

}  // namespace

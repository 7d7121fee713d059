// The rows of the image list: which files become rows, removal and renumbering, the order a
// header click gives, and the columns a new list shows.

#include <QHeaderView>
#include <QTest>

#include "image_list_view.h"
#include "list_fixture.h"

namespace {

using RowRulesTest = ListTest;

TEST_F(RowRulesTest, AddFileAcceptsImageExtensionsInAnyCaseAndAllowsDuplicates) {
    const std::wstring photo = Touch("trip/photo.JPG");
    EXPECT_EQ(list_->AddFile(photo), 0);
    EXPECT_EQ(list_->AddFile(photo), 1) << "the same file may be listed twice";
    EXPECT_EQ(list_->AddFile(Touch("trip/photo.jpeg.txt")), -1);
    EXPECT_EQ(list_->AddFile(Touch("trip/noextension")), -1);
    EXPECT_EQ(list_->AddFile(L"/nowhere/missing.png"), 2) << "the file is not looked at";
    ASSERT_EQ(list_->GetItemCount(), 3);

    EXPECT_EQ(list_->GetItemText(1, kColumnPosition), L"2");
    EXPECT_EQ(list_->GetItemText(1, kColumnName), L"photo.JPG");
    EXPECT_EQ(list_->GetItemText(1, kColumnFolder), Wide(dir_ / "trip") + L"/");
    EXPECT_EQ(list_->GetFullPath(1), photo);
    EXPECT_EQ(list_->GetItemText(1, kColumnDpi), L"");
    EXPECT_EQ(list_->GetItemText(1, kColumnSize), L"");
    EXPECT_EQ(list_->GetItemText(7, 0), L"") << "out of range";
    EXPECT_EQ(list_->GetItemText(0, 9), L"");
}

TEST_F(RowRulesTest, TheFirstRowOfAnEmptyListIsSelectedAndFocused) {
    list_->AddFile(Touch("a.png"));
    list_->AddFile(Touch("b.png"));
    EXPECT_EQ(list_->GetSelectedRows(), std::vector<int>{0});
    const auto changes = parent_.Of(LVN_ITEMCHANGED);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back().item, 0);
    EXPECT_EQ(changes.back().newState, LVIS_SELECTED | LVIS_FOCUSED);

    list_->RemoveAll();
    list_->AddFile(Touch("c.png"));
    EXPECT_EQ(list_->GetSelectedRows(), std::vector<int>{0}) << "empty again: selected again";
}

TEST_F(RowRulesTest, APathWithoutSeparatorGivesARowWithoutNameOrFolder) {
    EXPECT_EQ(list_->AddFile(L"loose.png"), 0);
    EXPECT_EQ(list_->GetItemText(0, kColumnName), L"");
    EXPECT_EQ(list_->GetFullPath(0), L"");
}

TEST_F(RowRulesTest, RemovingSelectedRowsRenumbersTheRest) {
    AddNumbered(5);
    Select({1, 3});
    EXPECT_EQ(list_->GetSelectedRows(), (std::vector<int>{1, 3}));
    list_->RemoveSelected();
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{1, 3, 5}));
    EXPECT_EQ(Column(kColumnPosition), (std::vector<std::wstring>{L"1", L"2", L"3"}));

    Select({0, 2});
    list_->RemoveSelected();
    EXPECT_EQ(NamesInOrder(), std::vector<int>{3});
    EXPECT_EQ(list_->GetItemText(0, kColumnPosition), L"1") << "a single remaining row";

    list_->RemoveAll();
    EXPECT_EQ(list_->GetItemCount(), 0);
}

TEST_F(RowRulesTest, ThePositionHeaderReversesTheListOnEveryClick) {
    AddNumbered(4);
    int state = list_->SortByHeader(kColumnPosition, 0);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{4, 3, 2, 1}));
    EXPECT_EQ(Column(kColumnPosition), (std::vector<std::wstring>{L"1", L"2", L"3", L"4"}));
    state = list_->SortByHeader(kColumnName, state);
    state = list_->SortByHeader(kColumnPosition, state);
    EXPECT_EQ(state, kColumnPosition);
    state = list_->SortByHeader(kColumnPosition, state);
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{1, 2, 3, 4})) << "reversed twice";
}

TEST_F(RowRulesTest, TheNameHeaderSortsNaturallyAscendingThenDescending) {
    for (const char* name : {"img10.jpg", "IMG2.jpg", "img1.jpg", "img2b.jpg"}) {
        list_->AddFile(Touch(name));
    }
    int state = list_->SortByHeader(kColumnName, 0);
    EXPECT_EQ(state, kColumnName);
    EXPECT_EQ(Column(kColumnName),
              (std::vector<std::wstring>{L"img1.jpg", L"IMG2.jpg", L"img2b.jpg", L"img10.jpg"}));
    state = list_->SortByHeader(kColumnName, state);
    EXPECT_EQ(state, -kColumnName);
    EXPECT_EQ(Column(kColumnName),
              (std::vector<std::wstring>{L"img10.jpg", L"img2b.jpg", L"IMG2.jpg", L"img1.jpg"}));
    EXPECT_EQ(list_->SortByHeader(kColumnName, state), kColumnName);
    EXPECT_EQ(list_->GetItemText(0, kColumnPosition), L"1");
}

TEST_F(RowRulesTest, TheFolderHeaderSortsByFullPath) {
    list_->AddFile(Touch("b/a.jpg"));
    list_->AddFile(Touch("a/z.jpg"));
    list_->AddFile(Touch("a/b.jpg"));
    list_->SortByHeader(kColumnFolder, 0);
    EXPECT_EQ(list_->GetFullPath(0), Wide(dir_ / "a" / "b.jpg"));
    EXPECT_EQ(list_->GetFullPath(1), Wide(dir_ / "a" / "z.jpg"));
    EXPECT_EQ(list_->GetFullPath(2), Wide(dir_ / "b" / "a.jpg"));
}

TEST_F(RowRulesTest, SelectionFollowsRowsThatASortMoves) {
    AddNumbered(3);
    list_->SelectRow(0);
    list_->SortByHeader(kColumnPosition, 0);
    EXPECT_EQ(list_->GetSelectedRows(), std::vector<int>{2});
}

TEST_F(RowRulesTest, AHeaderClickIsReportedAndLeavesTheOrderToTheParent) {
    AddNumbered(3);
    QHeaderView* header = list_->View()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(kColumnFolder) + 5, 5));
    const auto clicks = parent_.Of(LVN_COLUMNCLICK);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].column, kColumnFolder);
    EXPECT_EQ(NamesInOrder(), (std::vector<int>{1, 2, 3}));
}

TEST_F(RowRulesTest, TheListHasFiveLeftAlignedColumnsWithTextsAndWidths) {
    EXPECT_EQ(GetDlgItem(parent_.GetSafeHwnd(), IDC_IMAGE_LIST), list_->GetSafeHwnd());
    QHeaderView* header = list_->View()->header();
    const int widths[] = {60, 150, 240, 60, 120};
    const char* texts[] = {"No.", "File name", "Folder", "DPI", "Size"};
    ASSERT_EQ(header->count(), 5);
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(header->sectionSize(column), widths[column]);
        EXPECT_EQ(list_->View()->model()->headerData(column, Qt::Horizontal).toString(),
                  QString::fromLatin1(texts[column]));
    }
    EXPECT_EQ(list_->View()->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(list_->View()->selectionBehavior(), QAbstractItemView::SelectRows);
}

}  // namespace

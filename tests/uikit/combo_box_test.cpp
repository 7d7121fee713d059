// The combo box: choices and selection, and its drop-down list: size, place and row picking.

#include <QFontMetrics>

#include "hosted_fixture.h"
#include "trellis/ui_combo_box.h"

namespace {

constexpr UINT kComboId = 41;
using ChangeList = std::vector<std::pair<WPARAM, LPARAM>>;

class ComboBoxTest : public HostedTest {
protected:
    void SetUp() override {
        HostedTest::SetUp();
        root_.SetStyle(0);
        const RECT place{40, 60, 160, 85};
        combo_.Create(nullptr, &place, &root_, kComboId);
        window_.messages.clear();
    }

    void AddThree() {
        for (const wchar_t* choice : {L"A", L"B", L"C"}) {
            combo_.AddString(choice);
        }
        window_.messages.clear();
    }

    CHostWindow* Popup() const { return WindowFromHandle(combo_.GetPopup().GetSafeHwnd()); }

    CUIComboBox combo_;
};

TEST_F(ComboBoxTest, TheFirstChoiceBecomesTheTextWithoutASelection) {
    combo_.AddString(L"A");
    combo_.AddString(L"B");
    combo_.AddString(L"C");
    EXPECT_EQ(combo_.GetSelectString(), L"A");
    EXPECT_EQ(combo_.GetSelectItem(), CUIComboBox::kNoSelection);
    EXPECT_EQ(Changes(), (ChangeList{{kComboId, UI_CHANGED_TEXT}}));
}

TEST_F(ComboBoxTest, SelectingReportsTheTextThenTheSelectionOnce) {
    AddThree();
    EXPECT_EQ(combo_.SetSelectItem(1), 1);
    EXPECT_EQ(combo_.GetSelectString(), L"B");
    EXPECT_EQ(Changes(),
              (ChangeList{{kComboId, UI_CHANGED_TEXT}, {kComboId, UI_CHANGED_SELECTION}}));
    EXPECT_EQ(combo_.SetSelectItem(1), 0);
    EXPECT_EQ(combo_.SetSelectItem(3), 0);
    EXPECT_EQ(Changes().size(), 2u);
    EXPECT_EQ(combo_.GetSelectItem(), 1u);
}

TEST_F(ComboBoxTest, TheListOpensJustBelowAtTheComboWidthWithARowPerChoice) {
    AddThree();
    ClickAt(Centre(combo_));
    ASSERT_NE(Popup(), nullptr);
    EXPECT_TRUE(Popup()->isVisible());
    const QPoint below = window_.mapToGlobal(QPoint(40, 85));
    EXPECT_EQ(Popup()->geometry(), QRect(below, QSize(120, 75)));
    ASSERT_EQ(window_.Count(WM_COMMAND), 1u);
    EXPECT_EQ(window_.Of(WM_COMMAND)[0].wParam, MAKEWPARAM(kComboId, UI_COMMAND_TAG));
}

TEST_F(ComboBoxTest, ALongChoiceWidensTheListToItsTextAndTenPixels) {
    const QString wide = QStringLiteral("A choice far too wide for the closed combo box");
    combo_.AddString(L"A");
    combo_.AddString(wide.toStdWString().c_str());
    ClickAt(Centre(combo_));
    ASSERT_NE(Popup(), nullptr);
    const int textWidth = QFontMetrics(window_.font()).horizontalAdvance(wide);
    ASSERT_GT(textWidth + 10, 120);
    EXPECT_EQ(Popup()->size(), QSize(textWidth + 10, 50));
}

TEST_F(ComboBoxTest, ReleasingOnTheThirdRowChoosesItAndClosesTheList) {
    AddThree();
    ClickAt(Centre(combo_));
    window_.messages.clear();
    QTest::mouseMove(Popup(), QPoint(10, 60));
    QTest::mouseClick(Popup(), Qt::LeftButton, {}, QPoint(10, 60));
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(combo_.GetSelectString(), L"C");
    EXPECT_EQ(combo_.GetSelectItem(), 2u);
    EXPECT_EQ(Changes(),
              (ChangeList{{kComboId, UI_CHANGED_TEXT}, {kComboId, UI_CHANGED_SELECTION}}));

    ClickAt(Centre(combo_));
    EXPECT_TRUE(Popup()->isVisible()) << "opens again in the same window";
    QTest::mouseClick(Popup(), Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_FALSE(Popup()->isVisible()) << "a press outside closes it";
    EXPECT_EQ(combo_.GetSelectItem(), 2u);
    EXPECT_EQ(Changes().size(), 2u);
}

TEST_F(ComboBoxTest, TheRowUnderThePointerIsHighlighted) {
    AddThree();
    ClickAt(Centre(combo_));
    QTest::mouseMove(Popup(), QPoint(10, 35));
    const QImage shot = Popup()->grab().toImage();
    EXPECT_EQ(shot.pixel(60, 30), qRgb(0xB7, 0xCC, 0xF5)) << "the second row";
    EXPECT_EQ(shot.pixel(60, 55), qRgb(255, 255, 255));
    EXPECT_EQ(shot.pixel(0, 40), qRgb(0x80, 0x80, 0x80)) << "the frame";
}

}  // namespace

namespace {

TEST(PopupWnd, WithoutAParentItClosesItselfWhenARowIsChosenAndCallsBack) {
    CPopupWnd popup;
    int deactivations = 0;
    popup.SetInActiveProc(
        [](UINT state, HWND, int, void* context) {
            EXPECT_EQ(state, WA_INACTIVE);
            ++*static_cast<int*>(context);
            return 1;
        },
        &deactivations);
    const RECT place{200, 200, 260, 220};
    ASSERT_EQ(popup.Create(L"list", &place, nullptr), 1);
    EXPECT_EQ(popup.Create(L"again", &place, nullptr), 0);
    popup.AddItem(L"one");
    popup.AddItem(L"two");
    CHostWindow* window = WindowFromHandle(popup.GetSafeHwnd());
    EXPECT_EQ(window->size(), QSize(60, 50)) << "as wide as it was made, two rows high";
    ShowWindow(popup.GetSafeHwnd(), SW_SHOW);
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(5, 30));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(popup.GetSelectedIndex(), 1);
    EXPECT_EQ(GetWindowText(popup.GetSafeHwnd()), L"two");
    EXPECT_EQ(deactivations, 1);
}

}  // namespace

// The combo box: choices and selection, and its drop-down list: size, place and row picking.

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QWheelEvent>

#include "drop_down_place.h"
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

TEST_F(ComboBoxTest, NearTheBottomOfTheScreenTheListOpensUpwards) {
    AddThree();
    const QRect screen = window_.screen()->availableGeometry();
    window_.move(100, screen.bottom() - 120);
    ClickAt(Centre(combo_));
    ASSERT_NE(Popup(), nullptr);
    const QPoint comboTop = window_.mapToGlobal(QPoint(40, 60));
    EXPECT_EQ(Popup()->geometry(), QRect(comboTop - QPoint(0, 75), QSize(120, 75)));
}

TEST_F(ComboBoxTest, AListTallerThanTheScreenIsShortenedToWholeRowsAndScrolls) {
    for (int i = 0; i < 60; ++i) {
        combo_.AddString(std::to_wstring(i).c_str());
    }
    ClickAt(Centre(combo_));
    ASSERT_NE(Popup(), nullptr);
    const QRect screen = window_.screen()->availableGeometry();
    const QRect list = Popup()->geometry();
    EXPECT_TRUE(screen.contains(list)) << "stays on the screen";
    EXPECT_EQ(list.top(), window_.mapToGlobal(QPoint(0, 85)).y()) << "below: more room there";
    EXPECT_EQ(list.height() % 25, 0);
    EXPECT_GT(list.height(), 0);

    QTest::keyClick(Popup(), Qt::Key_End);
    const CPopupWnd& popup = combo_.GetPopup();
    EXPECT_EQ(popup.GetHotIndex(), 59);
    EXPECT_EQ(popup.GetTopIndex(), 60 - list.height() / 25) << "scrolled to the last row";
    QWheelEvent wheel(QPointF(10, 10), Popup()->mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Popup(), &wheel);
    EXPECT_EQ(popup.GetTopIndex(), 60 - list.height() / 25 - 3) << "a notch is three rows";
    QTest::keyClick(Popup(), Qt::Key_Return);
    EXPECT_EQ(combo_.GetSelectItem(), 59u);
}

TEST_F(ComboBoxTest, TheKeyboardMovesThroughTheListChoosesAndCloses) {
    AddThree();
    ClickAt(Centre(combo_));
    ASSERT_NE(Popup(), nullptr);
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Down);
    EXPECT_EQ(combo_.GetPopup().GetHotIndex(), 2) << "stops at the last row";
    QTest::keyClick(Popup(), Qt::Key_Up);
    const QImage shot = Popup()->grab().toImage();
    EXPECT_EQ(shot.pixel(60, 30), qRgb(0xB7, 0xCC, 0xF5)) << "the highlighted second row";
    QTest::keyClick(Popup(), Qt::Key_Enter);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(combo_.GetSelectItem(), 1u);

    ClickAt(Centre(combo_));
    EXPECT_EQ(combo_.GetPopup().GetHotIndex(), 1) << "opens at the selection";
    QTest::keyClick(Popup(), Qt::Key_Home);
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(combo_.GetSelectItem(), 1u) << "Escape chooses nothing";
}

TEST_F(ComboBoxTest, ClosingWithoutAChoiceKeepsASelectionMadeSince) {
    AddThree();
    ClickAt(Centre(combo_));
    QTest::mouseClick(Popup(), Qt::LeftButton, {}, QPoint(10, 60));
    ASSERT_EQ(combo_.GetSelectItem(), 2u);
    combo_.SetSelectItem(0);
    ClickAt(Centre(combo_));
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_EQ(combo_.GetSelectItem(), 0u) << "the old choice is not applied again";
}

TEST_F(ComboBoxTest, AClickOutsideTheOpenListAlsoReachesWhatIsUnderThePointer) {
    AddThree();
    CUIButton button;
    const RECT place{200, 120, 280, 150};
    button.Create(L"Other", &place, &root_, 42);
    ClickAt(Centre(combo_));
    window_.messages.clear();
    const QPoint target = Centre(button);
    QTest::mousePress(Popup(), Qt::LeftButton, {},
                      Popup()->mapFromGlobal(window_.mapToGlobal(target)));
    EXPECT_FALSE(Popup()->isVisible());
    QTest::qWait(0);
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, target);
    const auto commands = window_.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(42, UI_COMMAND_TAG));

    ClickAt(Centre(combo_));
    ASSERT_TRUE(Popup()->isVisible());
    const QPoint onCombo = Popup()->mapFromGlobal(window_.mapToGlobal(Centre(combo_)));
    QTest::mousePress(Popup(), Qt::LeftButton, {}, onCombo);
    QTest::qWait(0);
    QTest::mouseRelease(&window_, Qt::LeftButton, {}, Centre(combo_));
    EXPECT_FALSE(Popup()->isVisible()) << "a click on the combo only closes its list";
}

}  // namespace

namespace {

TEST(PlaceDropDown, BelowAboveOrShortenedOnTheRoomierSide) {
    const CRect work(0, 0, 800, 600);
    EXPECT_EQ(PlaceDropDown(CRect(10, 100, 110, 125), 100, 25, 4, work), CRect(10, 125, 110, 225));
    EXPECT_EQ(PlaceDropDown(CRect(10, 500, 110, 525), 100, 25, 4, work), CRect(10, 400, 110, 500));
    EXPECT_EQ(PlaceDropDown(CRect(10, 200, 110, 225), 100, 25, 40, work), CRect(10, 225, 110, 600))
        << "375 below beat 200 above: 15 whole rows";
    EXPECT_EQ(PlaceDropDown(CRect(750, 590, 850, 600), 100, 25, 1, work), CRect(700, 565, 800, 590))
        << "kept inside horizontally";
}

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

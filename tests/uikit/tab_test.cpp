// The tab strip: layout by text width, selection, the look under the pointer, and clicks that
// fall through beside the tabs.

#include <QFontMetrics>

#include "hosted_fixture.h"
#include "trellis/ui_tab.h"

namespace {

constexpr UINT kTabId = 51;
constexpr UINT kBelowId = 52;

class TabTest : public HostedTest {
protected:
    void SetUp() override {
        HostedTest::SetUp();
        root_.SetStyle(0);
        const RECT place{20, 40, 280, 70};
        tab_.Create(nullptr, &place, &root_, kTabId);
        below_.Create(L"", &place, &root_, kBelowId);
        for (const wchar_t* text : kTexts) {
            tab_.AddItem(text);
        }
        window_.messages.clear();
    }

    QPoint TabCentre(int index) const {
        const CRect item = tab_.GetItemRect(index);
        return QPoint(20 + (item.left + item.right) / 2, 40 + (item.top + item.bottom) / 2);
    }

    UINT CommandId() const {
        const auto commands = window_.Of(WM_COMMAND);
        return commands.size() == 1 ? LOWORD(commands[0].wParam) : 0;
    }

    static constexpr const wchar_t* kTexts[] = {L"Pages", L"Layout", L"Watermarks"};
    CUITab tab_;
    CUIButton below_;  // added after the strip, so it lies underneath
};

TEST_F(TabTest, TabsAreTenPixelsWiderThanTheirTextsAndSitSideBySide) {
    const QFontMetrics metrics(window_.font());
    LONG x = 0;
    for (int i = 0; i < 3; ++i) {
        const LONG width = metrics.horizontalAdvance(QString::fromWCharArray(kTexts[i])) + 10;
        EXPECT_EQ(tab_.GetItemRect(i), CRect(x, 0, x + width, 30)) << i;
        x += width;
    }
    EXPECT_EQ(tab_.GetItemRect(3), CRect());
}

TEST_F(TabTest, AClickOnATabSelectsItAndIsTheStripsCommand) {
    EXPECT_EQ(tab_.GetHotIndex(), -1);
    ClickAt(TabCentre(1));
    EXPECT_EQ(tab_.GetHotIndex(), 1);
    EXPECT_EQ(CommandId(), kTabId);
}

TEST_F(TabTest, AClickBesideTheTabsReachesTheObjectBelow) {
    tab_.SetHotIndex(0);
    const CRect last = tab_.GetItemRect(2);
    ASSERT_LT(last.right, 250);
    ClickAt(QPoint(20 + 255, 55));
    EXPECT_EQ(CommandId(), kBelowId);
    EXPECT_EQ(tab_.GetHotIndex(), 0);
}

TEST_F(TabTest, TheTabUnderThePointerTurnsOrangeAndShowsTheHand) {
    const auto hasOrange = [this](int index) {
        const QImage shot = window_.grab().toImage();
        const CRect item = tab_.GetItemRect(index);
        for (int y = 40 + item.top; y < 40 + item.bottom; ++y) {
            for (int x = 20 + item.left; x < 20 + item.right; ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 60 && c.green() < 170 && c.blue() < 90) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(hasOrange(2));
    QTest::mouseMove(&window_, TabCentre(2));
    EXPECT_TRUE(hasOrange(2));
    EXPECT_EQ(window_.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&window_, QPoint(150, 150));
    EXPECT_FALSE(hasOrange(2));
}

TEST_F(TabTest, ClearingRemovesEveryTabAndTheSelection) {
    tab_.SetHotIndex(2);
    tab_.Clear();
    EXPECT_EQ(tab_.GetItemCount(), 0);
    EXPECT_EQ(tab_.GetHotIndex(), -1);
    EXPECT_TRUE(tab_.IsTransparency(POINT{30, 50}));
}

}  // namespace

// The edit field: the line edit a click opens, and when what was typed flows back.

#include <QLineEdit>

#include "hosted_fixture.h"
#include "trellis/ui_edit.h"

namespace {

constexpr UINT kEditId = 31;

class EditTest : public HostedTest {
protected:
    void SetUp() override {
        HostedTest::SetUp();
        root_.SetStyle(0);
        const RECT place{40, 60, 200, 90};
        edit_.Create(L"first", &place, &root_, kEditId);
        window_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
        window_.messages.clear();
    }

    // Opens the field and replaces its text by typing.
    void Type(const QString& text) {
        ClickAt(Centre(edit_));
        ASSERT_NE(edit_.GetEditControl(), nullptr);
        QTest::keyClicks(edit_.GetEditControl(), text);
    }

    CUIEdit edit_;
};

TEST_F(EditTest, AClickOpensALineEditInsideTheFieldWithItsTextSelected) {
    EXPECT_EQ(edit_.GetEditControl(), nullptr) << "no line edit before the first click";
    ClickAt(Centre(edit_));
    QLineEdit* control = edit_.GetEditControl();
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->isVisible());
    EXPECT_EQ(control->geometry(), QRect(44, 64, 152, 22));
    EXPECT_EQ(control->text(), QStringLiteral("first"));
    EXPECT_EQ(control->selectedText(), QStringLiteral("first"));
    EXPECT_TRUE(control->hasFocus());
    ASSERT_EQ(window_.Count(WM_COMMAND), 1u);
    EXPECT_EQ(window_.Of(WM_COMMAND)[0].wParam, MAKEWPARAM(kEditId, UI_COMMAND_TAG));
}

TEST_F(EditTest, PressingElsewhereInTheWindowCommitsWhatWasTyped) {
    Type(QStringLiteral("second"));
    EXPECT_EQ(edit_.GetText(), L"first") << "nothing flows back while typing";
    ClickAt(QPoint(150, 150));
    EXPECT_EQ(edit_.GetText(), L"second");
    EXPECT_FALSE(edit_.GetEditControl()->isVisible());
    EXPECT_EQ(Changes(), (std::vector<std::pair<WPARAM, LPARAM>>{{kEditId, UI_CHANGED_TEXT}}));

    ClickAt(QPoint(150, 150));
    EXPECT_EQ(Changes().size(), 1u) << "an unchanged text is not reported again";
}

TEST_F(EditTest, PressingAnotherObjectCommitsBeforeThatObjectHearsOfIt) {
    CUIButton other;
    const RECT place{40, 120, 120, 150};
    other.Create(L"Other", &place, &root_, 32);
    Type(QStringLiteral("third"));
    window_.inspect = [this](const RecordingWindow::Message& message) {
        if (message.msg == WM_COMMAND && LOWORD(message.wParam) == 32) {
            EXPECT_EQ(edit_.GetText(), L"third");
        }
    };
    ClickAt(Centre(other));
    EXPECT_EQ(edit_.GetText(), L"third");
    EXPECT_EQ(window_.Count(WM_COMMAND), 2u) << "the field's click and the other's";
}

TEST_F(EditTest, AClickInsideTheFieldsMarginNeitherCommitsNorLosesTheTyping) {
    Type(QStringLiteral("typed"));
    ClickAt(QPoint(42, 75));
    EXPECT_TRUE(edit_.GetEditControl()->isVisible());
    EXPECT_EQ(edit_.GetEditControl()->text(), QStringLiteral("typed"));
    EXPECT_EQ(edit_.GetText(), L"first");
    ClickAt(QPoint(250, 150));
    EXPECT_EQ(edit_.GetText(), L"typed");
}

TEST_F(EditTest, DeactivatingTheWindowCommits) {
    Type(QStringLiteral("elsewhere"));
    RecordingWindow other;
    other.ShowAt(QRect(500, 100, 100, 100));
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(window_.Of(WM_ACTIVATE).empty());
    EXPECT_EQ(LOWORD(window_.Of(WM_ACTIVATE).back().wParam), WA_INACTIVE);
    EXPECT_EQ(edit_.GetText(), L"elsewhere");
    EXPECT_FALSE(edit_.GetEditControl()->isVisible());
}

TEST_F(EditTest, TheLineEditFollowsTheFieldsPlaceAndText) {
    ClickAt(Centre(edit_));
    const RECT lower{40, 100, 200, 130};
    edit_.SetRect(&lower);
    EXPECT_EQ(edit_.GetEditControl()->geometry(), QRect(44, 104, 152, 22));
    edit_.SetText(L"set", 1);
    EXPECT_EQ(edit_.GetEditControl()->text(), QStringLiteral("set"));
}

}  // namespace

// The Make button's conversion commands: the resolution question, the mode, the output names
// and the chosen locations.

#include <QWidget>

#include "app_test_support.h"
#include "conversion_fixture.h"
#include "file_dialogs.h"
#include "make_command.h"
#include "pdf_tools.h"
#include "texts.h"

namespace {

using apptest::Wide;
using Outcome = app::ConversionCommand::Outcome;

class ConversionCommandTest : public apptest::ConversionTest {
protected:
    Outcome Run(int command, const app::ListRows& rows) {
        app::ConversionCommand conversion(*app_, &owner_);
        return conversion.Run(command, rows);
    }

    QWidget owner_;
};

TEST_F(ConversionCommandTest, EmptyListOnlySaysSo) {
    apptest::ModalAnswerer answerer;
    EXPECT_EQ(Run(0, {}), Outcome::kEmptyList);
    ASSERT_EQ(answerer.boxTexts.size(), 1u);
    EXPECT_EQ(answerer.boxTexts[0].toStdWString(), app::Text(L"200014"));
}

TEST_F(ConversionCommandTest, DifferingResolutionsAskFirst) {
    const app::ListRows rows{{Image("Trip", "a.jpg", 72), Image("Trip", "b.jpg", 96)},
                             {L"72", L"-", L"96"}};
    {
        apptest::ModalAnswerer yes(QMessageBox::Yes);
        EXPECT_EQ(Run(0, rows), Outcome::kDpiToBeFixed);
        ASSERT_EQ(yes.boxTexts.size(), 1u);
        EXPECT_TRUE(yes.boxTexts[0].startsWith(QStringLiteral("DPI 不一致")));
        EXPECT_FALSE(std::filesystem::exists(output() / "Trip.pdf"));
    }
    apptest::ModalAnswerer no(QMessageBox::No);
    EXPECT_EQ(Run(0, rows), Outcome::kConverted);
    EXPECT_EQ(no.boxTexts.size(), 1u);
    EXPECT_EQ(testsupport::PageCount(output() / "Trip.pdf"), 2);
    EXPECT_EQ(testsupport::QpdfCheck(output() / "Trip.pdf"), 0);
}

TEST_F(ConversionCommandTest, FixedResolutionOrEqualValuesNeverAsk) {
    const std::wstring a = Image("Trip", "a.jpg", 72);
    const std::wstring b = Image("Trip", "b.jpg", 96);
    apptest::ModalAnswerer answerer(QMessageBox::Yes);
    EXPECT_EQ(Run(0, {{a, b}, {L"72", L"", L"72", L"-"}}), Outcome::kConverted);
    app_->Settings().SetDPI(150);
    EXPECT_EQ(Run(0, {{a, b}, {L"72", L"96"}}), Outcome::kConverted);
    EXPECT_TRUE(answerer.boxTexts.empty());
    EXPECT_TRUE(app::DpiValuesDiffer({L"", L"72", L"-", L"072"}));
}

TEST_F(ConversionCommandTest, NamesTheNextFreeNameAfterTheFirstImagesFolder) {
    std::filesystem::create_directories(output());
    testsupport::WriteFile(output() / "Trip.pdf", "taken");
    testsupport::WriteFile(output() / "Trip(1).pdf", "taken");
    apptest::ModalAnswerer answerer;
    EXPECT_EQ(Run(0, {{Image("Trip", "a.jpg"), Image("Other", "b.jpg")}, {}}), Outcome::kConverted);
    EXPECT_EQ(testsupport::PageCount(output() / "Trip(2).pdf"), 2);
    EXPECT_EQ(testsupport::QpdfCheck(output() / "Trip(2).pdf"), 0);
    EXPECT_EQ(testsupport::ReadFile(output() / "Trip.pdf"), "taken");
}

TEST_F(ConversionCommandTest, ImageInTheRootIsNamedAfterTheMaker) {
    EXPECT_EQ(app::ConfiguredOutput(app_->Settings(), L"/photo.jpg", 0),
              Wide(output() / "velkor.pdf"));
    EXPECT_EQ(app::ConfiguredOutput(app_->Settings(), L"/a/Trip/photo.jpg", 1),
              Wide(output() / "Trip"));
}

TEST_F(ConversionCommandTest, PerImageModeWithAndWithoutTheImagesFolder) {
    const std::wstring a = Image("Trip", "a.jpg");
    apptest::ModalAnswerer answerer;
    EXPECT_EQ(Run(1, {{a}, {}}), Outcome::kConverted);
    EXPECT_EQ(testsupport::QpdfCheck(output() / "Trip" / "a.jpg.pdf"), 0);
    EXPECT_EQ(StoredMode(), 1u);

    app_->Settings().SetNumber(L"SaveToImageDir", 1);
    EXPECT_EQ(Run(1, {{a}, {}}), Outcome::kConverted);
    EXPECT_EQ(testsupport::QpdfCheck(dir_ / "Trip" / "a.jpg.pdf"), 0);
    EXPECT_FALSE(std::filesystem::exists(output() / "Trip(1)"));
}

TEST_F(ConversionCommandTest, CancelledSaveDialogConvertsNothingButKeepsTheMode) {
    app_->Settings().SetNumber(L"MakeMultiPDF", 1);
    apptest::ModalAnswerer answerer;
    EXPECT_EQ(Run(3, {{Image("Trip", "a.jpg")}, {}}), Outcome::kNoOutputChosen);
    EXPECT_EQ(answerer.fileDialogs, 1);
    EXPECT_EQ(app_->Settings().MakeMultiPDF, 0);
    EXPECT_EQ(StoredMode(), 0u);
    EXPECT_FALSE(std::filesystem::exists(output()));
}

TEST(FileDialogFilter, PipeFormBecomesQtNameFilters) {
    EXPECT_EQ(app::QtFilterOf(L"All Files (*.*)|*.*|jpeg Files (*.jpg)|*.jpg;*.jpe;*jpeg||"),
              QStringLiteral("All Files (*.*);;jpeg Files (*.jpg *.jpe *jpeg)"));
}

}  // namespace

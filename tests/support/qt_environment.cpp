// One QApplication for the whole test program, created before the first test on the main
// thread (fonts, icons and widgets need it). Linked into GUI test programs that need nothing
// else at start.

#include <gtest/gtest.h>

#include "qt_application.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = testsupport::StartQtApplication("folioforge_gui_tests"); }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

// One QApplication for the whole test program, and libbasalt initialised once on a settings
// home of its own, so the header texts come from the shipped language files.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "basalt/basalt.h"
#include "qt_application.h"
#include "temp_dir.h"

namespace {

class ListEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        home_ = std::make_unique<testsupport::ScopedSettingsHome>();
        app_ = testsupport::StartQtApplication("app_list_tests");
        InitBasalt(nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        app_.reset();
        home_.reset();
    }

private:
    std::unique_ptr<testsupport::ScopedSettingsHome> home_;
    std::unique_ptr<QApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new ListEnvironment);

}  // namespace

// One QApplication for the whole test program, and libbasalt initialised once on a settings
// home of its own, so the header texts come from the shipped language files.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "basalt/basalt.h"
#include "temp_dir.h"

namespace {

class ListEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "app_list_tests";
        static char* argv[] = {name, nullptr};
        home_ = std::make_unique<testsupport::ScopedSettingsHome>();
        app_ = std::make_unique<QApplication>(argc, argv);
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

#pragma once

// A fresh settings store, a folder of sample images, the application object with its output
// folder in the temporary folder, and libbasalt initialised for the texts.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "basalt/basalt.h"
#include "folioforge_app.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "sample_images.h"
#include "temp_dir.h"

namespace apptest {

inline std::wstring Wide(const std::filesystem::path& path) {
    return platform::FromUtf8(path.string());
}

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() {
        InitBasalt(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge", L"folioforge");
        app_ = std::make_unique<CFolioforgeApp>();
        app_->Settings().SetPDFPath(Wide(output()));
    }

    std::filesystem::path output() const { return dir_ / "out"; }

    // A plain JPEG (40 x 30 unless size says otherwise) at folder/name with the given resolution;
    // its full path.
    std::wstring Image(const std::string& folder, const std::string& name, int dpi = 72,
                       const std::string& colour = "red", const std::string& size = "40x30") {
        const std::filesystem::path file = dir_ / folder / name;
        std::filesystem::create_directories(file.parent_path());
        EXPECT_TRUE(testsupport::MakeImage(file, "-size " + size + " xc:" + colour + " -density " +
                                                     std::to_string(dpi) +
                                                     " -units PixelsPerInch"));
        return Wide(file);
    }

    std::optional<uint32_t> StoredMode() const {
        return platform::RegReadDWord(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                                      L"MakeMultiPDF");
    }

    testsupport::ScopedSettingsHome home_;
    testsupport::TempDir dir_;
    std::unique_ptr<CFolioforgeApp> app_;
};

}  // namespace apptest

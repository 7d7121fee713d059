#pragma once

// A fresh libbasalt copy talking to a fresh folioforge-recordd on 127.0.0.1, with settings in a
// temporary folder. FOLIOFORGE_SERVER points the library's default endpoints at the server.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "basalt_library.h"
#include "platform/registry.h"
#include "recordd_process.h"
#include "temp_dir.h"

namespace testsupport {

inline constexpr const wchar_t* kSettingsKey = L"Software\\Velkor\\Folioforge";

class BasaltServerTest : public ::testing::Test {
protected:
    BasaltServerTest() { setenv("FOLIOFORGE_SERVER", server_.url().c_str(), 1); }
    ~BasaltServerTest() override {
        unsetenv("FOLIOFORGE_SERVER");
        unsetenv("FOLIOFORGE_HTTP_TIMEOUT_MS");
    }

    void Init() { basalt_->InitBasalt(platform::HKEY_CURRENT_USER, kSettingsKey, L"folioforge"); }

    std::wstring Ini(const wchar_t* key) const {
        const wchar_t* value = basalt_->GetIniString(key);
        return value ? value : L"<null>";
    }

    int Count(const std::string& table) const {
        return std::stoi(server_.Query("SELECT COUNT(*) FROM " + table).at(0));
    }

    ScopedSettingsHome home_;
    TempDir dir_;
    RecorddProcess server_{dir_.path()};
    BasaltLibrary basalt_{dir_.path()};
};

}  // namespace testsupport

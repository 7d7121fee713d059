#include <gtest/gtest.h>

#include "shellext_testing.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Copies the module into a folder of its own, with basalt (if not empty) as its libbasalt,
// loads the copy and returns the caption its menu item shows.
std::wstring CaptionBeside(const fs::path& basalt) {
    testsupport::TempDir dir;
    fs::copy_file(shellext_testing::BuiltModule(), dir / "libcommon.so");
    if (!basalt.empty()) {
        fs::copy_file(basalt, dir / "libbasalt.so");
    }
    const shellext_testing::ServerModule module(dir / "libcommon.so");
    com::IContextMenu* handler = module.CreateMenuHandler();
    if (!handler) {
        return L"(no handler)";
    }
    std::wstring caption = shellext_testing::CaptionOf(handler);
    handler->Release();
    return caption;
}

TEST(Caption, ComesFromLibbasaltBesideTheModule) {
    EXPECT_EQ(CaptionBeside(shellext_testing::FakeBasalt(true)), L"PDF aus Bildern erstellen");
}

TEST(Caption, IsTheBuiltInOneWhileLibbasaltHasNoTextForIt) {
    // The module never initialises libbasalt, so the real library has no texts loaded.
    EXPECT_EQ(CaptionBeside(shellext_testing::BuiltBinFolder() / "libbasalt.so"),
              L"Convert images into PDF");
}

TEST(Caption, IsEmptyWithoutAUsableLibbasalt) {
    EXPECT_EQ(CaptionBeside({}), L"");
    EXPECT_EQ(CaptionBeside(shellext_testing::FakeBasalt(false)), L"");
}

}  // namespace

// The background image the application object takes at start-up.

#include "background_image.h"
#include "conversion_fixture.h"

namespace {

using apptest::Wide;

class BackgroundTest : public apptest::ConversionTest {
protected:
    void Store(const std::wstring& path) {
        platform::RegWriteString(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                                 app::kBackgroundValue, path);
    }
    std::wstring Stored() const {
        return platform::RegReadString(platform::HKEY_CURRENT_USER, L"Software\\Velkor\\Folioforge",
                                       app::kBackgroundValue)
            .value_or(L"<none>");
    }
};

TEST_F(BackgroundTest, StoredImageThatDoesNotLoadLeavesTheDefaultAndTheStoredValue) {
    testsupport::WriteFile(dir_ / "corrupt.png", "\x89PNG but not really");
    for (const std::wstring& path : {Wide(dir_ / "deleted.png"), Wide(dir_ / "corrupt.png")}) {
        Store(path);
        CFolioforgeApp app;
        EXPECT_EQ(app.GetBackground(), L"res/7.png");
        EXPECT_EQ(Stored(), path);
    }
}

TEST_F(BackgroundTest, StoredImageThatLoadsIsUsed) {
    const std::wstring picture = Image("bg", "sky.jpg");
    Store(picture);
    CFolioforgeApp app;
    EXPECT_EQ(app.GetBackground(), picture);
    EXPECT_EQ(app.SetBackground(Wide(dir_ / "nothing.png")), 0);
    EXPECT_EQ(app.GetBackground(), picture);
}

TEST_F(BackgroundTest, DefaultArtworkLiesBesideTheProgram) {
    EXPECT_TRUE(app::LoadsAsImage(L"res/7.png"));
    EXPECT_TRUE(app::LoadsAsImage(L"res/image.png"));
}

}  // namespace

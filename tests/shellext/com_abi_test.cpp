#include <gtest/gtest.h>

#include <cstring>

#include "com/drop_files.h"
#include "com/guid.h"
#include "platform/text.h"

namespace {

TEST(DropList, GivesBackEveryPathWholeAndInOrder) {
    const std::vector<std::wstring> paths = {L"/a b/c.jpg", std::wstring(3000, L'x'), L"-rf"};
    com::HDROP drop = com::CreateDropList(paths);
    ASSERT_EQ(com::DragQueryFileW(drop, com::kDragQueryCount, nullptr, 0), 3u);
    for (com::UINT i = 0; i < 3; ++i) {
        const com::UINT length = com::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length, L'\0');
        EXPECT_EQ(com::DragQueryFileW(drop, i, path.data(), length + 1), length);
        EXPECT_EQ(path, paths[i]);
    }
    wchar_t shortBuffer[5];
    EXPECT_EQ(com::DragQueryFileW(drop, 0, shortBuffer, 5), 4u);
    EXPECT_STREQ(shortBuffer, L"/a b");
    EXPECT_EQ(com::DragQueryFileW(drop, 3, shortBuffer, 5), 0u);
    com::GlobalFree(drop);
}

TEST(DropList, AMalformedBlockIsReadNoFurtherThanItsEnd) {
    const com::DROPFILES header{sizeof(com::DROPFILES), {0, 0}, com::FALSE, com::TRUE};
    const wchar_t text[] = {L'a', L'\0', L'b', L'c'};  // the second path is never terminated
    com::HGLOBAL block = com::GlobalAlloc(0, sizeof header + sizeof text);
    auto* bytes = static_cast<unsigned char*>(com::GlobalLock(block));
    std::memcpy(bytes, &header, sizeof header);
    std::memcpy(bytes + sizeof header, text, sizeof text);
    com::GlobalUnlock(block);
    EXPECT_EQ(com::DragQueryFileW(block, com::kDragQueryCount, nullptr, 0), 1u);

    auto* damaged = static_cast<com::DROPFILES*>(com::GlobalLock(block));
    damaged->pFiles = 1'000'000;
    com::GlobalUnlock(block);
    EXPECT_EQ(com::DragQueryFileW(block, com::kDragQueryCount, nullptr, 0), 0u);
    com::GlobalFree(block);
}

TEST(Guid, ReadsAndWritesTheRegistryForm) {
    const auto guid = com::GuidFromString(L"{1c8ba08f-e4d2-4929-b7e3-df4daff7a333}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(guid->Data1, 0x1C8BA08Fu);
    EXPECT_EQ(guid->Data4[7], 0x33);
    EXPECT_EQ(com::GuidToString(*guid), L"{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333}");
    EXPECT_FALSE(com::GuidFromString(L"1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A333"));
    EXPECT_FALSE(com::GuidFromString(L"{1C8BA08F-E4D2-4929-B7E3-DF4DAFF7A33G}"));
    EXPECT_FALSE(com::GuidFromString(L"Folioforge"));
}

}  // namespace

#include "record_store.h"

#include <gtest/gtest.h>

#include "json_text.h"

using namespace basalt;

namespace {

const SubmissionHeader kHeader{L"17", L"folioforge", L"1.0.0.0"};
constexpr char kGeneral[] = R"("general":{"id":17,"name":"folioforge","version":"1.0.0.0"})";

TEST(RecordStoreTest, EmptyStoreSendsTheGeneralBlockAlone) {
    EXPECT_EQ(RecordStore().Document(kHeader), std::string("{") + kGeneral + "}");
}

TEST(RecordStoreTest, ItemsAreOrderedByIdThenInfoWithoutATrailingComma) {
    RecordStore store;
    store.Add(100, L"b");
    store.Add(3, L"z");
    store.Add(100, L"a");
    store.Add(-1, L"");
    EXPECT_EQ(
        store.Document(kHeader),
        std::string("{") + kGeneral + R"(,"records":[)" +
            R"({"id":"-1","count":"1","info":""},{"id":"3","count":"1","info":"eg=="},)"
            R"({"id":"100","count":"1","info":"YQ=="},{"id":"100","count":"1","info":"Yg=="}]})");
}

TEST(RecordStoreTest, NameAndVersionAreEscaped) {
    const SubmissionHeader header{L"", L"my \"tool\"\t\x01.exe", L"1\\2"};
    EXPECT_EQ(RecordStore().Document(header),
              R"({"general":{"id":"","name":"my \"tool\"\t\u0001.exe","version":"1\\2"}})");
}

TEST(JsonTextTest, OnlyPlainNumbersStayBare) {
    EXPECT_EQ(JsonIdValue("0"), "0");
    EXPECT_EQ(JsonIdValue("1234567890123456789012"), "1234567890123456789012");
    EXPECT_EQ(JsonIdValue("007"), R"("007")");
    EXPECT_EQ(JsonIdValue("-5"), R"("-5")");
    EXPECT_EQ(JsonIdValue("1e5"), R"("1e5")");
    EXPECT_EQ(JsonIdValue("1,\"x\":2"), R"("1,\"x\":2")");
    EXPECT_EQ(JsonString("\n\r\\/\xE4\xB8\xAD"), "\"\\n\\r\\\\/\xE4\xB8\xAD\"");
}

}  // namespace

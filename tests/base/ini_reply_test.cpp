#include "ini_reply.h"

#include <gtest/gtest.h>

#include <random>

using namespace basalt;
using namespace std::string_view_literals;

namespace {

std::vector<std::pair<std::wstring, std::wstring>> Parse(std::string_view reply) {
    std::vector<std::pair<std::wstring, std::wstring>> pairs;
    for (const auto& entry : ParseIniReply(reply))
        pairs.emplace_back(entry.key, entry.value);
    return pairs;
}

TEST(IniReplyTest, SplitsEntriesAtRunsOfBreaksAndBlanks) {
    EXPECT_EQ(Parse("A:MQ==\r\n\r\n  B:Mg==\nC:Mw=="),
              (std::vector<std::pair<std::wstring, std::wstring>>{
                  {L"A", L"1"}, {L"B", L"2"}, {L"C", L"3"}}));
    EXPECT_EQ(Parse("OnlyOne:dmFsdWU="),
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"OnlyOne", L"value"}}));
}

TEST(IniReplyTest, ColonRunsCountOnceAndExtraFieldsAreIgnored) {
    EXPECT_EQ(Parse("::A:::MQ==:ignored"),
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"A", L"1"}}));
    EXPECT_EQ(Parse(":::"), (std::vector<std::pair<std::wstring, std::wstring>>{}));
}

TEST(IniReplyTest, MissingOrEmptyValuesAskForRemoval) {
    EXPECT_EQ(Parse("A B: C:!!!!"), (std::vector<std::pair<std::wstring, std::wstring>>{
                                        {L"A", L""}, {L"B", L""}, {L"C", L""}}));
}

TEST(IniReplyTest, ValuesAreUtf8UpToTheirFirstNul) {
    EXPECT_EQ(Parse("K\xC3\xA9:R3LDvMOfZQBtb3Jl"),  // "Grüße\0more"
              (std::vector<std::pair<std::wstring, std::wstring>>{{L"Ké", L"Grüße"}}));
}

TEST(IniReplyTest, RandomBytesNeverBreakTheParser) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string reply(random() % 4096, '\0');
        for (char& byte : reply)
            byte = static_cast<char>(random());
        for (const auto& entry : ParseIniReply(reply))
            EXPECT_FALSE(entry.key.empty());
    }
}

TEST(IniReplyTest, RequestCarriesNameAndVersion) {
    IniDictionary dictionary;
    EXPECT_EQ(IniRequestBody(dictionary), "tip=&ver=&info=");
    dictionary.Set(L"InternalName", L"folioforge");
    dictionary.Set(L"FILEVERSION", L"1.2.3.4");
    EXPECT_EQ(IniRequestBody(dictionary), "tip=folioforge&ver=1.2.3.4&info=1.2.3.4");
}

}  // namespace

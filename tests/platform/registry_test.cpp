#include "platform/registry.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/text.h"
#include "temp_dir.h"

using namespace platform;

namespace {

constexpr const wchar_t* kKey = L"Software\\Velkor\\Folioforge";

class RegistryTest : public ::testing::Test {
protected:
    std::string HiveText() { return testsupport::ReadFile(HiveFile(HKEY_CURRENT_USER)); }

    testsupport::ScopedSettingsHome home_;
};

// Runs body in a child process and waits for it; true when the child exited with status 0.
template <typename Body>
pid_t Spawn(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body() ? 0 : 1);
    }
    return pid;
}

bool Reap(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST_F(RegistryTest, StoresTextAndNumbersInTheExportFormat) {
    ASSERT_TRUE(RegWriteString(HKEY_CURRENT_USER, kKey, L"PDFTitle", L"Quarter \"Q3\" C:\\x"));
    ASSERT_TRUE(RegWriteDWord(HKEY_CURRENT_USER, kKey, L"PageSize", 30));

    EXPECT_EQ(HiveText(),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velkor\\Folioforge]\n"
              "\"PDFTitle\"=\"Quarter \\\"Q3\\\" C:\\\\x\"\n"
              "\"PageSize\"=dword:0000001e\n");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, L"pdftitle"), L"Quarter \"Q3\" C:\\x");
    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, L"software\\VELKOR\\folioforge\\", L"PageSize"), 30u);
    EXPECT_FALSE(RegReadDWord(HKEY_CURRENT_USER, kKey, L"PDFTitle"));  // wrong type
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kKey, L"Missing"));
}

TEST_F(RegistryTest, ReportsTypeAndSize) {
    RegWriteString(HKEY_CURRENT_USER, kKey, L"Name", L"abc");
    RegWriteDWord(HKEY_CURRENT_USER, kKey, L"Count", 7);
    auto text = RegQueryValue(HKEY_CURRENT_USER, kKey, L"Name");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, REG_SZ);
    EXPECT_EQ(text->size, 4 * sizeof(wchar_t));
    auto number = RegQueryValue(HKEY_CURRENT_USER, kKey, L"Count");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->type, REG_DWORD);
    EXPECT_EQ(number->size, 4u);
}

TEST_F(RegistryTest, KeepsNonAsciiAndControlCharacters) {
    const std::wstring text = L"Отчёт 报告 \U0001F4C4\nline two\r";
    RegWriteString(HKEY_CURRENT_USER, kKey, L"Имя", text);
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, kKey, L"имя"), text);

    // A folder whose name is not UTF-8 comes back with the same bytes.
    const std::wstring folder = PathFromNative("/home/u/caf\xe9 \xff");
    RegWriteString(HKEY_CURRENT_USER, kKey, L"PDFPath", folder);
    EXPECT_NE(HiveText().find("/home/u/caf\xe9 \xff\""), std::string::npos);
    EXPECT_EQ(PathToNative(*RegReadString(HKEY_CURRENT_USER, kKey, L"PDFPath")),
              "/home/u/caf\xe9 \xff");
}

TEST_F(RegistryTest, KeysEnumerateAndDeleteAsTrees) {
    RegWriteString(HKEY_CLASSES_ROOT, L"CLSID\\{A}\\InprocServer32", L"", L"lib.so");
    RegWriteString(HKEY_CLASSES_ROOT, L"CLSID\\{A}-x", L"", L"other");
    RegCreateKey(HKEY_CLASSES_ROOT, L"CLSID\\{B}");
    EXPECT_EQ(RegEnumSubKeys(HKEY_CLASSES_ROOT, L"CLSID"),
              (std::vector<std::wstring>{L"{A}", L"{A}-x", L"{B}"}));
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"clsid\\{a}"));

    EXPECT_TRUE(RegDeleteTree(HKEY_CLASSES_ROOT, L"CLSID\\{A}"));
    EXPECT_FALSE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\{A}"));
    EXPECT_TRUE(RegKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\{A}-x"));
    EXPECT_EQ(RegEnumValues(HKEY_CLASSES_ROOT, L"CLSID\\{A}-x"), std::vector<std::wstring>{L""});
    EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, L"CLSID"));  // hives are separate files
}

TEST_F(RegistryTest, ReadersSeeAnotherProcessWrite) {
    RegWriteDWord(HKEY_CURRENT_USER, kKey, L"DPI", 72);
    ASSERT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"DPI"), 72u);
    ASSERT_TRUE(Reap(Spawn([] { return RegWriteDWord(HKEY_CURRENT_USER, kKey, L"DPI", 300); })));
    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"DPI"), 300u);
}

TEST_F(RegistryTest, TwoProcessesWritingDifferentValuesLoseNeither) {
    constexpr int kWrites = 40;
    auto writer = [](const wchar_t* prefix) {
        return [prefix] {
            for (int i = 0; i < kWrites; ++i) {
                const std::wstring name = prefix + std::to_wstring(i);
                if (!RegWriteDWord(HKEY_CURRENT_USER, kKey, name, static_cast<uint32_t>(i))) {
                    return false;
                }
            }
            return true;
        };
    };
    const pid_t first = Spawn(writer(L"A"));
    const pid_t second = Spawn(writer(L"B"));
    ASSERT_TRUE(Reap(first));
    ASSERT_TRUE(Reap(second));
    EXPECT_EQ(RegEnumValues(HKEY_CURRENT_USER, kKey).size(), 2u * kWrites);
    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"A39"), 39u);
    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"B0"), 0u);
}

TEST_F(RegistryTest, DamagedHiveIsReadAsFarAsItParsesAndSetAsideOnWrite) {
    const auto file = HiveFile(HKEY_CURRENT_USER);
    const std::string damaged =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Velkor\\Folioforge]\n"
        "\"PageSize\"=dword:00000003\n"
        "\"PDFTitle\"=\"cut sh";
    testsupport::WriteFile(file, damaged);

    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"PageSize"), 3u);
    EXPECT_FALSE(RegReadString(HKEY_CURRENT_USER, kKey, L"PDFTitle"));

    ASSERT_TRUE(RegWriteDWord(HKEY_CURRENT_USER, kKey, L"DPI", 150));
    EXPECT_EQ(testsupport::ReadFile(file.string() + ".corrupt-1"), damaged);
    EXPECT_EQ(HiveText(),
              "Windows Registry Editor Version 5.00\n\n"
              "[HKEY_CURRENT_USER\\Software\\Velkor\\Folioforge]\n"
              "\"PageSize\"=dword:00000003\n"
              "\"DPI\"=dword:00000096\n");
}

TEST_F(RegistryTest, GarbageHiveNeverCrashesAndIsReplaced) {
    const auto file = HiveFile(HKEY_CURRENT_USER);
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    testsupport::WriteFile(file, garbage);
    testsupport::WriteFile(file.string() + ".corrupt-1", "older damage");

    EXPECT_FALSE(RegReadDWord(HKEY_CURRENT_USER, kKey, L"DPI"));
    EXPECT_TRUE(RegEnumSubKeys(HKEY_CURRENT_USER, L"").empty());
    ASSERT_TRUE(RegWriteDWord(HKEY_CURRENT_USER, kKey, L"DPI", 1));
    EXPECT_EQ(testsupport::ReadFile(file.string() + ".corrupt-2"), garbage);
    EXPECT_EQ(RegReadDWord(HKEY_CURRENT_USER, kKey, L"DPI"), 1u);
}

TEST_F(RegistryTest, FailedWriteReportsFailureAndLeavesNoTemporaryFile) {
    std::filesystem::create_directories(HiveFile(HKEY_CURRENT_USER));  // rename cannot replace it
    EXPECT_FALSE(RegWriteDWord(HKEY_CURRENT_USER, kKey, L"DPI", 2));
    EXPECT_FALSE(RegReadDWord(HKEY_CURRENT_USER, kKey, L"DPI"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(home_.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 2);  // the blocking folder and the lock file
}

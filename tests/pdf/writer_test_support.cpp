#include "writer_test_support.h"

#include <algorithm>

#include "platform/text.h"

namespace pdftest {

std::wstring Wide(const std::filesystem::path& path) {
    return platform::PathFromNative(path.native());
}

void WriterTest::Begin(const std::string& name) {
    ASSERT_EQ(writer_.begin_document(Wide(Path(name)), L""), 1);
}

std::vector<std::string> WriterTest::FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::filesystem::path WriterTest::Save(const std::string& name, const std::string& bytes) const {
    testsupport::WriteFile(Path(name), bytes);
    return Path(name);
}

}  // namespace pdftest

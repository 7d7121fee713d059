#include "temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace testsupport {
namespace {

std::filesystem::path TempRoot() {
    const char* root = std::getenv("FOLIOFORGE_TEST_TMP");
    std::filesystem::path base = root ? root : FOLIOFORGE_TEST_TMP_DEFAULT;
    std::filesystem::create_directories(base);
    return base;
}

}  // namespace

TempDir::TempDir() {
    std::string pattern = (TempRoot() / "ffXXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

ScopedSettingsHome::ScopedSettingsHome() {
    setenv("FOLIOFORGE_HOME", path().c_str(), 1);
}

ScopedSettingsHome::~ScopedSettingsHome() {
    unsetenv("FOLIOFORGE_HOME");
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace testsupport

// The files that make the installed program part of the desktop: they pass their validators,
// the menu entry opens every image type the program accepts, and every file that carries the
// version carries the project's.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <regex>
#include <set>

#include "engine/conversion_job.h"
#include "installed_tree.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using installtest::Lines;
using installtest::Prefix;
using testsupport::Quoted;
using testsupport::ReadFile;

const fs::path kShare = "share";

TEST(DesktopFiles, PassTheirValidators) {
    for (const char* entry :
         {"applications/folioforge.desktop", "kio/servicemenus/folioforge-pdf.desktop"}) {
        const auto result = testsupport::RunTool(
            "desktop-file-validate " + Quoted(Prefix() / kShare / entry), true);
        EXPECT_EQ(result.status, 0) << entry << ":\n" << result.output;
        EXPECT_EQ(result.output.find("error:"), std::string::npos) << result.output;
    }
    const auto metainfo = testsupport::RunTool(
        "appstreamcli validate --no-net " +
            Quoted(Prefix() / kShare / "metainfo/io.folioforge.folioforge.metainfo.xml"),
        true);
    EXPECT_EQ(metainfo.status, 0) << metainfo.output;
}

// The MIME type of each glob "*.ext" that the shared MIME database and our own definitions
// give, extension in lower case.
std::map<std::string, std::string> MimeTypesByExtension() {
    std::map<std::string, std::string> types;
    const std::regex glob(R"(^\d+:([^:]+):\*\.([a-z0-9]+)$)");
    for (const std::string& line : Lines(ReadFile("/usr/share/mime/globs2"))) {
        std::smatch match;
        if (std::regex_match(line, match, glob)) {
            types.emplace(match[2], match[1]);
        }
    }
    const std::regex ours(
        R"re(<mime-type type="([^"]+)">[\s\S]*?<glob pattern="\*\.([a-z0-9]+)"/>)re");
    const std::string definitions = ReadFile(Prefix() / kShare / "mime/packages/folioforge.xml");
    for (std::sregex_iterator it(definitions.begin(), definitions.end(), ours), end; it != end;
         ++it) {
        types[(*it)[2]] = (*it)[1];
    }
    return types;
}

std::set<std::string> DesktopMimeTypes() {
    const std::string entry = ReadFile(Prefix() / kShare / "applications/folioforge.desktop");
    std::smatch match;
    std::set<std::string> types;
    if (std::regex_search(entry, match, std::regex("\nMimeType=([^\n]*)\n"))) {
        const std::string list = match[1];
        for (size_t start = 0, end; (end = list.find(';', start)) != std::string::npos;
             start = end + 1) {
            types.insert(list.substr(start, end - start));
        }
    }
    return types;
}

TEST(DesktopFiles, MenuEntryOpensEveryAcceptedImageType) {
    if (!fs::exists("/usr/share/mime/globs2")) {
        GTEST_SKIP() << "no shared MIME database";
    }
    const std::map<std::string, std::string> byExtension = MimeTypesByExtension();
    const std::set<std::string> opened = DesktopMimeTypes();
    ASSERT_FALSE(opened.empty());
    // Every extension the MIME database knows that the program accepts needs its type listed.
    std::set<std::string> accepted;
    for (const auto& [extension, type] : byExtension) {
        if (engine::ConversionJob::IsAcceptedImage(
                L"x." + std::wstring(extension.begin(), extension.end()))) {
            accepted.insert(extension);
            EXPECT_TRUE(opened.count(type)) << "." << extension << " (" << type << ") is missing";
        }
    }
    EXPECT_TRUE(accepted.count("jbig")) << "JBIG has a type of our own";
    EXPECT_GE(accepted.size(), 12u);
}

// The width and height in a PNG file's header; 0 x 0 when it is no PNG file.
std::pair<uint32_t, uint32_t> PngSize(const fs::path& file) {
    const std::string bytes = ReadFile(file);
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) {
        return {0, 0};
    }
    const auto number = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = at; i < at + 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        }
        return value;
    };
    return {number(16), number(20)};
}

TEST(DesktopFiles, IconThemeHoldsTheIconInEverySizeAndScalable) {
    const fs::path theme = Prefix() / kShare / "icons/hicolor";
    for (const uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(theme / folder / "apps/folioforge.png"), std::make_pair(size, size))
            << folder;
    }
    const std::string svg = ReadFile(theme / "scalable/apps/folioforge.svg");
    EXPECT_NE(svg.find("<svg "), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 64 64\""), std::string::npos);
}

std::string FirstMatch(const std::string& text, const std::string& pattern) {
    std::smatch match;
    return std::regex_search(text, match, std::regex(pattern)) ? match[1].str() : std::string();
}

TEST(DesktopFiles, EveryRecordedVersionIsTheProjectVersion) {
    const std::string version = PROJECT_VERSION_TEXT;
    const std::string metainfo =
        ReadFile(Prefix() / kShare / "metainfo/io.folioforge.folioforge.metainfo.xml");
    EXPECT_EQ(FirstMatch(metainfo, R"re(<release version="([^"]+)")re"), version);
    const auto changelog = testsupport::RunTool(
        "gzip -dc " + Quoted(Prefix() / kShare / "doc/folioforge/changelog.gz"));
    EXPECT_EQ(FirstMatch(changelog.output, R"(^folioforge \(([^)]+)\))"), version);
    for (const char* page : {"folioforge.1.gz", "folioforge-cli.1.gz", "folioforge-regsvr.1.gz"}) {
        const auto source =
            testsupport::RunTool("gzip -dc " + Quoted(Prefix() / kShare / "man/man1" / page));
        EXPECT_EQ(FirstMatch(source.output, R"re("Folioforge ([^"]+)")re"), version) << page;
    }
}

}  // namespace

#pragma once

// The command line of folioforge-cli.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace cli {

// One settings change asked for on the command line, by stored field name.
struct SettingEdit {
    std::wstring field;
    std::optional<int32_t> number;  // set for number fields
    std::wstring text;              // used for text fields
};

struct CliOptions {
    std::vector<std::wstring> paths;  // images and folders, as given
    bool recursive = false;
    std::wstring output;              // empty: the configured output folder
    std::vector<SettingEdit> edits;   // in command-line order
    bool useStoredSettings = false;
    bool saveSettings = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
};

struct ParseResult {
    CliOptions options;
    std::string error;  // non-empty: a usage error, said in one line
};

ParseResult ParseCommandLine(int argc, char** argv);

// The --help text.
const char* UsageText();

}  // namespace cli

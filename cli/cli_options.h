#pragma once

// The command line of folioforge-cli.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/stored_fields.h"

namespace cli {

// One settings change asked for on the command line.
struct SettingEdit {
    const engine::StoredField* field;  // never null: an entry of engine::kStoredFields
    int32_t number = 0;                // for a number field
    std::wstring text;                 // for a text field
};

struct CliOptions {
    std::vector<std::wstring> paths;  // images and folders, as given
    bool recursive = false;
    std::wstring output;             // empty: the configured output folder
    std::vector<SettingEdit> edits;  // in command-line order
    bool useStoredSettings = false;
    bool saveSettings = false;
    bool quiet = false;
    bool noAutoRotate = false;  // images as stored, not turned by their orientation tag
    unsigned jobs = 0;          // images prepared at once; 0: the engine's default
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

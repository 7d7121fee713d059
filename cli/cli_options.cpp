#include "cli_options.h"

#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string_view>

#include "platform/text.h"

namespace cli {
namespace {

using Values = std::vector<int32_t>;
using Settings = engine::ConversionSettings;
using Field = const engine::StoredField*;

// The stored field of a member, found when the program is compiled: naming a member that is not
// stored does not compile.
template <typename T>
consteval Field Stored(T Settings::*member) {
    const size_t index = engine::StoredFieldIndex(member);
    if (index == engine::kStoredFields.size()) {
        throw "not a stored settings field";
    }
    return &engine::kStoredFields[index];
}

// Parses a whole decimal number within [low, high].
std::optional<int32_t> ParseNumber(std::string_view text, long low, long high) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    char* end = nullptr;
    const std::string copy(text);
    const long value = std::strtol(copy.c_str(), &end, 10);
    if (*end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// Parses "A<sep>B" into two numbers within [low, high].
std::optional<Values> ParsePair(std::string_view text, char separator, long low, long high) {
    const size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    auto first = ParseNumber(text.substr(0, at), low, high);
    auto second = ParseNumber(text.substr(at + 1), low, high);
    if (!first || !second) {
        return std::nullopt;
    }
    return Values{*first, *second};
}

// Parses RRGGBB into a colour reference 0x00BBGGRR.
std::optional<int32_t> ParseColor(std::string_view text) {
    if (text.starts_with('#')) {
        text.remove_prefix(1);
    }
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != text.npos) {
        return std::nullopt;
    }
    const auto rgb = static_cast<uint32_t>(std::strtoul(std::string(text).c_str(), nullptr, 16));
    return static_cast<int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
}

// The PageFormat of "image" or of a paper name the engine's page formats use.
std::optional<int32_t> PageFormatNamed(std::string_view text) {
    if (text == "image") {
        return static_cast<int32_t>(engine::PageFormat::kFollowImage);
    }
    for (auto value = static_cast<int32_t>(engine::PageFormat::kA1);
         value <= static_cast<int32_t>(engine::PageFormat::k11x17); ++value) {
        if (engine::PaperName(static_cast<engine::PageFormat>(value)) == text) {
            return value;
        }
    }
    return std::nullopt;
}

std::optional<int32_t> IndexOf(std::string_view text, std::initializer_list<std::string_view> names,
                               int32_t first) {
    int32_t index = first;
    for (std::string_view name : names) {
        if (text == name) {
            return index;
        }
        ++index;
    }
    return std::nullopt;
}

constexpr long kMaxDistance = 100000;  // points; far beyond any paper size

// An option that sets numbers: the fields and how its value becomes their numbers.
struct NumberOption {
    std::vector<Field> fields;
    std::function<std::optional<Values>(std::string_view)> parse;
    const char* expected;
};

std::optional<Values> One(std::optional<int32_t> value) {
    if (!value) {
        return std::nullopt;
    }
    return Values{*value};
}

const std::map<std::string_view, NumberOption>& NumberOptions() {
    static const std::map<std::string_view, NumberOption> options = {
        {"mode",
         {{Stored(&Settings::MakeMultiPDF)},
          [](auto t) {
              return One(IndexOf(t, {"single", "per-image", "per-folder"}, 0));
          },
          "single, per-image or per-folder"}},
        {"page-size",
         {{Stored(&Settings::PageSize)},
          [](auto t) { return One(PageFormatNamed(t)); },
          "image, a1..a6, b5, letter, legal, ledger or 11x17"}},
        {"margins",
         {{Stored(&Settings::MearginLeft), Stored(&Settings::MearginTop)},
          [](auto t) { return ParsePair(t, ',', 0, kMaxDistance); },
          "H,V in points"}},
        {"encode",
         {{Stored(&Settings::ImageEncode)},
          [](auto t) {
              return One(IndexOf(t, {"keep", "jpeg", "gray", "png", "gif", "tiff"}, 0));
          },
          "keep, jpeg, gray, png, gif or tiff"}},
        {"fallback",
         {{Stored(&Settings::DefaultImageEncode)},
          [](auto t) {
              return One(IndexOf(t, {"jpeg", "gray", "png", "gif", "tiff"}, 1));
          },
          "jpeg, gray, png, gif or tiff"}},
        {"quality",
         {{Stored(&Settings::JpepPercent)},
          [](auto t) { return One(ParseNumber(t, 0, 100)); },
          "a number from 0 to 100"}},
        {"max-size",
         {{Stored(&Settings::ImageMaxX), Stored(&Settings::ImageMaxY)},
          [](auto t) { return ParsePair(t, 'x', 0, 1000000); },
          "WxH in pixels, 0 for none"}},
        {"dpi",
         {{Stored(&Settings::DPI)},
          [](auto t) { return One(ParseNumber(t, 1, 100000)); },
          "a positive number"}},
        {"text-size",
         {{Stored(&Settings::WaterFontSize)},
          [](auto t) { return One(ParseNumber(t, 1, 254)); },
          "a number from 1 to 254"}},
        {"text-pos",
         {{Stored(&Settings::WaterPosX), Stored(&Settings::WaterPosY)},
          [](auto t) { return ParsePair(t, ',', 0, kMaxDistance); },
          "X,Y in points"}},
        {"text-color",
         {{Stored(&Settings::WaterColor)}, [](auto t) { return One(ParseColor(t)); }, "RRGGBB"}},
        {"watermark-pos",
         {{Stored(&Settings::WaterImageX), Stored(&Settings::WaterImageY)},
          [](auto t) { return ParsePair(t, ',', 0, kMaxDistance); },
          "X,Y in points"}},
        {"opacity",
         {{Stored(&Settings::WaterImageOpacity)},
          [](auto t) { return One(ParseNumber(t, 0, 100)); },
          "a percentage from 0 to 100"}},
    };
    return options;
}

// Options that take a text and the field it sets.
const std::map<std::string_view, Field>& TextOptions() {
    static const std::map<std::string_view, Field> options = {
        {"text", Stored(&Settings::WaterText)},       {"watermark", Stored(&Settings::WaterImage)},
        {"title", Stored(&Settings::PDFTitle)},       {"subject", Stored(&Settings::PDFSubject)},
        {"author", Stored(&Settings::PDFAuthor)},     {"creator", Stored(&Settings::PDFCreator)},
        {"keywords", Stored(&Settings::PDFKeywords)},
    };
    return options;
}

// Flags that set a number field to a fixed value.
const std::map<std::string_view, std::pair<Field, int32_t>>& FlagEdits() {
    static const std::map<std::string_view, std::pair<Field, int32_t>> flags = {
        {"landscape", {Stored(&Settings::RotatePage), 1}},
        {"no-bookmarks", {Stored(&Settings::CreateBookmark), 0}},
        {"beside-images", {Stored(&Settings::SaveToImageDir), 1}},
    };
    return flags;
}

std::wstring AbsolutePath(std::string_view text) {
    std::error_code error;
    const auto path = std::filesystem::absolute(std::string(text), error);
    return platform::PathFromNative(error ? std::string(text) : path.lexically_normal().native());
}

class Parser {
public:
    Parser(int argc, char** argv) : args_(argv + 1, argv + argc) {}

    ParseResult Run() {
        for (next_ = 0; next_ < args_.size() && result_.error.empty();) {
            std::string_view arg = args_[next_++];
            if (onlyPaths_ || !arg.starts_with('-')) {
                result_.options.paths.push_back(AbsolutePath(arg));
            } else if (arg == "--") {
                onlyPaths_ = true;
            } else {
                Option(arg);
            }
        }
        if (result_.error.empty() && result_.options.paths.empty() && !result_.options.help &&
            !result_.options.version) {
            result_.error = "no image or folder given (see --help)";
        }
        return std::move(result_);
    }

private:
    static std::string_view LongName(std::string_view arg) {
        static const std::map<std::string_view, std::string_view> shortNames = {
            {"-o", "output"}, {"-m", "mode"}, {"-r", "recursive"}, {"-q", "quiet"}, {"-h", "help"}};
        if (arg.starts_with("--")) {
            return arg.substr(2);
        }
        auto it = shortNames.find(arg);
        return it == shortNames.end() ? std::string_view() : it->second;
    }

    // The option's value: after '=' in the same argument, or the next argument.
    std::optional<std::string_view> Value(std::string_view& name) {
        const size_t equals = name.find('=');
        if (equals != std::string_view::npos) {
            std::string_view value = name.substr(equals + 1);
            name = name.substr(0, equals);
            return value;
        }
        if (next_ >= args_.size()) {
            return std::nullopt;
        }
        return std::string_view(args_[next_++]);
    }

    bool Flag(std::string_view name) {
        CliOptions& o = result_.options;
        const std::map<std::string_view, bool*> flags = {{"recursive", &o.recursive},
                                                         {"settings", &o.useStoredSettings},
                                                         {"save-settings", &o.saveSettings},
                                                         {"quiet", &o.quiet},
                                                         {"no-auto-rotate", &o.noAutoRotate},
                                                         {"help", &o.help},
                                                         {"version", &o.version}};
        if (auto it = flags.find(name); it != flags.end()) {
            *it->second = true;
            return true;
        }
        if (auto it = FlagEdits().find(name); it != FlagEdits().end()) {
            o.edits.push_back({it->second.first, it->second.second, {}});
            return true;
        }
        return false;
    }

    void Option(std::string_view arg) {
        std::string_view name = LongName(arg);
        if (name.empty()) {
            result_.error = "unknown option " + std::string(arg);
        } else if (name.find('=') == std::string_view::npos && Flag(name)) {
            return;
        } else if (auto value = Value(name)) {
            ValuedOption(name, *value);
        } else {
            result_.error = "option --" + std::string(name) + " needs a value";
        }
    }

    void ValuedOption(std::string_view name, std::string_view value) {
        CliOptions& o = result_.options;
        if (name == "output") {
            o.output = AbsolutePath(value);
        } else if (name == "jobs") {
            JobsOption(value);
        } else if (auto text = TextOptions().find(name); text != TextOptions().end()) {
            const bool isPath = name == "watermark";
            o.edits.push_back(
                {text->second, 0, isPath ? AbsolutePath(value) : platform::FromUtf8(value)});
        } else if (auto number = NumberOptions().find(name); number != NumberOptions().end()) {
            NumberEdits(name, number->second, value);
        } else {
            result_.error = "unknown option --" + std::string(name);
        }
    }

    void JobsOption(std::string_view value) {
        const std::optional<int32_t> jobs = ParseNumber(value, 1, 1024);
        if (!jobs) {
            result_.error =
                "--jobs takes a number from 1 to 1024, not '" + std::string(value) + "'";
            return;
        }
        result_.options.jobs = static_cast<unsigned>(*jobs);
    }

    void NumberEdits(std::string_view name, const NumberOption& option, std::string_view value) {
        const auto numbers = option.parse(value);
        if (!numbers) {
            result_.error = "--" + std::string(name) + " takes " + option.expected + ", not '" +
                            std::string(value) + "'";
            return;
        }
        for (size_t i = 0; i < option.fields.size(); ++i) {
            result_.options.edits.push_back({option.fields[i], (*numbers)[i], {}});
        }
    }

    std::vector<std::string_view> args_;
    size_t next_ = 0;
    bool onlyPaths_ = false;
    ParseResult result_;
};

}  // namespace

ParseResult ParseCommandLine(int argc, char** argv) {
    return Parser(argc, argv).Run();
}

const char* UsageText() {
    return R"(Usage: folioforge-cli [OPTIONS] PATH...
Converts images into PDF. PATH is an image or a folder (its images in natural order).

Output
  -o, --output PATH        the PDF (single mode) or the output folder (other modes);
                           default: the configured output folder, named after the images' folder
  -m, --mode MODE          single (one PDF, default), per-image, per-folder
      --beside-images      per-image/per-folder PDFs go beside the images
  -r, --recursive          descend into subfolders
Pages
      --page-size SIZE     image (page follows the image), a1..a6, b5, letter, legal, ledger, 11x17
      --landscape          named paper sizes in landscape
      --margins H,V        horizontal and vertical margins in points
Images
      --encode MODE        keep (default), jpeg, gray, png, gif, tiff
      --fallback MODE      re-encoding when an image cannot be kept: jpeg, gray, png, gif, tiff
      --quality N          JPEG quality, 0 to 100
      --max-size WxH       shrink larger images to fit (pixels; 0 for no limit)
      --dpi N              resolution given to re-encoded images
Watermarks
      --text TEMPLATE      text with %FileName%, %Number%, %MDate%
      --text-size N        points (default 20)
      --text-pos X,Y       from the left and the top edge, in points
      --text-color RRGGBB  text colour (default 000000)
      --watermark IMAGE    image watermark
      --watermark-pos X,Y  from the left and the bottom edge, in points
      --opacity PERCENT    opacity of the image watermark and the text after it
Document
      --title, --subject, --author, --creator, --keywords TEXT
      --no-bookmarks       no bookmark per page
      --no-auto-rotate     place images as stored, ignoring their EXIF/TIFF orientation
Settings
      --settings           start from the stored settings instead of the defaults
      --save-settings      store the settings given on this command line
Other
  -q, --quiet              no progress, no summary
      --jobs N             images prepared at once (default: one per hardware thread)
  -h, --help               this text
      --version            the version

Ctrl-C, SIGTERM or SIGHUP stops after the current image (the pages done are written); a second
one stops at once.

Exit status: 0 at least one page written (skipped images alone do not fail a run), 1 a
document could not be created, 2 no images, 3 no output, 4 PDF error or no page written,
5 document information failed, 7 interrupted, 64 usage error (also: no home folder and no -o),
70 internal error, 74 standard output could not be written.
)";
}

}  // namespace cli

#include "font_locator.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <mutex>

#include "platform/text.h"

#if defined(__SANITIZE_ADDRESS__)
// fontconfig loses a few blocks while parsing the system's configuration once per process; they
// are not ours to free, so leak checking leaves them out.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

namespace pdf {
namespace {

std::mutex& FontconfigMutex() {
    static std::mutex mutex;
    return mutex;
}

// What a candidate font must offer, and the pattern that ranks the candidates.
struct FontRequest {
    std::string family;              // requested family, "" for none
    const char* language = nullptr;  // the font must support it fully
    bool familyMustMatch = false;
};

FontRequest RequestFor(std::wstring_view name) {
    if (platform::EqualsIgnoreCase(name, L"KozMinPro-Regular-Acro"))
        return {"serif", "ja"};
    if (name == L"宋体" || platform::EqualsIgnoreCase(name, L"SimSun")) {
        return {"serif", "zh-cn"};
    }
    if (platform::EqualsIgnoreCase(name, L"Arial"))
        return {"Arial"};
    return {platform::ToUtf8(name), nullptr, true};
}

bool IsOutlineFont(FcPattern* font) {
    FcChar8* format = nullptr;
    if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch)
        return false;
    const std::string_view kind = reinterpret_cast<const char*>(format);
    return kind == "TrueType" || kind == "CFF";
}

bool SupportsLanguage(FcPattern* font, const char* language) {
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) != FcResultMatch)
        return false;
    return FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(language)) == FcLangEqual;
}

bool HasFamily(FcPattern* font, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
        const std::wstring candidate = platform::FromUtf8(reinterpret_cast<const char*>(name));
        if (platform::EqualsIgnoreCase(candidate, platform::FromUtf8(family)))
            return true;
    }
    return false;
}

bool HasLatinLetters(FcPattern* font) {
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch)
        return false;
    return FcCharSetHasChar(characters, 'A') && FcCharSetHasChar(characters, 'z');
}

bool Fits(FcPattern* font, const FontRequest& request) {
    if (!IsOutlineFont(font))
        return false;
    if (request.language)
        return SupportsLanguage(font, request.language);
    if (request.familyMustMatch)
        return HasFamily(font, request.family);
    return HasLatinLetters(font);
}

bool HasCharacter(FcPattern* font, char32_t character) {
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch)
        return false;
    return FcCharSetHasChar(characters, character);
}

// Colour emoji fonts hold bitmaps only; a PDF font needs outlines.
bool HasOutlines(FcPattern* font) {
    FcBool outline = FcFalse;
    return FcPatternGetBool(font, FC_OUTLINE, 0, &outline) == FcResultMatch && outline;
}

std::optional<FontLocation> LocationOf(FcPattern* font) {
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    return FontLocation{reinterpret_cast<const char*>(file), index};
}

using PatternPtr = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>;
using FontSetPtr = std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)>;

PatternPtr PatternFor(const FontRequest& request) {
    PatternPtr pattern(FcPatternCreate(), FcPatternDestroy);
    FcPatternAddString(pattern.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(request.family.c_str()));
    if (request.language) {
        FcPatternAddString(pattern.get(), FC_LANG,
                           reinterpret_cast<const FcChar8*>(request.language));
    }
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

// Fonts ranked for showing character, sans-serif first.
PatternPtr PatternForCharacter(char32_t character) {
    PatternPtr pattern(FcPatternCreate(), FcPatternDestroy);
    FcCharSet* characters = FcCharSetCreate();
    FcCharSetAddChar(characters, character);
    FcPatternAddCharSet(pattern.get(), FC_CHARSET, characters);
    FcCharSetDestroy(characters);
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

}  // namespace

void AddFontFolder(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return;
    const std::lock_guard lock(FontconfigMutex());
    FcInit();
    FcConfigAppFontAddDir(nullptr, reinterpret_cast<const FcChar8*>(folder.c_str()));
}

namespace {

// The location of the first font, in fontconfig's order of closeness to the pattern that
// builds, that accepted takes.
template <typename BuildPattern, typename Accept>
std::optional<FontLocation> FirstSortedFont(BuildPattern buildPattern, Accept accepted) {
    const std::lock_guard lock(FontconfigMutex());
    FcInit();
    PatternPtr pattern = buildPattern();
    FcResult result = FcResultNoMatch;
    FontSetPtr fonts(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result),
                     FcFontSetDestroy);
    if (!fonts) {
        return std::nullopt;
    }
    for (int i = 0; i < fonts->nfont; ++i) {
        if (accepted(fonts->fonts[i])) {
            return LocationOf(fonts->fonts[i]);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<FontLocation> LocateFont(std::wstring_view name) {
    const FontRequest request = RequestFor(name);
    if (request.family.empty()) {
        return std::nullopt;
    }
    return FirstSortedFont([&request] { return PatternFor(request); },
                           [&request](FcPattern* font) { return Fits(font, request); });
}

std::optional<FontLocation> LocateFontFor(char32_t character) {
    return FirstSortedFont([character] { return PatternForCharacter(character); },
                           [character](FcPattern* font) {
                               return IsOutlineFont(font) && HasOutlines(font) &&
                                      HasCharacter(font, character);
                           });
}

}  // namespace pdf

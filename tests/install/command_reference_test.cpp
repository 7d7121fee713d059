// The manual pages render cleanly, and they and the bash completion cover every option and exit
// status that folioforge-cli --help lists.

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "installed_tree.h"

namespace {

namespace fs = std::filesystem;
using installtest::OutsideFolder;
using installtest::Prefix;
using installtest::RunIn;
using testsupport::Quoted;

const fs::path kManuals = "share/man/man1";

TEST(CommandReference, ManualPagesRenderWithoutWarnings) {
    OutsideFolder work;
    for (const char* page : {"folioforge.1.gz", "folioforge-cli.1.gz", "folioforge-regsvr.1.gz"}) {
        const auto rendered =
            RunIn(work.path(), "MANWIDTH=80 man -l --warnings " +
                                   Quoted(Prefix() / kManuals / page) + " 2>&1 >/dev/null");
        EXPECT_EQ(rendered.status, 0) << page;
        EXPECT_EQ(rendered.output, "") << page;
    }
}

std::string HelpText() {
    OutsideFolder work;
    return RunIn(work.path(), Quoted(Prefix() / "bin/folioforge-cli") + " --help").output;
}

std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex expression(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), expression), end; it != end; ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// "-o", "--output", ... as --help writes them at the start of its option lines and in its lists
// of options that share a line ("--title, --subject, ...").
std::set<std::string> HelpOptions() {
    return Matches(HelpText(), R"((?:^|\n| |,)(--?[a-z][a-z-]*))");
}

// The rendered page's text, wide enough that no option is broken across lines.
std::string RenderedPage(const char* page) {
    OutsideFolder work;
    return RunIn(work.path(), "MANWIDTH=200 man -l " + Quoted(Prefix() / kManuals / page)).output;
}

TEST(CommandReference, ManualPageListsEveryOptionAndExitStatusOfTheHelp) {
    const std::string help = HelpText();
    const std::set<std::string> options = HelpOptions();
    ASSERT_GT(options.size(), 30u) << help;
    const std::string page = RenderedPage("folioforge-cli.1.gz");
    for (const std::string& option : options) {
        EXPECT_TRUE(std::regex_search(
            page, std::regex("(^|[ ,])" + option + "([ ,=]|$)", std::regex::multiline)))
            << option;
    }
    const std::string statuses = help.substr(help.find("Exit status:"));
    const std::set<std::string> codes = Matches(statuses, R"((?:^|[ \n])(\d+) [a-zA-Z])");
    ASSERT_GE(codes.size(), 8u) << statuses;
    const std::string section = page.substr(page.find("EXIT STATUS"));
    for (const std::string& code : codes) {
        EXPECT_TRUE(std::regex_search(section, std::regex("\n +" + code + " +[A-Z]"))) << code;
    }
}

// The words bash completion offers for the command line "folioforge-cli WORDS..." (the last
// word is the one being completed).
std::set<std::string> Completions(const std::string& words) {
    OutsideFolder work;
    const fs::path script = Prefix() / "share/bash-completion/completions/folioforge-cli";
    const auto result =
        RunIn(work.path(), "COMPLETION=" + Quoted(script) +
                               " bash -c 'shopt -s extglob; source \"$COMPLETION\"; "
                               "COMP_WORDS=(folioforge-cli " +
                               words +
                               "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _folioforge_cli; "
                               "printf \"%s\\n\" \"${COMPREPLY[@]}\"'");
    const std::vector<std::string> lines = installtest::Lines(result.output);
    return {lines.begin(), lines.end()};
}

TEST(CommandReference, CompletionOffersEveryOptionOfTheHelp) {
    const std::set<std::string> offered = Completions("-");
    for (const std::string& option : HelpOptions()) {
        EXPECT_TRUE(offered.count(option)) << option;
    }
}

TEST(CommandReference, CompletedValuesAreAcceptedByTheConverter) {
    const std::string cli = Quoted(Prefix() / "bin/folioforge-cli");
    OutsideFolder work;
    for (const char* option : {"--mode", "--page-size", "--encode", "--fallback"}) {
        const std::set<std::string> values = Completions(std::string(option) + " \"\"");
        EXPECT_GE(values.size(), 3u) << option;
        for (const std::string& value : values) {
            // A rejected value is a usage error before --help is reached.
            const auto result =
                RunIn(work.path(), cli + " " + option + " " + Quoted(value) + " --help");
            EXPECT_EQ(result.status, 0) << option << " " << value << ": " << result.output;
        }
    }
}

}  // namespace

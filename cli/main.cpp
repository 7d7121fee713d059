// folioforge-cli: converts images into PDF documents from the command line.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "cli_options.h"
#include "engine/conversion_job.h"
#include "engine/output_target.h"
#include "engine/page_room.h"
#include "image_collector.h"
#include "platform/console.h"
#include "platform/file_io.h"
#include "platform/text.h"
#include "progress_reporter.h"
#include "run_outcome.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kInternalError = 70;
constexpr int kOutputError = 74;

struct RunContext {
    cli::ProgressReporter* reporter;
};

int32_t OnProgress(int32_t total, int32_t index, const wchar_t* text, void* context) {
    if (platform::Interrupted()) {
        return -1;
    }
    static_cast<RunContext*>(context)->reporter->Progress(total, index, text ? text : L"");
    return 0;
}

// Applies the command line's settings to the record alone.
void ApplyEdits(const cli::CliOptions& options, engine::ConversionSettings& settings) {
    for (const cli::SettingEdit& edit : options.edits) {
        const engine::StoredField& field = *edit.field;
        if (field.kind == engine::FieldKind::kNumber) {
            settings.*field.number = edit.number;
        } else {
            settings.*field.text = edit.text;
        }
    }
}

// Stores the command line's settings through the setters of a record loaded from the store,
// so that every value given ends up stored, even one equal to a built-in default.
void StoreEdits(const cli::CliOptions& options) {
    engine::ConversionSettings stored;
    stored.LoadSettings();
    for (const cli::SettingEdit& edit : options.edits) {
        const engine::StoredField& field = *edit.field;
        if (field.kind == engine::FieldKind::kNumber) {
            stored.SetNumber(field.name, edit.number);
        } else {
            stored.SetText(field.name, edit.text);
        }
    }
}

// Where the run writes: the PDF (single mode) or the folder (other modes), and whether the PDF's
// name was chosen here, so that the run claims the first free variant of it when it writes.
struct Output {
    std::wstring path;
    bool claim = false;
};

// -o when given (a folder given in single mode receives a PDF named after the images'
// folder), else the configured folder.
Output OutputFor(const cli::CliOptions& options, engine::ConversionSettings& settings,
                 const std::wstring& firstImage) {
    const engine::DocumentMode mode = settings.GetDocumentMode();
    const bool single = mode == engine::DocumentMode::kSingle;
    const bool toFolder = platform::KindOf(options.output) == platform::PathKind::kFolder;
    if (single && (options.output.empty() || toFolder)) {
        const std::wstring base =
            options.output.empty() ? settings.GetOutputFolder() : options.output;
        return {engine::DefaultOutputFile(base, firstImage), true};
    }
    if (options.output.empty()) {
        return {engine::DefaultOutputTarget(settings.GetOutputFolder(), firstImage, mode,
                                            settings.SaveToImageDir != 0)};
    }
    if (!single) {
        platform::CreateFolders(options.output);
    }
    return {options.output};
}

// True when writing the PDF to output would replace one of the job's images.
bool OverwritesAnImage(const std::wstring& output, engine::ConversionJob& job) {
    std::error_code error;
    const auto target = std::filesystem::weakly_canonical(platform::PathToNative(output), error);
    std::wstring image;
    for (size_t i = 0; job.GetImagePath(i, image) == 0; ++i) {
        std::error_code imageError;
        if (std::filesystem::weakly_canonical(platform::PathToNative(image), imageError) ==
            target) {
            return true;
        }
    }
    return false;
}

// Runs the job; a first Ctrl-C, SIGTERM or SIGHUP meanwhile is acknowledged at once and stops
// the run after the current image.
engine::RunResult RunWatchingForInterruption(engine::ConversionJob& job) {
    const platform::InterruptWatch watch(
        "\nfolioforge-cli: stopping after the current image (press Ctrl-C again to stop now)\n");
    return job.Run();
}

void AddImages(engine::ConversionJob& job, const cli::CliOptions& options,
               cli::ProgressReporter& reporter) {
    const cli::CollectedImages collected = cli::CollectImages(options.paths, options.recursive);
    for (const cli::PassedOver& passed : collected.passedOver) {
        reporter.Skipped(passed.path, passed.reason);
    }
    for (const std::wstring& path : collected.images) {
        if (job.AddImagePath(path) < 0) {
            reporter.Skipped(path, L"not an image type the converter accepts");
        }
    }
}

// Without -o the PDFs go into the configured folder, by default below the home folder: with no
// home folder known there is nowhere sensible to write ("/Documents" is not one).
bool HasSomewhereToWrite(const cli::CliOptions& options, engine::ConversionSettings& settings) {
    if (!options.output.empty() || !settings.GetOutputFolder().empty()) {
        return true;
    }
    std::fprintf(stderr,
                 "folioforge-cli: no home folder is known (HOME is not set) and no output was "
                 "given: name one with -o\n");
    return false;
}

// The settings the run follows, stored first when asked; nullopt, said on standard error, when
// they leave no room on the page or nowhere to write.
std::optional<engine::ConversionSettings> PrepareSettings(const cli::CliOptions& options) {
    engine::ConversionSettings settings;
    if (options.useStoredSettings) {
        settings.LoadSettings();
    }
    ApplyEdits(options, settings);
    settings.autoRotate = !options.noAutoRotate;
    if (const std::wstring noRoom = engine::NoRoomReason(settings); !noRoom.empty()) {
        std::fprintf(stderr, "folioforge-cli: %s\n", platform::ToUtf8(noRoom).c_str());
        return std::nullopt;
    }
    if (!HasSomewhereToWrite(options, settings)) {
        return std::nullopt;
    }
    if (options.saveSettings) {
        StoreEdits(options);
    }
    return settings;
}

int Convert(const cli::CliOptions& options) {
    std::optional<engine::ConversionSettings> prepared = PrepareSettings(options);
    if (!prepared) {
        return kUsageError;
    }
    engine::ConversionSettings& settings = *prepared;
    cli::ProgressReporter reporter(stderr, platform::IsTerminal(stderr), options.quiet);
    engine::ConversionJob job;
    AddImages(job, options, reporter);
    std::wstring firstImage;
    if (job.GetImagePath(0, firstImage) != 0) {
        reporter.Finish(engine::RESULT_NO_IMAGES, 0, {});
        return -engine::RESULT_NO_IMAGES;
    }
    const Output output = OutputFor(options, settings, firstImage);
    const bool single = settings.GetDocumentMode() == engine::DocumentMode::kSingle;
    if (single && !output.claim && OverwritesAnImage(output.path, job)) {
        std::fprintf(stderr, "folioforge-cli: the PDF would replace the image %s\n",
                     platform::ToUtf8(platform::DisplayPath(output.path)).c_str());
        return kUsageError;
    }
    job.SetOutputLocation(output.path);
    if (single) {
        job.SetOutputFile(output.path);
        job.SetClaimOutputFile(output.claim);
    }
    job.SetSettings(settings);
    job.SetWorkerCount(options.jobs);
    RunContext context{&reporter};
    job.SetProgressCallback(OnProgress, &context);
    job.SetDiagnosticSink([&](const std::wstring& path, const std::wstring& reason) {
        reporter.Skipped(path, reason);
    });
    const engine::RunResult result = RunWatchingForInterruption(job);
    // An interrupted run writes the pages done so far, yet it did not do what was asked.
    const cli::RunOutcome outcome = cli::JudgeRun(result, platform::Interrupted(), job.Documents());
    reporter.Finish(outcome.shown, outcome.pages, outcome.written, outcome.notWritten);
    return outcome.exitStatus;
}

}  // namespace

// The status of a run that only printed: kOutputError, said on standard error, when what was
// printed did not reach standard output (a full disk, a closed pipe), else 0.
int PrintedStatus() {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) {
        return 0;
    }
    std::fprintf(stderr, "folioforge-cli: cannot write to standard output: %s\n",
                 std::strerror(errno));
    return kOutputError;
}

int main(int argc, char** argv) {
    // With a standard descriptor closed, the PDF could be opened on it and receive messages.
    platform::OpenStandardDescriptors();
    // A write beyond the file-size limit then fails and is reported like a full disk.
    platform::IgnoreFileSizeSignal();
    const cli::ParseResult parsed = cli::ParseCommandLine(argc, argv);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "folioforge-cli: %s\n", parsed.error.c_str());
        return kUsageError;
    }
    if (parsed.options.help) {
        std::fputs(cli::UsageText(), stdout);
        return PrintedStatus();
    }
    if (parsed.options.version) {
        std::printf("folioforge-cli %s\n", FOLIOFORGE_VERSION);
        return PrintedStatus();
    }
    try {
        return Convert(parsed.options);
    } catch (const std::exception& failure) {
        // A fault inside the converter (out of memory, say) is said plainly, not aborted on.
        std::fprintf(stderr, "folioforge-cli: internal error: %s\n", failure.what());
        return kInternalError;
    }
}

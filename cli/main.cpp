// folioforge-cli: converts images into PDF documents from the command line.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

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

// The PDF (single mode) or folder (other modes) to write: -o when given (a folder given in
// single mode receives a PDF named after the images' folder), else the configured folder.
std::wstring OutputFor(const cli::CliOptions& options, engine::ConversionSettings& settings,
                       const std::wstring& firstImage) {
    const engine::DocumentMode mode = settings.GetDocumentMode();
    const bool single = mode == engine::DocumentMode::kSingle;
    if (options.output.empty()) {
        return engine::DefaultOutputTarget(settings.GetOutputFolder(), firstImage, mode,
                                           settings.SaveToImageDir != 0);
    }
    if (single && platform::KindOf(options.output) == platform::PathKind::kFolder) {
        return engine::DefaultOutputTarget(options.output, firstImage, mode, false);
    }
    if (!single) {
        platform::CreateFolders(options.output);
    }
    return options.output;
}

// True when writing the PDF to output would replace one of the job's images.
bool OverwritesAnImage(const std::wstring& output, engine::ConversionJob& job) {
    std::error_code error;
    const auto target = std::filesystem::weakly_canonical(platform::ToUtf8(output), error);
    std::wstring image;
    for (size_t i = 0; job.GetImagePath(i, image) == 0; ++i) {
        std::error_code imageError;
        if (std::filesystem::weakly_canonical(platform::ToUtf8(image), imageError) == target) {
            return true;
        }
    }
    return false;
}

// Runs the job; a first Ctrl-C meanwhile stops it after the current image.
engine::RunResult RunWatchingForCtrlC(engine::ConversionJob& job) {
    const platform::InterruptWatch watch;
    return job.Run();
}

void AddImages(engine::ConversionJob& job, const cli::CliOptions& options,
               cli::ProgressReporter& reporter) {
    const cli::CollectedImages collected = cli::CollectImages(options.paths, options.recursive);
    for (const std::wstring& path : collected.missing) {
        reporter.Rejected(path, L"no such file or folder");
    }
    for (const std::wstring& path : collected.images) {
        if (job.AddImagePath(path) < 0) {
            reporter.Rejected(path, L"not an image type the converter accepts");
        }
    }
}

int Convert(const cli::CliOptions& options) {
    engine::ConversionSettings settings;
    if (options.useStoredSettings) {
        settings.LoadSettings();
    }
    ApplyEdits(options, settings);
    if (const std::wstring noRoom = engine::NoRoomReason(settings); !noRoom.empty()) {
        std::fprintf(stderr, "folioforge-cli: %s\n", platform::ToUtf8(noRoom).c_str());
        return kUsageError;
    }
    if (options.saveSettings) {
        StoreEdits(options);
    }

    cli::ProgressReporter reporter(stderr, platform::IsTerminal(stderr), options.quiet);
    engine::ConversionJob job;
    AddImages(job, options, reporter);
    std::wstring firstImage;
    if (job.GetImagePath(0, firstImage) != 0) {
        reporter.Finish(engine::RESULT_NO_IMAGES, 0, {});
        return -engine::RESULT_NO_IMAGES;
    }
    const std::wstring output = OutputFor(options, settings, firstImage);
    const bool single = settings.GetDocumentMode() == engine::DocumentMode::kSingle;
    if (single && OverwritesAnImage(output, job)) {
        std::fprintf(stderr, "folioforge-cli: the PDF would replace the image %s\n",
                     platform::ToUtf8(output).c_str());
        return kUsageError;
    }
    job.SetOutputLocation(output);
    if (single) {
        job.SetOutputFile(output);
    }
    job.SetSettings(settings);
    job.SetWorkerCount(options.jobs);
    RunContext context{&reporter};
    job.SetProgressCallback(OnProgress, &context);
    job.SetDiagnosticSink([&](const std::wstring& path, const std::wstring& reason) {
        reporter.Skipped(path, reason);
    });
    const engine::RunResult result = RunWatchingForCtrlC(job);
    // An interrupted run writes the pages done so far, yet it did not do what was asked.
    const cli::RunOutcome outcome = cli::JudgeRun(result, platform::Interrupted(), job.Documents());
    reporter.Finish(outcome.shown, outcome.pages, outcome.written);
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

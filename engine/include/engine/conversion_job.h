#pragma once

// One conversion: the ordered image paths, a snapshot of the settings, the output target and
// the progress callback. Filled by whoever decides a conversion, run once by the engine on a
// worker thread, watched through the callback.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "engine/conversion_settings.h"
#include "engine/result_codes.h"

namespace engine {

class EncodeAhead;

// Reports progress from the engine's thread. total is the number of image paths, index the
// number of images handled so far, text a path, context the job's progressContext. Answer 0 to
// go on, a negative value to stop.
using ProgressCallback = int32_t (*)(int32_t total, int32_t index, const wchar_t* text,
                                     void* context);

// Told about every image that produced no page, with a reason a person can read. Called on the
// engine's thread; it must not call back into the job.
using DiagnosticSink = std::function<void(const std::wstring& path, const std::wstring& reason)>;

class ConversionJob {
public:
    // Guarded by jobLock while the engine runs (it holds the lock for the whole run).
    std::vector<std::wstring> imagePaths;
    std::recursive_mutex jobLock;
    ConversionSettings settingsSnapshot;  // defaults until the conversion command copies it
    std::wstring outputFile;              // single-PDF mode: the PDF to write
    std::wstring outputLocation;          // written before the run: the PDF or the output folder
    ProgressCallback progressCallback = nullptr;
    void* progressContext = nullptr;
    int32_t watermarkImageHandle = -1;  // engine only: the watermark image in the open document
    DiagnosticSink diagnosticSink;      // optional; set before the run
    EncodeAhead* encodeAhead = nullptr; // engine only: images being re-encoded ahead of a run
    int32_t pagesPlaced = 0;            // pages the run completed, for the caller's summary

    // Converts the images into PDF files as settingsSnapshot.MakeMultiPDF says (one document,
    // one per image, one per source folder), reporting through progressCallback before every
    // image. Holds jobLock for the whole run. Returns a RunResult. Call once, on a worker thread.
    int32_t Run();

    // Appends an existing file that passes IsAcceptedImage. Returns the new number of paths, or
    // -1 (and changes nothing) when the file is missing or not an accepted image.
    int32_t AddImagePath(const std::wstring& path);

    // Copies the path at index into path and returns 0; an empty path and -1 when index is not
    // below the number of paths.
    int32_t GetImagePath(size_t index, std::wstring& path);

    std::wstring GetOutputFile();

    // Read without the lock: it is written only before the worker starts.
    std::wstring GetOutputLocation() const { return outputLocation; }

    // True when the text from the last dot of the file-name part, in lower case, is one of the
    // twelve accepted image extensions. The file is not looked at.
    static bool IsAcceptedImage(std::wstring_view path);
};

}  // namespace engine

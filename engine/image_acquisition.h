#pragma once

// Turns an image file into an image handle of the open PDF document: embedded unchanged, or
// decoded, limited in size, given a resolution and re-encoded through the in-memory file
// "/pvf/image".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_settings.h"
#include "pdfwriter/pdf_writer.h"
#include "run_state.h"

namespace engine {

// Encoded bytes registered with the writer as "/pvf/image". Destroying it removes the name and
// frees the bytes; the writer must stay alive until then. At most one exists at a time.
class EncodedBlock {
public:
    EncodedBlock(pdf::PdfWriter& writer, std::vector<uint8_t> bytes);
    ~EncodedBlock();
    EncodedBlock(const EncodedBlock&) = delete;
    EncodedBlock& operator=(const EncodedBlock&) = delete;

private:
    pdf::PdfWriter& writer_;
    std::vector<uint8_t> bytes_;
};

// How an image is re-encoded: the mode of ImageEncode and the size limits (the largest value
// meaning none).
struct EncodeRequest {
    int32_t mode = kEncodeJpeg;
    uint32_t maxWidth = UINT32_MAX;
    uint32_t maxHeight = UINT32_MAX;
};

// Encoded bytes of an image file, or why there are none.
struct EncodedImage {
    std::optional<std::vector<uint8_t>> bytes;
    std::wstring failure;
};

// The re-encoding the settings ask for without trying to embed the file first; nullopt when
// the file is to be embedded unchanged if the writer can (keep mode without limits or DPI).
std::optional<EncodeRequest> UpfrontEncodeRequest(const ConversionSettings& settings);

// Decodes the file, turns it upright (autoRotate), applies the DPI and the size limits (to the
// picture as shown) and encodes it as the request says.
// Touches nothing but the file: safe on any thread.
EncodedImage EncodeImageFile(const ConversionSettings& settings, const std::wstring& path,
                             const EncodeRequest& request);

struct AcquiredImage {
    int handle = -1;                      // -1: the image is skipped
    std::unique_ptr<EncodedBlock> block;  // the re-encoded bytes behind handle, if any
    std::wstring failure;                 // why there is no handle
};

// Decides between embedding the file and re-encoding it (ImageEncode, DefaultImageEncode,
// ImageMaxX/Y and DPI of the run's settings) and loads the result into the writer. PDF writer
// errors propagate.
AcquiredImage AcquireImage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path);

// The file handed to the writer unchanged, placed as its orientation says when autoRotate is
// set; -1 when the writer cannot embed it.
int LoadDirect(pdf::PdfWriter& writer, const std::wstring& path, bool autoRotate);

// EncodeImageFile, or the bytes the run's look-ahead prepared for path, registered as
// "/pvf/image"; or, when the file cannot be read, decoded or encoded, the reason.
struct ReencodedImage {
    std::unique_ptr<EncodedBlock> block;
    std::wstring failure;
};
ReencodedImage ReencodeImage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path,
                             const EncodeRequest& request);

// The whole file; nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path);

}  // namespace engine

#pragma once

// Turns an image file into an image handle of the open PDF document: embedded unchanged, or
// decoded, limited in size, given a resolution and re-encoded through the in-memory file
// "/pvf/image".

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "engine/conversion_settings.h"
#include "pdfwriter/pdf_writer.h"
#include "pdfwriter/png_proof.h"
#include "run_state.h"

namespace engine {

// Bytes registered with the writer as "/pvf/image": re-encoded bytes, or a PNG file proven for
// pass-through. Destroying it removes the name and frees the bytes; the writer must stay alive
// until then. At most one exists at a time.
class EncodedBlock {
public:
    EncodedBlock(pdf::PdfWriter& writer, std::vector<uint8_t> bytes);
    EncodedBlock(pdf::PdfWriter& writer, pdf::ProvenPng png);
    ~EncodedBlock();
    EncodedBlock(const EncodedBlock&) = delete;
    EncodedBlock& operator=(const EncodedBlock&) = delete;

private:
    void Register(std::span<const uint8_t> bytes);

    pdf::PdfWriter& writer_;
    std::vector<uint8_t> bytes_;
    std::optional<pdf::ProvenPng> png_;
};

// How an image is re-encoded: the mode of ImageEncode and the size limits (the largest value
// meaning none).
struct EncodeRequest {
    int32_t mode = kEncodeJpeg;
    uint32_t maxWidth = UINT32_MAX;
    uint32_t maxHeight = UINT32_MAX;
};

// What was made of an image file ahead of its page: its re-encoded bytes, or the file proven
// for pass-through, or neither (and then, when re-encoding, why).
struct PreparedImage {
    std::optional<std::vector<uint8_t>> bytes;
    std::optional<pdf::ProvenPng> png;
    std::wstring failure;

    // The memory it holds.
    uint64_t HeldBytes() const;
};

// The re-encoding the settings ask for without trying to embed the file first; nullopt when
// the file is to be embedded unchanged if the writer can (keep mode without limits or DPI).
std::optional<EncodeRequest> UpfrontEncodeRequest(const ConversionSettings& settings);

// Decodes the file, turns it upright (autoRotate), applies the DPI and the size limits (to the
// picture as shown) and encodes it as the request says.
// Touches nothing but the file: safe on any thread.
PreparedImage EncodeImageFile(const ConversionSettings& settings, const std::wstring& path,
                              const EncodeRequest& request);

struct AcquiredImage {
    int handle = -1;                      // -1: the image is skipped
    std::unique_ptr<EncodedBlock> block;  // the re-encoded bytes behind handle, if any
    std::wstring failure;                 // why there is no handle
};

// Decides between embedding the file and re-encoding it (ImageEncode, DefaultImageEncode,
// ImageMaxX/Y and DPI of the run's settings) and loads the result into the writer, taking what
// the run's pipeline prepared for path when it has it. PDF writer errors propagate.
AcquiredImage AcquireImage(RunState& run, pdf::PdfWriter& writer, const std::wstring& path);

// The file handed to the writer unchanged, placed as its orientation says when autoRotate is
// set; -1 when the writer cannot embed it.
int LoadDirect(pdf::PdfWriter& writer, const std::wstring& path, bool autoRotate);

// The PNG file at path read and proven for pass-through (pdf::ProvenPng); nothing when it is no
// such PNG, is larger than kLargestProvenPng or cannot be read (the writer then reads it
// itself). Touches nothing but the file: safe on any thread.
PreparedImage ProvePngFile(const std::wstring& path);

// PNG files above this size are left to the writer, which reads them itself.
inline constexpr uint64_t kLargestProvenPng = 256ull << 20;

}  // namespace engine

#pragma once

// Turns an image file into an image handle of the open PDF document: embedded unchanged, or
// decoded, limited in size, given a resolution and re-encoded through the in-memory file
// "/pvf/image".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/conversion_job.h"
#include "pdfwriter/pdf_writer.h"

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

struct AcquiredImage {
    int handle = -1;                      // -1: the image is skipped
    std::unique_ptr<EncodedBlock> block;  // the re-encoded bytes behind handle, if any
    std::wstring failure;                 // why there is no handle
};

// Decides between embedding the file and re-encoding it (ImageEncode, DefaultImageEncode,
// ImageMaxX/Y and DPI of the job's snapshot) and loads the result into the writer. PDF writer
// errors propagate.
AcquiredImage AcquireImage(ConversionJob& job, pdf::PdfWriter& writer, const std::wstring& path);

// The file handed to the writer unchanged; -1 when the writer cannot embed it.
int LoadDirect(pdf::PdfWriter& writer, const std::wstring& path);

// Decodes the file, applies the DPI and the size limits (0 meaning none), encodes it in the
// format of mode and registers the bytes as "/pvf/image". nullptr, with the reason in failure,
// when the file cannot be read, decoded or encoded.
std::unique_ptr<EncodedBlock> ReencodeImage(ConversionJob& job, pdf::PdfWriter& writer,
                                            const std::wstring& path, int32_t mode,
                                            uint32_t maxWidth, uint32_t maxHeight,
                                            std::wstring& failure);

// The whole file; nullopt when it cannot be opened or read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path);

}  // namespace engine

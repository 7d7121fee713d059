#pragma once

// The imaging library: detects, inspects, decodes, resamples, greys and encodes raster images
// held in memory. Formats are recognised from the content, never from a file name.
//
// Threading: distinct Image objects may be used on distinct threads at the same time; one Image
// must not be used from two threads at once. Inspect and SetMaxPixels are safe from any thread.
// Nothing here throws: failures are reported through return values and GetLastError.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace imaging {

// Format numbers (GetType, Encode, ImageInfo::format).
enum ImageFormat : uint32_t {
    kFormatUnknown = 0,
    kFormatBmp = 1,
    kFormatGif = 2,
    kFormatJpeg = 3,
    kFormatPng = 4,
    kFormatTiff = 6,
    kFormatMng = 7,
    kFormatRaw = 8,
    kFormatJbig = 9,
};

enum class ColorSpace { kGray, kRgb, kCmyk, kIndexed };

// Decoded pixels laid out exactly as a PDF image XObject wants them.
struct Bitmap {
    uint32_t width = 0;
    uint32_t height = 0;
    ColorSpace space = ColorSpace::kRgb;
    uint8_t bitsPerComponent = 8;  // 1, 2, 4, 8 or 16 (16 for kGray/kRgb only)
    size_t stride = 0;             // bytes per row: ceil(width * components * bits / 8)
    std::vector<uint8_t> samples;  // rows top to bottom, components interleaved, 16-bit
                                   // big-endian; CMYK as ink amounts (0 = no ink)
    std::vector<uint8_t> palette;  // kIndexed: RGB triples, at most 256 entries
    std::vector<uint8_t> alpha;    // empty, or one alpha value per pixel, rows of width values,
                                   // 8-bit (or 16-bit big-endian when bitsPerComponent is 16);
                                   // palette/tRNS/GIF transparency arrives here too
};

// What a file's header says, read without decoding pixels (fast: used for pass-through).
struct ImageInfo {
    uint32_t format = kFormatUnknown;
    uint32_t width = 0, height = 0;
    uint32_t xdpi = 72, ydpi = 72;  // 72 when the file records none
    ColorSpace space = ColorSpace::kRgb;
    uint8_t components = 3;
    uint8_t bitsPerComponent = 8;
    bool progressive = false;    // JPEG: progressive (SOF2) frame
    bool adobeInverted = false;  // JPEG: 4-component with an Adobe APP14 marker (inverted CMYK)
    bool interlaced = false;     // PNG: Adam7
    bool hasAlpha = false;       // PNG colour type 4/6, or any tRNS chunk
    uint8_t orientation = 1;     // JPEG (EXIF) and TIFF orientation tag, 1 to 8: how the stored
                                 // pixels are turned to stand as shown (width and height are
                                 // the stored ones; 5 to 8 swap them when shown)
    std::vector<uint8_t> iccProfile;  // the embedded ICC profile (JPEG APP2, PNG iCCP, TIFF tag
                                      // 34675); empty when there is none, or when it is
                                      // malformed or does not describe the file's samples
};

// Colour components of the samples an ICC profile describes: 1 (grey), 3 (RGB) or 4 (CMYK);
// 0 when the profile is malformed (a size that disagrees with its header, no profile
// signature, tags outside it) or describes another colour space. Pure; any thread.
unsigned IccProfileComponents(const uint8_t* data, size_t size);

// Reads only the header of an in-memory file; detects the format from the content. The bytes
// are not kept. nullopt (and a reason in *error when given) when the bytes are not a supported
// image or the header is damaged or exceeds the limits (SetMaxPixels).
std::optional<ImageInfo> Inspect(const uint8_t* data, size_t size, std::string* error = nullptr);

// Checks a whole PNG file's chunks without decoding it: the signature, every chunk's length
// against the bytes that follow, every chunk's CRC, and an IEND chunk. For embedding a PNG's
// compressed data unchanged, where no decoder would notice damage. False (and a reason in
// *error when given) at the first fault.
bool CheckPngChunks(const uint8_t* data, size_t size, std::string* error = nullptr);

// Reads every scan of a JPEG file (which must end with its end-of-image marker) without
// computing pixels. False (and a reason in *error when given) when scan data is cut short or
// cannot be decoded, or a progressive file's scans stop before every coefficient is refined to
// its last bit: the checks decoding makes, for passing a file through unchanged whose end
// marker had to be supplied.
bool CheckJpegScans(const uint8_t* data, size_t size, std::string* error = nullptr);

// One decoded image. Decoding keeps the first frame of multi-frame files. A JPEG file's pixels
// are decoded on first use (Resample, GrayScale, Encode, GetBitmap) so that a large reduction can
// decode at 1/2, 1/4 or 1/8 scale. Decode checks its header and its marker segments; a file
// that stops right after its scan data gets the missing end marker once its scans are known to
// be whole. Scan data that turns out cut short ("truncated JPEG data") or damaged ("damaged
// JPEG: ...") when the pixels are decoded makes the image invalid and sets GetLastError; such a
// file never yields grey or garbled rows.
class Image {
public:
    Image();
    ~Image();
    Image(Image&&) noexcept;  // a moved-from Image may only be destroyed or assigned to
    Image& operator=(Image&&) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Reads the file (path in the system's wide form) and decodes it like Decode. False when the
    // file cannot be read, is larger than any image it may hold, or cannot be decoded.
    bool Load(const std::wstring& path, uint32_t formatHint = 0);

    // Decodes an in-memory file; the bytes are copied where they are needed later, so the caller
    // may free them on return. The format always comes from the content; formatHint is accepted
    // for callers that know what they expect and is otherwise ignored. Replaces any previous
    // image. False (and a reason in GetLastError) on failure.
    bool Decode(const uint8_t* data, size_t size, uint32_t formatHint = 0);

    bool IsValid() const;

    // Why the last operation failed ("truncated JPEG data", "image too large: 60000 x 60000");
    // empty after a success.
    const std::string& GetLastError() const;

    uint32_t GetWidth() const;  // 0 when not valid
    uint32_t GetHeight() const;
    uint32_t GetXDPI() const;  // 72 when the file recorded none
    uint32_t GetYDPI() const;

    // Resolution written by Encode; 0 means "none recorded" and reads back as 72.
    void SetXDPI(uint32_t dpi);
    void SetYDPI(uint32_t dpi);

    // Resizes in place. mode 0: box, 1: bilinear, 2: bicubic; reductions widen the filter to the
    // reduction factor, so large reductions do not alias. The result is 8-bit grey, RGB or CMYK
    // (16-bit sources stay 16-bit), with the alpha channel kept. A side of 0 (a size rounded down
    // from a large reduction) counts as 1. False on an invalid image, a size above the pixel
    // limit or an unknown mode.
    bool Resample(uint32_t width, uint32_t height, int mode = 2);

    uint32_t GetType() const;  // format of the decoded file, kFormatUnknown when not valid

    // The ICC profile the file embeds, when it describes the pixels held now (GrayScale drops a
    // colour profile); empty otherwise. Encode writes it into JPEG, PNG and TIFF output where it
    // describes what is written. The reference stays valid until the next non-const call.
    const std::vector<uint8_t>& GetIccProfile() const;

    // The orientation the file records (JPEG EXIF or TIFF tag, 1 to 8; see ImageInfo); 1 when
    // it records none, and once AutoOrient has run.
    uint32_t GetOrientation() const;

    // Turns and mirrors the picture as its orientation says, so that it stands as viewers show
    // it; from then on every size and every operation refers to the picture as shown, and the
    // orientation reads 1. A JPEG still to be decoded is turned once its pixels are decoded
    // (after any reduced-scale decoding). False on an invalid image.
    bool AutoOrient();

    // JPEG quality for the next JPEG encoding, 0 to 100 (values above 100 act as 100); default
    // 75. Kept across Decode and Destroy.
    void SetJpegQuality(uint8_t quality);

    bool IsIndexed() const;

    // Converts to grey with ITU-R BT.601 luminance weights; keeps the alpha channel and the bit
    // depth of 16-bit images. False on an invalid image.
    bool GrayScale();

    // Encodes into a new block (JPEG, PNG, GIF or TIFF), replacing block's content, with the
    // resolution set by SetXDPI/SetYDPI. Nothing is written to disk. JPEG has no alpha channel:
    // transparent areas are composed over white. False (block left empty) on failure.
    bool Encode(std::vector<uint8_t>& block, uint32_t format);

    // Releases the frames after the first of a multi-frame file. Decoders keep only the first
    // frame, so there is nothing further to release; callers may call it on any image.
    void DestroyFrames();

    // Frees the decoded image; the image becomes invalid. The JPEG quality is kept.
    void Destroy();

    // The decoded pixels; an empty Bitmap when the image is not valid. The reference stays valid
    // until the next non-const call.
    const Bitmap& GetBitmap() const;

    // Largest pixel count (width x height) any decoder accepts; default 178956970. Applies to
    // every Image and Inspect call made after it returns, on every thread.
    static void SetMaxPixels(uint64_t pixels);

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace imaging

#pragma once

// The format readers and writers. Every reader file offers the same three functions:
//   LooksLike<Format>(file)  true when the content carries the format's signature
//   Inspect<Format>(file)    the header, without decoding pixels
//   Read<Format>(file)       the first image, decoded
// and every writer file one:
//   Write<Format>(bitmap, options)  the encoded file, in memory
// All of them throw ImageError on failure and check the size limits before allocating.

#include <cstdint>
#include <vector>

#include "codec.h"

namespace imaging {

// JPEG. Read<Format> decodes at full size; ReadJpegScaled decodes at 1/scaleDenominator of it
// (1, 2, 4 or 8), straight to grey when asked and the file is not CMYK.
bool LooksLikeJpeg(Bytes file);
ImageInfo InspectJpeg(Bytes file);
Decoded ReadJpeg(Bytes file);
struct JpegDecodeOptions {
    unsigned scaleDenominator = 1;
    bool grayscale = false;
};
Decoded ReadJpegScaled(Bytes file, const JpegDecodeOptions& options);
// True when the file ends with its end-of-image marker; false when it stops right after scan
// data without one (decoders then supply the marker). Fails with "truncated JPEG data" when it
// stops inside a marker segment or before its first scan. Scan data itself is not checked.
bool JpegHasEndMarker(Bytes file);
// Reads every scan without computing pixels; fails as decoding would ("truncated JPEG data",
// "damaged JPEG: ...") when scan data is cut short or cannot be decoded, and as truncated when
// a progressive file's scans stop before every coefficient is refined to its last bit.
void CheckJpegScanData(Bytes file);
std::vector<uint8_t> WriteJpeg(const Bitmap& bitmap, const EncodeOptions& options);

bool LooksLikePng(Bytes file);
ImageInfo InspectPng(Bytes file);
Decoded ReadPng(Bytes file);
std::vector<uint8_t> WritePng(const Bitmap& bitmap, const EncodeOptions& options);

bool LooksLikeGif(Bytes file);
ImageInfo InspectGif(Bytes file);
Decoded ReadGif(Bytes file);
std::vector<uint8_t> WriteGif(const Bitmap& bitmap, const EncodeOptions& options);

bool LooksLikeBmp(Bytes file);
ImageInfo InspectBmp(Bytes file);
Decoded ReadBmp(Bytes file);

bool LooksLikeTiff(Bytes file);
ImageInfo InspectTiff(Bytes file);
Decoded ReadTiff(Bytes file);
std::vector<uint8_t> WriteTiff(const Bitmap& bitmap, const EncodeOptions& options);

bool LooksLikeMng(Bytes file);
ImageInfo InspectMng(Bytes file);
Decoded ReadMng(Bytes file);

// Camera raw: TIFF-structured files only when their first directory names a camera.
bool LooksLikeRaw(Bytes file);
ImageInfo InspectRaw(Bytes file);
Decoded ReadRaw(Bytes file);

bool LooksLikeJbig(Bytes file);
ImageInfo InspectJbig(Bytes file);
Decoded ReadJbig(Bytes file);

}  // namespace imaging

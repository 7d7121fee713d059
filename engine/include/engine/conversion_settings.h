#pragma once

// The record of every conversion option and a few window options. The application holds one
// live instance; each conversion job holds a copy (its snapshot), which never takes over the
// live record's banner observer. Every field is stored under the same name in the settings
// store, misspellings included; a value missing from the store keeps its default. Setters write
// a value at the moment it changes; nothing is saved at exit.
//
// Not thread-safe: the live record belongs to the user-interface thread, a snapshot to its job.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/registry.h"

namespace engine {

// How images enter the PDF.
enum ImageEncodeMode : int32_t {
    kKeepSource = 0,  // embed the file unchanged; re-encode with DefaultImageEncode when it can't
    kEncodeJpeg = 1,
    kEncodeGrayJpeg = 2,
    kEncodePng = 3,
    kEncodeGif = 4,
    kEncodeTiff = 5,
};

// What MakeMultiPDF holds: how many documents a conversion writes.
enum class DocumentMode : int32_t {
    kSingle = 0,     // one document for all images
    kPerImage = 1,   // one document per image
    kPerFolder = 2,  // one document per source folder
};

// What PageSize holds: the page follows the image, or a named paper size.
enum class PageFormat : int32_t {
    kFollowImage = 0,
    kA1 = 1,
    kA2 = 2,
    kA3 = 3,
    kA4 = 4,
    kA5 = 5,
    kA6 = 6,
    kB5 = 7,
    kLetter = 8,
    kLegal = 9,
    kLedger = 10,
    k11x17 = 11,
};

// The lower-case paper name of a named page format ("a4", "11x17"), as the PDF writer's paper
// table knows it; empty for kFollowImage and for values outside the list.
std::string_view PaperName(PageFormat format);

// Told the value of ShowAD (true: shown) every time SetShowAD runs, changed or not; the
// program shows or hides its banner windows there. Called on the caller's thread.
using BannerObserver = std::function<void(bool shown)>;

// Holds the banner observer of one record. A copy of the record starts without one, and
// assigning a record keeps the observer the target had: it belongs to the live record only.
class BannerObserverSlot {
public:
    BannerObserverSlot() = default;
    BannerObserverSlot(const BannerObserverSlot&) {}
    BannerObserverSlot& operator=(const BannerObserverSlot&) { return *this; }

    void Set(BannerObserver observer) { observer_ = std::move(observer); }
    void Notify(bool shown) const {
        if (observer_) {
            observer_(shown);
        }
    }

private:
    BannerObserver observer_;
};

struct ConversionSettings {
    std::wstring PDFPath;        // output folder; empty means DefaultOutputFolder()
    int32_t CheckRightMenu = 0;  // 1 while the file manager's menu entry is registered
    std::wstring PDFTitle;       // document information
    std::wstring PDFSubject;
    std::wstring PDFCreator;
    std::wstring PDFAuthor;
    std::wstring PDFKeywords;
    std::wstring WaterText;           // text watermark template: %FileName%, %Number%, %MDate%
    int32_t WaterFontSize = 20;       // points in the low 8 bits; see WaterFontPoints()
    int32_t WaterPosX = 0;            // text watermark: from the left page edge
    int32_t WaterPosY = 0;            // text watermark: from the top page edge to the text's box
    int32_t WaterColor = 0;           // 0x00BBGGRR
    std::wstring WaterImage;          // watermark image path; empty means none
    int32_t WaterImageOpacity = 100;  // percent; applies to the text drawn after the image too
    int32_t WaterImageX = 0;          // watermark image: from the left page edge
    int32_t WaterImageY = 0;          // watermark image: from the bottom page edge
    int32_t ImageEncode = kKeepSource;
    int32_t DefaultImageEncode = kEncodeJpeg;  // used when the source cannot be kept
    int32_t JpepPercent = 30;                  // JPEG quality; the low 8 bits reach the encoder
    int32_t PageSize = 0;                      // a PageFormat
    int32_t MearginLeft = 0;                   // horizontal margin, applied left and right
    int32_t MearginTop = 0;                    // vertical margin, applied top and bottom
    int32_t MearginRight = 0;                  // stored only
    int32_t MearginBottom = 0;                 // stored only
    int32_t ShowView = 1;                      // main window's preview panel shown
    int32_t MakeMultiPDF = 0;                  // a DocumentMode
    int32_t ImageInPage = 1;                   // stored only
    int32_t ImageMaxX = 0;                     // pixels; 0 means no limit
    int32_t ImageMaxY = 0;
    int32_t DPI = 0;             // resolution of re-encoded images; 0 keeps each image's own
    int32_t CreateBookmark = 1;  // one bookmark per page, titled with the file name
    int32_t SaveToImageDir = 0;  // multi-PDF output beside the source images
    int32_t ShowAD = 1;          // banner windows shown
    std::wstring ShareURL;       // stored only
    platform::HKEY registryRoot = platform::HKEY_CURRENT_USER;   // not stored
    std::wstring registryKey = L"Software\\Velkor\\Folioforge";  // not stored
    int32_t RotatePage = 0;                                      // named paper sizes in landscape
    int32_t DupPageMidMargin = 0;                                // stored only
    int32_t DupPageOrder = 0;                                    // stored only
    bool autoRotate = true;  // not stored: images stand as their EXIF/TIFF orientation says

    BannerObserverSlot bannerObserver;  // not stored, not copied; see SetBannerObserver

    // Reads every stored field; a value that is missing or of another type leaves its field
    // unchanged. Texts longer than 259 characters are cut there. Returns 1.
    int LoadSettings();

    // The documents folder (created when missing) followed by "/Velkor/PDF".
    static std::wstring DefaultOutputFolder();

    // PDFPath, after filling an empty one with DefaultOutputFolder() in memory (not stored).
    std::wstring GetOutputFolder();

    // Text setters: when the text differs from the field other than in letter case, the field
    // takes it and it is stored. Return 1.
    int SetPDFPath(const std::wstring& text);
    int SetPDFTitle(const std::wstring& text);
    int SetPDFSubject(const std::wstring& text);
    int SetPDFCreator(const std::wstring& text);
    int SetPDFAuthor(const std::wstring& text);
    int SetPDFKeywords(const std::wstring& text);

    // Number setters: -1 leaves the field unchanged; an equal value is not stored. Return 1.
    int SetJpepPercent(int32_t value);
    int SetPageSize(PageFormat format);
    int SetMakeMultiPDF(DocumentMode mode);
    int SetDPI(int32_t value);
    int SetImageMax(int32_t x, int32_t y);
    // Returns the field's value after the call.
    int32_t SetRotatePage(int32_t value);

    // Compares and marks "unchanged" on the low 8 bits (a low byte of 255 leaves the field as it
    // is) and stores the whole 32-bit value. Returns 1.
    int SetWaterFontSize(int32_t value);

    // Stores ShowAD when it differs, then tells the banner observer whether banners are shown
    // (ShowAD non-zero), changed or not. Returns 1.
    int SetShowAD(int32_t value);

    // Registers the program's banner observer on this record (replacing an earlier one; an
    // empty function removes it). Copies of the record never call it.
    void SetBannerObserver(BannerObserver observer) { bannerObserver.Set(std::move(observer)); }

    // The stored numbers as their enums. Values outside an enum's list pass through unchanged.
    DocumentMode GetDocumentMode() const { return static_cast<DocumentMode>(MakeMultiPDF); }
    PageFormat GetPageFormat() const { return static_cast<PageFormat>(PageSize); }

    // The same rules for any stored field by its name, for the settings dialog and the command
    // line: SetNumber ignores -1 and equal values, SetText ignores case-only changes (except in
    // the paths PDFPath and WaterImage, compared exactly). False when no stored field of that
    // kind has the name.
    bool SetNumber(std::wstring_view name, int32_t value);
    bool SetText(std::wstring_view name, const std::wstring& text);

    // The watermark font size in points: the low 8 bits of WaterFontSize.
    uint8_t WaterFontPoints() const { return static_cast<uint8_t>(WaterFontSize & 0xFF); }
};

}  // namespace engine

#pragma once

// The record of every conversion option and a few window options. The application holds one
// live instance; each conversion job holds a copy (its snapshot). Every field is stored under
// the same name in the settings store, misspellings included; a value missing from the store
// keeps its default. Setters write a value at the moment it changes; nothing is saved at exit.
//
// Not thread-safe: the live record belongs to the user-interface thread, a snapshot to its job.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// An application window, opaque to the engine.
using WindowRef = void*;

// Shows (true) or hides (false) a window; supplied by the application.
using ShowWindowAction = std::function<void(WindowRef window, bool visible)>;

struct ConversionSettings {
    std::wstring PDFPath;          // output folder; empty means DefaultOutputFolder()
    int32_t CheckRightMenu = 0;    // 1 while the file manager's menu entry is registered
    std::wstring PDFTitle;         // document information
    std::wstring PDFSubject;
    std::wstring PDFCreator;
    std::wstring PDFAuthor;
    std::wstring PDFKeywords;
    std::wstring WaterText;        // text watermark template: %FileName%, %Number%, %MDate%
    int32_t WaterFontSize = 20;    // points in the low 8 bits; see WaterFontPoints()
    int32_t WaterPosX = 0;         // text watermark: from the left page edge
    int32_t WaterPosY = 0;         // text watermark: from the top page edge to the text's box
    int32_t WaterColor = 0;        // 0x00BBGGRR
    std::wstring WaterImage;       // watermark image path; empty means none
    int32_t WaterImageOpacity = 100;  // percent; applies to the text drawn after the image too
    int32_t WaterImageX = 0;       // watermark image: from the left page edge
    int32_t WaterImageY = 0;       // watermark image: from the bottom page edge
    int32_t ImageEncode = kKeepSource;
    int32_t DefaultImageEncode = kEncodeJpeg;  // used when the source cannot be kept
    int32_t JpepPercent = 30;      // JPEG quality; the low 8 bits reach the encoder
    int32_t PageSize = 0;          // 0: page follows the image; 1 to 11: named paper size
    int32_t MearginLeft = 0;       // horizontal margin, applied left and right
    int32_t MearginTop = 0;        // vertical margin, applied top and bottom
    int32_t MearginRight = 0;      // stored only
    int32_t MearginBottom = 0;     // stored only
    int32_t ShowView = 1;          // main window's preview panel shown
    int32_t MakeMultiPDF = 0;      // 0: one PDF; 1: one per image; 2: one per source folder
    int32_t ImageInPage = 1;       // stored only
    int32_t ImageMaxX = 0;         // pixels; 0 means no limit
    int32_t ImageMaxY = 0;
    int32_t DPI = 0;               // resolution of re-encoded images; 0 keeps each image's own
    int32_t CreateBookmark = 1;    // one bookmark per page, titled with the file name
    int32_t SaveToImageDir = 0;    // multi-PDF output beside the source images
    int32_t ShowAD = 1;            // banner windows shown
    std::wstring ShareURL;         // stored only
    platform::HKEY registryRoot = platform::HKEY_CURRENT_USER;  // not stored
    std::wstring registryKey = L"Software\\Velkor\\Folioforge";   // not stored
    std::vector<WindowRef> bannerWindows;  // shown or hidden by SetShowAD; not stored
    int32_t RotatePage = 0;        // named paper sizes in landscape
    int32_t DupPageMidMargin = 0;  // stored only
    int32_t DupPageOrder = 0;      // stored only

    // How SetShowAD shows or hides a banner window; not stored. Without one, SetShowAD only
    // stores the value.
    ShowWindowAction showWindow;

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
    int SetPageSize(int32_t value);
    int SetDPI(int32_t value);
    int SetImageMax(int32_t x, int32_t y);
    // Returns the field's value after the call.
    int32_t SetRotatePage(int32_t value);

    // Compares and marks "unchanged" on the low 8 bits (a low byte of 255 leaves the field as it
    // is) and stores the whole 32-bit value. Returns 1.
    int SetWaterFontSize(int32_t value);

    // Stores ShowAD when it differs, then shows every banner window when it is non-zero and
    // hides them all when it is 0, changed or not. Returns 1.
    int SetShowAD(int32_t value);

    // Appends a window to bannerWindows. Returns 1.
    int AddBannerWindow(WindowRef window);

    // The same rules for any stored field by its name, for the settings dialog and the command
    // line: SetNumber ignores -1 and equal values, SetText ignores case-only changes. False when
    // no stored field of that kind has the name.
    bool SetNumber(std::wstring_view name, int32_t value);
    bool SetText(std::wstring_view name, const std::wstring& text);

    // The stored field of that name, for changes that are not to be stored; nullptr when no
    // stored field of that kind has the name.
    int32_t* NumberField(std::wstring_view name);
    std::wstring* TextField(std::wstring_view name);

    // The watermark font size in points: the low 8 bits of WaterFontSize.
    uint8_t WaterFontPoints() const { return static_cast<uint8_t>(WaterFontSize & 0xFF); }
};

}  // namespace engine

#pragma once

// Folioforge's PDF generator. One PdfWriter writes one document at a time: begin_document,
// pages with images and text, end_document. Strings are std::wstring holding Unicode code
// points; numbers are points (1/72 inch) with the origin at the lower left page corner.
//
// Threading: a PdfWriter is used by one thread at a time; distinct writers may run on distinct
// threads at once.
//
// Failure: every failing operation throws PdfError, except that under the parameter
// "errorpolicy" = "return" begin_document, load_image and load_font return -1 instead when the
// output file, the image or the font is at fault (kErrorFile, kErrorImage, kErrorFont
// respectively, or kErrorMemory); mistakes in the call itself (scope, options, arguments), and
// a failed write of the document (kErrorFile from load_image or load_font), are raised under
// either policy. After a failed write every further write of the document fails the same way.
// Option lists are "key=value" words separated by blanks; a value holding blanks is written in
// braces ("boxsize={200 100}"). Unknown options are errors.

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace pdf {

// Error numbers carried by PdfError.
enum ErrorNumber : int {
    kErrorScope = 1001,        // operation not allowed now (no document, no page, ...)
    kErrorOption = 1002,       // malformed or unknown option list, option or value
    kErrorParameter = 1003,    // unknown parameter or bad argument value
    kErrorHandle = 1004,       // unknown or closed image, font or graphics-state handle
    kErrorFile = 1005,         // the output cannot be created, written or renamed
    kErrorImage = 1006,        // an image cannot be read or is not supported
    kErrorFont = 1007,         // no installed font fits the request, or it cannot be used
    kErrorVirtualFile = 1008,  // virtual file name taken
    kErrorNoPages = 1009,      // end_document on a document without pages
    kErrorMemory = 1010,       // out of memory, or compression failed
};

// The one error type: which operation failed, an error number and a message.
class PdfError : public std::runtime_error {
public:
    PdfError(std::string operation, int number, std::string message);
    const std::string& operation() const { return operation_; }
    int number() const { return number_; }
    const std::string& message() const { return message_; }

private:
    std::string operation_;
    int number_;
    std::string message_;
};

class PdfWriter {
public:
    PdfWriter();
    // An unfinished document is discarded: its temporary file is removed and the target is
    // untouched.
    ~PdfWriter();
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;

    // "errorpolicy" = "return" | "exception" (default "exception");
    // "hypertextencoding" = "" | "unicode" (texts are always stored as Unicode);
    // "SearchPath" = a font folder, optionally written "name=folder"; its fonts join the
    //                installed ones for load_font;
    // "deterministic" = "true" | "false": fixed /ID and no dates, so equal input gives equal
    //                   bytes.
    void set_parameter(const std::wstring& key, const std::wstring& value);

    // Starts a document written to a temporary file beside path; returns 1, or -1 (errorpolicy
    // "return") when it cannot be created there (get_errmsg names the system's reason). Paths
    // are converted with platform::PathToNative. optlist: none, or "uniquename" when path was
    // chosen automatically: end_document then never replaces a file but writes to the first
    // free of path, "stem(1).ext", "stem(2).ext", ... (platform::NumberedName), claimed
    // atomically, so that two writers never take the same name.
    int begin_document(const std::wstring& path, const std::wstring& optlist);
    // Writes the document and renames it over path (or claims a name, see begin_document).
    // Throws (kErrorNoPages) when no page was finished, kErrorFile when it cannot be written;
    // the document is then discarded. A page left open is abandoned first.
    void end_document(const std::wstring& optlist);
    // "Title", "Subject", "Creator", "Author", "Keywords" or another key of the document
    // information; "Producer", "CreationDate", "ModDate" and "Trapped" are the writer's own.
    void set_info(const std::wstring& key, const std::wstring& value);

    // Opens a page of width x height points; each is 0 (set later by fit_image "adjustpage")
    // or positive. optlist: none, or "width=W height=H" where W and H are numbers or a paper
    // name with ".width"/".height" (a0-a6, b5, letter, legal, ledger, 11x17), overriding the
    // arguments. A page still open (its building failed) is abandoned: nothing of it is kept.
    void begin_page_ext(double width, double height, const std::wstring& optlist);
    // Closes the page; throws when its size is still unset. optlist must be empty.
    void end_page_ext(const std::wstring& optlist);

    // imagetype "auto" (or "jpeg", "png", "tiff", "gif", "bmp" to insist on one format);
    // filename is a file path or a virtual file. The image is written into the document at
    // once. Returns a handle >= 0, or -1 (errorpolicy "return") when the file is missing,
    // damaged or of a kind this writer does not take (MNG, RAW, JBIG). The image is placed as
    // viewers show it: a JPEG's EXIF or a TIFF's orientation turns it on the page (the data is
    // kept as stored) and imagewidth/imageheight are its size as shown. optlist: none, or
    // "ignoreorientation" to place the stored pixels as they are.
    int load_image(const std::wstring& imagetype, const std::wstring& filename,
                   const std::wstring& optlist);
    // Places the image with its lower left corner at (x, y). optlist: none (natural size),
    // "boxsize={w h} fitmethod=entire" (stretched to the box), and/or "adjustpage" (the page
    // becomes the placed image plus x and y as margins on both sides).
    void fit_image(int image, double x, double y, const std::wstring& optlist);
    void close_image(int image);
    // "imagewidth"/"imageheight" (modifier = image handle): natural size in points, pixels x 72
    // / resolution; "pagewidth"/"pageheight" (modifier 0): the open page's size.
    double get_value(const std::wstring& key, double modifier);

    // Makes data readable as filename until delete_pvf. The writer reads the caller's bytes in
    // place and never copies or frees them; they must stay valid until delete_pvf. Throws when
    // the name is taken. Virtual files belong to the writer and outlive documents.
    void create_pvf(const std::wstring& filename, const void* data, size_t size,
                    const std::wstring& optlist);
    // 1 when the name was removed, 0 when there was no such virtual file.
    int delete_pvf(const std::wstring& filename);

    // "opacityfill=F" with 0 <= F <= 1: fill opacity for images and text.
    int create_gstate(const std::wstring& optlist);
    // Applies the graphics state to the rest of the page.
    void set_gstate(int gstate);

    // fontname: a family name, or "KozMinPro-Regular-Acro" (a Japanese-capable font),
    // "宋体" (a Simplified-Chinese-capable font), "Arial" (Arial, a metric-compatible sans, or
    // any sans). encoding: "unicode" or a Unicode CMap name (UniJIS-UCS2-H, UniGB-UCS2-H,
    // UniCNS-UCS2-H, UniKS-UCS2-H); text is always embedded as a subset with a Unicode map.
    // Returns a handle >= 0, or -1 (errorpolicy "return") when no installed font fits.
    int load_font(const std::wstring& fontname, const std::wstring& encoding,
                  const std::wstring& optlist);
    void setfont(int font, double fontsize);
    void set_text_pos(double x, double y);
    // fstype "fill" | "stroke" | "fillstroke"; colorspace "gray" (c1), "rgb" (c1..c3) or
    // "cmyk" (c1..c4), components 0 to 1.
    void setcolor(const std::wstring& fstype, const std::wstring& colorspace, double c1, double c2,
                  double c3, double c4);
    // Shows one line at the text position, which then moves to the end of the line.
    void show(const std::wstring& text);

    // A top-level bookmark to the open page; returns its number (1, 2, ...).
    int create_bookmark(const std::wstring& text, const std::wstring& optlist);

    // The message of the last failure that begin_document, load_image or load_font reported
    // as -1; empty when there was none.
    std::wstring get_errmsg() const;

    // The path the last finished document was written to; empty before the first.
    std::wstring written_path() const;

private:
    struct State;

    template <typename Operation>
    auto Run(const char* name, Operation&& operation);
    template <typename Operation>
    int RunReturning(const char* name, int ownKind, Operation&& operation);

    std::unique_ptr<State> state_;
};

}  // namespace pdf

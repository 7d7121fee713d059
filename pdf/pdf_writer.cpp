#include "pdfwriter/pdf_writer.h"

#include <map>
#include <memory>
#include <new>
#include <span>

#include "document.h"
#include "failure.h"
#include "font_locator.h"
#include "image_source.h"
#include "option_list.h"
#include "platform/text.h"

namespace pdf {

struct PdfWriter::State {
    bool returnOnError = false;
    DocumentSettings settings;
    std::map<std::wstring, std::span<const uint8_t>> virtualFiles;
    std::unique_ptr<Document> document;
    std::wstring lastError;
    std::wstring writtenPath;

    Document& OpenDocument() const {
        if (!document)
            Fail(kErrorScope, "no document is open");
        return *document;
    }
};

namespace {

// Whether "errorpolicy=return" reports a failure of an operation as -1: only when the thing the
// operation was asked to open is at fault (its own kind of failure, or memory). Mistakes in
// the calls themselves (scope, options, arguments), and a failed write of the document while
// an image or font goes into it, are raised always.
bool IsReturnableFailure(int number, int ownKind) {
    return number == ownKind || number == kErrorMemory;
}

bool ParseBoolean(std::wstring_view value, const char* key) {
    if (value == L"true")
        return true;
    if (value == L"false")
        return false;
    Fail(kErrorParameter, std::string(key) + " must be true or false");
}

}  // namespace

template <typename Operation>
auto PdfWriter::Run(const char* name, Operation&& operation) {
    try {
        return operation();
    } catch (const Failure& failure) {
        throw PdfError(name, failure.number(), failure.what());
    } catch (const std::bad_alloc&) {
        throw PdfError(name, kErrorMemory, "out of memory");
    }
}

template <typename Operation>
int PdfWriter::RunReturning(const char* name, int ownKind, Operation&& operation) {
    try {
        return Run(name, operation);
    } catch (const PdfError& error) {
        if (!state_->returnOnError || !IsReturnableFailure(error.number(), ownKind))
            throw;
        state_->lastError = platform::FromUtf8(error.message());
        return -1;
    }
}

PdfWriter::PdfWriter() : state_(std::make_unique<State>()) {}

PdfWriter::~PdfWriter() = default;

void PdfWriter::set_parameter(const std::wstring& key, const std::wstring& value) {
    Run("set_parameter", [&] {
        const std::string name = AsciiLower(key).value_or("");
        if (name == "errorpolicy") {
            if (value != L"return" && value != L"exception") {
                Fail(kErrorParameter, "errorpolicy must be return or exception");
            }
            state_->returnOnError = value == L"return";
        } else if (name == "hypertextencoding") {
            if (!value.empty() && value != L"unicode") {
                Fail(kErrorParameter, "hypertextencoding must be empty or unicode");
            }
        } else if (name == "searchpath") {
            const size_t equals = value.find(L'=');
            AddFontFolder(
                platform::ToUtf8(equals == std::wstring::npos ? value : value.substr(equals + 1)));
        } else if (name == "deterministic") {
            state_->settings.deterministic = ParseBoolean(value, "deterministic");
        } else {
            Fail(kErrorParameter, "unknown parameter '" + platform::ToUtf8(key) + "'");
        }
    });
}

int PdfWriter::begin_document(const std::wstring& path, const std::wstring& optlist) {
    return RunReturning("begin_document", kErrorFile, [&] {
        if (state_->document)
            Fail(kErrorScope, "a document is already open");
        const OptionList options(optlist, {"uniquename"});
        if (path.empty())
            Fail(kErrorFile, "empty file name");
        DocumentSettings settings = state_->settings;
        settings.claimName = options.Flag("uniquename");
        state_->document = std::make_unique<Document>(platform::PathToNative(path), settings);
        return 1;
    });
}

void PdfWriter::end_document(const std::wstring& optlist) {
    Run("end_document", [&] {
        std::unique_ptr<Document> document = std::move(state_->document);
        if (!document)
            Fail(kErrorScope, "no document is open");
        document->Finish(optlist);
        state_->writtenPath = platform::PathFromNative(document->Target().native());
    });
}

void PdfWriter::set_info(const std::wstring& key, const std::wstring& value) {
    Run("set_info", [&] { state_->OpenDocument().SetInfo(key, value); });
}

void PdfWriter::begin_page_ext(double width, double height, const std::wstring& optlist) {
    Run("begin_page_ext", [&] { state_->OpenDocument().BeginPage(width, height, optlist); });
}

void PdfWriter::end_page_ext(const std::wstring& optlist) {
    Run("end_page_ext", [&] { state_->OpenDocument().EndPage(optlist); });
}

int PdfWriter::load_image(const std::wstring& imagetype, const std::wstring& filename,
                          const std::wstring& optlist) {
    return RunReturning("load_image", kErrorImage, [&] {
        Document& document = state_->OpenDocument();
        const auto virtualFile = state_->virtualFiles.find(filename);
        if (virtualFile != state_->virtualFiles.end()) {
            ImageSource memory(virtualFile->second);
            return document.LoadImage(memory, imagetype, optlist);
        }
        ImageSource file(std::filesystem::path(platform::PathToNative(filename)));
        return document.LoadImage(file, imagetype, optlist);
    });
}

void PdfWriter::fit_image(int image, double x, double y, const std::wstring& optlist) {
    Run("fit_image", [&] { state_->OpenDocument().FitImage(image, x, y, optlist); });
}

void PdfWriter::close_image(int image) {
    Run("close_image", [&] { state_->OpenDocument().CloseImage(image); });
}

double PdfWriter::get_value(const std::wstring& key, double modifier) {
    return Run("get_value", [&] {
        const Document& document = state_->OpenDocument();
        if (key == L"pagewidth")
            return document.PageWidth();
        if (key == L"pageheight")
            return document.PageHeight();
        const bool width = key == L"imagewidth";
        if (!width && key != L"imageheight") {
            Fail(kErrorParameter, "unknown value '" + platform::ToUtf8(key) + "'");
        }
        const ImageObject& image = document.Image(static_cast<int>(modifier));
        return width ? image.width : image.height;
    });
}

void PdfWriter::create_pvf(const std::wstring& filename, const void* data, size_t size,
                           const std::wstring& optlist) {
    Run("create_pvf", [&] {
        OptionList(optlist, {});
        if (!data && size > 0)
            Fail(kErrorParameter, "no data for a virtual file");
        const std::span<const uint8_t> bytes(static_cast<const uint8_t*>(data), size);
        if (!state_->virtualFiles.emplace(filename, bytes).second) {
            Fail(kErrorVirtualFile, "virtual file '" + platform::ToUtf8(filename) + "' exists");
        }
    });
}

int PdfWriter::delete_pvf(const std::wstring& filename) {
    return Run("delete_pvf", [&] { return state_->virtualFiles.erase(filename) == 1 ? 1 : 0; });
}

int PdfWriter::create_gstate(const std::wstring& optlist) {
    return Run("create_gstate",
               [&] { return state_->OpenDocument().CreateGraphicsState(optlist); });
}

void PdfWriter::set_gstate(int gstate) {
    Run("set_gstate", [&] { state_->OpenDocument().SetGraphicsState(gstate); });
}

int PdfWriter::load_font(const std::wstring& fontname, const std::wstring& encoding,
                         const std::wstring& optlist) {
    return RunReturning("load_font", kErrorFont, [&] {
        return state_->OpenDocument().LoadFont(fontname, encoding, optlist);
    });
}

void PdfWriter::setfont(int font, double fontsize) {
    Run("setfont", [&] { state_->OpenDocument().SetFont(font, fontsize); });
}

void PdfWriter::set_text_pos(double x, double y) {
    Run("set_text_pos", [&] { state_->OpenDocument().SetTextPosition(x, y); });
}

void PdfWriter::setcolor(const std::wstring& fstype, const std::wstring& colorspace, double c1,
                         double c2, double c3, double c4) {
    Run("setcolor", [&] { state_->OpenDocument().SetColor(fstype, colorspace, {c1, c2, c3, c4}); });
}

void PdfWriter::show(const std::wstring& text) {
    Run("show", [&] { state_->OpenDocument().Show(text); });
}

int PdfWriter::create_bookmark(const std::wstring& text, const std::wstring& optlist) {
    return Run("create_bookmark",
               [&] { return state_->OpenDocument().CreateBookmark(text, optlist); });
}

std::wstring PdfWriter::get_errmsg() const {
    return state_->lastError;
}

std::wstring PdfWriter::written_path() const {
    return state_->writtenPath;
}

}  // namespace pdf

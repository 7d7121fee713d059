#include "document.h"

#include <cctype>
#include <cmath>
#include <random>

#include "failure.h"
#include "image_embedding.h"
#include "image_placement.h"
#include "option_list.h"
#include "pdf_syntax.h"
#include "pdfwriter/paper_sizes.h"
#include "pdfwriter/pdf_writer.h"
#include "platform/text.h"

namespace pdf {
namespace {

// The page size an option list gives, "width=a4.width height=a4.height" and the like.
double PageDimension(const OptionList& options, std::string_view key, double given) {
    const std::optional<std::wstring> text = options.Text(key);
    if (!text) {
        return given;
    }
    const std::optional<double> value = ResolvePageDimension(*text);
    if (!value) {
        Fail(kErrorOption,
             "unknown page " + std::string(key) + " '" + platform::ToUtf8(*text) + "'");
    }
    return *value;
}

void CheckPageDimension(double value) {
    if (!std::isfinite(value) || value < 0 || value > 1e9) {
        Fail(kErrorParameter, "bad page size " + Number(value));
    }
}

struct ImageFit {
    double width = 0;
    double height = 0;
    bool adjustPage = false;
};

// The placed size: natural, or stretched to "boxsize" with "fitmethod=entire".
ImageFit FitFor(const ImageObject& image, const OptionList& options) {
    ImageFit fit{image.width, image.height, options.Flag("adjustpage")};
    const std::wstring method = options.Text("fitmethod").value_or(L"nofit");
    if (method == L"nofit") {
        return fit;
    }
    if (method != L"entire") {
        Fail(kErrorOption, "unsupported fitmethod '" + platform::ToUtf8(method) + "'");
    }
    const std::vector<std::wstring> box = options.Words("boxsize");
    const std::optional<double> width = box.size() == 2 ? ParseNumber(box[0]) : std::nullopt;
    const std::optional<double> height = box.size() == 2 ? ParseNumber(box[1]) : std::nullopt;
    if (!width || !height || *width <= 0 || *height <= 0) {
        Fail(kErrorOption, "fitmethod=entire needs boxsize={width height}, both positive");
    }
    fit.width = *width;
    fit.height = *height;
    return fit;
}

// The colour operators for a target and colour space (8.6.8), and the number of components.
std::vector<std::string> ColorOperators(std::wstring_view target, std::wstring_view space,
                                        int& components) {
    std::string fill;
    if (space == L"gray") {
        fill = "g", components = 1;
    }
    if (space == L"rgb") {
        fill = "rg", components = 3;
    }
    if (space == L"cmyk") {
        fill = "k", components = 4;
    }
    if (fill.empty()) {
        Fail(kErrorParameter, "unknown colour space " + platform::ToUtf8(space));
    }
    std::string stroke = fill;
    stroke[0] = static_cast<char>(std::toupper(stroke[0]));
    if (target == L"fill") {
        return {fill};
    }
    if (target == L"stroke") {
        return {stroke};
    }
    if (target == L"fillstroke") {
        return {fill, stroke};
    }
    Fail(kErrorParameter, "unknown colour target " + platform::ToUtf8(target));
}

}  // namespace

Document::Document(const std::filesystem::path& target, DocumentSettings settings)
    : settings_(settings),
      file_(target, settings.claimName),
      writer_(file_),
      pageTreeId_(writer_.Allocate()),
      outline_(writer_) {}

void Document::BeginPage(double width, double height, std::wstring_view optlist) {
    const OptionList options(optlist, {"width", "height"});
    width = PageDimension(options, "width", width);
    height = PageDimension(options, "height", height);
    CheckPageDimension(width);
    CheckPageDimension(height);
    if (page_) {
        AbandonPage();
    }
    const uint32_t id = sparePageId_ != 0 ? sparePageId_ : writer_.Allocate();
    sparePageId_ = 0;
    page_.emplace(id, width, height);
    text_ = TextState();
}

void Document::EndPage(std::wstring_view optlist) {
    OptionList(optlist, {});
    Page& page = OpenPage();
    if (!(page.width() > 0 && page.height() > 0)) {
        AbandonPage();
        Fail(kErrorParameter, "the page has no size: no image was fitted with adjustpage");
    }
    page.Write(writer_, pageTreeId_);
    pageIds_.push_back(page.id());
    outline_.FinishPage();
    page_.reset();
}

void Document::AbandonPage() {
    sparePageId_ = page_->id();
    page_.reset();
    outline_.AbandonPage();
}

Page& Document::OpenPage() {
    if (!page_) {
        Fail(kErrorScope, "no page is open");
    }
    return *page_;
}

const Page& Document::OpenPage() const {
    if (!page_) {
        Fail(kErrorScope, "no page is open");
    }
    return *page_;
}

int Document::LoadImage(ImageSource& source, std::wstring_view imageType,
                        std::wstring_view optlist) {
    const OptionList options(optlist, {"ignoreorientation"});
    return images_.Add(EmbedImage(writer_, source, imageType, !options.Flag("ignoreorientation")));
}

void Document::FitImage(int handle, double x, double y, std::wstring_view optlist) {
    const ImageObject& image = images_.Get(handle);
    Page& page = OpenPage();
    if (!std::isfinite(x) || !std::isfinite(y)) {
        Fail(kErrorParameter, "bad image position");
    }
    const ImageFit fit = FitFor(image, OptionList(optlist, {"boxsize", "fitmethod", "adjustpage"}));
    if (fit.adjustPage) {
        page.Resize(fit.width + 2 * x, fit.height + 2 * y);
    }
    page.AppendContent("q " + PlacementMatrix(image.orientation, x, y, fit.width, fit.height) +
                       " " + page.UseImage(image.objectId) + " Do Q\n");
}

int Document::CreateGraphicsState(std::wstring_view optlist) {
    return graphicsStates_.Create(writer_, optlist);
}

void Document::SetGraphicsState(int handle) {
    const uint32_t id = graphicsStates_.ObjectId(handle);
    Page& page = OpenPage();
    page.AppendContent(page.UseGraphicsState(id) + " gs\n");
}

int Document::LoadFont(const std::wstring& name, const std::wstring& encoding,
                       std::wstring_view optlist) {
    return fonts_.Load(writer_, name, encoding, optlist);
}

void Document::SetFont(int handle, double size) {
    fonts_.Get(handle);
    OpenPage();
    if (!std::isfinite(size) || size <= 0 || size > 1e6) {
        Fail(kErrorParameter, "bad font size " + Number(size));
    }
    text_.font = handle;
    text_.size = size;
}

void Document::SetTextPosition(double x, double y) {
    OpenPage();
    if (!std::isfinite(x) || !std::isfinite(y)) {
        Fail(kErrorParameter, "bad text position");
    }
    text_.x = x;
    text_.y = y;
}

void Document::SetColor(std::wstring_view target, std::wstring_view space,
                        const double (&values)[4]) {
    Page& page = OpenPage();
    int components = 0;
    const std::vector<std::string> operators = ColorOperators(target, space, components);
    std::string numbers;
    for (int i = 0; i < components; ++i) {
        if (!(values[i] >= 0 && values[i] <= 1)) {
            Fail(kErrorParameter, "colour components must lie in 0 to 1");
        }
        numbers += Number(values[i]) + " ";
    }
    for (const std::string& colorOperator : operators) {
        page.AppendContent(numbers + colorOperator + "\n");
    }
}

void Document::Show(std::wstring_view text) {
    Page& page = OpenPage();
    if (text_.font < 0) {
        Fail(kErrorScope, "no font is set");
    }
    const std::vector<ShownPiece> pieces =
        fonts_.ShowText(writer_, text_.font, platform::CodePoints(text), text_.size);
    std::string content = "BT\n" + Number(text_.x) + " " + Number(text_.y) + " Td\n";
    for (const ShownPiece& piece : pieces) {
        content +=
            page.UseFont(piece.fontId) + " " + Number(text_.size) + " Tf\n" + piece.operators;
        text_.x += piece.advance;
    }
    page.AppendContent(content + "ET\n");
}

int Document::CreateBookmark(std::wstring_view title, std::wstring_view optlist) {
    OptionList(optlist, {});
    outline_.AddToOpenPage(title, OpenPage().id());
    return ++bookmarkCount_;
}

void Document::Finish(std::wstring_view optlist) {
    OptionList(optlist, {});
    if (page_) {
        AbandonPage();
    }
    if (pageIds_.empty()) {
        Fail(kErrorNoPages, "the document has no pages");
    }
    fonts_.WriteAll(writer_);
    std::string kids;
    for (const uint32_t id : pageIds_) {
        kids += Reference(id) + " ";
    }
    writer_.WriteObject(pageTreeId_, "<</Type /Pages /Kids [" + kids + "] /Count " +
                                         std::to_string(pageIds_.size()) + ">>");
    std::string catalog = "<</Type /Catalog /Pages " + Reference(pageTreeId_);
    if (const std::optional<uint32_t> outlineId = outline_.Write()) {
        catalog += " /Outlines " + Reference(*outlineId) + " /PageMode /UseOutlines";
    }
    const uint32_t catalogId = writer_.AddObject(catalog + ">>");
    const std::optional<std::time_t> now =
        settings_.deterministic ? std::nullopt : std::optional(std::time(nullptr));
    const uint32_t infoId = info_.Write(writer_, now);
    writer_.Finish(TrailerEntries(catalogId, infoId));
    file_.Commit();
}

// /Root, /Info and /ID (14.4): random per document, fixed in deterministic mode.
std::string Document::TrailerEntries(uint32_t catalogId, uint32_t infoId) const {
    uint8_t identifier[16] = {};
    if (!settings_.deterministic) {
        std::random_device device;
        for (uint8_t& byte : identifier) {
            byte = static_cast<uint8_t>(device());
        }
    }
    const std::string id = HexString(identifier);
    return "/Root " + Reference(catalogId) + " /Info " + Reference(infoId) + " /ID [" + id + " " +
           id + "]";
}

}  // namespace pdf

#pragma once

// One document being written: pages, fonts, graphics states, bookmarks and the information
// dictionary, streamed to a temporary file that becomes the target in Finish.

#include <ctime>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "document_info.h"
#include "font_table.h"
#include "graphics_states.h"
#include "image_source.h"
#include "image_table.h"
#include "object_writer.h"
#include "outline.h"
#include "output_file.h"
#include "page.h"

namespace pdf {

struct DocumentSettings {
    bool deterministic = false;  // fixed /ID, no dates
    bool claimName = false;      // the target is a first choice (see OutputFile)
};

class Document {
public:
    // Throws Failure (kErrorFile) when the temporary file cannot be created.
    Document(const std::filesystem::path& target, DocumentSettings settings);

    void SetInfo(std::wstring_view key, std::wstring_view value) { info_.Set(key, value); }

    void BeginPage(double width, double height, std::wstring_view optlist);
    void EndPage(std::wstring_view optlist);
    double PageWidth() const { return OpenPage().width(); }
    double PageHeight() const { return OpenPage().height(); }

    // Writes the image at once; see PdfWriter::load_image.
    int LoadImage(ImageSource& source, std::wstring_view imageType, std::wstring_view optlist);
    void FitImage(int handle, double x, double y, std::wstring_view optlist);
    void CloseImage(int handle) { images_.Close(handle); }
    const ImageObject& Image(int handle) const { return images_.Get(handle); }

    int CreateGraphicsState(std::wstring_view optlist);
    void SetGraphicsState(int handle);

    int LoadFont(const std::wstring& name, const std::wstring& encoding, std::wstring_view optlist);
    void SetFont(int handle, double size);
    void SetTextPosition(double x, double y);
    void SetColor(std::wstring_view target, std::wstring_view space, const double (&values)[4]);
    void Show(std::wstring_view text);

    int CreateBookmark(std::wstring_view title, std::wstring_view optlist);

    // Writes everything and renames the file over the target. Throws Failure (kErrorNoPages)
    // when no page was finished.
    void Finish(std::wstring_view optlist);

    // The target, or after Finish the name the document went to.
    const std::filesystem::path& Target() const { return file_.Target(); }

private:
    struct TextState {
        int font = -1;
        double size = 0;
        double x = 0;
        double y = 0;
    };

    Page& OpenPage();
    const Page& OpenPage() const;
    void AbandonPage();
    std::string TrailerEntries(uint32_t catalogId, uint32_t infoId) const;

    DocumentSettings settings_;
    OutputFile file_;
    ObjectWriter writer_;
    uint32_t pageTreeId_;
    std::vector<uint32_t> pageIds_;
    std::optional<Page> page_;
    uint32_t sparePageId_ = 0;  // reserved for an abandoned page, used by the next one
    TextState text_;
    DocumentInfo info_;
    ImageTable images_;
    GraphicsStates graphicsStates_;
    FontTable fonts_;
    Outline outline_;
    int bookmarkCount_ = 0;
};

}  // namespace pdf

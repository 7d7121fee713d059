#pragma once

// Top-level bookmarks (ISO 32000-1, 12.3.3). Each entry is written as soon as the next one
// exists, so only the newest entry and the open page's entries stay in memory.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "object_writer.h"

namespace pdf {

class Outline {
public:
    explicit Outline(ObjectWriter& writer) : writer_(writer) {}

    // An entry to the open page, kept until the page is finished or abandoned.
    void AddToOpenPage(std::wstring_view title, uint32_t pageId);
    void FinishPage();
    void AbandonPage() { pending_.clear(); }

    // Writes the last entry and the outline dictionary; nullopt when there are no entries.
    std::optional<uint32_t> Write();

private:
    struct Entry {
        uint32_t id = 0;
        uint32_t previousId = 0;
        std::string title;  // already spelled as a PDF string
        uint32_t pageId = 0;
    };

    uint32_t RootId();
    void WriteEntry(const Entry& entry, uint32_t nextId);

    ObjectWriter& writer_;
    std::vector<Entry> pending_;
    std::optional<Entry> last_;
    uint32_t rootId_ = 0;
    uint32_t firstId_ = 0;
    uint32_t count_ = 0;
};

}  // namespace pdf

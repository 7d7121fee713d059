#include "outline.h"

#include "pdf_syntax.h"

namespace pdf {

void Outline::AddToOpenPage(std::wstring_view title, uint32_t pageId) {
    pending_.push_back({.title = TextString(title), .pageId = pageId});
}

void Outline::FinishPage() {
    for (Entry& entry : pending_) {
        entry.id = writer_.Allocate();
        if (last_) {
            entry.previousId = last_->id;
            WriteEntry(*last_, entry.id);
        } else {
            firstId_ = entry.id;
        }
        last_ = std::move(entry);
        ++count_;
    }
    pending_.clear();
}

std::optional<uint32_t> Outline::Write() {
    if (!last_)
        return std::nullopt;
    WriteEntry(*last_, 0);
    writer_.WriteObject(RootId(), "<</Type /Outlines /First " + Reference(firstId_) + " /Last " +
                                      Reference(last_->id) + " /Count " + std::to_string(count_) +
                                      ">>");
    return RootId();
}

uint32_t Outline::RootId() {
    if (rootId_ == 0)
        rootId_ = writer_.Allocate();
    return rootId_;
}

void Outline::WriteEntry(const Entry& entry, uint32_t nextId) {
    std::string item = "<</Title " + entry.title + " /Parent " + Reference(RootId()) + " /Dest [" +
                       Reference(entry.pageId) + " /Fit]";
    if (entry.previousId != 0)
        item += " /Prev " + Reference(entry.previousId);
    if (nextId != 0)
        item += " /Next " + Reference(nextId);
    writer_.WriteObject(entry.id, item + ">>");
}

}  // namespace pdf

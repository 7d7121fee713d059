#pragma once

// The document information dictionary (ISO 32000-1, 14.3.3).

#include <ctime>
#include <map>
#include <optional>
#include <string>

#include "object_writer.h"

namespace pdf {

class DocumentInfo {
public:
    // Stores an entry; a second call with the same key replaces the value. Throws Failure
    // (kErrorParameter) for an empty or non-ASCII key and for the entries the writer fills in
    // itself (Producer, CreationDate, ModDate, Trapped).
    void Set(std::wstring_view key, std::wstring_view value);

    // Writes the dictionary with Producer and, when a time is given, CreationDate and ModDate.
    uint32_t Write(ObjectWriter& writer, std::optional<std::time_t> now) const;

private:
    std::map<std::string, std::wstring> entries_;
};

// "D:YYYYMMDDHHmmSS+HH'mm'" for the local time (7.9.4).
std::string PdfDate(std::time_t time);

}  // namespace pdf

#pragma once

// The usage counters: how often each event (a numbered id with an optional short info text)
// happened in this run, and the JSON document that reports them to the record server.
//
// Thread-safe: one mutex serialises every update and the building of the document. Counters
// only grow; submitting them changes nothing.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace basalt {

// The general block of the document.
struct SubmissionHeader {
    std::wstring installationId;  // sent as a number when it is one, else as a string
    std::wstring fileName;        // the host executable's file name
    std::wstring fileVersion;     // its numeric file version, "a.b.c.d" or empty
};

class RecordStore {
public:
    // Adds one to the counter of (id, info).
    void Add(int32_t id, std::wstring_view info);

    // {"general":{"id":..,"name":"..","version":".."},"records":[{"id":"3","count":"2",
    // "info":"<Base64 of the info's UTF-8>"},..]} without blanks, items ordered by id and then
    // by info; the "records" part only when a counter exists.
    std::string Document(const SubmissionHeader& header) const;

private:
    mutable std::mutex lock_;
    std::map<int32_t, std::map<std::wstring, uint64_t>> counters_;
};

}  // namespace basalt

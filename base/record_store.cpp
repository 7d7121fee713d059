#include "record_store.h"

#include "base64.h"
#include "json_text.h"
#include "platform/text.h"

namespace basalt {
namespace {

std::string GeneralBlock(const SubmissionHeader& header) {
    return "\"general\":{\"id\":" + JsonIdValue(platform::ToUtf8(header.installationId)) +
           ",\"name\":" + JsonString(platform::ToUtf8(header.fileName)) +
           ",\"version\":" + JsonString(platform::ToUtf8(header.fileVersion)) + "}";
}

std::string Item(int32_t id, std::wstring_view info, uint64_t count) {
    return "{\"id\":\"" + std::to_string(id) + "\",\"count\":\"" + std::to_string(count) +
           "\",\"info\":\"" + Base64Encode(platform::ToUtf8(info)) + "\"}";
}

}  // namespace

void RecordStore::Add(int32_t id, std::wstring_view info) {
    const std::lock_guard guard(lock_);
    ++counters_[id][std::wstring(info)];
}

std::string RecordStore::Document(const SubmissionHeader& header) const {
    std::string document = "{" + GeneralBlock(header);
    const std::lock_guard guard(lock_);
    if (!counters_.empty()) {
        document += ",\"records\":[";
        const char* separator = "";
        for (const auto& [id, infos] : counters_) {
            for (const auto& [info, count] : infos) {
                document.append(separator).append(Item(id, info, count));
                separator = ",";
            }
        }
        document += "]";
    }
    return document + "}";
}

}  // namespace basalt

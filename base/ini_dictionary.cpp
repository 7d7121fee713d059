#include "ini_dictionary.h"

#include "platform/text.h"
#include "wide_text.h"

namespace basalt {

void IniDictionary::Set(std::wstring_view key, std::wstring_view value) {
    std::wstring lowerKey = platform::ToFolded(key);
    const std::lock_guard guard(lock_);
    if (value.empty()) {
        entries_.erase(lowerKey);
    } else {
        entries_.insert_or_assign(std::move(lowerKey), std::wstring(value));
    }
}

const wchar_t* IniDictionary::Find(std::wstring_view key) const {
    const std::wstring lowerKey = platform::ToFolded(key);
    const std::lock_guard guard(lock_);
    const auto found = entries_.find(lowerKey);
    return found == entries_.end() ? nullptr : found->second.c_str();
}

std::wstring IniDictionary::Value(std::wstring_view key) const {
    const std::wstring lowerKey = platform::ToFolded(key);
    const std::lock_guard guard(lock_);
    const auto found = entries_.find(lowerKey);
    return found == entries_.end() ? std::wstring() : found->second;
}

}  // namespace basalt

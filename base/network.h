#pragma once

// The library's conversations with the record server: the network switch, the dictionary
// download, the plain file download and the usage submission.

#include <filesystem>
#include <string_view>

#include "ini_dictionary.h"
#include "record_store.h"

namespace basalt {

// True when the dictionary holds "Internet" with a value other than "true" (letter case of
// ASCII letters ignored). A missing entry allows network use.
bool NetworkSwitchedOff(const IniDictionary& dictionary);

// Posts the INI request to url and stores every entry of the reply; a failed request stores
// and removes nothing. Does not consult the network switch.
void DownloadIniEntries(IniDictionary& dictionary, std::wstring_view url);

// Downloads url into target, replacing it whole; false (target unchanged) on failure.
bool DownloadToFile(std::wstring_view url, const std::filesystem::path& target);

// The general block for a submission: the installation id (value "ID" under HKEY_LOCAL_MACHINE
// "Software\Quill\Folioforge", at most 63 characters; a number value as its decimal text), the
// executable's file name and its numeric version.
SubmissionHeader CurrentSubmissionHeader();

// The whole submission may take at most this long: the program submits while its main window
// closes, and nobody should wait on a dead server to close a window.
inline constexpr long kSubmissionLimitMs = 3'000;

// Posts "tip=&info=<document>" to url within kSubmissionLimitMs. True when the server accepted
// it (status 2xx).
bool SubmitRecords(const RecordStore& records, std::wstring_view url);

}  // namespace basalt

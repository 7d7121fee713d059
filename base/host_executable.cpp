#include "host_executable.h"

#include "platform/modules.h"
#include "platform/text.h"

namespace basalt {

const FolioforgeVersionRecord* HostVersionRecord() {
    // A record in any other module than the program itself is not the host's.
    const void* symbol = platform::ProgramSymbol(FOLIOFORGE_VERSION_RECORD_SYMBOL);
    if (!symbol)
        return nullptr;
    const auto* record = static_cast<const FolioforgeVersionRecord*>(symbol);
    return record->recordSize == sizeof(FolioforgeVersionRecord) ? record : nullptr;
}

std::wstring HostVersionString(FolioforgeVersionString index) {
    const FolioforgeVersionRecord* record = HostVersionRecord();
    if (!record || !record->strings[index])
        return {};
    return platform::FromUtf8(record->strings[index]);
}

std::wstring HostNumericVersion() {
    const FolioforgeVersionRecord* record = HostVersionRecord();
    if (!record)
        return {};
    const uint16_t* part = record->fileVersion;
    return std::to_wstring(part[0]) + L'.' + std::to_wstring(part[1]) + L'.' +
           std::to_wstring(part[2]) + L'.' + std::to_wstring(part[3]);
}

std::filesystem::path HostExecutablePath() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error);
}

}  // namespace basalt

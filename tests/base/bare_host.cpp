// A host executable without a version record: prints how many version strings libbasalt
// finds for it.

#include <cstdio>
#include <initializer_list>

#include "basalt/basalt.h"

int main() {
    InitBasalt(nullptr, nullptr, nullptr);
    int found = 0;
    for (const wchar_t* name :
         {L"Comments", L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName",
          L"LegalCopyright", L"LegalTrademarks", L"OriginalFilename", L"ProductName",
          L"ProductVersion", L"PrivateBuild", L"SpecialBuild"}) {
        found += GetIniString(name) != nullptr;
    }
    std::printf("version strings: %d\n", found);
    return 0;
}

// Stand-ins for libbasalt beside a copy of the module: one whose GetTextByID knows the menu
// caption, and one without the export at all.

#include <cwchar>

#ifdef FAKE_BASALT_WITH_TEXT
extern "C" __attribute__((visibility("default"))) const wchar_t* GetTextByID(const wchar_t* id,
                                                                             const wchar_t*,
                                                                             const wchar_t*,
                                                                             const wchar_t*) {
    return std::wcscmp(id, L"200016") == 0 ? L"PDF aus Bildern erstellen" : nullptr;
}
#else
extern "C" __attribute__((visibility("default"))) int InitBasalt() {
    return 1;
}
#endif

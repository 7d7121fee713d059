#pragma once

// The web window lives in a module of its own, libbasalt-web.so beside the library, loaded on
// the first request. The library itself then needs neither the browser engine nor the window
// layer: a C program, the shell extension or a build without Qt WebEngine loads it as before,
// and a machine without the browser engine only loses the web window.

#include <cstdint>

#include "basalt/basalt.h"

namespace basalt {

// The module's file name and the name of its one entry point, which has OpenWebWnd's contract
// apart from the network switch.
inline constexpr char kWebModuleFile[] = "libbasalt-web.so";
inline constexpr char kWebModuleEntry[] = "BasaltOpenWebWindow";
using OpenWebWindowEntry = HWND (*)(const wchar_t* url, HWND parent, uint32_t style,
                                    unsigned int message);

// Opens a web window through the module; null when the module or its entry point cannot be
// loaded (the first failure is final for the process). Any thread.
HWND OpenWebWindow(const wchar_t* url, HWND parent, uint32_t style, unsigned int message);

}  // namespace basalt

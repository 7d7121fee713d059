#pragma once

// The entry points every in-process server module exports with C linkage, as function pointer
// types for hosts that look them up with dlsym.

#include "com/guid.h"
#include "com/types.h"

namespace com {

using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
using DllInstallFn = HRESULT (*)(BOOL install, const WCHAR* commandLine);
using DllGetClassObjectFn = HRESULT (*)(const CLSID& clsid, const IID& iid, void** object);
using DllCanUnloadNowFn = HRESULT (*)();

}  // namespace com

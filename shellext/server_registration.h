#pragma once

// Registration of the module as the context-menu handler for all files and for folders: the
// two handler keys, the application and class scripts, the type library and the file-manager
// entries. Uses the module's own path; not safe to run concurrently with itself.

#include "com/types.h"
#include "registration_scope.h"

namespace shellext {

// Writes everything. On failure removes everything again (as UnregisterServer does) and
// returns the first failure's code: SELFREG_E_CLASS when the store refuses a handler key or a
// class entry or the module's path cannot be stored (not UTF-8, unknown), SELFREG_E_TYPELIB for the
// type library, or the file-manager entry's code.
com::HRESULT RegisterServer(Scope scope);

// Removes the handler keys, the class entries, the type library, the application entries and
// the file-manager entries; keeps the shared keys (CLSID, AppID, TypeLib, the
// ContextMenuHandlers keys). S_OK also when nothing was registered; the first failure's code
// when something could not be removed.
com::HRESULT UnregisterServer(Scope scope);

}  // namespace shellext

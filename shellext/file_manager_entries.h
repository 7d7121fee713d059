#pragma once

// Installs and removes the entry files through which Nautilus, Dolphin and Nemo offer the menu
// item. Per-user: in $XDG_DATA_HOME (default ~/.local/share): nautilus/scripts/CAPTION,
// kio/servicemenus/folioforge-pdf.desktop and nemo/actions/folioforge-pdf.nemo_action.
// Machine-wide: the last two in the first folder of $XDG_DATA_DIRS (default /usr/local/share);
// Nautilus has no system-wide scripts folder. Files are written whole or not at all; a file of
// the same name that registration did not write is never replaced or removed.

#include <string>

#include "com/types.h"
#include "registration_scope.h"

namespace shellext {

// Writes the entries for the shellhost program (native path) under the caption, replacing
// earlier ones. S_OK, or the failure's code with the entries written so far left in place
// (the caller unregisters).
com::HRESULT InstallFileManagerEntries(Scope scope, const std::string& shellhost,
                                       const std::wstring& caption);

// Removes the entries registration wrote, whatever caption they had. S_OK also when there
// were none; the failure's code when one could not be removed (the rest are still removed).
com::HRESULT RemoveFileManagerEntries(Scope scope);

}  // namespace shellext

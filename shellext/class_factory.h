#pragma once

#include "com/unknown.h"

namespace shellext {

// Asks a new class factory for CPMenuItem objects for iid (IUnknown or IClassFactory). The
// factory holds a module reference while it lives, and LockServer counts as one too. Objects
// are created without aggregation: a controlling outer object gets CLASS_E_NOAGGREGATION.
com::HRESULT GetPMenuItemFactory(const com::IID& iid, void** object);

}  // namespace shellext

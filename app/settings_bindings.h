#pragma once

// Which setting each edit of the settings dialog stores, by which rule, and the usage text it
// records. The two image-size edits store as a pair and are not listed here.
//
// Not thread-safe: the settings record belongs to its caller's thread.

#include <string>

#include "engine/conversion_settings.h"
#include "gfx/wintypes.h"

namespace app {

enum class StorageRule {
    kText,      // stored when it differs other than in letter case (paths: at all)
    kNumber,    // NumberOfText; -1 ignored; stored when it differs
    kFontSize,  // NumberOfText reduced to its lowest byte, which replaces the stored one's
};

struct EditBinding {
    UINT id;
    const wchar_t* setting;  // the field's stored name
    StorageRule rule;
    const wchar_t* usage;  // usage event 102's text; "%s" stands for the edit's text
};

// The binding of edit id; null for an edit not listed.
const EditBinding* FindEditBinding(UINT id);

// Stores text in settings by binding's rule. False when settings has no field of the binding's
// name and kind (nothing is stored then).
bool StoreEditText(engine::ConversionSettings& settings, const EditBinding& binding,
                   const std::wstring& text);

}  // namespace app

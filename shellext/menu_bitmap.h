#pragma once

#include "com/menu.h"

namespace shellext {

// The resource id of the image shown beside the menu item.
inline constexpr int kMenuBitmapId = 201;

// The module's bitmap resource with this id (16 x 16 pixels, alive as long as the module is
// loaded); null for an id the module does not carry.
com::HBITMAP LoadBitmapResource(int id);

}  // namespace shellext

#pragma once

#include <QIcon>

namespace app {

// The program's icon, res/folioforge.png beside the program; a null icon when it is missing.
QIcon ProgramIcon();

}  // namespace app

#include "program_icon.h"

#include "background_image.h"
#include "qt_text.h"

namespace app {

QIcon ProgramIcon() {
    return QIcon(ToQString(ResolveProgramPath(L"res/folioforge.png")));
}

}  // namespace app

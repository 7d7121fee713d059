#include "web_area_hooks.h"

namespace app {

// The start page belongs to the web areas, which are not part of this build yet.
void OpenStartPage() {}

// The update check and the areas built after it belong to the web areas as well; until they
// land, the program neither checks for updates nor receives WM_WEB_AREAS_READY.
void StartUpdateCheckWorker(HWND) {}

void OnWebAreasReady(HWND) {}

}  // namespace app

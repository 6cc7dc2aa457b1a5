#pragma once

#include <windows.h>

namespace lumbrix {

// The box's own menu cannot be added to: under Wine it tells its owner
// nothing as it opens (no WM_INITMENUPOPUP), and it drops a chosen item it
// does not know. So the box's WM_CONTEXTMENU shows this instead.
//
// Shows the system's own edit menu for `box` (so its items are in the
// user's language), greyed as the box's own menu greys them, with Copy
// result after a separator, greyed while `resultBox` is empty. `at` is the
// WM_CONTEXTMENU point, (-1, -1) from the keyboard. Carries out what was
// chosen. Returns false, having shown nothing, when the system's edit menu
// cannot be loaded: the box then shows its menu without Copy result.
bool ShowInputMenu(HWND box, LPARAM at, HWND resultBox);

} // namespace lumbrix

#pragma once

namespace lumbrix {

// In a Wayland session, asks Qt for XWayland first and native Wayland only
// where there is no X server. A Wayland compositor places windows itself, so
// the window could not open centred, and Qt's own title bar there offers
// minimize and maximize and cuts the caption of so narrow a window. A
// platform the user chose (QT_QPA_PLATFORM or -platform) is kept. Call before
// the application object exists.
void PreferXWayland(int argc, char** argv);

} // namespace lumbrix

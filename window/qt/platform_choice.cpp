#include "window/qt/platform_choice.hpp"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstring>

namespace lumbrix {

void PreferXWayland(int argc, char** argv) {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
      return;
  const bool wayland = qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
                       qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
  // Qt tries the platforms in turn: without DISPLAY, xcb fails and Wayland
  // takes over.
  if (wayland) qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace lumbrix

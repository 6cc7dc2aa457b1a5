#include "build_info.hpp"
#include "window/form1.hpp"
#include "window/platform_choice.hpp"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char* argv[]) {
  lumbrix::PreferXWayland(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lumbrix"));
  QApplication::setApplicationVersion(QStringLiteral(LUMBRIX_VERSION_TEXT));
  QApplication::setOrganizationName(QStringLiteral("Brimsel Co."));
  // Lets docks and task bars match the window to its desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral(LUMBRIX_APP_ID));

  lumbrix::Form1 form(&QDesktopServices::openUrl, QUrl(QStringLiteral(LUMBRIX_HOMEPAGE_URL)));
  QObject::connect(&form, &lumbrix::Form1::endRequested, &app, [] { QCoreApplication::exit(0); });
  form.CenterOnScreen();
  form.show();
  return QApplication::exec();
}

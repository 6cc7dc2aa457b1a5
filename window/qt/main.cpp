#include "window/product.hpp"
#include "window/qt/form1.hpp"
#include "window/qt/platform_choice.hpp"
#include "window/qt/translations.hpp"

#include <QApplication>
#include <QDesktopServices>

int main(int argc, char* argv[]) {
  lumbrix::PreferXWayland(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(lumbrix::kProductName));
  QApplication::setApplicationVersion(QString::fromUtf8(lumbrix::kVersionText));
  QApplication::setOrganizationName(QString::fromUtf8(lumbrix::kMaker));
  // Lets docks and task bars match the window to its desktop entry.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(lumbrix::kAppId));
  const lumbrix::Translations translations;

  lumbrix::Form1 form(&QDesktopServices::openUrl, QUrl(QString::fromUtf8(lumbrix::kHomePage)));
  QObject::connect(&form, &lumbrix::Form1::endRequested, &app, [] { QCoreApplication::exit(0); });
  form.CenterOnScreen();
  form.show();
  return QApplication::exec();
}

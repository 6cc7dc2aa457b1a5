// The toolkit's floor for a window like Lumbrix's: the same widgets at the
// same places with the same texts, and nothing else. The start-up and latency
// benchmarks compare Lumbrix against this in the same run.
//
// --no-desktop-settings calls QApplication::setDesktopSettingsAware(false)
// before the application exists, so the desktop's platform theme (GTK 3 under
// GNOME) is neither loaded nor asked for a palette and fonts.

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no-desktop-settings") == 0)
      QApplication::setDesktopSettingsAware(false);
  }
  QApplication app(argc, argv);

  QWidget window;
  window.setWindowTitle(QStringLiteral("Lumbrix"));
  window.setFixedSize(163, 57);

  // Created in the order Lumbrix creates them, so the stacking matches where
  // the boxes overlap by one pixel.
  auto* button = new QPushButton(QStringLiteral("Brimsel Co."), &window);
  button->setGeometry(8, 40, 148, 15);
  auto* input = new QLineEdit(QStringLiteral("632.8"), &window);
  input->setGeometry(0, 0, 137, 17);
  auto* inputUnit = new QLineEdit(QStringLiteral("nm"), &window);
  inputUnit->setGeometry(136, 0, 25, 17);
  auto* resultUnit = new QLineEdit(QStringLiteral("eV"), &window);
  resultUnit->setGeometry(136, 16, 25, 19);
  auto* result = new QLineEdit(QStringLiteral("1.95954487989886"), &window);
  result->setGeometry(0, 16, 137, 19);

  // Enter writes 1240 / value into the result box, as Lumbrix does, so the
  // latency benchmark has a bare Enter to compare with.
  QObject::connect(input, &QLineEdit::returnPressed, result, [input, result] {
    bool ok = false;
    const double value = QLocale::c().toDouble(input->text(), &ok);
    result->setText(ok && value != 0 ? QString::number(1240 / value, 'g', 15) : QString());
  });

  input->setFocus();
  window.show();
  return app.exec();
}

#include "tests/support/form1_fixture.hpp"

#include <QLocale>
#include <QTest>

QUrl Form1Fixture::HomePage() { return QUrl(QStringLiteral("https://brimsel.example/")); }

QLineEdit* Form1Fixture::Box(const char* name) const {
  return form->findChild<QLineEdit*>(QLatin1String(name));
}

void Form1Fixture::init() {
  opened.clear();
  openSucceeds = true;
  form = std::make_unique<lumbrix::Form1>(
      [this](const QUrl& url) {
        opened << url;
        return openSucceeds;
      },
      HomePage());
  form->show();
  QVERIFY(QTest::qWaitForWindowActive(form.get()));
}

void Form1Fixture::cleanup() {
  form.reset();
  // A test may have set a region of its own.
  QLocale::setDefault(QLocale::system());
}

#pragma once

// The Qt window under test, made anew for every test function: Qt Test
// calls the init() and cleanup() slots of a test class's base too.

#include "window/qt/form1.hpp"

#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QUrl>

#include <memory>

class Form1Fixture : public QObject {
  Q_OBJECT

protected:
  // Where the window's home-page button leads in every test.
  static QUrl HomePage();

  std::unique_ptr<lumbrix::Form1> form;
  // What the window asked to open, and whether opening succeeds.
  QList<QUrl> opened;
  bool openSucceeds = true;

  QLineEdit* Box(const char* name) const;

protected slots:
  void init();
  void cleanup();
};

#pragma once

#include "conversion/converter_controller.hpp"

#include <QUrl>
#include <QWidget>

#include <functional>

class QPushButton;

namespace lumbrix {

class Announcer;
class TextBox;

// The converter window: the input and its unit on top, the result and its
// unit beneath, the maker's button below. It turns key presses and clicks
// into controller calls and writes the controller's results back.
class Form1 : public QWidget {
  Q_OBJECT

public:
  // Opens an address in the user's browser; false when that failed.
  using UrlOpener = std::function<bool(const QUrl&)>;

  explicit Form1(UrlOpener openUrl, QUrl homePage, QWidget* parent = nullptr);

  // Places the window in the middle of the screen's available area.
  void CenterOnScreen();

signals:
  // Escape on an empty input: the program must end now.
  void endRequested();

private:
  void Command_Click();
  void ShowInputMenu(const QPoint& position);
  void Handle(const std::function<Continuation(ConverterFields&)>& handler);
  ConverterFields ReadFields() const;
  QWidget* Child(const char* name) const;

  TextBox* Text1;
  TextBox* Text2;
  TextBox* Text3;
  TextBox* Text4;
  QPushButton* Command;
  Announcer* announcer_;
  // The desktop's decimal separator, read once as the window opens.
  char16_t separator_;
  UrlOpener openUrl_;
  QUrl homePage_;
  bool ended_ = false;
};

} // namespace lumbrix

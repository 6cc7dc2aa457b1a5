#pragma once

#include "conversion/converter_controller.hpp"

#include <QLineEdit>

namespace lumbrix {

// A line edit that reports the keys the converter handles and whole clicks.
// Enter and Escape go to keyAscii() and not to the box; every other key is
// the box's own. Shift+F10 opens the context menu, as the Menu key does.
class TextBox : public QLineEdit {
  Q_OBJECT

public:
  using QLineEdit::QLineEdit;

  // Where the character at `offset` is drawn, in the box's coordinates.
  QRect CharacterRect(int offset) const;

signals:
  void keyAscii(lumbrix::KeyAscii key);
  // A left-button press and release inside the box, after the box has
  // placed its cursor, so that what the handler selects stays selected.
  void clicked();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  bool pressedInside_ = false;
};

} // namespace lumbrix

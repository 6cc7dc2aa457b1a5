#include "window/text_box.hpp"

#include <QKeyEvent>
#include <QMouseEvent>

namespace lumbrix {

void TextBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
  case Qt::Key_Return:
  case Qt::Key_Enter:
    event->accept();
    emit keyAscii(kKeyEnter);
    return;
  case Qt::Key_Escape:
    event->accept();
    emit keyAscii(kKeyEscape);
    return;
  default:
    QLineEdit::keyPressEvent(event);
  }
}

void TextBox::mousePressEvent(QMouseEvent* event) {
  pressedInside_ = event->button() == Qt::LeftButton;
  QLineEdit::mousePressEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a click of its own.
  pressedInside_ = event->button() == Qt::LeftButton;
  QLineEdit::mouseDoubleClickEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  const bool click = pressedInside_ && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  pressedInside_ = false;
  if (click) emit clicked();
}

} // namespace lumbrix

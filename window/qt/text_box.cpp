#include "window/qt/text_box.hpp"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace lumbrix {

QRect TextBox::CharacterRect(int offset) const {
  // Only the cursor's place is known with the box's margins and scrolling:
  // measure from there.
  const QFontMetrics metrics = fontMetrics();
  const QString shown = displayText();
  const QRect cursor = cursorRect();
  const int origin = cursor.center().x() - metrics.horizontalAdvance(shown.left(cursorPosition()));
  return QRect(origin + metrics.horizontalAdvance(shown.left(offset)), cursor.top(),
               metrics.horizontalAdvance(shown.mid(offset, 1)), cursor.height());
}

void TextBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    event->accept();
    const QPoint at = cursorRect().center();
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, mapToGlobal(at));
    QCoreApplication::sendEvent(this, &menu);
    return;
  }
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

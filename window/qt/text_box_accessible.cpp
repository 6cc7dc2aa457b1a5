#include "window/qt/text_box_accessible.hpp"

#include "window/qt/text_box.hpp"

#include <QAccessibleWidget>

#include <algorithm>

namespace lumbrix {
namespace {

// A piece of the text: [start, end).
struct Span {
  int start;
  int end;
};

// One character, surrogate pairs kept whole; none at the end of the text.
Span CharacterAt(const QString& text, int offset) {
  const int length = static_cast<int>(text.size());
  if (offset >= length) return {length, length};
  int start = offset;
  if (start > 0 && text[start].isLowSurrogate() && text[start - 1].isHighSurrogate()) --start;
  int end = start + 1;
  if (end < length && text[start].isHighSurrogate() && text[end].isLowSurrogate()) ++end;
  return {start, end};
}

// Words are runs of non-space characters, so a number such as
// "-1.00440000914004E-05" reads as one; the spaces between are runs too.
// At the end of the text the last run is the word.
Span WordAt(const QString& text, int offset) {
  const int length = static_cast<int>(text.size());
  if (length == 0) return {0, 0};
  const int at = std::min(offset, length - 1);
  const bool space = text[at].isSpace();
  int start = at;
  while (start > 0 && text[start - 1].isSpace() == space) --start;
  int end = at + 1;
  while (end < length && text[end].isSpace() == space) ++end;
  return {start, end};
}

// A box holds one line: it is also the sentence and the paragraph.
Span SpanAt(const QString& text, int offset, QAccessible::TextBoundaryType type) {
  switch (type) {
  case QAccessible::CharBoundary:
    return CharacterAt(text, offset);
  case QAccessible::WordBoundary:
    return WordAt(text, offset);
  default:
    return {0, static_cast<int>(text.size())};
  }
}

class TextBoxInterface : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
public:
  explicit TextBoxInterface(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface && !Box()->isReadOnly())
      return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Box()->isReadOnly();
    state.editable = !state.readOnly;
    state.selectableText = true;
    return state;
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return Box()->text();
    return QAccessibleWidget::text(t);
  }

  // Text.
  int characterCount() const override { return static_cast<int>(Box()->text().size()); }
  QString text(int startOffset, int endOffset) const override {
    return Box()->text().mid(startOffset, endOffset - startOffset);
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                       int* endOffset) const override {
    const QString all = Box()->text();
    if (!Valid(all, offset)) return None(startOffset, endOffset);
    return Piece(all, SpanAt(all, offset, type), startOffset, endOffset);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                           int* endOffset) const override {
    const QString all = Box()->text();
    if (!Valid(all, offset)) return None(startOffset, endOffset);
    const Span at = SpanAt(all, offset, type);
    const Span before = at.start > 0 ? SpanAt(all, at.start - 1, type) : Span{0, 0};
    return Piece(all, before, startOffset, endOffset);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                          int* endOffset) const override {
    const QString all = Box()->text();
    if (!Valid(all, offset)) return None(startOffset, endOffset);
    const int length = static_cast<int>(all.size());
    const Span at = SpanAt(all, offset, type);
    const Span after = at.end < length ? SpanAt(all, at.end, type) : Span{length, length};
    return Piece(all, after, startOffset, endOffset);
  }
  // The boxes carry no formatting: one run, with no attributes, covers the
  // whole text, so that a reader builds the line from all of it.
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    const QString all = Box()->text();
    if (!Valid(all, offset)) return None(startOffset, endOffset);
    *startOffset = 0;
    *endOffset = static_cast<int>(all.size());
    return {};
  }

  // Cursor and selection.
  int cursorPosition() const override { return Box()->cursorPosition(); }
  void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
  int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Box()->hasSelectedText()) return;
    *startOffset = Box()->selectionStart();
    *endOffset = Box()->selectionEnd();
  }
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) Box()->deselect();
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex == 0) Box()->setSelection(startOffset, endOffset - startOffset);
  }

  // Geometry, in screen coordinates.
  QRect characterRect(int offset) const override {
    const QRect rect = Box()->CharacterRect(offset);
    return QRect(Box()->mapToGlobal(rect.topLeft()), rect.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Box()->cursorPositionAt(Box()->mapFromGlobal(point));
  }
  void scrollToSubstring(int, int endIndex) override { Box()->setCursorPosition(endIndex); }

  // Editing, for the input box only; it goes through the box's own editing,
  // so it can be undone as typing can.
  void deleteText(int startOffset, int endOffset) override {
    replaceText(startOffset, endOffset, {});
  }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int startOffset, int endOffset, const QString& text) override {
    Box()->setSelection(startOffset, endOffset - startOffset);
    Box()->insert(text);
  }

private:
  TextBox* Box() const { return static_cast<TextBox*>(widget()); }

  static bool Valid(const QString& text, int offset) {
    return offset >= 0 && offset <= static_cast<int>(text.size());
  }
  static QString None(int* startOffset, int* endOffset) {
    *startOffset = *endOffset = -1;
    return {};
  }
  static QString Piece(const QString& text, Span span, int* startOffset, int* endOffset) {
    *startOffset = span.start;
    *endOffset = span.end;
    return text.mid(span.start, span.end - span.start);
  }
};

} // namespace

QAccessibleInterface* TextBoxAccessible(TextBox* box) {
  return box ? new TextBoxInterface(box) : nullptr;
}

} // namespace lumbrix

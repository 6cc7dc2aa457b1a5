#include "window/qt/box_fields.hpp"

#include <QLineEdit>

namespace lumbrix {

SelectableBox ReadBox(const QLineEdit& edit) {
  SelectableBox box{edit.text().toStdU16String(), {}};
  if (edit.hasSelectedText()) {
    box.selection = {static_cast<std::size_t>(edit.selectionStart()),
                     static_cast<std::size_t>(edit.selectionLength())};
  } else {
    box.selection.start = static_cast<std::size_t>(edit.cursorPosition());
  }
  return box;
}

void WriteText(QLineEdit& edit, const Text& before, const Text& after) {
  if (after != before) edit.setText(QString::fromStdU16String(after));
}

void WriteBox(QLineEdit& edit, const SelectableBox& before, const SelectableBox& after) {
  if (after == before) return;
  WriteText(edit, before.text, after.text);
  const auto start = static_cast<int>(after.selection.start);
  const auto length = static_cast<int>(after.selection.length);
  if (length > 0) {
    edit.setSelection(start, length);
  } else {
    edit.setCursorPosition(start);
  }
}

} // namespace lumbrix

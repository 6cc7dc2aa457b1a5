#pragma once

#include "conversion/converter_fields.hpp"

class QLineEdit;

namespace lumbrix {

// Moves texts and selections between the line edits and ConverterFields.
SelectableBox ReadBox(const QLineEdit& edit);

// Writes what changed since `before`, so an untouched box keeps its cursor.
void WriteBox(QLineEdit& edit, const SelectableBox& before, const SelectableBox& after);
void WriteText(QLineEdit& edit, const Text& before, const Text& after);

} // namespace lumbrix

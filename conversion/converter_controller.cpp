#include "conversion/converter_controller.hpp"

#include "conversion/photon_convert.hpp"
#include "runtime/number_text.hpp"

namespace lumbrix {
namespace {

// Escape empties the boxes, or ends the program when the input is already
// empty, whichever box has the focus.
Continuation Escape(ConverterFields& fields) {
  if (fields.Text1.text.empty()) return Continuation::EndProgram;
  ClearAll(fields);
  return Continuation::KeepRunning;
}

void Prompt(ConverterFields& fields) {
  fields.Text1.SetText(kPrompt);
  SelectAll(fields.Text1);
}

} // namespace

void SelectAll(SelectableBox& box) { box.selection = {0, box.text.size()}; }

void ClearAll(ConverterFields& fields) {
  fields.Text1.SetText(u"");
  fields.Text2.SetText(u"");
  fields.Text3.clear();
  fields.Text4.clear();
}

void ConvertInput(ConverterFields& fields, char16_t separator) {
  if (fields.Text1.text.empty()) fields.Text1.SetText(u"0");
  fields.Text2.SetText(u"");
  fields.Text3.clear();
  fields.Text4.clear();

  if (fields.Text1.text == u"0" || !IsNumber(fields.Text1.text, separator)) {
    Prompt(fields);
    return;
  }

  const auto result = PhotonConvert(fields.Text1.text, separator);
  // A value of zero has no quotient: the input stays as typed, selected so
  // that typing replaces it, and the result and units stay empty.
  SelectAll(fields.Text1);
  if (!result) return;
  fields.Text2.SetText(*result);

  if (const auto units = ClassifyUnits(fields.Text1.text, separator)) {
    fields.Text3 = units->input;
    fields.Text4 = units->result;
  }
}

Continuation Text1_KeyPress(ConverterFields& fields, KeyAscii key, char16_t separator) {
  if (key == kKeyEscape && Escape(fields) == Continuation::EndProgram)
    return Continuation::EndProgram;
  if (key == kKeyEnter) ConvertInput(fields, separator);
  return Continuation::KeepRunning;
}

Continuation Text2_KeyPress(ConverterFields& fields, KeyAscii key) {
  return key == kKeyEscape ? Escape(fields) : Continuation::KeepRunning;
}

void Text1_Click(ConverterFields& fields) { SelectAll(fields.Text1); }
void Text2_Click(ConverterFields& fields) { SelectAll(fields.Text2); }

} // namespace lumbrix

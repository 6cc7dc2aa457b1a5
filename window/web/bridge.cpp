// The page's way into the core: the controller's handlers over the four
// boxes, the spoken result, the decimal separator, and the control table and
// window texts as plain JavaScript values. The page reads no number and
// holds no text of its own; everything it shows passes through here.

#include "conversion/converter_controller.hpp"
#include "conversion/spoken_result.hpp"
#include "runtime/number_text.hpp"
#include "window/product.hpp"
#include "window/texts.hpp"
#include "window/web/page_form.hpp"

#include <emscripten/bind.h>

#include <string>
#include <utility>

namespace lumbrix {
namespace {

using emscripten::val;

// The boxes after a handler, and whether it asked to end the program.
struct Outcome {
  ConverterFields fields;
  bool endProgram;
};

// The page passes the separator as a text of one UTF-16 unit.
char16_t First(const Text& separator) { return separator.empty() ? u'.' : separator.front(); }

template <typename Handler> Outcome Run(ConverterFields fields, Handler handler) {
  const bool end = handler(fields) == Continuation::EndProgram;
  return {std::move(fields), end};
}

Outcome OnText1KeyPress(ConverterFields fields, KeyAscii key, const Text& separator) {
  return Run(std::move(fields), [&](auto& f) { return Text1_KeyPress(f, key, First(separator)); });
}

Outcome OnText2KeyPress(ConverterFields fields, KeyAscii key) {
  return Run(std::move(fields), [key](auto& f) { return Text2_KeyPress(f, key); });
}

Outcome OnText1Click(ConverterFields fields) {
  return Run(std::move(fields), [](auto& f) { return Text1_Click(f), Continuation::KeepRunning; });
}

Outcome OnText2Click(ConverterFields fields) {
  return Run(std::move(fields), [](auto& f) { return Text2_Click(f), Continuation::KeepRunning; });
}

// What the page does where the program would end and the browser keeps it.
ConverterFields Cleared(ConverterFields fields) {
  ClearAll(fields);
  return fields;
}

Text Spoken(const ConverterFields& fields, const Text& noResult) {
  return SpokenResult(fields, noResult);
}

Text SeparatorFrom(const Text& browsers) { return Text(1, DecimalSeparatorFrom(browsers)); }

// {context, text}: context null where the text is the same in every language.
val TranslatableValue(const Translatable& t) {
  val value = val::object();
  value.set("context", t.context ? val(std::string(t.context)) : val::null());
  value.set("text", std::string(t.text));
  return value;
}

// One row of the table, its place in CSS pixels and its start text with the
// page's separator.
val ControlValue(const PageControl& row) {
  const Control& control = row.control;
  val value = val::object();
  value.set("name", std::string(control.name));
  value.set("button", control.kind == ControlKind::Button);
  value.set("order", row.order);
  value.set("left", row.px.left);
  value.set("top", row.px.top);
  value.set("width", row.px.width());
  value.set("height", row.px.height());
  value.set("text", row.text);
  value.set("tabIndex", control.tabIndex);
  value.set("tabStop", control.tabStop);
  value.set("readOnly", control.readOnly);
  value.set("menuBackground", control.background == Background::Menu);
  value.set("accessibleName", TranslatableValue(control.accessibleName));
  value.set("description", TranslatableValue(control.description));
  return value;
}

// The window: its size in CSS pixels, its controls, the texts that belong to
// no control, and the keys the handlers know.
val Form(const Text& separator) {
  val controls = val::array();
  for (const PageControl& row : PageControls(First(separator)))
    controls.call<void>("push", ControlValue(row));
  val widest = val::array();
  for (const char* text : kWidestTexts) widest.call<void>("push", std::string(text));
  const PixelEdges client = PageClientArea();

  val form = val::object();
  form.set("title", std::string(kProductName));
  form.set("homePage", std::string(kHomePage));
  form.set("width", client.width());
  form.set("height", client.height());
  form.set("controls", controls);
  form.set("widestTexts", widest);
  form.set("copyResult", TranslatableValue(kCopyResult));
  form.set("homePageWarning", TranslatableValue(kHomePageWarning));
  form.set("noResultForZero", TranslatableValue(kNoResultForZero));
  form.set("keyEnter", kKeyEnter);
  form.set("keyEscape", kKeyEscape);
  return form;
}

} // namespace
} // namespace lumbrix

EMSCRIPTEN_BINDINGS(lumbrix) {
  using namespace emscripten;
  using namespace lumbrix;
  value_object<Selection>("Selection")
      .field("start", &Selection::start)
      .field("length", &Selection::length);
  value_object<SelectableBox>("SelectableBox")
      .field("text", &SelectableBox::text)
      .field("selection", &SelectableBox::selection);
  value_object<ConverterFields>("ConverterFields")
      .field("Text1", &ConverterFields::Text1)
      .field("Text2", &ConverterFields::Text2)
      .field("Text3", &ConverterFields::Text3)
      .field("Text4", &ConverterFields::Text4);
  value_object<Outcome>("Outcome")
      .field("fields", &Outcome::fields)
      .field("endProgram", &Outcome::endProgram);

  function("Text1_KeyPress", &OnText1KeyPress);
  function("Text2_KeyPress", &OnText2KeyPress);
  function("Text1_Click", &OnText1Click);
  function("Text2_Click", &OnText2Click);
  function("ClearAll", &Cleared);
  function("SpokenResult", &Spoken);
  function("DecimalSeparatorFrom", &SeparatorFrom);
  function("Form", &Form);
}

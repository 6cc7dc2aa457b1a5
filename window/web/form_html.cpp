// Writes the converter window as the page holds it before any script runs,
// from the same rows the bridge gives the running page (page_form.hpp):
//   form_html html   the form's elements, in English, for index.html
//   form_html css    their places and sizes, after style.css in the page's
//                    stylesheet (its Content-Security-Policy allows no
//                    style attribute)
// Run under node at build time by make_page.cmake; layout.js takes the
// elements over and app.js wires them to the core.

#include "window/web/page_form.hpp"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

namespace lumbrix {
namespace {

// For an attribute in double quotes or an element's text.
std::string Escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
    case '&':
      out += "&amp;";
      break;
    case '<':
      out += "&lt;";
      break;
    case '>':
      out += "&gt;";
      break;
    case '"':
      out += "&quot;";
      break;
    default:
      out += c;
    }
  }
  return out;
}

std::string Attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + Escaped(value) + "\"";
}

// A box or the button, with its description in a hidden element it points
// to, which screen readers read and nobody sees. Where neighbours overlap,
// style.css puts the later one in the table on top.
std::string Element(const PageControl& row, bool focused) {
  const Control& c = row.control;
  const std::string name = c.name;
  const bool button = c.kind == ControlKind::Button;
  std::string html = button ? "<button type=\"button\"" : "<input type=\"text\"";
  html += Attribute("id", name);
  html += Attribute("class", c.background == Background::Menu ? "control menu" : "control");
  if (!button) html += Attribute("value", row.text);
  if (c.readOnly) html += " readonly";
  if (!c.tabStop) html += Attribute("tabindex", "-1");
  html += Attribute("aria-label", c.accessibleName.text);
  html += Attribute("aria-describedby", name + "-description");
  if (!button) {
    html += Attribute("autocomplete", "off") + Attribute("spellcheck", "false") +
            Attribute("autocapitalize", "off");
    // No inputmode: a phone's decimal keypad may lack the minus (the
    // iPhone's does) or the region's separator; its full keyboard has both.
    if (c.maxLength > 0) html += Attribute("maxlength", std::to_string(c.maxLength));
  }
  // Typing goes in from the first paint, before any script.
  if (focused) html += " autofocus";
  html += button ? ">" + Escaped(row.text) + "</button>" : ">";
  return html + "<span" + Attribute("id", name + "-description") + " hidden>" +
         Escaped(c.description.text) + "</span>\n";
}

// #Form1 holds the controls in tab order, which the document's order gives,
// and the texts the box font must fit (layout.js).
std::string Html() {
  const std::vector<PageControl> rows = PageControls(u'.');
  std::vector<const PageControl*> tabOrder;
  for (const PageControl& row : rows) tabOrder.push_back(&row);
  std::stable_sort(tabOrder.begin(), tabOrder.end(), [](const auto* a, const auto* b) {
    return a->control.tabIndex < b->control.tabIndex;
  });
  std::string widest; // as JSON
  for (const std::string_view text : kWidestTexts) {
    widest += widest.empty() ? "[\"" : ",\"";
    for (const char c : text)
      widest += c == '"' || c == '\\' ? std::string{'\\', c} : std::string{c};
    widest += '"';
  }
  std::string html = "<div id=\"Form1\"" + Attribute("data-widest-texts", widest + "]") + ">\n";
  bool focused = false;
  for (const PageControl* row : tabOrder) {
    html += Element(*row, !focused && row->control.tabStop);
    focused = focused || row->control.tabStop;
  }
  return html + "</div>\n";
}

std::string FormPixels(int count) { return "calc(var(--px) * " + std::to_string(count) + ")"; }

std::string Css() {
  const PixelEdges client = PageClientArea();
  std::string css = "\n/* The form's places and sizes, written by form_html.cpp. */\n";
  css += ":root {\n  --form-width: " + std::to_string(client.width()) + ";\n}\n";
  css += "#Form1 {\n  width: " + FormPixels(client.width()) +
         ";\n  height: " + FormPixels(client.height()) + ";\n}\n";
  for (const PageControl& row : PageControls(u'.')) {
    css += "#" + std::string(row.control.name) + " {\n  left: " + FormPixels(row.px.left) +
           ";\n  top: " + FormPixels(row.px.top) + ";\n  width: " + FormPixels(row.px.width()) +
           ";\n  height: " + FormPixels(row.px.height()) +
           ";\n  --order: " + std::to_string(row.order) + ";\n}\n";
  }
  return css;
}

} // namespace
} // namespace lumbrix

int main(int argc, char** argv) {
  const std::string_view what = argc == 2 ? argv[1] : "";
  if (what != "html" && what != "css") {
    std::fputs("usage: form_html html|css\n", stderr);
    return 2;
  }
  const std::string out = what == "html" ? lumbrix::Html() : lumbrix::Css();
  std::fwrite(out.data(), 1, out.size(), stdout);
  return 0;
}

// Takes over the converter window that index.html holds as built (written by
// form_html.cpp from the core's control table, in English, with each control
// in its place): fits the box font at once, before the core is there, and
// once it is, names and describes the controls in the page's language and
// writes the start texts with its decimal separator.
"use strict";

// The box font as the desktop window's: its preferred size (style.css),
// shrunk, down to the smallest, until the widest texts fit inside the widest box.
const BOX_FONT_SMALLEST = 8;

function fitBoxFont(root) {
  const box = [...root.querySelectorAll("input")].reduce((a, b) => (b.clientWidth > a.clientWidth ? b : a));
  const style = getComputedStyle(box);
  const room = box.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
  const context = document.createElement("canvas").getContext("2d");
  context.font = `${style.fontSize} ${style.fontFamily}`;
  const widest = Math.max(...JSON.parse(root.dataset.widestTexts).map((text) => context.measureText(text).width));
  if (widest <= room) return;
  const preferred = Number(getComputedStyle(root).getPropertyValue("--box-font-size"));
  root.style.setProperty("--box-font-size", Math.max(BOX_FONT_SMALLEST, (preferred * room) / widest));
}

// The form's controls by name. As the desktop's boxes open: the cursor at
// the start of the text, unless the visitor has typed already.
function builtForm() {
  const root = document.getElementById("Form1");
  fitBoxFont(root);
  const controls = Object.fromEntries([...root.querySelectorAll(".control")].map((c) => [c.id, c]));
  for (const box of Object.values(controls))
    if (box.tagName === "INPUT" && box.value === box.defaultValue) box.setSelectionRange(0, 0);
  return controls;
}

// The texts of the core's table (Form() of bridge.cpp) in the page's
// language and separator. A box keeps what the visitor has typed into it,
// and its selection.
function takeOverForm(form, controls, translate) {
  for (const row of form.controls) {
    const control = controls[row.name];
    control.setAttribute("aria-label", translate(row.accessibleName));
    document.getElementById(`${row.name}-description`).textContent = translate(row.description);
    if (control.tagName === "INPUT" && control.value === control.defaultValue &&
        control.value !== row.text) {
      const { selectionStart, selectionEnd } = control;
      control.value = row.text;
      control.setSelectionRange(selectionStart, selectionEnd);
    }
  }
}

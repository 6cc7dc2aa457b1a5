// Draws the converter window from the core's control table (Form() of
// bridge.cpp): each control where the table puts it, in form pixels (see
// style.css), with its start text, tab stop, read-only state, row colour and
// what screen readers call it.
"use strict";

// The box font as the desktop window's: its preferred size in form pixels,
// shrunk, down to the smallest, until the widest texts fit inside the widest box.
const BOX_FONT_PREFERRED = 11;
const BOX_FONT_SMALLEST = 8;

function formPixels(count) {
  return `calc(var(--px) * ${count})`;
}

function makeBox(row) {
  const box = document.createElement("input");
  box.type = "text";
  box.value = row.text;
  box.readOnly = row.readOnly;
  box.autocomplete = "off";
  box.spellcheck = false;
  box.setAttribute("autocapitalize", "off");
  // The box one types into takes a number: a phone shows its decimal keypad.
  if (!row.readOnly) box.inputMode = "decimal";
  if (row.menuBackground) box.classList.add("menu");
  return box;
}

function makeButton(row) {
  const button = document.createElement("button");
  button.type = "button";
  button.textContent = row.text;
  return button;
}

function place(control, row) {
  control.id = row.name;
  control.classList.add("control");
  control.style.left = formPixels(row.left);
  control.style.top = formPixels(row.top);
  control.style.width = formPixels(row.width);
  control.style.height = formPixels(row.height);
  // Where neighbours overlap by a pixel, the later one in the table is on top.
  control.style.setProperty("--order", row.order);
  if (!row.tabStop) control.tabIndex = -1;
}

// The name as the control's label; the description in a hidden element it
// points to, which screen readers read and nobody sees.
function describe(control, row, translate) {
  control.setAttribute("aria-label", translate(row.accessibleName));
  const description = document.createElement("span");
  description.id = `${row.name}-description`;
  description.hidden = true;
  description.textContent = translate(row.description);
  control.setAttribute("aria-describedby", description.id);
  return description;
}

function fitBoxFont(form, root, sample) {
  const style = getComputedStyle(root);
  const chrome = 2 * (Number(style.getPropertyValue("--box-border")) +
                      Number(style.getPropertyValue("--box-padding")));
  const room = Math.max(...form.controls.filter((row) => !row.button).map((row) => row.width)) - chrome;
  const context = document.createElement("canvas").getContext("2d");
  context.font = `${BOX_FONT_PREFERRED}px ${getComputedStyle(sample).fontFamily}`;
  const widest = Math.max(...form.widestTexts.map((text) => context.measureText(text).width));
  const size = Math.min(BOX_FONT_PREFERRED, (BOX_FONT_PREFERRED * room) / widest);
  root.style.setProperty("--box-font-size", Math.max(BOX_FONT_SMALLEST, size));
}

// Fills #Form1 and returns its controls by name, the focus in the first tab stop.
function drawForm(form, translate) {
  const root = document.getElementById("Form1");
  document.documentElement.style.setProperty("--form-width", form.width);
  root.style.width = formPixels(form.width);
  root.style.height = formPixels(form.height);
  // Tab follows the document's order: the controls go in by tab index.
  const rows = [...form.controls].sort((a, b) => a.tabIndex - b.tabIndex);
  const controls = {};
  for (const row of rows) {
    const control = row.button ? makeButton(row) : makeBox(row);
    place(control, row);
    root.append(control, describe(control, row, translate));
    controls[row.name] = control;
  }
  const boxes = Object.values(controls).filter((control) => control.tagName === "INPUT");
  fitBoxFont(form, root, boxes[0]);
  // As the desktop's boxes open: the cursor at the start of the text.
  for (const box of boxes) box.setSelectionRange(0, 0);
  controls[rows.find((row) => row.tabStop).name].focus();
  return controls;
}

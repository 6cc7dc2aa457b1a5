// In index.html as built, ahead of the page's scripts, starting what they
// would otherwise wait for, and keeping what the visitor does in the form
// before they have run. Over http(s) the core's WebAssembly compiles as
// it streams in, from the moment the head is read (opened from a file, where
// the browser fetches nothing, app.js loads it as a script of its bytes).
// Once the form is painted, the separator of the browser's language is read
// while the scripts arrive: Intl's first use takes a while.
"use strict";

window.lumbrixCompiling = location.protocol === "file:" ? null
  : WebAssembly.compileStreaming(fetch("lumbrix.wasm", { credentials: "same-origin" }));

// The browser's first language: the page's texts and numbers follow it.
function firstLanguage() {
  return (navigator.languages && navigator.languages[0]) || navigator.language || "en";
}

// The language's own separator, as Intl writes a fraction, read once; the
// core decides whether it can be used.
let languageSeparatorRead = null;
function languageSeparator() {
  if (languageSeparatorRead !== null) return languageSeparatorRead;
  const tag = firstLanguage();
  let parts = [];
  try {
    // A tag Intl does not know would get the browser's own locale: the core's default instead.
    if (Intl.NumberFormat.supportedLocalesOf(tag).length)
      parts = new Intl.NumberFormat(tag).formatToParts(0.5);
  } catch {
    // A tag Intl refuses: the same.
  }
  const decimal = parts.find((part) => part.type === "decimal");
  return (languageSeparatorRead = decimal ? decimal.value : "");
}
// After the frame that shows the whole form, while the scripts still arrive.
document.addEventListener("readystatechange",
  () => requestAnimationFrame(() => setTimeout(languageSeparator)), { once: true });

// The keyboard's Copy result, where the desktop has it in the input's menu.
const isCopyResult = (event) => event.altKey && !event.ctrlKey && !event.metaKey &&
  !event.shiftKey && (event.code === "KeyC" || event.key.toLowerCase() === "c");
// Keys that change a box's text.
const edits = (event) => !event.ctrlKey && !event.metaKey && !event.altKey &&
  ([...event.key].length === 1 || event.key === "Backspace" || event.key === "Delete");

// From the first paint until app.js has run, what it would answer: clicks on
// the boxes and the button, Enter, Escape and Copy result in a box, and the
// typing after one of those, which must land after it. app.js answers them
// in order; what else is typed the box takes as usual.
const keptEarly = [];
function keepEarly(event) {
  const control = event.target;
  const box = ["Text1", "Text2"].includes(control.id);
  if (!(box || (control.id === "Command" && event.type === "click"))) return;
  if (event.type === "keydown") {
    const waits = keptEarly.some((kept) => kept.type === "click" || kept.key === "Enter" ||
      kept.key === "Escape");
    if (event.isComposing || !(event.key === "Enter" || event.key === "Escape" ||
        isCopyResult(event) || (waits && !control.readOnly && edits(event)))) return;
    event.preventDefault();
  }
  keptEarly.push(event);
}
const keptTypes = ["keydown", "click"];
for (const type of keptTypes) document.addEventListener(type, keepEarly, true);
// Once, for app.js, which from then on listens itself: no key passes here again.
function takeKeptEarly() {
  for (const type of keptTypes) document.removeEventListener(type, keepEarly, true);
  return keptEarly;
}

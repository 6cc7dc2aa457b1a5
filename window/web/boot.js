// In index.html as built, ahead of the page's scripts, starting what they
// would otherwise wait for. Over http(s) the core's WebAssembly compiles as
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

// The converter window as a web page. The core (lumbrix.js, see bridge.cpp)
// does all the work: this passes key presses and clicks to its handlers over
// the four boxes and writes the boxes back, in the browser's language and
// with its decimal separator. It reads no number and holds no text of its own.
"use strict";

// Resolved once the core is loaded and the boxes show their start texts.
// The scripts after this one have run by DOMContentLoaded (all are deferred).
window.lumbrixReady = new Promise((resolve, reject) => {
  document.addEventListener("DOMContentLoaded", () => {
    LumbrixCore({ wasmBinary: lumbrixWasm }).then(start).then(resolve, reject);
  });
});

// The browser's first language: the page's texts and numbers follow it.
function firstLanguage() {
  return (navigator.languages && navigator.languages[0]) || navigator.language || "en";
}

// The translations' language for a browser language (de-AT finds de), else English.
function pageLanguage(tag) {
  const found = [tag, tag.split("-")[0]].find((t) => Object.hasOwn(lumbrixTranslations, t));
  return found || "en";
}

function translator(language) {
  const texts = lumbrixTranslations[language] || {};
  return (t) => (t.context !== null && texts[t.context] && texts[t.context][t.text]) || t.text;
}

// The language's own separator, as Intl writes a fraction; the core decides
// whether it can be used.
function decimalSeparator(core, tag) {
  let parts = [];
  try {
    parts = new Intl.NumberFormat(tag).formatToParts(0.5);
  } catch {
    // A tag Intl does not know: the core's default.
  }
  const decimal = parts.find((part) => part.type === "decimal");
  return core.DecimalSeparatorFrom(decimal ? decimal.value : "");
}

function readBox(input) {
  const start = input.selectionStart;
  return { text: input.value, selection: { start, length: input.selectionEnd - start } };
}

// Writes back only what changed, as the desktop shells do.
function writeBox(input, before, after) {
  if (after.text !== before.text) input.value = after.text;
  const { start, length } = after.selection;
  if (after.text !== before.text || start !== before.selection.start ||
      length !== before.selection.length)
    input.setSelectionRange(start, start + length);
}

function writeText(input, before, after) {
  if (after !== before) input.value = after;
}

function connect(core, form, controls, translate, separator) {
  const { Text1, Text2, Text3, Text4, Command } = controls;
  const spoken = document.getElementById("spoken");
  const warning = document.getElementById("warning");
  const keys = new Map([["Enter", form.keyEnter], ["Escape", form.keyEscape]]);

  const read = () => ({ Text1: readBox(Text1), Text2: readBox(Text2), Text3: Text3.value,
                        Text4: Text4.value });
  const write = (before, after) => {
    writeBox(Text1, before.Text1, after.Text1);
    writeBox(Text2, before.Text2, after.Text2);
    writeText(Text3, before.Text3, after.Text3);
    writeText(Text4, before.Text4, after.Text4);
  };
  const handle = (handler) => {
    const before = read();
    let { fields, endProgram } = handler(before);
    if (endProgram) {
      window.close();
      // Where the browser keeps the page, it stays, empty and working.
      fields = core.ClearAll(before);
    }
    write(before, fields);
  };
  // The keyboard's Copy result, where the desktop has it in the input's menu.
  const copyResult = (event) => {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return false;
    if (event.code !== "KeyC" && event.key.toLowerCase() !== "c") return false;
    if (Text2.value && navigator.clipboard) navigator.clipboard.writeText(Text2.value).catch(() => {});
    return true;
  };
  const onKey = (handler) => (event) => {
    if (event.isComposing) return;
    const key = keys.get(event.key);
    if (key !== undefined) handle((fields) => handler(fields, key));
    else if (!copyResult(event)) return;
    event.preventDefault();
  };

  Text1.addEventListener("keydown", onKey((fields, key) => {
    const outcome = core.Text1_KeyPress(fields, key, separator);
    // The result appears in a box without focus: say it. A new element
    // each time, so that the same phrase twice is said twice.
    if (key === form.keyEnter) {
      const phrase = document.createElement("span");
      phrase.textContent = core.SpokenResult(outcome.fields, translate(form.noResultForZero));
      spoken.replaceChildren(phrase);
    }
    return outcome;
  }));
  Text2.addEventListener("keydown", onKey((fields, key) => core.Text2_KeyPress(fields, key)));
  Text1.addEventListener("click", () => handle((fields) => core.Text1_Click(fields)));
  Text2.addEventListener("click", () => handle((fields) => core.Text2_Click(fields)));
  const copyKeys = "Alt+C";
  Text1.setAttribute("aria-keyshortcuts", copyKeys);
  Text1.title = `${translate(form.copyResult)} (${copyKeys})`;

  Command.addEventListener("click", () => {
    const opened = window.open(form.homePage, "_blank");
    if (opened) opened.opener = null;
    // Names the address, so that it can be opened by hand.
    warning.textContent = translate(form.homePageWarning).split("%1").join(form.homePage);
    warning.hidden = Boolean(opened);
  });
}

// Over http(s) only: a page opened from a file can be neither kept nor
// installed, and a browser would only log its refusal to read the manifest.
function offerOfflineAndInstall() {
  if (!location.protocol.startsWith("http")) return;
  const manifest = document.createElement("link");
  manifest.rel = "manifest";
  manifest.href = "manifest.webmanifest";
  document.head.append(manifest);
  if ("serviceWorker" in navigator) navigator.serviceWorker.register("sw.js").catch(() => {});
}

function start(core) {
  const tag = firstLanguage();
  const language = pageLanguage(tag);
  const translate = translator(language);
  const separator = decimalSeparator(core, tag);
  const form = core.Form(separator);
  document.documentElement.lang = language;
  document.title = form.title;
  connect(core, form, drawForm(form, translate), translate, separator);
  offerOfflineAndInstall();
}

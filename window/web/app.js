// The converter window as a web page. The core (lumbrix.js, see bridge.cpp)
// does all the work: this passes key presses and clicks to its handlers over
// the four boxes and writes the boxes back, in the browser's language and
// with its decimal separator. It reads no number and holds no text of its own.
// The window is in the page as built (layout.js), and takes typing at once:
// what the visitor asks of it before the core is ready waits, in order, and
// is answered once it is, as it would have been then.
"use strict";

const controls = builtForm();
const { Text1, Text2, Text3, Text4, Command } = controls;

// What waits for the core, in order; null once it is ready and all is done.
let waiting = [];
const whenReady = (action) => (waiting ? waiting.push(action) : action());
// Once ready: the core, its form, the page's translation and separator.
let page = null;

// Resolved once the core is loaded, the boxes show their start texts and
// what waited is answered. The scripts after this one have run by
// DOMContentLoaded (all are deferred).
window.lumbrixReady = new Promise((resolve, reject) => {
  document.addEventListener("DOMContentLoaded", () => {
    coreOptions(reject).then(LumbrixCore).then(start).then(resolve, reject);
  });
});

// Over http(s) the core as boot.js compiles it, in index.html; opened from
// a file, as a script of its bytes.
function coreOptions(failed) {
  if (window.lumbrixCompiling) return Promise.resolve({ instantiateWasm(imports, receive) {
    lumbrixCompiling.then((module) => WebAssembly.instantiate(module, imports)
      .then((instance) => receive(instance, module))).catch(failed);
    return {};
  } });
  return new Promise((resolve, reject) => {
    const script = document.createElement("script");
    script.src = "lumbrix-wasm.js";
    script.onload = () => resolve({ wasmBinary: lumbrixWasm });
    script.onerror = reject;
    document.head.append(script);
  });
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

const read = () => ({ Text1: readBox(Text1), Text2: readBox(Text2), Text3: Text3.value,
                      Text4: Text4.value });
const write = (before, after) => {
  writeBox(Text1, before.Text1, after.Text1);
  writeBox(Text2, before.Text2, after.Text2);
  writeText(Text3, before.Text3, after.Text3);
  writeText(Text4, before.Text4, after.Text4);
};
// Runs one of the core's handlers over the boxes and writes back its answer.
const handle = (handler) => {
  const before = read();
  let { fields, endProgram } = handler(before);
  if (endProgram) {
    window.close();
    // Where the browser keeps the page, it stays, empty and working.
    fields = page.core.ClearAll(before);
  }
  write(before, fields);
};

function pressKey(box, name) {
  const { core, form, translate, separator } = page;
  const key = new Map([["Enter", form.keyEnter], ["Escape", form.keyEscape]]).get(name);
  if (box === Text2) return handle((fields) => core.Text2_KeyPress(fields, key));
  handle((fields) => {
    const outcome = core.Text1_KeyPress(fields, key, separator);
    // The result appears in a box without focus: say it. Screen readers
    // drop a phrase equal to the last one, so a repeat ends in a no-break
    // space, which they do not say.
    if (key === form.keyEnter) {
      const spoken = document.getElementById("spoken");
      const phrase = document.createElement("span");
      phrase.textContent = core.SpokenResult(outcome.fields, translate(form.noResultForZero));
      if (phrase.textContent === spoken.textContent) phrase.textContent += "\u00a0";
      spoken.replaceChildren(phrase);
    }
    return outcome;
  });
}

// The keyboard's Copy result (isCopyResult in boot.js), where the desktop has it in the input's menu.
const copyKeys = "Alt+C";
const copyResult = () => {
  if (Text2.value && navigator.clipboard) navigator.clipboard.writeText(Text2.value).catch(() => {});
};

// Keys that change a box's text (edits in boot.js). While something waits
// for the core they wait behind it, so that each lands where it would have
// landed then.
function typeInto(box, key) {
  let { selectionStart: start, selectionEnd: end } = box;
  if (start === end && key === "Backspace") start = Math.max(0, start - 1);
  if (start === end && key === "Delete") end += 1;
  box.setRangeText([...key].length === 1 ? key : "", start, end, "end");
}

const clicks = new Map([[Text1, "Text1_Click"], [Text2, "Text2_Click"]]);
for (const [box, click] of clicks) {
  box.addEventListener("keydown", (event) => {
    if (event.isComposing) return;
    const queued = Boolean(waiting?.length);
    if (event.key === "Enter" || event.key === "Escape") whenReady(() => pressKey(box, event.key));
    else if (isCopyResult(event)) (queued ? whenReady : (copy) => copy())(copyResult);
    else if (queued && !box.readOnly && edits(event)) whenReady(() => typeInto(box, event.key));
    else return;
    event.preventDefault();
  });
  box.addEventListener("click", () => whenReady(() => handle((fields) => page.core[click](fields))));
  // A click in a box with focus would move its caret after the click's selection.
  box.addEventListener("mousedown", (event) => {
    if (document.activeElement === box) event.preventDefault();
  });
}

Command.addEventListener("click", () => whenReady(() => {
  const { form, translate } = page;
  const opened = window.open(form.homePage, "_blank");
  if (opened) opened.opener = null;
  // Names the address, so that it can be opened by hand.
  const warning = document.getElementById("warning");
  warning.textContent = translate(form.homePageWarning).split("%1").join(form.homePage);
  warning.hidden = Boolean(opened);
}));

// What the visitor did before this script ran, as boot.js kept it: answered
// now, in order, by the listeners above.
for (const event of takeKeptEarly()) event.target.dispatchEvent(new event.constructor(event.type, event));

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
  const separator = core.DecimalSeparatorFrom(languageSeparator());
  const form = core.Form(separator);
  document.documentElement.lang = language;
  document.title = form.title;
  takeOverForm(form, controls, translate);
  Text1.setAttribute("aria-keyshortcuts", copyKeys);
  Text1.title = `${translate(form.copyResult)} (${copyKeys})`;
  page = { core, form, translate, separator };
  for (const action of waiting) action();
  waiting = null;
  offerOfflineAndInstall();
}

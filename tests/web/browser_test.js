// Drives the page in a real browser through one table of key sequences and
// reads it as a user would: the boxes, their selections, the focus, the live
// region, the warning, the clipboard and what screen readers are told, in
// English and every language of translations/, with axe-core's verdict on
// each state. Texts are read from the sources, never copied here.
//   node browser_test.js chromium|firefox|webkit [PART OF A ROW'S NAME]
// with LUMBRIX_SITE, LUMBRIX_WEB_ZIP (the zip's folder), LUMBRIX_SOURCE and
// LUMBRIX_HOMEPAGE set (CMakeLists.txt).
"use strict";
const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const { spawn } = require("child_process");
const { launch } = require("./launch.js");
const { serve } = require("./serve.js");

const [browserName, only = ""] = process.argv.slice(2);
const { LUMBRIX_SITE: siteFolder, LUMBRIX_WEB_ZIP: zipFolder, LUMBRIX_SOURCE: source,
  LUMBRIX_HOMEPAGE: homePage } = process.env;
const read = (file) => fs.readFileSync(path.join(source, file), "utf8");

// {context, text} by the name it is given in a header.
const translatables = (code) => Object.fromEntries([...code.matchAll(
  /(\w+) =\s*LUMBRIX_TRANSLATABLE\(\s*"(\w+)",\s*("(?:[^"\\]|\\.)*")\)/g)].map(
  ([, name, context, text]) => [name, { context, text: JSON.parse(text) }]));
const texts = translatables(read("window/texts.hpp") + read("conversion/spoken_result.hpp"));
const maker = { text: read("CMakeLists.txt").match(/LUMBRIX_MAKER "(.*)"/)[1] };
const controls = read("window/controls.hpp").split('{.name = "').slice(1).map((row) => {
  const { accessibleName, description } = translatables(row);
  return [row.slice(0, row.indexOf('"')), accessibleName || maker, description,
    Number(row.match(/\.maxLength = (\d+)/)[1])];
});
const inputLength = controls.find(([id]) => id === "Text1")[3];
const entities = { lt: "<", gt: ">", amp: "&", apos: "'", quot: '"' };
const unxml = (s) => s.replace(/&(\w+);/g, (_, name) => entities[name]);
// English where a translation is unfinished, as the page shows it.
function translator(code) {
  const found = new Map();
  const ts = code === "en" ? "" : read(`translations/lumbrix_${code}.ts`);
  for (const [, context, body] of ts.matchAll(/<name>(.*)<\/name>([\s\S]*?)<\/context>/g))
    for (const [, s, unfinished, t] of body.matchAll(
      /<source>([\s\S]*?)<\/source>[\s\S]*?<translation( [^>]*)?>([\s\S]*?)</g))
      if (!unfinished) found.set(`${context}\n${unxml(s)}`, unxml(t));
  return (t) => found.get(`${t.context}\n${t.text}`) ?? t.text;
}

// The browser's languages, the first of which rules: the page's language
// (English and every one of translations/, else English) and the decimal
// separator the first one's region writes, or the core's where Intl knows no such tag.
const BROWSERS = { "en-US": ["en", "."], "de-DE": ["de", ","], "es-ES": ["es", ","],
  "fr-FR": ["fr", ","], "nl-NL,de-DE": ["en", ","], "de-CH,en-US": ["de", "."], "tlh": ["en", "."] };
const translated = fs.readdirSync(path.join(source, "translations"))
  .flatMap((file) => file.match(/^lumbrix_(\w+)\.ts$/)?.[1] ?? []);
assert.deepEqual([...new Set(Object.values(BROWSERS).map(([code]) => code))].sort(),
  ["en", ...translated].sort(), "every language");

const prompt = "Enter a value here.";
const empty = ["", "", "", ""];
const start = ["632.8", "1.95954487989886", "nm", "eV"];
// What the browser asks its proxy for. Its own requests (autofill, updates) are not the page's.
const home = `${new URL(homePage).hostname}:443`;
// [name, steps ("@Box" clicks it; Key and Mod+key are pressed; {paste: [UTF-16
// units, times], ...]} pastes; {compose} is text an input method composes; the rest
// is typed), what the page then shows, how it is opened (the browsers that
// cannot show it are left out by `skip`; `unshot`: WebKit's screenshots of one
// page differ from load to load)]
const ROWS = [
  ["energy to wavelength", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"], sel: [0, 1], focus: "Text1", spoken: "620 nm" }],
  ["wavelength to energy", ["@Text1", "1240", "Enter"], { boxes: ["1240", "1", "nm", "eV"], sel: [0, 4], spoken: "1 eV" }],
  ["letters get the prompt", ["@Text1", "abc", "Enter"], { boxes: [prompt, "", "", ""], sel: [0, 19], spoken: prompt }],
  ["nothing gets the prompt", ["@Text1", "Backspace", "Enter"], { boxes: [prompt, "", "", ""], sel: [0, 19], spoken: prompt }],
  ["zero has no result", ["@Text1", "00", "Enter"], { boxes: ["00", "", "", ""], sel: [0, 2] }],
  ["Escape empties the boxes", ["Escape"], { boxes: empty, closes: 0, focus: "Text1" }],
  ["Escape on empty asks to close; kept, the page works", ["Escape", "Escape", "2", "Enter"], { closes: 1, boxes: ["2", "620", "eV", "nm"] }],
  ["a click selects the whole result, which refuses typing", ["@Text2", "9"], { boxes: start, sel2: [0, 16] }],
  ["Escape in the result empties the boxes", ["@Text2", "Escape"], { boxes: empty }],
  ["Tab moves between the input and the button only", ["Tab", "Shift+Tab", "@Text2", "Tab", "Shift+Tab"], { trail: ["Command", "Text1", "Text2", "Command", "Text1"] }],
  ["Alt+C copies the result", ["@Text1", "2", "Enter", "Alt+c", "Escape", "Control+v"], { boxes: ["620", "", "", ""] }],
  ["the button opens the home page in a new tab, with no opener", ["Tab", " "], { outside: [home], warning: null, opener: null }],
  ["its policy runs no eval, Function, inline or foreign script", [], { ran: [], foreign: [] }],
  ["it opens from a file", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"] }, { file: true }],
  ["an installed copy starts and stays in the site's folder", [], { folder: ["/lumbrix/", "/lumbrix/", "/lumbrix/"] }],
  ["after one visit it looks the same and works with no network", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"], shot: true }, { offline: true, unshot: ["webkit"] }],
  ["a new build reaches a returning visitor on the reload after the check; its old cache goes", [], { build: "next", caches: ["lumbrix-next"] }, { update: true }],
  // Screens, in CSS pixels: a phone upright and sideways fills the width less
  // its margin; at 200 % a desktop window is half as many. WebKit and Firefox
  // have no touch screen here, nor dark mode (which axe-core checks).
  ["a phone upright", [], { wider: false, spare: 32 }, { screen: [360, 740, true] }],
  ["a phone sideways", [], { wider: false, spare: 32 }, { screen: [740, 360, true], skip: ["firefox", "webkit"] }],
  ["200 % zoom", ["@Text1", "2", "Enter"], { wider: false, boxes: ["2", "620", "eV", "nm"] }, { screen: [640, 400] }],
  ["dark mode", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"] }, { dark: true, skip: ["firefox", "webkit"] }],
];
// Every key in every state, each state reached from the empty boxes: [state,
// steps to it, its boxes and selection, Enter's boxes and selection]. A row
// per state; `{expect}` checks the page there, and starts the counts anew.
const STATES = [
  ["empty", [], empty, [0, 0], [prompt, "", "", ""], [0, 19]],
  ["value typed", ["2"], ["2", "", "", ""], [1, 1], ["2", "620", "eV", "nm"], [0, 1]],
  ["result showing", ["2", "Enter"], ["2", "620", "eV", "nm"], [0, 1], ["2", "620", "eV", "nm"], [0, 1]],
  ["input emptied while a result shows", ["2", "Enter", "Backspace"], ["", "620", "eV", "nm"], [0, 0], [prompt, "", "", ""], [0, 19]],
  ["the prompt showing", ["abc", "Enter"], [prompt, "", "", ""], [0, 19], [prompt, "", "", ""], [0, 19]],
];
const composing = [];
for (const [state, steps, boxes, sel, entered, enteredSel] of STATES) {
  const reach = ["@Text1", "Escape", ...steps, { expect: { boxes, sel } }];
  // Typing replaces the selection; Escape empties, and asks to close where the input is empty.
  const typed = (text) => ({ boxes: [boxes[0].slice(0, sel[0]) + text + boxes[0].slice(sel[1]),
    ...boxes.slice(1)], sel: [sel[0] + text.length, sel[0] + text.length] });
  const still = { boxes, sel, closes: 0, copies: [] };
  const keys = ["", "Control+", "Alt+", "Shift+", "Meta+", "Control+Alt+"].flatMap((mod) => [
    // Enter and Escape whatever is held; Alt+C alone copies; no other key with Control, Alt or Meta types.
    [`${mod}Enter`, { boxes: entered, sel: enteredSel, closes: 0, copies: [] }],
    [`${mod}Escape`, { boxes: empty, closes: boxes[0] ? 0 : 1 }],
    [`${mod}Alt+c`.replace("Alt+Alt", "Alt"), { ...still, copies: [boxes[1]].filter(
      (result) => result && ["", "Alt+"].includes(mod)) }],
    // WebKitGTK types with Meta (Super), as its own text boxes do.
    ...(mod === "Shift+" ? [] : [[`${mod}7`, mod ? still : { ...typed("7"), closes: 0 },
      mod === "Meta+" ? ["webkit"] : []]])]);
  ROWS.push([`every key with every modifier, ${state}`, keys.flatMap(([key, expect, skip]) =>
    [...reach, key, { expect, as: key, skip }]), {}]);
  // While an input method composes, Enter and Escape are its own.
  composing.push(...["Enter", "Escape"].flatMap((key) => [...reach, { compose: "７" }, key,
    { expect: { ...typed("７"), closes: 0 }, as: `${key}, ${state}` }, { compose: "" }]));
}
ROWS.push(["Enter and Escape while composing, in every state", composing, {},
  { skip: ["firefox", "webkit"] }]);
// Bad input, pasted over the whole input, and Enter: answered as the Qt
// window answers (tests/qt/hostile_input_test.cpp); the box keeps at most its length.
const units = (text) => [...Array(text.length).keys()].map((i) => text.charCodeAt(i));
const zeros = `0.${"0".repeat(inputLength - 2)}`;
// A browser keeps no half of a pair that the limit cuts.
const HOSTILE = [["10 MB of digits", "1234567890", 1 << 20], ["a pair cut by the length limit",
  `${"1".repeat(inputLength - 1)}\u{1F600}`, 1, "1".repeat(inputLength - 1)], ["NUL inside a number", "63\u00002.8"],
  ["NUL alone", "\u0000"], ["lone high surrogate", "\uD800"], ["lone low surrogate", "\uDC00"],
  ["reversed pair", "\uDE00\uD83D"], ["digits around a low surrogate", "6\uDC003"],
  ["controls", "6\u0007\u001B3"], ["Arabic-Indic digits", "\u0666\u0663\u0662"],
  ["RLO around a digit", "\u202E5\u202C"], ["LRM before a number", "\u200E632.8"],
  ["RLM after a number", "632.8\u200F"], ["a number in an isolate", "\u2067632.8\u2069"],
  ["full-width digits", "\uFF16\uFF13\uFF12\uFF0E\uFF18"], ["full-width point", "632\uFF0E8"]];
const pasted = (parts, expect, as, kept) => ["@Text1", { paste: parts },
  { expect: { boxes: [kept, "", "", ""] }, as: `${as}, kept` }, "Enter", { expect, as }];
ROWS.push(["pasted bad input gets the prompt; the page keeps working", ["Escape",
  ...HOSTILE.flatMap(([name, text, times = 1, kept = text.repeat(times).slice(0, inputLength)]) =>
    pasted([[units(text), times]], { boxes: [prompt, "", "", ""], sel: [0, 19] }, name, kept)),
  ...pasted([[units("0."), 1], [units("0"), 1 << 20]], { boxes: [zeros, "", "", ""],
    sel: [0, inputLength] }, "1 MB of zeros after 0.", zeros), "@Text1", "632.8", "Enter"], { boxes: start }]);
for (const row of ROWS) row[3] = { browser: "en-US", ...row[3] };
// Every row that types and clicks in the boxes ends the same when it all
// happens before the core is ready (the server holds its WebAssembly back).
ROWS.push(...ROWS.filter(([, steps, expected, how]) => Object.keys(how).length === 1 && steps.length &&
  !expected.outside && steps.every((step) => typeof step === "string" && !step.includes("+") &&
    !["Tab", " "].includes(step))).map(([name, steps, expected, how]) =>
  [`${name}, before the core is ready`, steps, expected, { ...how, early: true,
    // WebKitGTK's driver (Debian 13) lost the script after a click on the
    // read-only result while the page was still loading.
    ...(steps.includes("@Text2") && { skip: ["webkit"] }) }]));
const blocked = new Set(); // a row per language
for (const [browser, [language, separator]] of Object.entries(BROWSERS)) {
  const tr = translator(language);
  const started = start.map((n) => n.replace(".", separator));
  const how = { browser };
  ROWS.push(
    [`${browser}: start texts, names and descriptions`, [], { boxes: started,
      sel: [0, 0], focus: "Text1", spoken: "", warning: null, lang: language, title: "Lumbrix",
      shortcut: "Alt+C", tooltip: `${tr(texts.kCopyResult)} (Alt+C)`, keypad: "", built: [],
      texts: Object.fromEntries(controls.map(([id, name, about]) => [id, [tr(name), tr(about)]])) },
    how],
    // Every phrase said: the result, no result for zero, the prompt.
    [`${browser}: Enter reads and writes the separator; what is said`, ["Enter",
      { expect: { boxes: started, sel: [0, 5], spoken: `${started[1]} eV` } }, "@Text1", "00", "Enter",
      { expect: { spoken: tr(texts.kNoResultForZero) } }, "@Text1", "x", "Enter"],
      { spoken: prompt }, how]);
  if (!blocked.has(language) && blocked.add(language)) ROWS.push([`${browser}: the home page blocked`, ["Tab", "Enter"],
    { warning: tr(texts.kHomePageWarning).replace("%1", homePage), outside: [] },
    { ...how, block: true }]);
}

// Run in the page. The warning as its text, where shown: WebKit's innerText
// drops the line break that it draws.
function pageState() {
  const $ = (id) => document.getElementById(id);
  const selection = (box) => [box.selectionStart, box.selectionEnd];
  const described = (box) => (box.getAttribute("aria-describedby") || "").split(" ")
    .map((id) => $(id)?.textContent).join(" ");
  return { boxes: ["Text1", "Text2", "Text3", "Text4"].map((id) => $(id).value),
    sel: selection($("Text1")), sel2: selection($("Text2")), focus: document.activeElement.id,
    spoken: $("spoken").textContent, closes: window.closes,
    warning: $("warning").getClientRects().length ? $("warning").textContent : null,
    lang: document.documentElement.lang, title: document.title,
    tooltip: $("Text1").title, shortcut: $("Text1").getAttribute("aria-keyshortcuts"),
    texts: Object.fromEntries(["Command", "Text1", "Text3", "Text4", "Text2"].map(
      (id) => [id, [$(id).getAttribute("aria-label"), described($(id))]])),
    copies: window.copies, opener: window.opened && window.opened.opener,
    keypad: $("Text1").inputMode,
    wider: document.documentElement.scrollWidth > innerWidth,
    spare: Math.round(innerWidth - $("Form1").getBoundingClientRect().width),
    foreign: performance.getEntriesByType("resource").map((entry) => entry.name)
      .filter((name) => !name.startsWith(location.origin)) };
}
// Run in the page: what of eval, Function, an inline script and another host's its policy lets run.
async function whatRuns() {
  window.ran = [];
  // In a task of the page's own: what a driver runs directly may pass the policy.
  await new Promise((resolve) => setTimeout(() => {
    try { eval("ran.push('eval')"); } catch {}
    try { new Function("ran.push('Function')")(); } catch {}
    resolve();
  }));
  const script = (more) => document.head.append(Object.assign(document.createElement("script"), more));
  script({ text: "ran.push('inline')" });
  await new Promise((resolve) => script({ src: "https://example.com/a.js",
    onload: () => resolve(window.ran.push("foreign")), onerror: resolve }));
  return window.ran;
}
// Run in the page: the paths an installed copy starts at and keeps to, and its worker's.
async function installedCopy() {
  const link = document.querySelector("link[rel=manifest]");
  const { start_url: start, scope } = await (await fetch(link.href)).json();
  const worker = await navigator.serviceWorker.ready;
  return [start, scope, worker.scope].map((url) => new URL(url, link.href).pathname);
}
// Run in the page: where the page as built (a copy in a frame that runs no
// script) differs from the page itself in its controls' kind, place, size,
// tab stop, font (to the pixel: the script may shrink it a little to fit the
// texts), colour and stacking, and, with `texts`, their texts and names.
async function differencesFromBuilt(texts) {
  const frame = document.createElement("iframe");
  frame.sandbox = "allow-same-origin";
  Object.assign(frame.style, { position: "fixed", width: `${innerWidth}px`, height: `${innerHeight}px` });
  const loaded = new Promise((resolve) => frame.addEventListener("load", resolve));
  frame.src = location.href;
  document.body.append(frame);
  await loaded;
  const look = (doc) => {
    const form = doc.getElementById("Form1");
    const origin = form.getBoundingClientRect();
    return Object.fromEntries([form, ...form.querySelectorAll(".control")].map((c) => {
      const { left, top, width, height } = c.getBoundingClientRect();
      const style = doc.defaultView.getComputedStyle(c);
      return [c.id, [c.tagName, left - origin.left, top - origin.top, width, height, c.tabIndex,
        c.readOnly, Math.round(parseFloat(style.fontSize)), style.fontFamily, style.backgroundColor, style.getPropertyValue("--order"),
        ...(texts && c !== form ? [c.tagName === "INPUT" ? c.value : c.textContent,
          c.getAttribute("aria-label"), doc.getElementById(`${c.id}-description`).textContent] : [])]];
    }));
  };
  const [live, built] = [look(document), look(frame.contentDocument)];
  frame.remove();
  return Object.keys(live).filter((id) => JSON.stringify(live[id]) !== JSON.stringify(built[id]))
    .map((id) => `${id}: ${JSON.stringify(built[id])} as built, ${JSON.stringify(live[id])} live`);
}
async function prepare(block, early) {
  if (!early) await window.lumbrixReady;
  window.closes = 0;
  const close = window.close.bind(window);
  window.close = () => close(++window.closes);
  history.pushState(null, "", location.href); // two entries: the browser now keeps the page open
  const open = window.open.bind(window);
  window.open = block ? () => null : (...args) => (window.opened = open(...args));
  window.copies = [];
  const clipboard = navigator.clipboard;
  const write = clipboard?.writeText.bind(clipboard);
  if (clipboard) clipboard.writeText = (text) => (window.copying = write(text, window.copies.push(text)));
}

// Run in the page, where its scripts were held back: once they have run; notes when the core is ready.
const afterScripts = () => new Promise(function ran(resolve) {
  if (!window.lumbrixReady) return setTimeout(ran, 10, resolve);
  resolve(window.lumbrixReady.then(() => { window.coreReady = true; }) && null);
});

// Run in the page: pastes the parts' units, each so many times, over the selection.
function paste(parts) {
  const text = parts.map(([units, times]) => String.fromCharCode(...units).repeat(times)).join("");
  document.execCommand("insertText", false, text);
}

// A driver per kind of browser, in its languages: open(url, how) gives a page, on
// how.screen, to run functions in, to send input to and to take screenshots of.
// Keys by name, with WebDriver's codes.
const KEYS = { Enter: "\uE007", Escape: "\uE00C", Tab: "\uE004", Backspace: "\uE003",
  Shift: "\uE008", Control: "\uE009", Alt: "\uE00A", Meta: "\uE03D" };
async function puppeteerDriver(tag, { proxy, port }) {
  const chromium = browserName === "chromium";
  const browser = await launch(browserName, { tag, proxy, port });
  return { close: () => browser.close(), async open(url, { screen, dark, early }) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    if (screen) await page.setViewport({ width: screen[0], height: screen[1],
      ...(chromium && { isMobile: screen[2], hasTouch: screen[2] }) });
    if (dark) await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: "dark" }]);
    const loaded = page.goto(url, { waitUntil: "domcontentloaded" });
    loaded.catch(() => {}); // where its scripts are held back, back once the input has its focus
    await (early ? page.waitForFunction(() => document.activeElement?.id === "Text1") : loaded);
    const cdp = chromium && (await page.createCDPSession());
    return { run: (f, ...args) => page.evaluate(f, ...args), click: (id) => page.click(`#${id}`),
      type: (text) => page.keyboard.type(text), reload: () => page.reload(),
      close: () => context.close(), shot: () => page.screenshot({ encoding: "base64" }),
      compose: (text) => cdp.send("Input.imeSetComposition",
        { text, selectionStart: text.length, selectionEnd: text.length }),
      async press(keys) {
        for (const key of keys) await page.keyboard.down(key);
        for (const key of keys.reverse()) await page.keyboard.up(key);
      },
      // What Chromium gives screen readers; the others' attributes are read in the page.
      accessible: chromium && (async (id) => {
        const root = await page.$(`#${id}`);
        const { name, description } = await page.accessibility.snapshot({ root });
        return [name, description];
      }) };
  } };
}
// WebKit over plain WebDriver: WebKitWebDriver in the language, one session per page.
async function webkitDriver(tag, { proxy }) {
  const probe = require("net").createServer().listen(0, "127.0.0.1");
  await new Promise((resolve) => probe.on("listening", resolve));
  const { port } = probe.address(); // free once closed, for the driver
  await new Promise((resolve) => probe.close(resolve));
  const locales = tag.replace(/-/g, "_").split(",");
  // Its proxy capability leaves https alone (2.50), so the proxy comes from the environment.
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env: {
    ...process.env, LANGUAGE: locales.join(":"), LANG: `${locales[0]}.UTF-8`, no_proxy: "127.0.0.1",
    http_proxy: `http://${proxy}`, https_proxy: `http://${proxy}` } });
  const call = async (method, url, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${url}`,
      { method, body: body && JSON.stringify(body) });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${url}: ${value.message}`);
    return value;
  };
  for (let i = 0; !(await call("GET", "/status").catch(() => null)); i++) {
    if (i > 100) throw new Error("WebKitWebDriver does not answer");
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  // Back from opening a page once it has loaded, or, where the core is held
  // back, once its scripts have run (the load waits for the core).
  const capabilities = (early) => ({ "webkitgtk:browserOptions": { args: ["--automation"] },
    pageLoadStrategy: early ? "eager" : "normal" });
  // A function and its arguments, run in the page; what it throws is thrown here.
  const script = (f) => `const done = arguments[arguments.length - 1];
    Promise.resolve((${f}).apply(null, [...arguments].slice(0, -1)))
      .then((value) => done({ value }), (error) => done({ error: String(error) }));`;
  // Its eager load still waits for the page's scripts, and with no wait at all
  // the input did not always get its focus while they were held back (in 4
  // runs of 6): only the core is held back here.
  return { close: () => driver.kill(), waitsForScripts: true, async open(url, how, again = true) {
    const { screen, early } = how;
    const { sessionId } = await call("POST", "/session",
      { capabilities: { alwaysMatch: capabilities(early) } });
    const session = `/session/${sessionId}`;
    if (screen) await call("POST", `${session}/window/rect`, { width: screen[0], height: screen[1] });
    await call("POST", `${session}/url`, { url });
    // Back early, its driver may refuse a first script, with no message, while the page still
    // loads; under load, now and then for good (CI, 2026-12-11): then once more, afresh.
    const runs = () => call("POST", `${session}/execute/sync`, { args: [], script: "return 1" }).catch(() => 0);
    for (let i = 0; early && !(await runs()); i++) {
      if (i < 50) await sleep(100);
      else return call("DELETE", session).catch(() => {})
        .then(() => (again ? this.open(url, how, false) : assert.fail("no script runs")));
    }
    const keys = (actions) => call("POST", `${session}/actions`,
      { actions: [{ type: "key", id: "keyboard", actions }] });
    const stroke = (type) => (name) => ({ type, value: KEYS[name] ?? name });
    return { close: () => call("DELETE", session), shot: () => call("GET", `${session}/screenshot`),
      reload: () => call("POST", `${session}/refresh`, {}),
      async run(f, ...args) {
        const { value, error } = await call("POST", `${session}/execute/async`, { args, script: script(f) });
        if (error) throw new Error(error);
        return value;
      },
      async click(id) {
        const element = await call("POST", `${session}/element`,
          { using: "css selector", value: `#${id}` });
        await call("POST", `${session}/element/${Object.values(element)[0]}/click`, {});
      },
      type: (text) => keys([...text].flatMap((c) => [stroke("keyDown")(c), stroke("keyUp")(c)])),
      press: (names) => keys([...names.map(stroke("keyDown")), ...[...names].reverse().map(stroke("keyUp"))]) };
  } };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
async function main() {
  const site = await serve(siteFolder, "/lumbrix/");
  const axe = new Function(fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
  const counts = { passed: 0, failed: 0 };
  for (const tag of Object.keys(BROWSERS)) {
    const rows = ROWS.filter(([name, , , how]) => how.browser === tag && name.includes(only));
    if (!rows.length) continue;
    const driver = await (browserName === "webkit" ? webkitDriver : puppeteerDriver)(tag, site);
    for (const [name, steps, expected, how] of rows) {
      let page, release, releaseScripts;
      const began = Date.now();
      if (how.skip?.includes(browserName)) {
        console.log(`ok - ${browserName}: ${name} # SKIP this browser cannot show it here`);
        continue;
      }
      try {
        // The core waits until all is typed, however slowly the browser types;
        // the page's scripts until the first half is, which lands before they run.
        if (how.early) site.held["lumbrix.wasm"] = new Promise((resolve) => { release = resolve; });
        if (how.early && !driver.waitsForScripts)
          site.held["app.js"] = new Promise((resolve) => { releaseScripts = resolve; });
        const scriptsRun = () => (releaseScripts?.(), page.run(afterScripts));
        page = await driver.open(how.file ? `file://${path.resolve(zipFolder)}/index.html` : site.url, how);
        await page.run(prepare, Boolean(how.block), Boolean(how.early));
        let online = null;
        // Without focus: a caret blinks (WebKit draws it whatever its colour).
        // once two in a row are the same (WebKit may still be drawing).
        const look = async () => {
          await page.run(() => document.activeElement.blur());
          let [before, now] = [null, await page.shot()];
          for (let i = 0; i < 10 && now !== before; i++) [before, now] = [now, await page.shot()];
          return now;
        };
        if (how.offline || how.update) {
          await page.run(() => navigator.serviceWorker.ready.then(() => null));
          online = await look();
          site.offline = Boolean(how.offline);
          Object.assign(site.changed, how.update && { // as a new build would change them
            "sw.js": (text) => text.replace(/"lumbrix-\w+"/, '"lumbrix-next"'),
            "index.html": (text) => text.replace("<main>", '<main data-build="next">') });
          if (how.update) await page.run(async () => {
            const registration = await navigator.serviceWorker.getRegistration();
            await registration.update();
            const next = registration.installing || registration.waiting;
            await new Promise((resolve) => (next ? next.addEventListener("statechange",
              () => next.state === "activated" && resolve()) : resolve()));
          });
          await page.reload();
          await page.run(prepare, false);
        }
        const shot = online && (how.unshot?.includes(browserName) || (await look()) === online);
        site.outside.length = 0;
        const trail = [];
        for (const [i, step] of steps.entries()) {
          if (how.early && i === Math.ceil(steps.length / 2)) await scriptsRun();
          if (step.expect) {
            const state = await page.run(pageState);
            for (const key in step.skip?.includes(browserName) ? {} : step.expect) assert.deepEqual(state[key], step.expect[key], `${step.as}: ${key}`);
            await page.run(() => { window.closes = 0; window.copies = []; });
          } else if (step.paste) await page.run(paste, step.paste);
          else if (step.compose !== undefined) await page.compose(step.compose);
          else if (step.startsWith("@")) await page.click(step.slice(1));
          else if (KEYS[step] || step.includes("+")) await page.press(step.split("+"));
          else await page.type(step);
          // Once a copy the step began has reached the clipboard, as a person's next key would find it.
          trail.push(await page.run(() => Promise.resolve(window.copying).catch(() => {})
            .then(() => document.activeElement.id)));
        }
        if (how.early) {
          await scriptsRun();
          assert.equal(await page.run(() => Boolean(window.coreReady)), false, "typed before ready");
          release();
          await page.run(() => window.lumbrixReady.then(() => null));
        }
        for (let i = 0; i < 50 && expected.outside?.length && !site.outside.includes(home); i++)
          await sleep(100);
        // A browser may retry a refused connection: the host counts once.
        const state = { ...(await page.run(pageState)), trail, shot,
          outside: [...new Set(site.outside.filter((to) => to === home))] };
        if (expected.built) state.built = await page.run(differencesFromBuilt, tag === "en-US");
        if (expected.ran) state.ran = await page.run(whatRuns);
        if (expected.folder) state.folder = await page.run(installedCopy);
        if (expected.caches) Object.assign(state, await page.run(async () => ({
          build: document.querySelector("main").dataset.build, caches: await caches.keys() })));
        if (page.accessible && expected.texts)
          for (const id in state.texts) state.texts[id] = await page.accessible(id);
        // No row's page asks another host for anything; the home page opens in a tab of its own.
        for (const [key, value] of Object.entries({ ...(!how.file && { foreign: [] }), ...expected }))
          assert.deepEqual(state[key], value,
            `${key} (boxes ${state.boxes}; focus after each step ${trail})`);
        await page.run(axe);
        const violations = await page.run(() => axe.run(document).then((result) => result.violations
          .map((v) => `${v.id}: ${v.nodes.map((node) => node.target).join(", ")}`)));
        assert.deepEqual(violations, [], "axe-core");
        console.log(`ok - ${browserName}: ${name} (${(Date.now() - began) / 1000} s)`);
        counts.passed++;
      } catch (error) {
        console.log(`not ok - ${browserName}: ${name}\n${error.message}`);
        counts.failed++;
      } finally {
        site.offline = false;
        release?.();
        releaseScripts?.();
        site.held = {};
        site.changed = {};
        await page?.close();
      }
    }
    await driver.close();
  }
  site.server.close();
  console.log(`${counts.passed} passed, ${counts.failed} failed`);
  process.exitCode = counts.failed ? 1 : 0;
}
main().catch((error) => { console.error(error); process.exit(1); });

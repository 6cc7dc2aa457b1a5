// Drives the page in a real browser through one table of key sequences and
// reads it as a user would: the boxes, their selections, the focus, the live
// region, the warning, the clipboard and what screen readers are told, in
// English and every language of translations/, with axe-core's verdict on
// each state. Texts are read from the sources, never copied here.
//   node browser_test.js chromium|firefox|webkit [PART OF A ROW'S NAME]
// with LUMBRIX_SITE, LUMBRIX_SOURCE and LUMBRIX_HOMEPAGE set (CMakeLists.txt).
"use strict";
const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const { spawn } = require("child_process");
const { launch } = require("./launch.js");
const { serve } = require("./serve.js");

const [browserName, only = ""] = process.argv.slice(2);
const { LUMBRIX_SITE: siteFolder, LUMBRIX_SOURCE: source, LUMBRIX_HOMEPAGE: homePage } =
  process.env;
const read = (file) => fs.readFileSync(path.join(source, file), "utf8");

// {context, text} by the name it is given in a header.
const translatables = (code) => Object.fromEntries([...code.matchAll(
  /(\w+) =\s*LUMBRIX_TRANSLATABLE\(\s*"(\w+)",\s*("(?:[^"\\]|\\.)*")\)/g)].map(
  ([, name, context, text]) => [name, { context, text: JSON.parse(text) }]));
const texts = translatables(read("window/texts.hpp") + read("conversion/spoken_result.hpp"));
const maker = { text: read("CMakeLists.txt").match(/LUMBRIX_MAKER "(.*)"/)[1] };
const controls = read("window/controls.hpp").split('{.name = "').slice(1).map((row) => {
  const { accessibleName, description } = translatables(row);
  return [row.slice(0, row.indexOf('"')), accessibleName || maker, description];
});
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

// English and every language of translations/: the browser's language, and
// the decimal separator its region writes.
const LANGUAGES = { en: ["en-US", "."], de: ["de-DE", ","], es: ["es-ES", ","], fr: ["fr-FR", ","] };
const translated = fs.readdirSync(path.join(source, "translations"))
  .flatMap((file) => file.match(/^lumbrix_(\w+)\.ts$/)?.[1] ?? []);
assert.deepEqual(Object.keys(LANGUAGES).sort(), ["en", ...translated].sort(), "a row per language");

const prompt = "Enter a value here.";
const empty = ["", "", "", ""];
// What the browser asks its proxy for. Its own requests (autofill, updates) are not the page's.
const home = `${new URL(homePage).hostname}:443`;
// [name, steps ("@Box" clicks it; Key and Mod+key are pressed; the rest is
// typed), what the page then shows, how it is opened]
const ROWS = [
  ["energy to wavelength", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"], sel: [0, 1], focus: "Text1", spoken: "620 nm" }],
  ["wavelength to energy", ["@Text1", "1240", "Enter"], { boxes: ["1240", "1", "nm", "eV"], sel: [0, 4], spoken: "1 eV" }],
  ["letters get the prompt", ["@Text1", "abc", "Enter"], { boxes: [prompt, "", "", ""], sel: [0, 19], spoken: prompt }],
  ["nothing gets the prompt", ["@Text1", "Backspace", "Enter"], { boxes: [prompt, "", "", ""], sel: [0, 19], spoken: prompt }],
  ["zero has no result", ["@Text1", "00", "Enter"], { boxes: ["00", "", "", ""], sel: [0, 2] }],
  ["Escape empties the boxes", ["Escape"], { boxes: empty, closes: 0, focus: "Text1" }],
  ["Escape on empty asks to close; kept, the page works", ["Escape", "Escape", "2", "Enter"], { closes: 1, boxes: ["2", "620", "eV", "nm"] }],
  ["a click selects the whole result, which refuses typing", ["@Text2", "9"], { boxes: ["632.8", "1.95954487989886", "nm", "eV"], sel2: [0, 16] }],
  ["Escape in the result empties the boxes", ["@Text2", "Escape"], { boxes: empty }],
  ["Tab moves between the input and the button only", ["Tab", "Shift+Tab", "@Text2", "Tab", "Shift+Tab"], { trail: ["Command", "Text1", "Text2", "Command", "Text1"] }],
  ["Alt+C copies the result", ["@Text1", "2", "Enter", "Alt+c", "Escape", "Control+v"], { boxes: ["620", "", "", ""] }],
  ["the button opens the home page in a new tab", ["Tab", " "], { outside: [home], warning: null }],
  ["after one visit it opens with no network", ["@Text1", "2", "Enter"], { boxes: ["2", "620", "eV", "nm"] }, { offline: true }],
].map((row) => [...row.slice(0, 3), { language: "en", ...row[3] }]);
// Every row that types and clicks in the boxes ends the same when it all
// happens before the core is ready (the server holds its WebAssembly back).
ROWS.push(...ROWS.filter(([, steps, expected, how]) => !how.offline && !expected.outside &&
  steps.every((step) => !step.includes("+") && !["Tab", " "].includes(step))).map(
  ([name, steps, expected, how]) => [`${name}, before the core is ready`, steps, expected,
    { ...how, early: true }]));
for (const [language, [, separator]] of Object.entries(LANGUAGES)) {
  const tr = translator(language);
  const start = ["632.8", "1.95954487989886"].map((n) => n.replace(".", separator));
  ROWS.push(
    [`${language}: start texts, names and descriptions`, [], { boxes: [...start, "nm", "eV"],
      sel: [0, 0], focus: "Text1", spoken: "", warning: null, lang: language, title: "Lumbrix",
      shortcut: "Alt+C", tooltip: `${tr(texts.kCopyResult)} (Alt+C)`,
      texts: Object.fromEntries(controls.map(([id, name, about]) => [id, [tr(name), tr(about)]])),
      built: [] },
    { language }],
    [`${language}: Enter reads and writes the separator`, ["Enter"],
      { boxes: [...start, "nm", "eV"], sel: [0, 5], spoken: `${start[1]} eV` }, { language }],
    [`${language}: no result for zero`, ["@Text1", "00", "Enter"],
      { spoken: tr(texts.kNoResultForZero) }, { language }],
    [`${language}: the home page blocked`, ["Tab", "Enter"],
      { warning: tr(texts.kHomePageWarning).replace("%1", homePage), outside: [] },
      { language, block: true }]);
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
      (id) => [id, [$(id).getAttribute("aria-label"), described($(id))]])) };
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
  window.lumbrixReady.then(() => { window.coreReady = true; });
  if (!early) await window.lumbrixReady;
  window.closes = 0;
  const close = window.close.bind(window);
  window.close = () => close(++window.closes);
  history.pushState(null, "", location.href); // two entries: the browser now keeps the page open
  if (block) window.open = () => null;
}

// A driver per kind of browser, in one language: open(url) gives a page to
// run functions in and to send input to. Keys by name, with WebDriver's codes.
const KEYS = { Enter: "\uE007", Escape: "\uE00C", Tab: "\uE004", Backspace: "\uE003",
  Shift: "\uE008", Control: "\uE009", Alt: "\uE00A" };
async function puppeteerDriver(tag, { proxy, port }) {
  const chromium = browserName === "chromium";
  const browser = await launch(browserName, { tag, proxy, port });
  return { close: () => browser.close(), async open(url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(url, { waitUntil: "domcontentloaded" });
    return { run: (f, ...args) => page.evaluate(f, ...args), click: (id) => page.click(`#${id}`),
      type: (text) => page.keyboard.type(text), reload: () => page.reload(),
      close: () => context.close(),
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
  const locale = tag.replace("-", "_");
  // Its proxy capability leaves https alone (2.50), so the proxy comes from the environment.
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env: {
    ...process.env, LANGUAGE: locale, LANG: `${locale}.UTF-8`, no_proxy: "127.0.0.1",
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
  // Back from opening a page once its scripts have run, before what they load.
  const capabilities = { "webkitgtk:browserOptions": { args: ["--automation"] },
    pageLoadStrategy: "eager" };
  // A function and its arguments, run in the page; what it throws is thrown here.
  const script = (f) => `const done = arguments[arguments.length - 1];
    Promise.resolve((${f}).apply(null, [...arguments].slice(0, -1)))
      .then((value) => done({ value }), (error) => done({ error: String(error) }));`;
  return { close: () => driver.kill(), async open(url) {
    const { sessionId } = await call("POST", "/session", { capabilities: { alwaysMatch: capabilities } });
    const session = `/session/${sessionId}`;
    await call("POST", `${session}/url`, { url });
    const keys = (actions) => call("POST", `${session}/actions`,
      { actions: [{ type: "key", id: "keyboard", actions }] });
    const stroke = (type) => (name) => ({ type, value: KEYS[name] ?? name });
    return { close: () => call("DELETE", session),
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
  const site = await serve(siteFolder);
  const axe = new Function(fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
  const counts = { passed: 0, failed: 0 };
  for (const [language, [tag]] of Object.entries(LANGUAGES)) {
    const driver = await (browserName === "webkit" ? webkitDriver : puppeteerDriver)(tag, site);
    const rows = ROWS.filter(([name, , , how]) => how.language === language && name.includes(only));
    for (const [name, steps, expected, how] of rows) {
      let page, release;
      const began = Date.now();
      try {
        // The core waits until all is typed, however slowly the browser types.
        if (how.early) site.held["lumbrix.wasm"] = new Promise((resolve) => { release = resolve; });
        page = await driver.open(site.url);
        await page.run(prepare, Boolean(how.block), Boolean(how.early));
        if (how.offline) {
          await page.run(() => navigator.serviceWorker.ready.then(() => null));
          site.offline = true;
          await page.reload();
          await page.run(prepare, false);
        }
        site.outside.length = 0;
        const trail = [];
        for (const step of steps) {
          if (step.startsWith("@")) await page.click(step.slice(1));
          else if (KEYS[step] || step.includes("+")) await page.press(step.split("+"));
          else await page.type(step);
          trail.push(await page.run(() => document.activeElement.id));
        }
        if (how.early) {
          assert.equal(await page.run(() => Boolean(window.coreReady)), false, "typed before ready");
          release();
          await page.run(() => window.lumbrixReady.then(() => null));
        }
        for (let i = 0; i < 50 && expected.outside?.length && !site.outside.includes(home); i++)
          await sleep(100);
        // A browser may retry a refused connection: the host counts once.
        const state = { ...(await page.run(pageState)), trail,
          outside: [...new Set(site.outside.filter((to) => to === home))] };
        if (expected.built) state.built = await page.run(differencesFromBuilt, language === "en");
        if (page.accessible && expected.texts)
          for (const id in state.texts) state.texts[id] = await page.accessible(id);
        for (const key in expected) assert.deepEqual(state[key], expected[key], key);
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
        site.held = {};
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

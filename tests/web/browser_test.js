// Drives the page in a real browser through one table of key sequences and
// reads it as a user would: the boxes, their selections, the focus, the live
// region, the warning, the clipboard and what screen readers are told, in
// every language of translations/. Texts are read from the sources, never
// copied here. Usage: node browser_test.js chromium|firefox|webkit, with
// LUMBRIX_SITE, LUMBRIX_SOURCE and LUMBRIX_HOMEPAGE set (tests/web/CMakeLists.txt).
"use strict";
const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const { spawn } = require("child_process");
const { serve } = require("./serve.js");

const [browserName, only = ""] = process.argv.slice(2); // only: the rows whose name holds it
const { LUMBRIX_SITE: siteFolder, LUMBRIX_SOURCE: source, LUMBRIX_HOMEPAGE: homePage } = process.env;
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
const unxml = (s) => s.replace(/&(\w+);/g, (_, e) => ({ lt: "<", gt: ">", amp: "&", apos: "'", quot: '"' })[e]);
function translator(code) {
  const found = new Map();
  if (code !== "en") for (const [, context, body] of read(`translations/lumbrix_${code}.ts`)
    .matchAll(/<name>(.*)<\/name>([\s\S]*?)<\/context>/g))
    for (const [, s, t] of body.matchAll(/<source>([\s\S]*?)<\/source>[\s\S]*?<translation>([\s\S]*?)</g))
      found.set(`${context}\n${unxml(s)}`, unxml(t));
  return (t) => found.get(`${t.context}\n${t.text}`) ?? t.text;
}

// English and every language of translations/: the browser's language and the separator it writes.
const LANGUAGES = { en: ["en-US", "."], de: ["de-DE", ","], es: ["es-ES", ","], fr: ["fr-FR", ","] };
const translated = fs.readdirSync(path.join(source, "translations")).flatMap((f) => f.match(/^lumbrix_(\w+)\.ts$/)?.[1] ?? []);
assert.deepEqual(Object.keys(LANGUAGES).sort(), ["en", ...translated].sort(), "a row for each language");

const prompt = "Enter a value here.";
const empty = ["", "", "", ""];
// What the browser asks its proxy for; its own requests elsewhere (autofill, updates) are not the page's.
const home = `${new URL(homePage).hostname}:443`;
// [name, keys ("@Box" clicks it, Key or Mod+key presses, the rest is typed), what the page then shows, {how it opens}]
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
for (const [language, [, separator]] of Object.entries(LANGUAGES)) {
  const tr = translator(language);
  const start = ["632.8", "1.95954487989886"].map((n) => n.replace(".", separator));
  ROWS.push(
    [`${language}: start texts, names and descriptions`, [], { boxes: [...start, "nm", "eV"], sel: [0, 0], focus: "Text1",
      spoken: "", warning: null, lang: language, title: "Lumbrix", shortcut: "Alt+C", tooltip: `${tr(texts.kCopyResult)} (Alt+C)`,
      texts: Object.fromEntries(controls.map(([id, name, description]) => [id, [tr(name), tr(description)]])) }, { language }],
    [`${language}: Enter reads and writes the separator`, ["Enter"], { boxes: [...start, "nm", "eV"], sel: [0, 5], spoken: `${start[1]} eV` }, { language }],
    [`${language}: no result for zero`, ["@Text1", "00", "Enter"], { spoken: tr(texts.kNoResultForZero) }, { language }],
    [`${language}: the home page blocked`, ["Tab", "Enter"], { warning: tr(texts.kHomePageWarning).replace("%1", homePage), outside: [] }, { language, block: true }]);
}

// Run in the page.
function pageState() {
  const $ = (id) => document.getElementById(id);
  const described = (id) => ($(id).getAttribute("aria-describedby") || "").split(" ").map((d) => $(d)?.textContent).join(" ");
  return { boxes: ["Text1", "Text2", "Text3", "Text4"].map((id) => $(id).value), focus: document.activeElement.id,
    sel: [$("Text1").selectionStart, $("Text1").selectionEnd], sel2: [$("Text2").selectionStart, $("Text2").selectionEnd],
    spoken: $("spoken").textContent, warning: $("warning").getClientRects().length ? $("warning").textContent : null,
    lang: document.documentElement.lang, title: document.title, closes: window.closes,
    tooltip: $("Text1").title, shortcut: $("Text1").getAttribute("aria-keyshortcuts"),
    texts: Object.fromEntries(["Command", "Text1", "Text3", "Text4", "Text2"].map((id) => [id, [$(id).getAttribute("aria-label"), described(id)]])) };
}
async function prepare(block) {
  await window.lumbrixReady;
  window.closes = 0;
  const close = window.close.bind(window);
  window.close = () => close(++window.closes);
  history.pushState(null, "", location.href); // two entries: the browser now keeps the page open
  if (block) window.open = () => null;
}

// One driver per browser kind: open(url) gives a page to run functions in and send input to.
const KEYS = { Enter: "\uE007", Escape: "\uE00C", Tab: "\uE004", Backspace: "\uE003", Shift: "\uE008", Control: "\uE009", Alt: "\uE00A" };
async function puppeteerDriver(tag, { proxy, port }) {
  const puppeteer = require("puppeteer-core");
  const chromium = browserName === "chromium";
  const browser = await puppeteer.launch(chromium ? { executablePath: "/usr/bin/chromium",
    args: [`--accept-lang=${tag}`, `--proxy-server=${proxy}`, "--disable-background-networking", "--disable-component-update",
      "--disable-sync", "--no-first-run", ...(process.getuid() === 0 ? ["--no-sandbox"] : [])] } : {
    browser: "firefox", executablePath: "/usr/bin/firefox-esr", extraPrefsFirefox: { "intl.accept_languages": tag,
      "intl.locale.requested": tag, "network.proxy.type": 1, "network.proxy.http": "127.0.0.1", "network.proxy.http_port": port,
      "network.proxy.ssl": "127.0.0.1", "network.proxy.ssl_port": port } });
  return { close: () => browser.close(), async open(url) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    if (chromium) await (await page.createCDPSession()).send("Emulation.setLocaleOverride", { locale: tag });
    await page.goto(url);
    return { run: (f, ...args) => page.evaluate(f, ...args), click: (id) => page.click(`#${id}`),
      type: (text) => page.keyboard.type(text), reload: () => page.reload(), close: () => context.close(),
      async press(keys) {
        for (const key of keys) await page.keyboard.down(key);
        for (const key of keys.reverse()) await page.keyboard.up(key);
      },
      accessible: chromium && (async (id) => {
        const { name, description } = await page.accessibility.snapshot({ root: await page.$(`#${id}`) });
        return [name, description];
      }) };
  } };
}
// WebKit over plain WebDriver: WebKitWebDriver in the language, one session per page.
async function webkitDriver(tag, { proxy }) {
  const port = await new Promise((resolve) => { const s = require("net").createServer().listen(0, "127.0.0.1", () => {
    const { port } = s.address(); s.close(() => resolve(port)); }); });
  const locale = tag.replace("-", "_");
  // Its proxy capability leaves https alone (2.50): the environment's proxy is taken for all.
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env: { ...process.env,
    LANGUAGE: locale, LANG: `${locale}.UTF-8`, http_proxy: `http://${proxy}`, https_proxy: `http://${proxy}`, no_proxy: "127.0.0.1" } });
  const call = async (method, url, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${url}`, { method, body: body && JSON.stringify(body) });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${url}: ${value.message}`);
    return value;
  };
  for (let i = 0; !(await call("GET", "/status").catch(() => null)); i++) {
    if (i > 100) throw new Error("WebKitWebDriver does not answer");
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  const capabilities = { "webkitgtk:browserOptions": { args: ["--automation"] } };
  return { close: () => driver.kill(), async open(url) {
    const session = `/session/${(await call("POST", "/session", { capabilities: { alwaysMatch: capabilities } })).sessionId}`;
    await call("POST", `${session}/url`, { url });
    const keys = (actions) => call("POST", `${session}/actions`, { actions: [{ type: "key", id: "keyboard", actions }] });
    return { close: () => call("DELETE", session), reload: () => call("POST", `${session}/refresh`, {}),
      run: (f, ...args) => call("POST", `${session}/execute/async`, { args, script: `const done = arguments[arguments.length - 1];
        Promise.resolve((${f}).apply(null, [...arguments].slice(0, -1))).then(done, (e) => done({ error: String(e) }));` }),
      async click(id) {
        const element = await call("POST", `${session}/element`, { using: "css selector", value: `#${id}` });
        await call("POST", `${session}/element/${Object.values(element)[0]}/click`, {});
      },
      type: (text) => keys([...text].flatMap((value) => [{ type: "keyDown", value }, { type: "keyUp", value }])),
      press: (names) => keys([...names.map((n) => ({ type: "keyDown", value: KEYS[n] ?? n })),
        ...names.reverse().map((n) => ({ type: "keyUp", value: KEYS[n] ?? n }))]) };
  } };
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
async function main() {
  const site = await serve(siteFolder);
  const axe = new Function(fs.readFileSync(require.resolve("axe-core/axe.min.js"), "utf8"));
  const counts = { passed: 0, failed: 0 };
  for (const [language, [tag]] of Object.entries(LANGUAGES)) {
    const driver = await (browserName === "webkit" ? webkitDriver : puppeteerDriver)(tag, site);
    for (const [name, steps, expected, how] of ROWS.filter((row) => row[3].language === language && row[0].includes(only))) {
      let page;
      const began = Date.now();
      try {
        page = await driver.open(site.url);
        await page.run(prepare, Boolean(how.block));
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
        for (let i = 0; i < 50 && !site.outside.includes(home) && expected.outside?.length; i++) await sleep(100);
        const state = { ...(await page.run(pageState)), trail, outside: site.outside.filter((to) => to === home) };
        if (page.accessible && expected.texts) for (const id in state.texts) state.texts[id] = await page.accessible(id);
        for (const key in expected) assert.deepEqual(state[key], expected[key], key);
        await page.run(axe);
        const violations = await page.run(() => axe.run(document).then((r) => r.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(", ")}`)));
        assert.deepEqual(violations, [], "axe-core");
        console.log(`ok - ${browserName}: ${name} (${(Date.now() - began) / 1000} s)`);
        counts.passed++;
      } catch (error) {
        console.log(`not ok - ${browserName}: ${name}\n${error.message}`);
        counts.failed++;
      } finally {
        site.offline = false;
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

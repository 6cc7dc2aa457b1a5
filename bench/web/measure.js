// The page against a bare page (bare/: two boxes, Enter writes 1240 / value)
// served the same way, in headless Chromium and Firefox: its weight, how
// soon it paints and is ready, whether it shifts, and Enter to the next
// painted frame; or, with --latency, only the last, as bench/latency's rows;
// or, with --screens FOLDER, screenshots of the page. Run by bench/web/run,
// which says how.
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const { launch } = require("../../tests/web/launch.js");
const { serve } = require("../../tests/web/serve.js");

const [siteFolder, ...options] = process.argv.slice(2);
const option = (name, fallback) => (options.includes(name) ? options[options.indexOf(name) + 1] : fallback);
const latencyOnly = options.includes("--latency");
const rounds = Number(option("--rounds", latencyOnly ? 200 : 20));
const warmup = Number(option("--warmup", latencyOnly ? 20 : 3));
const presses = latencyOnly ? rounds : Number(option("--presses", 200));
const BROWSERS = ["chromium", "firefox"];
// Firefox rounds its clocks to 1 ms for privacy unless told otherwise.
const PREFS = { "privacy.reduceTimerPrecision": false };
// The slow profile: a CPU four times slower, 1.6 Mbit/s each way, 150 ms.
const SLOW_NETWORK = { offline: false, latency: 150, downloadThroughput: 200000, uploadThroughput: 200000 };

const sorted = (xs) => [...xs].sort((a, b) => a - b);
const median = (xs) => { const s = sorted(xs); return (s[(s.length - 1) >> 1] + s[s.length >> 1]) / 2; };
const rank = (xs, p) => { const s = sorted(xs); return s[Math.min(s.length, Math.ceil(p * s.length)) - 1]; };
const ms = (x) => (Number.isFinite(x) ? x.toFixed(1) : "–");

// Run in each page before its own scripts: notes when lumbrixReady resolves,
// sums the layout shifts not caused by input, and for each Enter on Text1
// the time from the keydown's timestamp to the next frame painted after the
// page's own handler wrote the result (a message posted from the frame's
// animation callback arrives once that frame is out).
function probe() {
  const probe = (window.probe = { ready: null, shift: 0, frames: [], waiting: [] });
  let ready;
  Object.defineProperty(window, "lumbrixReady", { configurable: true, get: () => ready, set(promise) {
    ready = promise;
    promise.then(() => { probe.ready = performance.now(); });
  } });
  if (PerformanceObserver.supportedEntryTypes.includes("layout-shift")) {
    new PerformanceObserver((list) => {
      for (const shift of list.getEntries()) if (!shift.hadRecentInput) probe.shift += shift.value;
    }).observe({ type: "layout-shift", buffered: true });
  } else probe.shift = NaN;
  probe.after = (count) => new Promise((resolve) => {
    if (probe.frames.length > count) resolve(probe.frames[count]);
    else probe.waiting.push(() => resolve(probe.frames[count]));
  });
  let pressed = null;
  window.addEventListener("keydown", (event) => {
    const result = document.getElementById("Text2");
    if (event.key === "Enter") pressed = { at: event.timeStamp, before: result.value };
  }, true);
  window.addEventListener("keydown", (event) => {
    if (event.key !== "Enter" || !pressed) return;
    const { at, before } = pressed;
    pressed = null;
    const written = document.getElementById("Text2").value !== before;
    requestAnimationFrame(() => {
      const channel = new MessageChannel();
      channel.port1.onmessage = () => {
        probe.frames.push(written ? performance.now() - at : NaN);
        for (const wake of probe.waiting.splice(0)) wake();
      };
      channel.port2.postMessage(null);
    });
  });
}

// The site's files; the web zip's folder (the site and what only a page
// opened from a file loads) as a total, when --zip names it.
function weight(fetched) {
  const files = (folder) => fs.readdirSync(folder).sort().map((name) => {
    const data = fs.readFileSync(path.join(folder, name));
    return [name, data.length, zlib.gzipSync(data, { level: 9 }).length];
  });
  const rows = files(siteFolder);
  const total = (name, list) => [name, ...[1, 2].map((i) => list.reduce((sum, row) => sum + row[i], 0))];
  const totals = [total("site, total", rows), total("one visit, total", rows.filter(([name]) => fetched.has(name)))];
  if (option("--zip")) totals.push(total("the web zip's folder, total", files(option("--zip"))));
  console.log("| file | bytes | gzipped | fetched by a visit over http |\n|---|---|---|---|");
  for (const [name, raw, gzipped] of rows)
    console.log(`| ${name} | ${raw} | ${gzipped} | ${fetched.has(name) ? "yes" : ""} |`);
  for (const [name, raw, gzipped] of totals) console.log(`| ${name} | ${raw} | ${gzipped} | |`);
}

const newPage = async (browser) => {
  const page = await (await browser.createBrowserContext()).newPage();
  await page.evaluateOnNewDocument(probe);
  return page;
};

// One visit in a fresh context (no cache, no service worker), in ms after
// navigation start by the page's own clock.
async function visit(browser, url, slow, fetched) {
  const page = await newPage(browser);
  if (slow) {
    const devtools = await page.createCDPSession();
    await devtools.send("Emulation.setCPUThrottlingRate", { rate: 4 });
    await devtools.send("Network.enable");
    await devtools.send("Network.emulateNetworkConditions", SLOW_NETWORK);
  }
  const file = (request) => path.basename(new URL(request.url()).pathname) || "index.html";
  if (fetched) page.on("requestfinished", (request) => fetched.add(file(request)));
  await page.goto(url, { waitUntil: "load" });
  await page.waitForFunction(() => window.probe.ready !== null, { polling: 20 });
  // Two frames more, for a late shift. Firefox reports only the contentful
  // paint: its first paint here too.
  const run = await page.evaluate(() => new Promise((resolve) => {
    const paint = (name) => performance.getEntriesByName(name)[0]?.startTime;
    requestAnimationFrame(() => requestAnimationFrame(() => {
      const contentful = paint("first-contentful-paint") ?? NaN;
      resolve({ paint: paint("first-paint") ?? contentful, contentful,
        ready: window.probe.ready, shift: window.probe.shift });
    }));
  }));
  await page.browserContext().close();
  return run;
}

async function loads(name, sites, slow, fetched) {
  const browser = await launch(name, { prefs: PREFS });
  const runs = { lumbrix: [], bare: [] };
  for (let round = 0; round < warmup + rounds; round++) {
    for (const page of Object.keys(runs)) {
      const run = await visit(browser, sites[page].url, slow, page === "lumbrix" && fetched);
      if (round >= warmup) runs[page].push(run);
    }
  }
  const version = await browser.version();
  await browser.close();
  const keys = Object.keys(runs.lumbrix[0]);
  const med = Object.fromEntries(Object.entries(runs).map(([page, list]) =>
    [page, Object.fromEntries(keys.map((key) => [key, median(list.map((run) => run[key]))]))]));
  const shifts = Object.values(runs).map((list) => Math.max(...list.map((run) => run.shift)));
  return { version, med, shifts };
}

// Enter presses on both pages, open side by side, one each in turn: the
// value alternates between 4 and 2, so that every press changes the result.
async function latency(name, sites) {
  const browser = await launch(name, { prefs: PREFS });
  const pages = {};
  for (const page of ["lumbrix", "bare"]) {
    pages[page] = await newPage(browser);
    await pages[page].goto(sites[page].url, { waitUntil: "load" });
    await pages[page].evaluate(() => window.lumbrixReady);
  }
  const times = { lumbrix: [], bare: [] };
  for (let press = 0; press < warmup + presses; press++) {
    // The same moment for both pages, so that the frame's wait, most of the
    // time, weighs alike on both.
    const moment = Math.random() * 16.7;
    for (const [page, tab] of Object.entries(pages)) {
      await tab.bringToFront();
      // The value in, the page idle for two frames, and the key at a random
      // moment of the next, as a person's would be.
      await tab.evaluate((value, moment) => new Promise((resolve) => {
        const box = document.getElementById("Text1");
        box.value = value;
        box.focus();
        requestAnimationFrame(() => requestAnimationFrame(() => setTimeout(resolve, moment)));
      }), press % 2 ? "2" : "4", moment);
      await tab.keyboard.down("Enter");
      const time = await tab.evaluate((count) => window.probe.after(count), press);
      await tab.keyboard.up("Enter");
      if (!Number.isFinite(time)) throw new Error(`${name}, ${page}: Enter wrote no result`);
      if (press >= warmup) times[page].push(time);
    }
  }
  const version = await browser.version();
  await browser.close();
  return { version, rows: Object.entries(times).map(([page, list]) => `| ${name} | ${page} | ${
    [median(list), rank(list, 0.9), rank(list, 0.99), Math.max(...list)].map(ms).join(" | ")} |`) };
}

async function timing(sites) {
  const fetched = new Set();
  const results = {};
  for (const name of BROWSERS) {
    results[name] = { normal: await loads(name, sites, false, name === "chromium" && fetched) };
    // Firefox takes no DevTools commands.
    if (name === "chromium") results[name].slow = await loads(name, sites, true);
    results[name].enter = await latency(name, sites);
  }
  weight(fetched);
  console.log(`\n${rounds} loads of each page after ${warmup}, interleaved, each in a fresh context;` +
    ` ${presses} Enter presses after ${warmup}; ` +
    BROWSERS.map((name) => results[name].normal.version).join(", "));
  console.log("\n| browser, profile | page | first paint | first contentful paint | ready | layout shift |" +
    "\n|---|---|---|---|---|---|");
  for (const [name, result] of Object.entries(results)) for (const profile of ["normal", "slow"]) {
    const run = result[profile];
    if (!run) continue;
    for (const [i, page] of ["lumbrix", "bare"].entries())
      console.log(`| ${name}, ${profile} | ${page} | ${ms(run.med[page].paint)} | ${ms(run.med[page].contentful)} | ${
        ms(run.med[page].ready)} | ${Number.isFinite(run.shifts[i]) ? run.shifts[i].toFixed(3) : "–"} |`);
    const ratio = (key) => (run.med.lumbrix[key] / run.med.bare[key]).toFixed(2);
    console.log(`| ${name}, ${profile} | lumbrix / bare | ${ratio("paint")} | ${ratio("contentful")} | ${
      (run.med.lumbrix.ready / run.med.bare.paint).toFixed(2)} (/ bare's first paint) | |`);
  }
  console.log("\nMedians, ms after navigation start; layout shift: the largest sum of a load." +
    " Enter to the next painted frame, ms:\n\n| browser | page | median | p90 | p99 | max |" +
    "\n|---|---|---|---|---|---|");
  for (const result of Object.values(results)) for (const row of result.enter.rows) console.log(row);
}

// The page in English and German, light and dark, at 100 % and 200 % and on
// a phone, and with the home-page warning shown: FOLDER/<language>-<look>.png.
async function screens(folder) {
  const site = await serve(siteFolder);
  const views = { "100": { width: 640, height: 360 }, "200": { width: 640, height: 360, deviceScaleFactor: 2 },
    phone: { width: 360, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true } };
  fs.mkdirSync(folder, { recursive: true });
  for (const tag of ["en-US", "de-DE"]) {
    const browser = await launch("chromium", { tag });
    for (const scheme of ["light", "dark"]) for (const [view, viewport] of Object.entries(views)) {
      const page = await (await browser.createBrowserContext()).newPage();
      await page.setViewport(viewport);
      await page.emulateMediaFeatures([{ name: "prefers-color-scheme", value: scheme }]);
      await page.goto(site.url);
      await page.evaluate(() => window.lumbrixReady);
      const name = `${tag.slice(0, 2)}-${scheme}-${view}`;
      await page.screenshot({ path: path.join(folder, `${name}.png`) });
      if (view === "200") { // the warning, as when the browser blocks the home page
        await page.evaluate(() => { window.open = () => null; });
        await page.click("#Command");
        await page.screenshot({ path: path.join(folder, `${name}-warning.png`) });
      }
      await page.browserContext().close();
    }
    await browser.close();
  }
  site.server.close();
}

(async () => {
  if (options.includes("--screens")) return screens(option("--screens"));
  const sites = { lumbrix: await serve(siteFolder), bare: await serve(path.join(__dirname, "bare")) };
  if (latencyOnly) {
    for (const name of BROWSERS) {
      const { version, rows } = await latency(name, sites);
      console.log(`${version}: ${presses} Enter presses on each page after ${warmup}, interleaved`);
      for (const row of rows) console.log(row);
    }
  } else await timing(sites);
  for (const site of Object.values(sites)) site.server.close();
})().catch((error) => { console.error(error); process.exit(1); });

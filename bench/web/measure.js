// The page's weight, and in headless Chromium its first paint and the time
// until Enter first converts, beside a bare page with one <input>
// (bare/index.html) served the same way; or, with --screens FOLDER,
// screenshots of the page. Run by bench/web/run, which says how.
"use strict";
const fs = require("fs");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");
const { serve } = require("../../tests/web/serve.js");

const [siteFolder, ...options] = process.argv.slice(2);
const option = (name, fallback) => (options.includes(name) ? options[options.indexOf(name) + 1] : fallback);
const rounds = Number(option("--rounds", 15));
const warmup = Number(option("--warmup", 3));
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); return (s[(s.length - 1) >> 1] + s[s.length >> 1]) / 2; };

function weight() {
  const rows = fs.readdirSync(siteFolder).sort().map((name) => {
    const data = fs.readFileSync(path.join(siteFolder, name));
    return [name, data.length, zlib.gzipSync(data, { level: 9 }).length];
  });
  rows.push(["total", ...[1, 2].map((i) => rows.reduce((sum, row) => sum + row[i], 0))]);
  console.log("| file | bytes | gzipped |\n|---|---|---|");
  for (const [name, raw, gzipped] of rows) console.log(`| ${name} | ${raw} | ${gzipped} |`);
}

const launch = (args = []) => puppeteer.launch({ executablePath: "/usr/bin/chromium", args: [...args, "--disable-background-networking",
  "--disable-component-update", "--disable-sync", "--no-first-run", ...(process.getuid() === 0 ? ["--no-sandbox"] : [])] });

// One visit in a fresh context (no cache, no service worker): first contentful
// paint, and the moment the value typed first (2, Enter) shows its result.
async function visit(browser, url, converted) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.goto(url, { waitUntil: "domcontentloaded" });
  const ready = await page.evaluate(() => Promise.resolve(window.lumbrixReady).then(() => performance.now()));
  await page.click("#Text1");
  await page.keyboard.type("2");
  await page.keyboard.press("Enter");
  await page.waitForFunction(converted);
  const times = await page.evaluate(() => [performance.now(),
    performance.getEntriesByName("first-contentful-paint")[0]?.startTime]);
  await context.close();
  return { paint: times[1], ready, enter: times[0] };
}

async function timing() {
  const sites = { lumbrix: await serve(siteFolder), bare: await serve(path.join(__dirname, "bare")) };
  const converted = { lumbrix: () => document.getElementById("Text2").value === "620",
    bare: () => document.getElementById("Text1").value === "2" };
  const browser = await launch();
  const runs = { lumbrix: [], bare: [] };
  for (let round = 0; round < warmup + rounds; round++) {
    for (const name of Object.keys(runs)) {
      const run = await visit(browser, sites[name].url, converted[name]);
      if (round >= warmup) runs[name].push(run);
    }
  }
  console.log(`\n${rounds} rounds after ${warmup}, interleaved; ${await browser.version()}`);
  await browser.close();
  // ready: the core loaded (the bare page: its script-free DOM, at once).
  console.log("| page, ms after navigation start | first paint | ready | Enter converted |\n|---|---|---|---|");
  const med = {};
  for (const [name, list] of Object.entries(runs)) {
    med[name] = Object.fromEntries(Object.keys(list[0]).map((key) => [key, median(list.map((r) => r[key]))]));
    console.log(`| ${name} | ${Object.values(med[name]).map((ms) => ms.toFixed(1)).join(" | ")} |`);
  }
  const ratio = (key) => (med.lumbrix[key] / med.bare[key]).toFixed(2);
  console.log(`| lumbrix / bare | ${ratio("paint")} | ${ratio("ready")} | ${ratio("enter")} |`);
  for (const site of Object.values(sites)) site.server.close();
}

// The page in English and German, light and dark, at 100 % and 200 % and on
// a phone, and with the home-page warning shown: FOLDER/<language>-<look>.png.
async function screens(folder) {
  const site = await serve(siteFolder);
  const views = { "100": { width: 640, height: 360 }, "200": { width: 640, height: 360, deviceScaleFactor: 2 },
    phone: { width: 360, height: 640, deviceScaleFactor: 2, isMobile: true, hasTouch: true } };
  fs.mkdirSync(folder, { recursive: true });
  for (const tag of ["en-US", "de-DE"]) {
    const browser = await launch([`--accept-lang=${tag}`]);
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
  weight();
  await timing();
})().catch((error) => { console.error(error); process.exit(1); });

// Debian's Chromium or Firefox ESR, headless, through puppeteer-core: in the
// language `tag` when given, sending every request through `proxy`
// (serve.js, at 127.0.0.1:`port`) when given, with Firefox `prefs` added.
// Shared by the browser test and bench/web.
"use strict";

exports.launch = (name, { tag, proxy, port, prefs = {} } = {}) => {
  const puppeteer = require("puppeteer-core");
  if (name === "chromium") return puppeteer.launch({ executablePath: "/usr/bin/chromium", args: [
    ...(tag ? [`--accept-lang=${tag}`] : []), ...(proxy ? [`--proxy-server=${proxy}`] : []),
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--no-first-run", ...(process.getuid() === 0 ? ["--no-sandbox"] : [])] });
  return puppeteer.launch({ browser: "firefox", executablePath: "/usr/bin/firefox-esr",
    extraPrefsFirefox: { ...(tag && { "intl.accept_languages": tag, "intl.locale.requested": tag }),
      ...(proxy && { "network.proxy.type": 1, "network.proxy.http": "127.0.0.1",
        "network.proxy.http_port": port, "network.proxy.ssl": "127.0.0.1",
        "network.proxy.ssl_port": port }), ...prefs } });
};

// Serves a folder on 127.0.0.1 at a free port, under the path `under` (a
// folder of the host, "/" by default), as any static host would,
// and stands as the browsers' proxy: a request for any other host is refused
// and noted in `outside`, so nothing leaves the machine. With `offline` set
// it drops every request, as a machine with no network would; a file named
// in `held` is answered only once the promise given for it settles, as over
// a slow network. A file named in `changed` is served as that function makes
// its text, as after a new build. Shared by the browser test and bench/web.
"use strict";
const fs = require("fs");
const http = require("http");
const path = require("path");

const TYPES = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
  ".svg": "image/svg+xml", ".png": "image/png", ".webmanifest": "application/manifest+json",
  ".wasm": "application/wasm" };

exports.serve = (folder, under = "/") => new Promise((resolve) => {
  const root = path.resolve(folder);
  const outside = [];
  const site = { offline: false, outside, held: {}, changed: {} };
  const server = http.createServer((request, response) => {
    if (site.offline) return request.socket.destroy();
    // A browser may send even the page's own address through its proxy (WebKit does).
    const url = new URL(request.url, `http://${request.headers.host}`);
    const inside = url.pathname.startsWith(under);
    let name = path.join(root, decodeURIComponent(url.pathname.slice(under.length - 1)));
    if (name.endsWith(path.sep)) name += "index.html";
    if (url.host !== site.proxy) outside.push(request.url);
    fs.readFile(name, (error, data) => {
      if (error || url.host !== site.proxy || !inside || !name.startsWith(root))
        return response.writeHead(404).end();
      const change = site.changed[path.basename(name)];
      if (change) data = change(data.toString());
      const answer = () => response.writeHead(200, {
        "Content-Type": TYPES[path.extname(name)] || "application/octet-stream",
        "Cache-Control": "no-cache" }).end(data);
      Promise.resolve(site.held[path.basename(name)]).finally(answer);
    });
  });
  server.on("connect", (request, socket) => {
    outside.push(request.url); // https: CONNECT host:443
    socket.on("error", () => {}).end("HTTP/1.1 403 Forbidden\r\n\r\n");
  });
  server.listen(0, "127.0.0.1", () => {
    const { port } = server.address();
    resolve(Object.assign(site, { server, port, url: `http://127.0.0.1:${port}${under}`, proxy: `127.0.0.1:${port}` }));
  });
});

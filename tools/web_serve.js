#!/usr/bin/env node
// Serves a folder on 127.0.0.1: the web page's site for ./dev run --web,
// the tests and the benchmark. Cross-origin isolated (COOP and COEP), which
// gives the page's timer 5 us instead of 100 us; .wasm as application/wasm,
// which streaming compilation needs.
//   node tools/web_serve.js DIR [PORT]     prints the address, serves until stopped
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.wasm': 'application/wasm',
  '.ttf': 'font/ttf', '.txt': 'text/plain; charset=utf-8', '.png': 'image/png',
};

// A promise of {url, close()} once the server listens.
function serve(dir, port) {
  const root = path.resolve(dir);
  const server = http.createServer((req, res) => {
    let name = '/';
    try {
      name = decodeURIComponent(new URL(req.url, 'http://127.0.0.1').pathname);
    } catch (e) {}
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(root, path.normalize(name));
    const headers = {'Cross-Origin-Opener-Policy': 'same-origin', 'Cross-Origin-Embedder-Policy': 'require-corp',
                     'Cache-Control': 'no-cache'};
    if (!file.startsWith(root + path.sep)) {
      res.writeHead(403, headers).end();
      return;
    }
    fs.readFile(file, (err, body) => {
      if (err) {
        res.writeHead(404, headers).end();
        return;
      }
      headers['Content-Type'] = Types[path.extname(file)] || 'application/octet-stream';
      res.writeHead(200, headers).end(body);
    });
  });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.listen(port || 0, '127.0.0.1', () => resolve({
      url: `http://127.0.0.1:${server.address().port}/`,
      close: () => new Promise((done) => server.close(done)),
    }));
  });
}

module.exports = {serve};

if (require.main === module) {
  const [dir, port] = process.argv.slice(2);
  if (!dir) {
    console.error('usage: node tools/web_serve.js DIR [PORT]');
    process.exit(2);
  }
  serve(dir, Number(port) || 0).then((s) => console.log(s.url), (e) => {
    console.error(`web_serve: ${e.message}`);
    process.exit(1);
  });
}

// SPDX-License-Identifier: MIT
// Serves the site from 127.0.0.1 with the page's content security policy, as the tests and
// `make web-run` need it. `lunacal` may be 'missing' (404) or 'damaged' (bytes that are no module),
// to show what the page says then.
//   node serve.mjs SITE_DIR [PORT]   serves until stopped and prints the address
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize } from 'node:path';
import { pathToFileURL } from 'node:url';

export const POLICY = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
  "img-src 'self' data:; connect-src 'self'; object-src 'none'; base-uri 'none'; frame-ancestors 'none'";

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

export function serve(siteDir, { port = 0, lunacal = 'present' } = {}) {
  const server = createServer(async (request, response) => {
    const path = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    const file = normalize(join(siteDir, path.endsWith('/') ? `${path}index.html` : path));
    const headers = { 'Content-Security-Policy': POLICY, 'Cache-Control': 'no-cache' };
    if (!file.startsWith(normalize(siteDir)) || (lunacal === 'missing' && path.endsWith('/lunacal.wasm'))) {
      response.writeHead(404, headers).end('not found');
      return;
    }
    try {
      const body = lunacal === 'damaged' && path.endsWith('/lunacal.wasm')
        ? Buffer.from('this is not a WebAssembly module')
        : await readFile(file);
      response.writeHead(200, { ...headers, 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
      response.end(body);
    } catch {
      response.writeHead(404, headers).end('not found');
    }
  });
  return new Promise((resolve) => {
    server.listen(port, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        close: () => new Promise((done) => {
          server.closeAllConnections();
          server.close(done);
        }),
      });
    });
  });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const [siteDir, port = '8000'] = process.argv.slice(2);
  const { url } = await serve(siteDir, { port: Number(port) });
  console.log(`Serving ${siteDir} at ${url} (Ctrl+C stops it)`);
}

// SPDX-License-Identifier: MIT
// Runs the answer digest program, a WASI command, with lunacal.wasm's exports as its calendar
// functions:  node run-digest.mjs answer_digest.wasm lunacal.wasm [ARGUMENTS...]
import { readFileSync } from 'node:fs';
import { WASI } from 'node:wasi';

const [digestPath, lunacalPath, ...args] = process.argv.slice(2);
const lunacal = new WebAssembly.Instance(new WebAssembly.Module(readFileSync(lunacalPath)), {});
lunacal.exports._initialize();
const wasi = new WASI({ version: 'preview1', args: ['answer_digest', ...args], env: {}, returnOnExit: true });
const digest = new WebAssembly.Instance(new WebAssembly.Module(readFileSync(digestPath)), {
  wasi_snapshot_preview1: wasi.wasiImport,
  env: lunacal.exports,
});
process.exitCode = wasi.start(digest);

// SPDX-License-Identifier: MIT
// The package as installed: its two entries, init() and its sources, the module file of the
// subpath and what the module imports and exports.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import * as esm from 'lunacal';
import { consumerDir, packageDir, require, sourceDir } from './support.mjs';

const NOT_LOADED = /call and await init\(\) first/;

// A fresh node process in the consumer folder, which has not loaded the calendar; fetch() throws
// there, so init() can only succeed without the network.
function freshProcess(type, code) {
  const noFetch = "globalThis.fetch = () => { throw new Error('fetched'); };";
  const args = type === 'module' ? ['--input-type=module', '-e', `${noFetch}\n${code}`] : ['-e', `${noFetch}\n${code}`];
  return execFileSync(process.execPath, args, { cwd: consumerDir, encoding: 'utf8' }).trim();
}

test('before init() every calendar call throws an Error that says to await init(), and init() fetches nothing', () => {
  const probe = (load) => `${load}
const before = [];
for (const call of [() => l.toLunar({ year: 2024, month: 2, day: 10 }), () => l.GetGLToRLNian(43974), () => l.SysCPUID(null, 0)]) {
  try { call(); before.push('answered'); } catch (error) { before.push(error.constructor.name + ': ' + error.message); }
}
l.init().then(() => console.log(JSON.stringify({ before, after: l.RLToGL_Day(2024, 1, 1, 0) })));`;
  for (const [type, load] of [['module', "import * as l from 'lunacal';"], ['commonjs', "const l = require('lunacal');"]]) {
    const { before, after } = JSON.parse(freshProcess(type, probe(load)));
    assert.equal(before.length, 3);
    for (const message of before) assert.match(message, new RegExp(`^Error: .*${NOT_LOADED.source}`), type);
    assert.equal(after, 10, type);
  }
});

test('the CommonJS and ES entries offer the same functions, typed in index.d.ts', async () => {
  const commonJs = require('lunacal');
  assert.deepEqual(Object.keys(commonJs).sort(), Object.keys(esm).sort());
  const declarations = readFileSync(join(packageDir, 'index.d.ts'), 'utf8');
  const declared = [...declarations.matchAll(/^export (?:function|const) (\w+)/gm)].map((found) => found[1]);
  assert.deepEqual([...new Set(declared)].sort(), Object.keys(esm).sort());
  await commonJs.init();
  assert.deepEqual(commonJs.toLunar({ year: 2020, month: 5, day: 23 }), { year: 2020, month: 4, day: 1, leap: true });
  assert.equal(commonJs.version, esm.version);
});

test('init() answers the same promise when called again, and takes bytes, a Module or a URL', async () => {
  assert.equal(esm.init(), esm.init());
  await esm.init();
  const bytes = readFileSync(require.resolve('lunacal/lunacal.wasm'));
  const sources = [bytes, new Uint8Array(bytes).buffer, new WebAssembly.Module(bytes)];
  for (const source of sources) {
    await esm.init(source);
    assert.equal(esm.GetGLToRLNian(43974), 2020);
  }
  await assert.rejects(esm.init('not a url at all'), TypeError);
  await assert.rejects(esm.init(42), TypeError);
  await assert.rejects(esm.init(new Uint8Array([0, 97, 115, 109, 9, 9, 9, 9])), WebAssembly.CompileError);
  // A failed load leaves the calendar that was loaded before, and init() may be tried again.
  assert.equal(esm.GetGLToRLNian(43974), 2020);
  await esm.init();
});

test('lunacal.wasm imports nothing and exports the functions of lunacal.def', () => {
  const module = new WebAssembly.Module(readFileSync(require.resolve('lunacal/lunacal.wasm')));
  assert.deepEqual(WebAssembly.Module.imports(module), []);
  const definitions = readFileSync(join(sourceDir, 'lunacal', 'lunacal.def'), 'utf8');
  const listed = [...definitions.matchAll(/^\s+(\w+)@\d+\s+@\d+\s*$/gm)].map((found) => found[1]);
  assert.equal(listed.length, 18);
  const exported = WebAssembly.Module.exports(module).map((entry) => entry.name);
  const own = exported.filter((name) => !name.startsWith('lunacal_js_') && name !== 'memory' && name !== '_initialize');
  assert.deepEqual(own.sort(), [...listed].sort());
  for (const name of listed) assert.equal(typeof esm[name], 'function', name);
});

test('the package has the version of lunacal.h and no runtime dependencies', () => {
  const header = readFileSync(join(sourceDir, 'lunacal', 'lunacal.h'), 'utf8');
  const part = (name) => header.match(new RegExp(`#define LUNACAL_VERSION_${name} (\\d+)`))[1];
  const manifest = JSON.parse(readFileSync(join(packageDir, 'package.json'), 'utf8'));
  assert.equal(manifest.version, `${part('MAJOR')}.${part('MINOR')}.${part('PATCH')}`);
  assert.equal(esm.version, manifest.version);
  assert.equal(manifest.dependencies, undefined);
  assert.equal(manifest.devDependencies, undefined);
});

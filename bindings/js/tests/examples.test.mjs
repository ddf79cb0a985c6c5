// SPDX-License-Identifier: MIT
// Runs the examples of the installed index.d.ts and README.md: every line `expression; // =>
// result` must give that result and every `expression; // throws Name` must throw it. README blocks
// that require() the package run against the CommonJS entry, the others against the ES module.
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';
import * as esm from 'lunacal';
import { packageDir, require } from './support.mjs';

const AsyncFunction = (async () => {}).constructor;

// The example as a function body whose checks report to `check` and `checkThrows`; the lines that
// load the package are left out, since the package is handed in.
function exampleBody(lines) {
  let checks = 0;
  const body = lines
    .filter((line) => !/^\s*(import .* from 'lunacal'|const \{.*\} = require\('lunacal'\))/.test(line))
    .map((line) => {
      const result = line.match(/^(\s*)(.+?);\s*\/\/ => (.+)$/);
      if (result) {
        checks += 1;
        return `${result[1]}check(${result[2]}, ${result[3]}, ${JSON.stringify(line.trim())});`;
      }
      const thrown = line.match(/^(\s*)(.+?);\s*\/\/ throws (\w+)$/);
      if (thrown) {
        checks += 1;
        return `${thrown[1]}checkThrows(() => ${thrown[2]}, ${JSON.stringify(thrown[3])}, ${JSON.stringify(line.trim())});`;
      }
      return line;
    })
    .join('\n');
  return { body, checks };
}

async function runExample(lines, lunacal) {
  const { body, checks } = exampleBody(lines);
  assert.ok(checks > 0, `an example without a checked result:\n${lines.join('\n')}`);
  let ran = 0;
  const check = (actual, expected, line) => {
    ran += 1;
    assert.deepStrictEqual(actual, expected, line);
  };
  const checkThrows = (action, name, line) => {
    ran += 1;
    assert.throws(action, (error) => error.name === name, line);
  };
  const names = Object.keys(lunacal);
  await new AsyncFunction('check', 'checkThrows', ...names, body)(check, checkThrows, ...names.map((n) => lunacal[n]));
  // An example may check inside init().then(...): let it settle.
  await lunacal.init();
  await new Promise((resolve) => setTimeout(resolve, 0));
  assert.equal(ran, checks, `not every check of the example ran:\n${body}`);
}

test('every @example of index.d.ts gives its result', async (t) => {
  const declarations = readFileSync(join(packageDir, 'index.d.ts'), 'utf8');
  const examples = [...declarations.matchAll(/@example\n((?:\s*\* (?!@).*\n)+)/g)].map((found) =>
    found[1].trimEnd().split('\n').map((line) => line.replace(/^\s*\* ?/, '')));
  assert.ok(examples.length >= 10);
  for (const lines of examples) {
    await t.test(lines[0], () => runExample(lines, esm));
  }
});

test('every example of the README gives its result, from ESM and CommonJS', async (t) => {
  const readme = readFileSync(join(packageDir, 'README.md'), 'utf8');
  const blocks = [...readme.matchAll(/```js\n([\s\S]*?)```/g)].map((found) => found[1].trimEnd().split('\n'));
  assert.equal(blocks.length, 2);
  for (const lines of blocks) {
    const commonJs = lines.some((line) => line.includes("require('lunacal')"));
    await t.test(commonJs ? 'CommonJS' : 'ES module', () => runExample(lines, commonJs ? require('lunacal') : esm));
  }
});

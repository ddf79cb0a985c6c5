// SPDX-License-Identifier: MIT
// tsc --noEmit of a small TypeScript consumer, an ES module and a CommonJS one, that uses both
// layers through the installed package's types.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { join } from 'node:path';
import { test } from 'node:test';
import { consumerDir, requireDev } from './support.mjs';

test('a TypeScript consumer of both layers type-checks, and its misuses are errors', () => {
  const tsc = requireDev.resolve('typescript/bin/tsc');
  const result = spawnSync(process.execPath, [tsc, '-p', join(consumerDir, 'consumer', 'ts')], { encoding: 'utf8' });
  assert.equal(result.status, 0, `tsc failed:\n${result.stdout}${result.stderr}`);
});

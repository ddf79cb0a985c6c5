// SPDX-License-Identifier: MIT
// Installs the packed package into an empty folder as a user would, and puts the tests beside it
// so that they reach it by its name, through its exports map:
//   node install-consumer.mjs lunacal-VERSION.tgz CONSUMER_DIR TESTS_DIR
import { execFileSync } from 'node:child_process';
import { cpSync, mkdirSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [tarball, consumer, tests] = process.argv.slice(2);
rmSync(consumer, { recursive: true, force: true });
mkdirSync(consumer, { recursive: true });
writeFileSync(join(consumer, 'package.json'), '{ "name": "lunacal-consumer", "private": true, "type": "module" }\n');
// npm's cache and logs go into the folder too; the package has no dependencies to fetch.
execFileSync('npm', ['install', '--offline', '--no-audit', '--no-fund', '--loglevel=error', tarball], {
  cwd: consumer,
  stdio: 'inherit',
  env: { ...process.env, npm_config_cache: join(consumer, 'npm-cache'), npm_config_update_notifier: 'false' },
});
for (const name of readdirSync(tests)) {
  if (/\.test\.(mjs|cjs)$/.test(name) || name === 'support.mjs' || name === 'consumer') {
    cpSync(join(tests, name), join(consumer, name), { recursive: true });
  }
}

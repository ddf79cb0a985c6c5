// SPDX-License-Identifier: MIT
// What the tests share: the package by its name in both forms, and the folders CTest names.
import { createRequire } from 'node:module';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const consumerDir = dirname(fileURLToPath(import.meta.url));
export const require = createRequire(join(consumerDir, 'package.json'));
export const packageDir = dirname(require.resolve('lunacal/package.json'));
export const sourceDir = process.env.LUNACAL_SOURCE_DIR;
export const devModules = process.env.LUNACAL_DEV_MODULES;
export const requireDev = createRequire(join(devModules, 'package.json'));

// DATE value of a Gregorian date: days since 1899-12-30.
const DATE_EPOCH_MS = Date.UTC(1899, 11, 30);
export const dateValue = (year, month, day) => (Date.UTC(year, month - 1, day) - DATE_EPOCH_MS) / 86400000;
export function civilOfDay(dayValue) {
  const date = new Date(DATE_EPOCH_MS + dayValue * 86400000);
  return { year: date.getUTCFullYear(), month: date.getUTCMonth() + 1, day: date.getUTCDate() };
}

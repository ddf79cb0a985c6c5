// SPDX-License-Identifier: MIT
// A CommonJS module of a TypeScript program: require() gets the same typed functions.
import lunacal = require('lunacal');

async function main(): Promise<number> {
  await lunacal.init(new Uint8Array(0));
  const gregorian: { year: number; month: number; day: number } = lunacal.fromLunar({ year: 2020, month: 4, day: 1, leap: true });
  // @ts-expect-error: leap is a boolean
  lunacal.fromLunar({ year: 2020, month: 4, day: 1, leap: 1 });
  return gregorian.day + lunacal.GetJieQiTime_Hour(2000, 1);
}
export = main;

// SPDX-License-Identifier: MIT
// An ES module of a TypeScript program using both layers; `tsc --noEmit` must accept it as it is,
// and each @ts-expect-error line must be an error.
import { GetGLToRLNian, RLToGL_Day, SysCPUID, fromDate, init, pillars, solarTerms, toLunar, version } from 'lunacal';
import type { LunarDate, Pillars, SolarTerm } from 'lunacal';

await init();
const lunar: LunarDate = toLunar({ year: 2024, month: 2, day: 10 });
const leap: boolean = lunar.leap;
const chart: Pillars = pillars({ ...fromDate(new Date()), minute: 0 });
const dayNayin: string = chart.nayin.day;
const spring: SolarTerm | undefined = solarTerms(2024)[2];
const year: number = GetGLToRLNian(43974) + RLToGL_Day(2024, 1, 1, 0) + SysCPUID(new Uint8Array(36), 36);
const text: string = version;
export { leap, dayNayin, spring, year, text };

// @ts-expect-error: a field is a number, not a text
toLunar({ year: '2024', month: 2, day: 10 });
// @ts-expect-error: the day is required
toLunar({ year: 2024, month: 2 });
// @ts-expect-error: pillars are texts
const wrong: number = pillars({ year: 2000, month: 1, day: 1 }).year;
// @ts-expect-error: a DATE is a number
GetGLToRLNian(new Date());
export { wrong };

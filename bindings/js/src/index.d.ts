// SPDX-License-Identifier: MIT
// lunacal: the Chinese lunar calendar, the four pillars and the 24 solar terms, as WebAssembly.
// Every example below is run by the package's tests: `expression; // => result`.

/** The library's version, major.minor.patch. */
export const version: string;

/**
 * Loads the calendar; every other function (but fromDate) may be called once the promise has
 * settled, and is synchronous from then on; before, it throws an Error that says to await init().
 * Without a source it uses the module inlined in the package and fetches nothing. A source is the
 * bytes of lunacal.wasm (the subpath `lunacal/lunacal.wasm`), a compiled WebAssembly.Module, or a
 * URL to fetch them from. Calling it again without a source answers the same promise.
 * @example
 * await init();
 * toLunar({ year: 2024, month: 2, day: 10 }); // => { year: 2024, month: 1, day: 1, leap: false }
 */
export function init(source?: BufferSource | WebAssembly.Module | URL | string): Promise<void>;

/** A Gregorian date, read as a civil date in China (UTC+8). */
export interface GregorianDate {
  year: number;
  month: number;
  day: number;
}

/** A civil time in China (UTC+8); hour, minute and second are 0 when left out. */
export interface CivilTime extends GregorianDate {
  hour?: number;
  minute?: number;
  second?: number;
}

/** A lunar date: the year is the Gregorian year in which the lunar year begins; a leap month
 * carries the number of the month it follows and `leap` true. */
export interface LunarDate {
  year: number;
  month: number;
  day: number;
  leap: boolean;
}

/** The four pillars, each a stem-branch pair such as '己卯', and the Nayin of each. */
export interface Pillars {
  year: string;
  month: string;
  day: string;
  hour: string;
  nayin: { year: string; month: string; day: string; hour: string };
}

/** A solar term and its moment in civil time in China (UTC+8), to the second. */
export interface SolarTerm {
  name: string;
  year: number;
  month: number;
  day: number;
  hour: number;
  minute: number;
  second: number;
}

/**
 * The lunar date of a Gregorian date of 1901-02-19 .. 2048-12-31.
 * @throws {TypeError} for a missing or non-integer field
 * @throws {RangeError} for a date that does not exist or lies outside the range
 * @example
 * toLunar({ year: 2020, month: 5, day: 23 }); // => { year: 2020, month: 4, day: 1, leap: true }
 * toLunar({ year: 2000, month: 1, day: 1 }); // => { year: 1999, month: 11, day: 25, leap: false }
 */
export function toLunar(date: GregorianDate): LunarDate;

/**
 * The Gregorian date of a lunar date of lunar 1901-01-01 .. 2048-11-27. `leap` asks for the leap
 * month that follows `month`, which the year must have.
 * @throws {TypeError} for a missing or non-integer field, or a leap that is not a boolean
 * @throws {RangeError} for a lunar date that does not exist (a leap month the year lacks, day 30
 * of a short month) or lies outside the range
 * @example
 * fromLunar({ year: 2020, month: 4, day: 1, leap: true }); // => { year: 2020, month: 5, day: 23 }
 * fromLunar({ year: 2024, month: 1, day: 1 }); // => { year: 2024, month: 2, day: 10 }
 */
export function fromLunar(date: { year: number; month: number; day: number; leap?: boolean }): GregorianDate;

/**
 * The four pillars of a civil time of 1901-02-19 00:00:00 .. 2048-12-31 23:59:59. The year
 * turns at 立春, the month at each month-opening solar term, to the second; the day at 23:00.
 * @throws {TypeError} for a missing or non-integer field
 * @throws {RangeError} for a time that does not exist (2023-02-29, hour 24) or lies outside the range
 * @example
 * pillars({ year: 2000, month: 1, day: 1, hour: 12 }).year; // => '己卯'
 * pillars({ year: 2000, month: 1, day: 1, hour: 12 }); // => { year: '己卯', month: '丙子', day: '戊午', hour: '戊午', nayin: { year: '城头土', month: '涧下水', day: '天上火', hour: '天上火' } }
 */
export function pillars(time: CivilTime): Pillars;

/**
 * The 24 solar terms of a Gregorian year of 1880..2079 in time order, 小寒 first.
 * @throws {TypeError} for a year that is not an integer
 * @throws {RangeError} for a year outside 1880..2079
 * @example
 * solarTerms(2024)[2]; // => { name: '立春', year: 2024, month: 2, day: 4, hour: 16, minute: 26, second: 47 }
 * solarTerms(2000)[0]; // => { name: '小寒', year: 2000, month: 1, day: 6, hour: 9, minute: 0, second: 41 }
 */
export function solarTerms(year: number): SolarTerm[];

/**
 * The civil time in China (UTC+8) of an instant, to the whole second. It needs no init(); no
 * function of this package reads the host's time zone.
 * @throws {TypeError} for anything but a Date
 * @throws {RangeError} for an invalid Date
 * @example
 * fromDate(new Date('2024-02-10T00:30:00Z')); // => { year: 2024, month: 2, day: 10, hour: 8, minute: 30, second: 0 }
 * toLunar(fromDate(new Date('2024-02-09T16:00:00Z'))); // => { year: 2024, month: 1, day: 1, leap: false }
 */
export function fromDate(date: Date): Required<CivilTime>;

// The 18 C functions under their C names, with their arguments and results, failure values
// included. A DATE is a number: days since 1899-12-30 00:00, the time of day as the fraction,
// read as civil time in China (UTC+8). The other arguments pass as 32-bit integers.

/**
 * Lunar year, month, day and leap flag (1 or 0) of a DATE; 0 outside 1901-02-19 .. 2048-12-31.
 * @example
 * GetGLToRLNian(43974); // => 2020
 * GetGLToRLRun(43974); // => 1
 * GetGLToRLMonth(416 - 1 / 86400); // => 0
 */
export function GetGLToRLNian(date: number): number;
export function GetGLToRLMonth(date: number): number;
export function GetGLToRLDay(date: number): number;
export function GetGLToRLRun(date: number): number;

/**
 * The year, month, day and hour pillars of a DATE, each 1 (甲子) .. 60 (癸亥); 0 outside the range.
 * @example
 * GetSiZhuXHYear(36526.5); // => 16
 * GetSiZhuXHDay(36526.5); // => 55
 * GetSiZhuXHTime(NaN); // => 0
 */
export function GetSiZhuXHYear(date: number): number;
export function GetSiZhuXHMonth(date: number): number;
export function GetSiZhuXHDay(date: number): number;
export function GetSiZhuXHTime(date: number): number;

/**
 * Day, hour, minute and second of solar term `term` (1 立春 .. 22 冬至, 23 小寒, 24 大寒) of a year
 * of 1880..2079; day 1 and 0, 0, 0 outside the table.
 * @example
 * GetJieQiTime_Day(2024, 1); // => 4
 * GetJieQiTime_Hour(2000, 1); // => 20
 * GetJieQiTime_Day(1879, 1); // => 1
 */
export function GetJieQiTime_Day(year: number, term: number): number;
export function GetJieQiTime_Hour(year: number, term: number): number;
export function GetJieQiTime_Minute(year: number, term: number): number;
export function GetJieQiTime_Second(year: number, term: number): number;

/**
 * Gregorian year, month and day of a lunar date; `leap` 1 asks for the leap month. A lunar date
 * that does not exist gives 1899, 12, 30.
 * @example
 * RLToGL_Day(2024, 1, 1, 0); // => 10
 * RLToGL_Month(2020, 4, 1, 1); // => 5
 * RLToGL_Year(2020, 13, 1, 0); // => 1899
 */
export function RLToGL_Year(year: number, month: number, day: number, leap: number): number;
export function RLToGL_Month(year: number, month: number, day: number, leap: number): number;
export function RLToGL_Day(year: number, month: number, day: number, leap: number): number;

/**
 * The hardware identification texts, copied into `buffer` by the C rule (at most `length` bytes,
 * all for a negative length, never more than the array holds). WebAssembly has no disk, CPU id or
 * BIOS to read, so each answers 0 and writes nothing, as the C functions do for a missing source.
 * @example
 * SysCPUID(new Uint8Array(36), 36); // => 0
 */
export function SysDiskID(buffer: Uint8Array | null, length: number): number;
export function SysCPUID(buffer: Uint8Array | null, length: number): number;
export function SysBIOSID(buffer: Uint8Array | null, length: number): number;

// SPDX-License-Identifier: MIT
// lunacal for JavaScript: the calendar library compiled to WebAssembly, in two layers. The 18
// exports under their C names take and return what the C functions do; the idiomatic layer takes
// and returns plain objects of civil time in China (UTC+8) and throws on bad input. The CommonJS
// entry is made from this file when the package is staged (tools/stage-package.mjs). The
// contracts, with examples that the tests run, are in index.d.ts.
import { BRANCHES, NAYIN, RANGE, SOLAR_TERM_NAMES, STEMS, VERSION } from './tables.js';
import { wasmBase64 } from './lunacal-wasm.js';

/** The library's version, major.minor.patch. */
export const version = VERSION;

// The module's exports once init() has settled, else null.
let calls = null;
let ready = null;

function decodeBase64(text) {
  const binary = atob(text);
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; i += 1) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

async function compile(source) {
  if (source instanceof WebAssembly.Module) return source;
  let bytes = source;
  if (typeof source === 'string' || source instanceof URL) {
    const response = await fetch(source);
    if (!response.ok) throw new Error(`lunacal: fetching ${source} answered ${response.status}`);
    bytes = await response.arrayBuffer();
  }
  if (!(bytes instanceof ArrayBuffer || ArrayBuffer.isView(bytes))) {
    throw new TypeError('lunacal: init() takes the bytes of lunacal.wasm, a WebAssembly.Module or a URL');
  }
  return WebAssembly.compile(bytes);
}

/**
 * Loads the calendar; every other function may be called once the promise has settled. Without a
 * source it uses the module inlined in the package and fetches nothing; a source is the bytes of
 * lunacal.wasm, a compiled WebAssembly.Module or a URL to fetch it from. Calling it again is cheap:
 * without a source it answers the same promise.
 */
export function init(source) {
  if (source === undefined && ready !== null) return ready;
  const attempt = (async () => {
    const compiled = await compile(source === undefined ? decodeBase64(wasmBase64) : source);
    const instance = await WebAssembly.instantiate(compiled, {});
    instance.exports._initialize();
    calls = instance.exports;
  })();
  ready = attempt;
  // A failed load may be retried: the next init() starts afresh.
  attempt.catch(() => {
    if (ready === attempt) ready = null;
  });
  return attempt;
}

function loaded() {
  if (calls === null) throw new Error('lunacal: the calendar is not loaded yet; call and await init() first');
  return calls;
}

// The 18 exports under their C names. Numbers pass as the C types: a DATE as a double, the other
// arguments as 32-bit integers (JavaScript's ToInt32, as any WebAssembly call converts them).

export function GetGLToRLNian(date) { return loaded().GetGLToRLNian(date); }
export function GetGLToRLMonth(date) { return loaded().GetGLToRLMonth(date); }
export function GetGLToRLDay(date) { return loaded().GetGLToRLDay(date); }
export function GetGLToRLRun(date) { return loaded().GetGLToRLRun(date); }
export function GetSiZhuXHYear(date) { return loaded().GetSiZhuXHYear(date); }
export function GetSiZhuXHMonth(date) { return loaded().GetSiZhuXHMonth(date); }
export function GetSiZhuXHDay(date) { return loaded().GetSiZhuXHDay(date); }
export function GetSiZhuXHTime(date) { return loaded().GetSiZhuXHTime(date); }
export function GetJieQiTime_Day(year, term) { return loaded().GetJieQiTime_Day(year, term); }
export function GetJieQiTime_Hour(year, term) { return loaded().GetJieQiTime_Hour(year, term); }
export function GetJieQiTime_Minute(year, term) { return loaded().GetJieQiTime_Minute(year, term); }
export function GetJieQiTime_Second(year, term) { return loaded().GetJieQiTime_Second(year, term); }
export function RLToGL_Year(year, month, day, leap) { return loaded().RLToGL_Year(year, month, day, leap); }
export function RLToGL_Month(year, month, day, leap) { return loaded().RLToGL_Month(year, month, day, leap); }
export function RLToGL_Day(year, month, day, leap) { return loaded().RLToGL_Day(year, month, day, leap); }

// The C copy rule on a Uint8Array: the text is read whole into the module's own buffer, then at
// most `length` bytes of it and its zero (all of them for a negative length) are copied, never
// more than the array holds; a null buffer receives nothing.
function identificationText(name, buffer, length) {
  if (buffer !== null && buffer !== undefined && !(buffer instanceof Uint8Array)) {
    throw new TypeError(`lunacal: ${name} writes into a Uint8Array (or null)`);
  }
  const wasm = loaded();
  const scratch = new Uint8Array(wasm.memory.buffer, wasm.lunacal_js_text_buffer(), wasm.lunacal_js_text_buffer_size());
  scratch.fill(0);
  const found = wasm[name](scratch.byteOffset, scratch.length);
  if (found === 1 && buffer) {
    const whole = scratch.indexOf(0) + 1;
    const limit = (length | 0) < 0 ? whole : Math.min(whole, length | 0);
    buffer.set(scratch.subarray(0, Math.min(limit, buffer.length)));
  }
  return found;
}

export function SysDiskID(buffer, length) { return identificationText('SysDiskID', buffer, length); }
export function SysCPUID(buffer, length) { return identificationText('SysCPUID', buffer, length); }
export function SysBIOSID(buffer, length) { return identificationText('SysBIOSID', buffer, length); }

// The idiomatic layer. Refusals of the module's own calls (bindings/js/wasm/package_calls.cpp).
const NO_SUCH_DATE = -1;

const PAIRS = [''];
for (let index = 1; index <= 60; index += 1) PAIRS.push(STEMS[(index - 1) % 10] + BRANCHES[(index - 1) % 12]);

const pad = (number, width = 2) => String(number).padStart(width, '0');
const civilText = (y, m, d) => `${pad(y, 4)}-${pad(m)}-${pad(d)}`;
const RANGE_TEXT = `${civilText(RANGE.firstYear, RANGE.firstMonth, RANGE.firstDay)} .. ${civilText(RANGE.lastYear, RANGE.lastMonth, RANGE.lastDay)}`;

function describe(value) {
  return typeof value === 'string' ? JSON.stringify(value) : String(value);
}

function fieldsOf(caller, fields, example) {
  if (fields === null || typeof fields !== 'object') {
    throw new TypeError(`lunacal: ${caller} takes an object such as ${example}, not ${describe(fields)}`);
  }
  return fields;
}

// An integer field; out of the 32-bit range it is out of the calendar's range too.
function integer(caller, fields, name, fallback) {
  const value = fields[name];
  if (value === undefined && fallback !== undefined) return fallback;
  if (!Number.isInteger(value)) {
    throw new TypeError(`lunacal: ${caller}: ${name} must be an integer, not ${describe(value)}`);
  }
  if (value < -0x80000000 || value > 0x7fffffff) {
    throw new RangeError(`lunacal: ${caller}: ${name} ${value} is outside the calendar's range, ${RANGE_TEXT}`);
  }
  return value;
}

// The integer fields `names` of the object `value`, in order; `defaults` gives the optional ones.
function integers(caller, value, example, names, defaults = {}) {
  const fields = fieldsOf(caller, value, example);
  return names.map((name) => integer(caller, fields, name, defaults[name]));
}

/**
 * The lunar date of a Gregorian date of 1901-02-19 .. 2048-12-31. A lunar year carries the number
 * of the Gregorian year in which it begins; a leap month the number of the month it follows.
 */
export function toLunar(date) {
  const wasm = loaded();
  const [year, month, day] = integers('toLunar', date, '{ year: 2024, month: 2, day: 10 }', ['year', 'month', 'day']);
  const packed = wasm.lunacal_js_to_lunar(year, month, day);
  if (packed < 0) {
    const what = packed === NO_SUCH_DATE ? 'is no Gregorian date' : 'is outside the calendar';
    throw new RangeError(`lunacal: toLunar: ${civilText(year, month, day)} ${what}; the range is ${RANGE_TEXT}`);
  }
  return { year: packed >> 10, month: (packed >> 6) & 15, day: (packed >> 1) & 31, leap: (packed & 1) === 1 };
}

let lunarRangeText = null;
function lunarRange() {
  if (lunarRangeText === null) {
    const first = toLunar({ year: RANGE.firstYear, month: RANGE.firstMonth, day: RANGE.firstDay });
    const last = toLunar({ year: RANGE.lastYear, month: RANGE.lastMonth, day: RANGE.lastDay });
    const text = (l) => `${civilText(l.year, l.month, l.day)}${l.leap ? ' (leap)' : ''}`;
    lunarRangeText = `lunar ${text(first)} .. ${text(last)}`;
  }
  return lunarRangeText;
}

/**
 * The Gregorian date of a lunar date of lunar 1901-01-01 .. 2048-11-27; `leap` asks for the leap
 * month that follows `month`, which the year must have.
 */
export function fromLunar(date) {
  const wasm = loaded();
  const example = '{ year: 2024, month: 1, day: 1, leap: false }';
  const [year, month, day] = integers('fromLunar', date, example, ['year', 'month', 'day']);
  const leap = date.leap === undefined ? false : date.leap;
  if (typeof leap !== 'boolean') {
    throw new TypeError(`lunacal: fromLunar: leap must be true or false, not ${describe(leap)}`);
  }
  const packed = wasm.lunacal_js_from_lunar(year, month, day, leap ? 1 : 0);
  if (packed < 0) {
    const what = packed === NO_SUCH_DATE ? 'does not exist' : 'is outside the calendar';
    const asked = `lunar ${civilText(year, month, day)}${leap ? ' (leap)' : ''}`;
    throw new RangeError(`lunacal: fromLunar: ${asked} ${what}; the range is ${lunarRange()}`);
  }
  return { year: packed >> 9, month: (packed >> 5) & 15, day: packed & 31 };
}

/**
 * The four pillars of a civil time in China (UTC+8) of 1901-02-19 00:00:00 .. 2048-12-31 23:59:59,
 * each a stem-branch pair, and the Nayin of each. The year turns at 立春 and the month at each
 * month-opening solar term, to the second; the day at 23:00.
 */
export function pillars(time) {
  const wasm = loaded();
  const [year, month, day, hour, minute, second] = integers('pillars', time, '{ year: 2000, month: 1, day: 1, hour: 12 }',
    ['year', 'month', 'day', 'hour', 'minute', 'second'], { hour: 0, minute: 0, second: 0 });
  const packed = wasm.lunacal_js_pillars(year, month, day, hour, minute, second);
  if (packed < 0) {
    const what = packed === NO_SUCH_DATE ? 'is no civil time' : 'is outside the calendar';
    const asked = `${civilText(year, month, day)} ${pad(hour)}:${pad(minute)}:${pad(second)}`;
    throw new RangeError(`lunacal: pillars: ${asked} ${what}; the range is ${RANGE_TEXT}`);
  }
  const y = packed >> 18, m = (packed >> 12) & 63, d = (packed >> 6) & 63, h = packed & 63;
  return {
    year: PAIRS[y], month: PAIRS[m], day: PAIRS[d], hour: PAIRS[h],
    nayin: { year: NAYIN[y - 1], month: NAYIN[m - 1], day: NAYIN[d - 1], hour: NAYIN[h - 1] },
  };
}

/**
 * The 24 solar terms of a Gregorian year of 1880..2079 in time order, 小寒 first, each with its
 * moment in civil time in China (UTC+8), to the second.
 */
export function solarTerms(year) {
  const wasm = loaded();
  if (!Number.isInteger(year)) throw new TypeError(`lunacal: solarTerms: the year must be an integer, not ${describe(year)}`);
  if (year < RANGE.firstTermYear || year > RANGE.lastTermYear) {
    throw new RangeError(`lunacal: solarTerms: ${year} is outside the years of the terms, ${RANGE.firstTermYear}..${RANGE.lastTermYear}`);
  }
  const terms = [];
  for (let term = 1; term <= 24; term += 1) {
    const packed = wasm.lunacal_js_solar_term(year, term);
    terms.push({
      name: SOLAR_TERM_NAMES[term - 1], year, month: packed >> 22, day: (packed >> 17) & 31,
      hour: (packed >> 12) & 31, minute: (packed >> 6) & 63, second: packed & 63,
    });
  }
  return terms;
}

const CHINA_OFFSET_MS = 8 * 3600 * 1000;

/**
 * The civil time in China (UTC+8) of an instant, to the second (a clock reads 23:59:59.9 as
 * 23:59:59). Pure arithmetic on the instant: neither this nor any other function reads the host's
 * time zone, and it needs no init().
 */
export function fromDate(date) {
  if (Object.prototype.toString.call(date) !== '[object Date]') {
    throw new TypeError(`lunacal: fromDate takes a Date, not ${describe(date)}`);
  }
  const instant = Date.prototype.getTime.call(date);
  if (Number.isNaN(instant)) throw new RangeError('lunacal: fromDate: the Date is invalid');
  const china = new Date(Math.floor(instant / 1000) * 1000 + CHINA_OFFSET_MS);
  // The last instants a Date can hold have no civil time in China that a Date could hold.
  if (Number.isNaN(china.getTime())) throw new RangeError(`lunacal: fromDate: ${instant} ms has no civil time a Date can hold`);
  return {
    year: china.getUTCFullYear(), month: china.getUTCMonth() + 1, day: china.getUTCDate(),
    hour: china.getUTCHours(), minute: china.getUTCMinutes(), second: china.getUTCSeconds(),
  };
}

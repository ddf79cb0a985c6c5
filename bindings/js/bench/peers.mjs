// SPDX-License-Identifier: MIT
// The idiomatic layer against the JavaScript calendars of npm, on the same work in one node
// process: Gregorian to lunar for every day of 1901-02-19 .. 2048-12-31; lunar to Gregorian for
// the 8,880 lunar dates of lunacal/bench/calendar_bench.cpp; the four pillars of 100,000 random
// minutes from a fixed seed. Each pass runs until it has taken half a second, once at least and
// five times at most, and its fastest run counts; the ratios are against lunacal in the same run, and the goal is ten
// times the fastest peer in each group. Run in the folder the package is installed in (the
// lunacal_js_bench test, `make js-bench`); the peers come from LUNACAL_DEV_MODULES. `make bench`
// also names in LUNACAL_NATIVE_BENCH the JSON results of lunacal_bench, measured just before in
// the same run, and the native library's exports are then set beside the peers as well.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { performance } from 'node:perf_hooks';
import { pathToFileURL } from 'node:url';

const lunacal = await import(pathToFileURL(join(process.cwd(), 'node_modules', 'lunacal', 'lunacal.js')));
const peer = createRequire(join(process.env.LUNACAL_DEV_MODULES, 'package.json'));
const solarlunarModule = peer('solarlunar');
const solarlunar = solarlunarModule.default ?? solarlunarModule;
const { Solar, Lunar } = peer('lunar-javascript');
const lunisolar = peer('lunisolar');
await lunacal.init();

// The work, made once: the days, the lunar dates and the minutes, as plain fields.
const days = [];
for (let t = Date.UTC(1901, 1, 19); t <= Date.UTC(2048, 11, 31); t += 86400000) {
  const d = new Date(t);
  days.push({ year: d.getUTCFullYear(), month: d.getUTCMonth() + 1, day: d.getUTCDate() });
}
const leapMonthOf = new Map();
for (const day of days) {
  const lunar = lunacal.toLunar(day);
  if (lunar.leap) leapMonthOf.set(lunar.year, lunar.month);
}
// Every lunar year 1901..2048, every month, days 1, 8, 15, 22 and 29, the leap month asked for
// where the year has one; the last few of 2048 lie beyond the range, and every calendar may refuse
// them as it does.
const lunarDates = [];
for (let year = 1901; year <= 2048; year += 1) {
  for (let month = 1; month <= 12; month += 1) {
    for (const day of [1, 8, 15, 22, 29]) lunarDates.push({ year, month, day, leap: leapMonthOf.get(year) === month });
  }
}
// mulberry32, seeded: the same 100,000 minutes in every run.
let seed = 1901;
const random = () => {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
const minutes = Array.from({ length: 100000 }, () => {
  const day = days[Math.floor(random() * days.length)];
  const minute = Math.floor(random() * 1440);
  return { ...day, hour: Math.floor(minute / 60), minute: minute % 60, second: 0 };
});

let sink = 0;
const keep = (value) => {
  sink = (sink + (typeof value === 'number' ? value : String(value).length)) | 0;
};

const groups = {
  'Gregorian to lunar, every day': {
    inputs: days,
    native: 'BM_LunarDate_Exports',
    lunacal: (d) => keep(lunacal.toLunar(d).day),
    solarlunar: (d) => keep(solarlunar.solar2lunar(d.year, d.month, d.day).lDay),
    'lunar-javascript': (d) => keep(Solar.fromYmd(d.year, d.month, d.day).getLunar().getDay()),
    lunisolar: (d) => keep(lunisolar(`${d.year}/${d.month}/${d.day}`).lunar.day),
  },
  'lunar to Gregorian, 8,880 lunar dates': {
    inputs: lunarDates,
    native: 'BM_GregorianDate_Exports',
    lunacal: (l) => {
      try {
        keep(lunacal.fromLunar(l).day);
      } catch {
        keep(0);
      }
    },
    solarlunar: (l) => keep(solarlunar.lunar2solar(l.year, l.month, l.day, l.leap).cDay),
    'lunar-javascript': (l) => {
      try {
        keep(Lunar.fromYmd(l.year, l.leap ? -l.month : l.month, l.day).getSolar().getDay());
      } catch {
        keep(0);
      }
    },
    lunisolar: (l) => {
      try {
        keep(lunisolar.fromLunar({ year: l.year, month: l.month, day: l.day, isLeapMonth: l.leap }).day);
      } catch {
        keep(0);
      }
    },
  },
  'four pillars, 100,000 random minutes': {
    inputs: minutes,
    native: 'BM_Pillars_Exports',
    lunacal: (m) => keep(lunacal.pillars(m).hour),
    'lunar-javascript': (m) => keep(Solar.fromYmdHms(m.year, m.month, m.day, m.hour, m.minute, 0).getLunar().getEightChar().getTime()),
    lunisolar: (m) => keep(lunisolar(`${m.year}/${m.month}/${m.day} ${m.hour}:${m.minute}`).char8.hour.toString()),
  },
};

// Nanoseconds per input of the fastest run.
function measure(inputs, work) {
  // A first thousand inputs untimed, so that even a pass run once is timed after the JIT's warm-up.
  for (let i = 0; i < Math.min(1000, inputs.length); i += 1) work(inputs[i]);
  let best = Infinity;
  const start = performance.now();
  for (let run = 0; run < 5 && (run === 0 || performance.now() - start < 500); run += 1) {
    const begin = performance.now();
    for (let i = 0; i < inputs.length; i += 1) work(inputs[i]);
    best = Math.min(best, performance.now() - begin);
  }
  return (best * 1e6) / inputs.length;
}

// Nanoseconds per input of the native exports (every export a caller asks for one input), by
// benchmark name; empty when no native results were given.
const nativeExports = new Map();
if (process.env.LUNACAL_NATIVE_BENCH) {
  for (const run of JSON.parse(readFileSync(process.env.LUNACAL_NATIVE_BENCH, 'utf8')).benchmarks) {
    if (run.run_type === 'iteration' && run.ns_each !== undefined) nativeExports.set(run.run_name ?? run.name, run.ns_each);
  }
}

let met = true;
for (const [group, { inputs, native, ...implementations }] of Object.entries(groups)) {
  console.log(`\n${group} (${inputs.length} inputs)`);
  const times = Object.fromEntries(Object.entries(implementations).map(([name, work]) => [name, measure(inputs, work)]));
  for (const [name, ns] of Object.entries(times)) {
    const ratio = name === 'lunacal' ? '' : `  ${(ns / times.lunacal).toFixed(1)}x lunacal's time`;
    console.log(`  ${name.padEnd(18)} ${ns.toFixed(1).padStart(10)} ns${ratio}`);
  }
  const fastest = Math.min(...Object.entries(times).filter(([name]) => name !== 'lunacal').map(([, ns]) => ns));
  const ratio = fastest / times.lunacal;
  met &&= ratio >= 10;
  console.log(`  lunacal is ${ratio.toFixed(1)} times as fast as the fastest peer (goal: 10)`);
  if (nativeExports.has(native)) {
    const ns = nativeExports.get(native);
    console.log(`  the native library's exports: ${ns.toFixed(1)} ns, ${(fastest / ns).toFixed(1)} times as fast as the fastest peer`);
  }
}
console.log(`\njs bench: ${met ? 'every group meets' : 'not every group meets'} the goal of ten times the fastest peer (checksum ${sink})`);

// SPDX-License-Identifier: MIT
// The idiomatic layer against the exports, which the answer digest ties to the native library:
// every day of the range both ways, its pillars at two times of day, and every term of every year.
import assert from 'node:assert/strict';
import { before, test } from 'node:test';
import * as lunacal from 'lunacal';
import { civilOfDay, dateValue } from './support.mjs';

before(() => lunacal.init());

const FIRST_DAY = dateValue(1901, 2, 19);
const LAST_DAY = dateValue(2048, 12, 31);
const PAIR = (index) => '甲乙丙丁戊己庚辛壬癸'[(index - 1) % 10] + '子丑寅卯辰巳午未申酉戌亥'[(index - 1) % 12];

test('toLunar and fromLunar agree with GetGLToRL* and RLToGL_* on every day of the range', () => {
  let leapDays = 0;
  for (let day = FIRST_DAY; day <= LAST_DAY; day += 1) {
    const civil = civilOfDay(day);
    const lunar = lunacal.toLunar(civil);
    const expected = {
      year: lunacal.GetGLToRLNian(day), month: lunacal.GetGLToRLMonth(day),
      day: lunacal.GetGLToRLDay(day), leap: lunacal.GetGLToRLRun(day) === 1,
    };
    if (lunar.year !== expected.year || lunar.month !== expected.month || lunar.day !== expected.day || lunar.leap !== expected.leap) {
      assert.deepEqual(lunar, expected, `toLunar of ${JSON.stringify(civil)}`);
    }
    const back = lunacal.fromLunar(lunar);
    const leap = lunar.leap ? 1 : 0;
    if (back.year !== civil.year || back.month !== civil.month || back.day !== civil.day ||
        lunacal.RLToGL_Day(lunar.year, lunar.month, lunar.day, leap) !== civil.day ||
        lunacal.RLToGL_Month(lunar.year, lunar.month, lunar.day, leap) !== civil.month ||
        lunacal.RLToGL_Year(lunar.year, lunar.month, lunar.day, leap) !== civil.year) {
      assert.fail(`fromLunar(${JSON.stringify(lunar)}) gave ${JSON.stringify(back)}, not ${JSON.stringify(civil)}`);
    }
    if (lunar.leap) leapDays += 1;
  }
  // About 54 leap months of 29 or 30 days lie in the range.
  assert.ok(leapDays > 1500 && leapDays < 1700, `${leapDays} days of leap months`);
});

test('pillars agree with GetSiZhuXH* at 12:00 and 23:30 of every day of the range', () => {
  for (let day = FIRST_DAY; day <= LAST_DAY; day += 1) {
    const civil = civilOfDay(day);
    for (const [hour, minute, fraction] of [[12, 0, 0.5], [23, 30, 23.5 / 24]]) {
      const answer = lunacal.pillars({ ...civil, hour, minute });
      const moment = day + fraction;
      const expected = [lunacal.GetSiZhuXHYear(moment), lunacal.GetSiZhuXHMonth(moment), lunacal.GetSiZhuXHDay(moment), lunacal.GetSiZhuXHTime(moment)];
      const got = [answer.year, answer.month, answer.day, answer.hour];
      if (got.some((pair, i) => pair !== PAIR(expected[i]))) {
        assert.deepEqual(got, expected.map(PAIR), `pillars of ${JSON.stringify({ ...civil, hour, minute })}`);
      }
    }
  }
});

test('solarTerms agrees with GetJieQiTime_* for every term of 1880..2079', () => {
  for (let year = 1880; year <= 2079; year += 1) {
    lunacal.solarTerms(year).forEach((term, i) => {
      // solarTerms starts at 小寒, which the exports number 23; 立春 is their 1.
      const exported = i >= 2 ? i - 1 : i + 23;
      const expected = [lunacal.GetJieQiTime_Day(year, exported), lunacal.GetJieQiTime_Hour(year, exported),
        lunacal.GetJieQiTime_Minute(year, exported), lunacal.GetJieQiTime_Second(year, exported)];
      assert.deepEqual([term.day, term.hour, term.minute, term.second], expected, `${year} ${term.name}`);
    });
  }
  assert.throws(() => lunacal.solarTerms(1879), RangeError);
  assert.throws(() => lunacal.solarTerms(2080), RangeError);
});

// SPDX-License-Identifier: MIT
// The idiomatic layer on tables of good and bad input: each good one with its answer, each bad
// one with the error it throws and what its message must say.
import assert from 'node:assert/strict';
import { before, test } from 'node:test';
import { fromDate, fromLunar, init, pillars, solarTerms, toLunar } from 'lunacal';

before(() => init());

const RANGE = /1901-02-19 \.\. 2048-12-31/;
const LUNAR_RANGE = /lunar 1901-01-01 \.\. 2048-11-27/;

const cases = {
  toLunar: {
    call: toLunar,
    good: [
      [{ year: 1901, month: 2, day: 19 }, { year: 1901, month: 1, day: 1, leap: false }],
      [{ year: 2048, month: 12, day: 31 }, { year: 2048, month: 11, day: 27, leap: false }],
      [{ year: 2020, month: 5, day: 23 }, { year: 2020, month: 4, day: 1, leap: true }],
      [{ year: 2024, month: 2, day: 29 }, { year: 2024, month: 1, day: 20, leap: false }],
      [{ year: 2000, month: 1, day: 1, hour: 99 }, { year: 1999, month: 11, day: 25, leap: false }],
    ],
    bad: [
      [undefined, TypeError, /takes an object/],
      ['2024-02-10', TypeError, /takes an object/],
      [{ year: 2024, month: 2 }, TypeError, /day must be an integer/],
      [{ year: 2024, month: 2, day: 1.5 }, TypeError, /day must be an integer/],
      [{ year: 2024, month: '2', day: 1 }, TypeError, /month must be an integer, not "2"/],
      [{ year: NaN, month: 2, day: 1 }, TypeError, /year must be an integer/],
      [{ year: 2024, month: 2, day: Infinity }, TypeError, /day must be an integer/],
      [{ year: 2023, month: 2, day: 29 }, RangeError, RANGE],
      [{ year: 2024, month: 13, day: 1 }, RangeError, RANGE],
      [{ year: 2024, month: 4, day: 0 }, RangeError, RANGE],
      [{ year: 1901, month: 2, day: 18 }, RangeError, RANGE],
      [{ year: 2049, month: 1, day: 1 }, RangeError, RANGE],
      [{ year: 2 ** 32 + 1953, month: 1, day: 1 }, RangeError, RANGE],
      [{ year: -1e300, month: 1, day: 1 }, RangeError, RANGE],
    ],
  },
  fromLunar: {
    call: fromLunar,
    good: [
      [{ year: 1901, month: 1, day: 1 }, { year: 1901, month: 2, day: 19 }],
      [{ year: 2048, month: 11, day: 27 }, { year: 2048, month: 12, day: 31 }],
      [{ year: 2020, month: 4, day: 1, leap: true }, { year: 2020, month: 5, day: 23 }],
      [{ year: 2020, month: 4, day: 1, leap: false }, { year: 2020, month: 4, day: 23 }],
      [{ year: 2024, month: 1, day: 1 }, { year: 2024, month: 2, day: 10 }],
    ],
    bad: [
      [null, TypeError, /takes an object/],
      [{ year: 2024, day: 1 }, TypeError, /month must be an integer/],
      [{ year: 2024, month: 1, day: 1, leap: 1 }, TypeError, /leap must be true or false/],
      [{ year: 2024, month: 4, day: 1, leap: true }, RangeError, LUNAR_RANGE],
      [{ year: 2024, month: 1, day: 30 }, RangeError, /lunar 2024-01-30 does not exist/],
      [{ year: 2024, month: 0, day: 1 }, RangeError, LUNAR_RANGE],
      [{ year: 2024, month: 1, day: 31 }, RangeError, LUNAR_RANGE],
      [{ year: 1900, month: 12, day: 29 }, RangeError, /outside the calendar.*lunar 1901-01-01/],
      [{ year: 2048, month: 11, day: 28 }, RangeError, /outside the calendar/],
      [{ year: 2049, month: 1, day: 1 }, RangeError, /outside the calendar/],
    ],
  },
  pillars: {
    call: pillars,
    good: [
      [{ year: 2000, month: 1, day: 1, hour: 12 },
        { year: '己卯', month: '丙子', day: '戊午', hour: '戊午', nayin: { year: '城头土', month: '涧下水', day: '天上火', hour: '天上火' } }],
      // 36110 days, 50 mod 60, before 2000-01-01 (戊午).
      [{ year: 1901, month: 2, day: 19 }, pairs('辛丑', '庚寅', '戊辰', '壬子')],
      // 立春 2024 is at 16:26:47: the year and month pillars turn on that second, the day at 23:00.
      [{ year: 2024, month: 2, day: 4, hour: 16, minute: 26, second: 46 }, pairs('癸卯', '乙丑', '戊戌', '庚申')],
      [{ year: 2024, month: 2, day: 4, hour: 16, minute: 26, second: 47 }, pairs('甲辰', '丙寅', '戊戌', '庚申')],
      [{ year: 2024, month: 2, day: 4, hour: 23 }, pairs('甲辰', '丙寅', '己亥', '甲子')],
      // After 23:00 the day is 2049-01-01's, 17898 days (18 mod 60) after 2000-01-01.
      [{ year: 2048, month: 12, day: 31, hour: 23, minute: 59, second: 59 }, pairs('戊辰', '甲子', '丙子', '戊子')],
    ],
    bad: [
      [{ year: 2000, month: 1 }, TypeError, /day must be an integer/],
      [{ year: 2000, month: 1, day: 1, hour: '12' }, TypeError, /hour must be an integer/],
      [{ year: 2000, month: 1, day: 1, minute: null }, TypeError, /minute must be an integer/],
      [{ year: 2000, month: 1, day: 1, hour: 24 }, RangeError, RANGE],
      [{ year: 2000, month: 1, day: 1, second: 60 }, RangeError, RANGE],
      [{ year: 2000, month: 1, day: 1, minute: -1 }, RangeError, RANGE],
      [{ year: 2023, month: 2, day: 29 }, RangeError, RANGE],
      [{ year: 1901, month: 2, day: 18, hour: 23, minute: 59, second: 59 }, RangeError, /outside the calendar/],
      [{ year: 2049, month: 1, day: 1 }, RangeError, /outside the calendar/],
    ],
  },
  solarTerms: {
    call: (year) => solarTerms(year)[year === 2024 ? 2 : 0],
    good: [
      [2000, { name: '小寒', year: 2000, month: 1, day: 6, hour: 9, minute: 0, second: 41 }],
      [2024, { name: '立春', year: 2024, month: 2, day: 4, hour: 16, minute: 26, second: 47 }],
    ],
    bad: [
      [undefined, TypeError, /must be an integer/],
      ['2024', TypeError, /must be an integer/],
      [2024.5, TypeError, /must be an integer/],
      [1879, RangeError, /1880\.\.2079/],
      [2080, RangeError, /1880\.\.2079/],
    ],
  },
  fromDate: {
    call: fromDate,
    good: [
      [new Date('2024-02-09T16:00:00Z'), { year: 2024, month: 2, day: 10, hour: 0, minute: 0, second: 0 }],
      [new Date('2024-02-09T15:59:59.999Z'), { year: 2024, month: 2, day: 9, hour: 23, minute: 59, second: 59 }],
      [new Date('1901-02-18T16:00:00Z'), { year: 1901, month: 2, day: 19, hour: 0, minute: 0, second: 0 }],
      [new Date(-1), { year: 1970, month: 1, day: 1, hour: 7, minute: 59, second: 59 }],
    ],
    bad: [
      [Date.now(), TypeError, /takes a Date/],
      ['2024-02-10', TypeError, /takes a Date/],
      [new Date('not a date'), RangeError, /invalid/],
      [new Date(8.64e15), RangeError, /no civil time/],
    ],
  },
};

// The four pairs alone; their Nayin is checked on the first case.
function pairs(year, month, day, hour) {
  return { year, month, day, hour };
}

for (const [name, { call, good, bad }] of Object.entries(cases)) {
  test(`${name} answers good input`, () => {
    for (const [input, expected] of good) {
      const answer = call(input);
      if (name === 'pillars' && expected.nayin === undefined) delete answer.nayin;
      assert.deepEqual(answer, expected, JSON.stringify(input));
    }
  });
  test(`${name} refuses bad input with a clear error`, () => {
    for (const [input, type, message] of bad) {
      assert.throws(() => call(input), (error) => error.constructor === type && message.test(error.message),
        `${name}(${JSON.stringify(input)}) should throw ${type.name} matching ${message}`);
    }
  });
}

test('solarTerms gives 24 named terms in time order, 小寒 first, each within its year', () => {
  for (const year of [1880, 1984, 2024, 2079]) {
    const terms = solarTerms(year);
    assert.equal(terms.length, 24);
    assert.deepEqual(terms.slice(0, 3).map((term) => term.name), ['小寒', '大寒', '立春']);
    assert.equal(terms[23].name, '冬至');
    const moments = terms.map((t) => Date.UTC(t.year, t.month - 1, t.day, t.hour, t.minute, t.second));
    for (let i = 1; i < 24; i += 1) assert.ok(moments[i] > moments[i - 1], `${year}: ${terms[i].name}`);
    assert.ok(terms.every((term) => term.year === year));
  }
});

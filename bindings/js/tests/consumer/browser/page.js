// SPDX-License-Identifier: MIT
// Loads the installed package as a page would, once with its inlined module and once from the
// subpath's file, and shows a few answers for the browser test to read.
import * as lunacal from '/node_modules/lunacal/lunacal.js';

async function answers() {
  await lunacal.init();
  const inlined = {
    lunar: lunacal.toLunar({ year: 2020, month: 5, day: 23 }),
    pillars: lunacal.pillars({ year: 2000, month: 1, day: 1, hour: 12 }),
    spring: lunacal.solarTerms(2024)[2],
    newYearDay: lunacal.RLToGL_Day(2024, 1, 1, 0),
  };
  let refused = '';
  try {
    lunacal.fromLunar({ year: 2024, month: 4, day: 1, leap: true });
  } catch (error) {
    refused = error.name;
  }
  await lunacal.init(new URL('/node_modules/lunacal/lunacal.wasm', window.location.href));
  return { inlined, refused, fromFile: lunacal.GetGLToRLNian(43974) };
}

answers().then(
  (result) => { document.getElementById('answers').textContent = JSON.stringify(result); },
  (error) => { document.getElementById('answers').textContent = JSON.stringify({ error: String(error) }); },
);

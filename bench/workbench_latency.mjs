// Press-to-picture latency of the workbench, as a pilot feels it: in Chromium, on
// the example panel with its flight paused, the HSI's heading knob and the COM's
// frequency knob are pressed `--presses` times each; every press is timed from the
// pointer going down (the event's own time stamp) to the page drawing the gauge's
// changed picture. Prints the median, the 90th percentile and the longest.
//
//   PANELHOST=build/default/panelhost node bench/workbench_latency.mjs [--presses 30]
//     [--hover-ms 300]   how long the pointer rests on the knob before the first press
//
// Uses the browser tests' helpers and their playwright-core (tools/setup.sh test).
import { parseArgs } from 'node:util';
import { api, clickGauge, gaugePoint, keyLog, settle } from '../tests/browser/workbench.mjs';
import { withPausedWorkbench } from './paused_workbench.mjs';

const { values: options } = parseArgs({
  options: { presses: { type: 'string', default: '30' }, 'hover-ms': { type: 'string', default: '300' } },
});
const presses = Number(options.presses);
const hoverMs = Number(options['hover-ms']);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Times from each pointerdown on the gauge's canvas to the next picture drawn on it.
async function watchLatency(page, name) {
  await page.evaluate((gauge) => {
    const canvas = document.querySelector(`canvas.gauge[data-gauge="${gauge}"]`);
    window.latencies = [];
    let pressedAt = null;
    canvas.addEventListener('pointerdown', (event) => { pressedAt = event.timeStamp; });
    new MutationObserver(() => {
      if (pressedAt === null) return;
      window.latencies.push(performance.now() - pressedAt);
      pressedAt = null;
    }).observe(canvas, { attributes: true, attributeFilter: ['data-drawn'] });
  }, name);
}

async function measure(page, name, x, y) {
  await watchLatency(page, name);
  const point = await gaugePoint(page, name, x, y);
  // The hand comes to the knob first, as a pilot's does: the page shows the knob's
  // tooltip and cursor then, not in the press's way.
  await page.mouse.move(point.x, point.y);
  await sleep(hoverMs);
  for (let i = 0; i < presses; i += 1) {
    await page.mouse.down();
    await page.waitForFunction((count) => window.latencies.length > count, i, { timeout: 5000 });
    await page.mouse.up();
    await sleep(120 + Math.random() * 80); // off the cycle's beat
  }
  const times = (await page.evaluate(() => window.latencies)).sort((a, b) => a - b);
  const at = (share) => times[Math.min(times.length - 1, Math.floor(share * times.length))];
  console.log(`${name.padEnd(20)} presses ${times.length}  median ${at(0.5).toFixed(1)} ms  ` +
              `p90 ${at(0.9).toFixed(1)} ms  longest ${times[times.length - 1].toFixed(1)} ms`);
}

await withPausedWorkbench(async (page, server) => {
  await measure(page, 'HSI', 270, 266); // the heading knob's up half

  // The radio stack, with the COM switched on: the knob's fraction steps the preset.
  await clickGauge(page, 'Radios_Toggle', 9, 9);
  await page.locator('canvas.gauge[data-gauge="Becker_AR3202_COM1"]').waitFor({ state: 'visible' });
  await settle(page);
  for (let tries = 0; tries < 2; tries += 1) {
    const before = (await keyLog(page)).length;
    await clickGauge(page, 'Becker_AR3202_COM1', 305, 66);
    await settle(page, 300);
    if ((await keyLog(page)).length > before) break;
    await clickGauge(page, 'Becker_AR3202_COM1', 100, 85); // ON
    await settle(page, 300);
  }
  await measure(page, 'Becker_AR3202_COM1', 305, 66);
  await api(server.url, 'scenario', { action: 'play' });
});

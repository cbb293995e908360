// What the page spends while the pointer travels over a gauge, as a pilot's hand
// does before it presses: in Chromium, on the example panel with its flight paused,
// the pointer crosses the HSI's face ten times in 600 moves. Chromium's own counts of
// layouts and style recalculations, and their time, are printed with the main
// thread's busy time.
//
//   PANELHOST=build/default/panelhost node bench/workbench_pointer_moves.mjs
//
// Uses the browser tests' helpers and their playwright-core (tools/setup.sh test).
import { gaugePoint } from '../tests/browser/workbench.mjs';
import { withPausedWorkbench } from './paused_workbench.mjs';

await withPausedWorkbench(async (page) => {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  const metrics = async () => Object.fromEntries(
    (await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
  const left = await gaugePoint(page, 'HSI', 60, 150);
  const right = await gaugePoint(page, 'HSI', 240, 150);
  await page.mouse.move(left.x, left.y);
  await new Promise((resolve) => setTimeout(resolve, 500));
  const before = await metrics();
  const started = Date.now();
  for (let i = 0; i < 5; ++i) {
    await page.mouse.move(right.x, right.y, { steps: 60 });
    await page.mouse.move(left.x, left.y, { steps: 60 });
  }
  const ms = Date.now() - started;
  const after = await metrics();
  const d = (name) => after[name] - before[name];
  const seconds = (name) => `${(d(name) * 1000).toFixed(1)} ms`;
  console.log(`600 moves in ${ms} ms: layouts ${d('LayoutCount')} (${seconds('LayoutDuration')}), ` +
              `style recalculations ${d('RecalcStyleCount')} (${seconds('RecalcStyleDuration')}), ` +
              `main thread busy ${seconds('TaskDuration')}`);
});

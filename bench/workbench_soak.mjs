// A soak run of the workbench: `panelhost serve` plays the example flight at 8x
// speed for an hour of scenario time (7.5 minutes) while a Chromium page watches,
// 20 more clients long-poll frames as fast as they are answered, and a pilot's
// presses on every kind of mouse area and variable changes come in between. It
// prints panelhost's memory (resident set) over the run, the cycles each watcher
// was not answered for (their changes come merged into its next frame) and the
// click sounds each client heard.
//
//   PANELHOST=build/default/panelhost node bench/workbench_soak.mjs
//       [--minutes 60] [--speed 8] [--clients 20]
//
// Uses the browser tests' helpers and their playwright-core (tools/setup.sh test).
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';
import { api, openBrowser, openWorkbench, startServer } from '../tests/browser/workbench.mjs';

const { values: options } = parseArgs({
  options: {
    minutes: { type: 'string', default: '60' },  // scenario time
    speed: { type: 'string', default: '8' },
    clients: { type: 'string', default: '20' },
  },
});
const scenarioSeconds = Number(options.minutes) * 60;
const speed = Number(options.speed);
const clientCount = Number(options.clients);
const runSeconds = scenarioSeconds / speed;
const warmUpSeconds = 60;  // memory and frames are judged after the first minute

const examples = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', 'examples');
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function residentKilobytes(pid) {
  const status = fs.readFileSync(`/proc/${pid}/status`, 'utf8');
  return Number(status.match(/VmRSS:\s+(\d+) kB/)[1]);
}

// A client that asks for the next frame as soon as it has the last one, counting
// the cycles it was not answered for.
function longPoller(url, stopped) {
  const counts = { frames: 0, missed: 0, sounds: 0, errors: 0, counting: false };
  (async () => {
    let after = 0;
    while (!stopped()) {
      try {
        const response = await fetch(new URL(`api/frame?after=${after}`, url));
        const buffer = await response.arrayBuffer();
        const length = new DataView(buffer).getUint32(0, true);
        const frame = JSON.parse(new TextDecoder().decode(new Uint8Array(buffer, 4, length)));
        if (counts.counting && after > 0 && frame.cycle > after + 1) counts.missed += frame.cycle - after - 1;
        if (counts.counting) {
          counts.frames += 1;
          counts.sounds += frame.sounds.length;
        }
        after = frame.cycle;
      } catch {
        counts.errors += 1;
        await sleep(100);
      }
    }
  })();
  return counts;
}

// A press somewhere on every gauge in turn: the middle of one of its clickable
// areas, held briefly, then released; and now and then a variable set by hand.
async function pilot(url, layout, stopped) {
  const counts = { presses: 0, variables: 0, refused: 0 };
  const targets = [];
  layout.gauges.forEach((gauge, id) => {
    for (const node of gauge.mouse) {
      if (!node.clickable || !(node.left || node.right)) continue;
      const [x, y, width, height] = node.box;
      targets.push({ gauge: id, x: x + width / 2, y: y + height / 2, button: node.left ? 'left' : 'right' });
    }
  });
  const variables = layout.variables.filter((variable) => variable.range);
  let turn = 0;
  while (!stopped()) {
    const target = targets[turn % targets.length];
    const press = await api(url, 'mouse', { action: 'press', layout: layout.layout, ...target });
    await sleep(80);
    await api(url, 'mouse', { action: 'release' });
    counts.presses += 1;
    if (press.status !== 200) counts.refused += 1;
    if (turn % 3 === 0 && variables.length) {
      const variable = variables[turn % variables.length];
      const [low, high] = variable.range;
      const value = low + ((turn * 0.618) % 1) * (high - low);
      const set = await api(url, 'variable', { id: variable.id, value });
      counts.variables += 1;
      if (set.status !== 200) counts.refused += 1;
    }
    turn += 1;
    await sleep(170);
  }
  return counts;
}

const server = await startServer(['--panel', path.join(examples, 'panel.cfg'),
                                  '--scenario', path.join(examples, 'scenario.json')]);
const browser = await openBrowser();
let stop = false;
const stopped = () => stop;
try {
  const page = await openWorkbench(browser.context, server.url);
  const speedSet = await api(server.url, 'scenario', { action: 'speed', speed });
  if (speedSet.status !== 200) throw new Error(`speed refused: ${speedSet.text}`);
  const layout = await (await fetch(new URL('api/layout', server.url))).json();
  const pollers = Array.from({ length: clientCount }, () => longPoller(server.url, stopped));
  const pilotDone = pilot(server.url, layout, stopped);

  const samples = [];
  const started = Date.now();
  let pageStart = null;
  for (;;) {
    const seconds = (Date.now() - started) / 1000;
    samples.push({ seconds, kilobytes: residentKilobytes(server.pid) });
    if (pageStart === null && seconds >= warmUpSeconds) {
      pageStart = await page.evaluate(() => ({ cycle: window.workbench.cycle, frames: window.workbench.frames }));
      for (const poller of pollers) poller.counting = true;
    }
    if (seconds >= runSeconds) break;
    await sleep(5000);
  }
  const pageEnd = await page.evaluate(() => ({ cycle: window.workbench.cycle, frames: window.workbench.frames }));
  const scenario = (await (await fetch(new URL('api/frame?after=0', server.url))).arrayBuffer());
  const headerLength = new DataView(scenario).getUint32(0, true);
  const header = JSON.parse(new TextDecoder().decode(new Uint8Array(scenario, 4, headerLength)));
  const stats = await (await fetch(new URL('api/stats', server.url))).json();
  stop = true;
  const pilotCounts = await pilotDone;

  const afterWarmUp = samples.filter((sample) => sample.seconds >= warmUpSeconds);
  const megabytes = (kilobytes) => (kilobytes / 1024).toFixed(1);
  const first = afterWarmUp[0];
  const last = afterWarmUp[afterWarmUp.length - 1];
  const highest = afterWarmUp.reduce((a, b) => (b.kilobytes > a.kilobytes ? b : a));
  const cycles = pageEnd.cycle - pageStart.cycle;
  const pageFrames = pageEnd.frames - pageStart.frames;
  const pollerFrames = pollers.reduce((sum, poller) => sum + poller.frames, 0);
  const pollerMissed = pollers.reduce((sum, poller) => sum + poller.missed, 0);
  const pollerErrors = pollers.reduce((sum, poller) => sum + poller.errors, 0);
  const heard = pollers.map((poller) => poller.sounds);

  console.log(`soak: ${(runSeconds / 60).toFixed(1)} min at ${speed}x (scenario at ${header.scenario.time.toFixed(0)} s of its loop), ${clientCount} long-polling clients and one page`);
  console.log('soak: resident memory of panelhost (MB), every 30 s:');
  console.log(`soak:   ${samples.filter((_, i) => i % 6 === 0).map((s) => `${s.seconds.toFixed(0)}s ${megabytes(s.kilobytes)}`).join(', ')}`);
  console.log(`soak: after the first minute: ${megabytes(first.kilobytes)} MB at ${first.seconds.toFixed(0)} s, ` +
              `${megabytes(last.kilobytes)} MB at the end, highest ${megabytes(highest.kilobytes)} MB at ${highest.seconds.toFixed(0)} s ` +
              `(growth ${((last.kilobytes - first.kilobytes) / 1024).toFixed(1)} MB)`);
  console.log(`soak: the page: ${pageFrames} frames for ${cycles} cycles after the first minute, ${cycles - pageFrames} missed; script errors: ${page.errors.length}`);
  console.log(`soak: the ${clientCount} clients: ${pollerFrames} frames, ${pollerMissed} cycles missed, ${pollerErrors} failed requests`);
  // A cycle a client was not answered for comes merged into its next frame: each
  // client should still hear every click sound.
  if (heard.length)
    console.log(`soak: click sounds heard by each client: ${Math.min(...heard)} to ${Math.max(...heard)}`);
  console.log(`soak: the pilot: ${pilotCounts.presses} presses, ${pilotCounts.variables} variables set, ${pilotCounts.refused} refused`);
  console.log(`soak: last cycle ${stats.cycle_ms.toFixed(2)} ms average, ${stats.cycle_max_ms.toFixed(2)} ms longest in its second; ${stats.frames_per_second.toFixed(0)} frames/s sent`);
} finally {
  stop = true;
  await browser.close();
  await server.stop();
}

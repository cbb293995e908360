// Helpers for driving the workbench in real Chromium: start `panelhost serve`,
// open the page, press on gauges and read back what they show.
//
// Environment (CTest sets it): PANELHOST, the panelhost program; MARLOW_MODULE and
// PROBE_MODULE, module files for test panels; CHROMIUM, the browser (default
// /usr/bin/chromium).
import { chromium } from 'playwright-core';
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';

// Where the tests leave their pictures: next to the program.
export const picturesFolder = path.dirname(path.resolve(process.env.PANELHOST || 'build/default/panelhost'));

const CHROMIUM_FLAGS = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

export function temporaryDirectory(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// A folder of module files (links), as `serve --modules` wants them, for a panel
// that places gauges of the given modules: { Marlow_Instr: path, ... }.
export function moduleFolder(modules) {
  const folder = temporaryDirectory('workbench-modules-');
  for (const [name, file] of Object.entries(modules)) {
    fs.symlinkSync(path.resolve(file), path.join(folder, `${name}.so`)); // from anywhere
  }
  return folder;
}

// Writes `text` to `panelFile` and starts a server on it, with no scenario and the
// modules of the folder `modules`.
export function startPanelServer(panelFile, text, modules) {
  fs.writeFileSync(panelFile, text);
  return startServer(['--panel', panelFile, '--scenario', '', '--modules', modules]);
}

// Starts `panelhost serve --port 0 ARGS...` and resolves with { url, pid, stop() } once
// it prints its address.
export function startServer(args = []) {
  const program = process.env.PANELHOST;
  if (!program) throw new Error('PANELHOST must name the panelhost program');
  const child = spawn(program, ['serve', '--port', '0', ...args], { stdio: ['ignore', 'pipe', 'pipe'] });
  let output = '';
  let errors = '';
  child.stderr.on('data', (data) => { errors += data; });
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => {
      child.kill('SIGKILL');
      reject(new Error(`panelhost serve printed no address in time:\n${output}${errors}`));
    }, 30000);
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`panelhost serve ended with ${code}:\n${output}${errors}`));
    });
    child.stdout.on('data', (data) => {
      output += data;
      const found = output.match(/panelhost: workbench at (http:\/\/127\.0\.0\.1:\d+\/)/);
      if (!found) return;
      clearTimeout(timer);
      child.removeAllListeners('exit');
      resolve({
        url: found[1],
        pid: child.pid,
        errors: () => errors,
        stop: () => new Promise((done) => {
          if (child.exitCode !== null) return done(child.exitCode);
          child.on('exit', (code) => done(code));
          child.kill('SIGTERM');
        }),
      });
    });
  });
}

// A headless Chromium with a fresh profile; close() also removes the profile.
export async function openBrowser() {
  const profile = temporaryDirectory('workbench-profile-');
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_FLAGS,
    viewport: { width: 1400, height: 860 },
  });
  return {
    context,
    close: async () => {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens the workbench and waits until it has built every gauge of its panel and
// shown the host's first frame (which windows are open, the first pictures).
// The page's script errors collect in page.errors.
export async function openWorkbench(context, url) {
  const page = await context.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(url);
  await page.waitForFunction(() => {
    const state = window.workbench;
    if (!state || !state.layout || state.frames === 0) return false;
    const gauges = state.layout.gauges;
    return document.querySelectorAll('canvas.gauge').length === gauges.filter((g) => !g.placeholder).length &&
      document.querySelectorAll('[data-placeholder]').length === gauges.filter((g) => g.placeholder).length;
  });
  return page;
}

// A 24-bit BMP file as panel folders hold them (bottom-up, rows padded to four
// bytes); `pixel(x, y)` gives 0xRRGGBB, y = 0 the top row.
export function bmpFile(width, height, pixel) {
  const stride = Math.ceil(width * 3 / 4) * 4;
  const file = Buffer.alloc(54 + stride * height);
  file.write('BM', 0, 'latin1');
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(54, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(24, 28);
  for (let y = 0; y < height; y += 1) {
    const row = 54 + stride * (height - 1 - y);
    for (let x = 0; x < width; x += 1) {
      const value = pixel(x, y);
      file[row + 3 * x] = value & 0xFF;
      file[row + 3 * x + 1] = (value >> 8) & 0xFF;
      file[row + 3 * x + 2] = (value >> 16) & 0xFF;
    }
  }
  return file;
}

// The colours the page shows at points of the viewport, as the screen has them
// (everything composited): [[r, g, b], ...].
export async function pageColours(page, points) {
  const shot = (await page.screenshot()).toString('base64');
  return page.evaluate(async ([data, where]) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const scale = image.width / window.innerWidth;
    return where.map(({ x, y }) =>
      Array.from(context.getImageData(Math.round(x * scale), Math.round(y * scale), 1, 1).data.slice(0, 3)));
  }, [shot, points]);
}

// A window's face on the page: { left, top, right, bottom } in CSS pixels.
export async function windowFace(page, index) {
  const box = await page.locator(`.window[data-window="${index}"] .window-face`).boundingBox();
  return { left: box.x, top: box.y, right: box.x + box.width, bottom: box.y + box.height };
}

// A command to the host, as the page sends it: { status, text }.
export async function api(url, kind, body) {
  const response = await fetch(new URL(`api/${kind}`, url), {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: typeof body === 'string' ? body : JSON.stringify(body),
  });
  return { status: response.status, text: await response.text() };
}

function gaugeSelector(name, nth) {
  return `canvas.gauge[data-gauge="${name}"] >> nth=${nth}`;
}

// How many pictures of the gauge the page has drawn.
export async function picturesDrawn(page, name, nth = 0) {
  return Number(await page.locator(gaugeSelector(name, nth)).getAttribute('data-drawn'));
}

// Waits until the page has drawn a picture of the gauge after the `since`-th.
export async function waitForNewPicture(page, name, since, nth = 0) {
  await page.waitForFunction(([selector, count]) => {
    const canvases = document.querySelectorAll(selector);
    return canvases.length > 0 && Number(canvases[count.nth].dataset.drawn) > count.since;
  }, [`canvas.gauge[data-gauge="${name}"]`, { since, nth }]);
}

// Waits until no picture has arrived for `quiet` milliseconds.
export async function settle(page, quiet = 600) {
  let last = -1;
  for (;;) {
    const drawn = await page.evaluate(() =>
      [...document.querySelectorAll('canvas.gauge')].reduce((sum, c) => sum + Number(c.dataset.drawn), 0));
    if (drawn === last) return;
    last = drawn;
    await page.waitForTimeout(quiet);
  }
}

// The gauge's picture as the page shows it: { width, height, data } (RGBA bytes).
export async function gaugePixels(page, name, nth = 0) {
  return page.locator(gaugeSelector(name, nth)).evaluate((canvas) => {
    const image = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    return { width: image.width, height: image.height, data: Array.from(image.data) };
  });
}

// Pixels that differ between two pictures of the same size; only inside `part`
// when given ({ left, top, right, bottom } as fractions of the picture).
export function pixelsChanged(a, b, part = { left: 0, top: 0, right: 1, bottom: 1 }) {
  if (a.width !== b.width || a.height !== b.height) return Infinity;
  let changed = 0;
  for (let y = Math.floor(part.top * a.height); y < Math.ceil(part.bottom * a.height); y += 1) {
    for (let x = Math.floor(part.left * a.width); x < Math.ceil(part.right * a.width); x += 1) {
      const i = 4 * (y * a.width + x);
      if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] ||
          a.data[i + 2] !== b.data[i + 2] || a.data[i + 3] !== b.data[i + 3]) changed += 1;
    }
  }
  return changed;
}

// Records the address of every sound the page starts playing in window.soundsPlayed.
export async function listenForSounds(page) {
  await page.evaluate(() => {
    window.soundsPlayed = [];
    const play = HTMLMediaElement.prototype.play;
    HTMLMediaElement.prototype.play = function recordedPlay() {
      window.soundsPlayed.push(new URL(this.src).pathname);
      return play.call(this);
    };
  });
}

// Drags a range input's thumb from one fraction of its track to another.
export async function dragSlider(page, slider, from, to) {
  const box = await slider.boundingBox();
  const at = (fraction) => box.x + fraction * box.width;
  const y = box.y + box.height / 2;
  await page.mouse.move(at(from), y);
  await page.mouse.down();
  for (let step = 1; step <= 10; step += 1) await page.mouse.move(at(from + (to - from) * step / 10), y);
  await page.mouse.up();
}

// Where design pixel (x, y) of the gauge is on the page.
export async function gaugePoint(page, name, x, y, nth = 0) {
  const canvas = page.locator(gaugeSelector(name, nth));
  const box = await canvas.boundingBox();
  const id = Number(await canvas.getAttribute('data-id'));
  const gauge = await page.evaluate((index) => window.workbench.layout.gauges[index], id);
  return {
    x: box.x + x / (gauge.width / gauge.scale_x) * box.width,
    y: box.y + y / (gauge.height / gauge.scale_y) * box.height,
  };
}

// Presses the mouse on design pixel (x, y) of a gauge, holds it `hold` ms, lets go.
export async function clickGauge(page, name, x, y, { button = 'left', hold = 0, nth = 0 } = {}) {
  const point = await gaugePoint(page, name, x, y, nth);
  await page.mouse.move(point.x, point.y);
  await page.mouse.down({ button });
  if (hold > 0) await page.waitForTimeout(hold);
  await page.mouse.up({ button });
}

// The key-event log as the page shows it, newest first: [{ time, name, value }].
export async function keyLog(page) {
  return page.$$eval('#key-log tbody tr', (rows) => rows.map((row) => ({
    time: row.cells[0].textContent, name: row.cells[1].textContent, value: row.cells[2].textContent,
  })));
}

// The scenario paused and every picture up to date.
export async function pauseScenario(page, url) {
  await api(url, 'scenario', { action: 'pause' });
  await page.waitForFunction(() => document.getElementById('play').textContent === 'Play');
  await settle(page);
}

// A headless Chromium for pages of several screen sizes. `open({ width, height,
// touch, mobile, pixelRatio })` gives a new context of that size, with a touchscreen
// (a tablet) and the meta viewport of a phone (`mobile`) when asked, and as many
// device pixels per CSS pixel as `pixelRatio` says (1 unless asked); close() ends
// them all.
export async function openScreens() {
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_FLAGS,
  });
  return {
    browser,
    open: ({ width, height, touch = false, mobile = false, pixelRatio = 1 }) =>
      browser.newContext({ viewport: { width, height }, hasTouch: touch, isMobile: mobile,
                           deviceScaleFactor: pixelRatio }),
    close: () => browser.close(),
  };
}

// A headless Chromium for screens of several sizes (openScreens) and `panelhost serve`
// of the example panel, started before a test file's tests and ended after them, the
// server cleanly: { screens, server }, filled in once started.
export function screensAndServer() {
  const session = {};
  before(async () => {
    session.screens = await openScreens();
    session.server = await startServer();
  });
  after(async () => {
    assert.equal(await session.server.stop(), 0, session.server.errors());
    await session.screens.close();
  });
  return session;
}

// Taps design pixel (x, y) of a gauge with a finger, the gauge scrolled into view.
export async function tapGauge(page, name, x, y, nth = 0) {
  await page.locator(gaugeSelector(name, nth)).scrollIntoViewIfNeeded();
  const point = await gaugePoint(page, name, x, y, nth);
  await page.touchscreen.tap(point.x, point.y);
}

// The shown gauges that lie outside both the viewport and the panel's scrolling
// area (its whole scrollable extent), and the shown windows that overlap another:
// { outside: [names], overlapping: [[a, b]] }.
export async function misplaced(page) {
  return page.evaluate(() => {
    const area = document.getElementById('panel-area');
    const box = area.getBoundingClientRect();
    const left = box.left + area.clientLeft - area.scrollLeft;
    const top = box.top + area.clientTop - area.scrollTop;
    const extent = { left, top, right: left + area.scrollWidth, bottom: top + area.scrollHeight };
    const viewport = { left: 0, top: 0, right: window.innerWidth, bottom: window.innerHeight };
    const within = (r, o) => r.left >= o.left - 0.5 && r.top >= o.top - 0.5 &&
      r.right <= o.right + 0.5 && r.bottom <= o.bottom + 0.5;
    const outside = [...document.querySelectorAll('canvas.gauge')]
      .filter((canvas) => canvas.checkVisibility())
      .filter((canvas) => {
        const r = canvas.getBoundingClientRect();
        return !within(r, extent) && !within(r, viewport);
      })
      .map((canvas) => canvas.dataset.gauge);
    const windows = [...document.querySelectorAll('.window')].filter((w) => w.checkVisibility() && !w.classList.contains('on-screen'));
    const overlapping = [];
    windows.forEach((a, i) => windows.slice(i + 1).forEach((b) => {
      const p = a.getBoundingClientRect();
      const q = b.getBoundingClientRect();
      if (p.left < q.right - 0.5 && q.left < p.right - 0.5 && p.top < q.bottom - 0.5 && q.top < p.bottom - 0.5) {
        overlapping.push([a.dataset.window, b.dataset.window]);
      }
    }));
    return { outside, overlapping };
  });
}

// The size a gauge is shown at, in CSS pixels: { width, height }.
export async function gaugeSize(page, name, nth = 0) {
  const box = await page.locator(gaugeSelector(name, nth)).boundingBox();
  return { width: box.width, height: box.height };
}

// Drags the mouse from one point of the page to another in `steps` moves.
export async function dragMouse(page, from, to, { steps = 10 } = {}) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let step = 1; step <= steps; step += 1) {
    await page.mouse.move(from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps);
  }
  await page.mouse.up();
}

// Each gauge picture the page shows: { gauge, window, drawn (the canvas' pixels
// across), shown (the device pixels it covers across), least (the fewest pixels
// across the page asks: those it shows, at most PIXEL_RATIO_CAP to a CSS pixel and
// within its window's pixel budget and the host's largest zoom, panel_view.js), step (the pixels across
// one zoom step of 0.05 pixels per panel unit adds) }.
export async function pictureSizes(page) {
  return page.evaluate(async () => {
    const { MAX_ZOOM, PIXEL_RATIO_CAP, windowPixelBudget } = await import('/panel_view.js');
    const { layout } = window.workbench;
    const screen = { width: window.innerWidth, height: window.innerHeight };
    const unitsOf = (index) => layout.gauges.filter((gauge) => gauge.window === index && !gauge.placeholder)
      .reduce((sum, gauge) => sum + gauge.width * gauge.height, 0);
    return [...document.querySelectorAll('canvas.gauge')]
      .filter((canvas) => canvas.checkVisibility())
      .map((canvas) => {
        const gauge = layout.gauges[Number(canvas.dataset.id)];
        const face = document.querySelector(`.window[data-window="${gauge.window}"] .window-face`)
          .getBoundingClientRect();
        const budget = windowPixelBudget(face, screen, window.devicePixelRatio);
        const shown = canvas.getBoundingClientRect().width * window.devicePixelRatio;
        const affordable = gauge.width * Math.floor(Math.sqrt(budget / unitsOf(gauge.window)) * 20 + 1e-6) / 20;
        return { gauge: canvas.dataset.gauge, window: gauge.window, drawn: canvas.width, shown,
                 least: Math.min(shown * Math.min(1, PIXEL_RATIO_CAP / window.devicePixelRatio), affordable,
                                 gauge.width * MAX_ZOOM),
                 step: gauge.width * 0.05 };
      });
  });
}

// The pictures of `sizes` (pictureSizes) with fewer pixels than the page asks, and
// those with more than one zoom step more than they cover, as text for a failure's
// message.
export const blurred = (sizes) => sizes.filter((size) => size.drawn < size.least - 1);
export const oversized = (sizes) => sizes.filter((size) => size.drawn > size.shown + size.step + 1);
export const describeSizes = (sizes) =>
  sizes.map((size) => `${size.gauge} drawn ${size.drawn} px, shown ${size.shown.toFixed(1)}`).join('; ');

// Calls `check` (async) every 200 ms until it gives true or `timeout` ms have
// passed; resolves with whether it did.
export async function eventually(check, timeout = 15000) {
  const end = Date.now() + timeout;
  for (;;) {
    if (await check()) return true;
    if (Date.now() > end) return false;
    await new Promise((resolve) => setTimeout(resolve, 200));
  }
}

// Edit mode on the workbench, in real Chromium: a panel file the test writes (CRLF,
// comments, a trailing comment) with gauges of Marlow_Instr, laid out on the page
// while its scenario plays. A drag moves a gauge and Save writes only its line; a
// handle with Shift resizes it in proportion; the arrow keys nudge; the palette adds
// and Delete removes; a drop on another window moves the gauge there; the host's
// refusals show on the page; undo brings back every placement, and with Save the
// file byte for byte. No press reaches a gauge meanwhile. On a tablet a finger
// selects and drags. Pictures of edit mode go to screens-edit-*.png beside the
// program. Also the session recording, from the toolbar's Record button.
// Run by hand with PANELHOST and MARLOW_MODULE set.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  api, dragMouse, gaugePoint, moduleFolder, openScreens, openWorkbench, startServer, temporaryDirectory,
} from './workbench.mjs';

const PANEL = [
  '; Edit mode test panel: two windows of Marlow_Instr gauges',
  '[Window Titles]',
  'Window00=Main',
  'Window01=Side',
  '',
  '[Window00]',
  'size_mm=900,420',
  'visible=1',
  '// the flight instruments',
  'gauge00=Marlow_Instr!Airspeed, 20, 20, 200',
  'gauge01=Marlow_Instr!Attitude,  240, 20, 200   ; the attitude',
  'gauge02=Marlow_Instr!HSI, 460, 20, 200, 200',
  'gauge03=Marlow_Instr!Compass_Toggle, 700, 40, 38, , tCOMPASS_PANEL',
  '',
  '[Window01]',
  'size_mm=300,300',
  'visible=1',
  'gauge00=Marlow_Instr!Altimeter, 20, 20, 200',
  '',
].join('\r\n');
// A flight that goes on the whole time: the airspeed climbing for ten minutes.
const SCENARIO = JSON.stringify({
  title: 'Edit test climb', duration: 600, loop: true,
  timeline: [{ t: 0, snap: { 61: 80 } }, { t: 600, set: { 61: 160 } }],
});
const pictures = path.dirname(path.resolve(process.env.PANELHOST || 'build/default/panelhost'));

const folder = temporaryDirectory('edit-mode-');
const panelFile = path.join(folder, 'panel.cfg');
let server;
let screens;
before(async () => {
  fs.writeFileSync(panelFile, PANEL);
  fs.writeFileSync(path.join(folder, 'scenario.json'), SCENARIO);
  const modules = moduleFolder({ Marlow_Instr: process.env.MARLOW_MODULE });
  server = await startServer(['--panel', panelFile, '--scenario', path.join(folder, 'scenario.json'),
                              '--modules', modules]);
  screens = await openScreens();
});
after(async () => {
  await screens.close();
  assert.equal(await server.stop(), 0, server.errors());
  fs.rmSync(folder, { recursive: true, force: true });
});

// The placements of the layout as the panel file has them.
function placements(layout) {
  return layout.gauges.map((gauge) => ({
    section: layout.windows[gauge.window].section, key: gauge.key, name: gauge.name,
    x: gauge.x, y: gauge.y, width: gauge.width, height: gauge.height, parameters: gauge.parameters,
  }));
}

const layoutOf = (page) => page.evaluate(() => window.workbench.layout);
const placementOf = async (page, section, key) =>
  placements(await layoutOf(page)).find((item) => item.section === section && item.key === key);

// Waits for a layout after `number` (the panel placed anew), and returns it.
async function layoutAfter(page, number) {
  await page.waitForFunction((old) => window.workbench.layout.layout > old, number);
  return layoutOf(page);
}

// Does `act()`, then waits until the host has placed the panel anew.
async function edited(page, act) {
  const { layout } = await layoutOf(page);
  await act();
  return layoutAfter(page, layout);
}

// The window's scale on the page: CSS pixels per panel unit.
const scaleOf = (page, index) => page.evaluate((i) => {
  const face = document.querySelector(`.window[data-window="${i}"] .window-face`);
  return face.clientWidth / window.workbench.layout.windows[i].width;
}, index);

// The centre of an element on the page.
async function middle(locator) {
  const box = await locator.boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

const clickAt = (page, point) => page.mouse.click(point.x, point.y);
const fieldValue = (page, name) => page.locator(`[data-edit-field="${name}"]`).inputValue();

async function setOption(page, name, on) {
  const box = page.locator(`[data-edit-setting="${name}"]`);
  if ((await box.isChecked()) !== on) await box.click();
}

describe('laying out a panel on a desktop', () => {
  let context;
  let page;
  let original;
  const presses = [];
  before(async () => {
    context = await screens.open({ width: 1280, height: 800 });
    page = await openWorkbench(context, server.url);
    page.on('request', (request) => { if (request.url().endsWith('/api/mouse')) presses.push(request.postDataJSON()); });
    original = placements(await layoutOf(page));
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    await context.close();
  });

  test('E switches edit mode on; a click selects a gauge and the side panel shows its placement', async () => {
    await page.keyboard.press('e');
    await page.locator('#edit-panel').waitFor({ state: 'visible' });
    assert.equal(await page.locator('#edit-toggle').getAttribute('aria-pressed'), 'true');
    await setOption(page, 'guides', false);
    await setOption(page, 'grid', false);
    const point = await gaugePoint(page, 'Attitude', 150, 150);
    await page.mouse.click(point.x, point.y);
    await page.locator('.edit-selection').waitFor({ state: 'visible' });
    const facts = await page.locator('.edit-facts').textContent();
    for (const fact of ['Attitude', 'Marlow_Instr', 'gauge01', 'Window00']) {
      assert.ok(facts.includes(fact), `${fact} in "${facts}"`);
    }
    assert.deepEqual(await Promise.all(['x', 'y', 'width', 'height', 'parameters'].map((name) => fieldValue(page, name))),
                     ['240', '20', '200', '200', '']);
    assert.equal(await page.locator('[data-edit-field="window"]').inputValue(), 'Window00');
    // The outline lies on the gauge.
    const outline = await page.locator('.edit-selection').boundingBox();
    const canvas = await page.locator('canvas.gauge[data-gauge="Attitude"]').boundingBox();
    for (const side of ['x', 'y', 'width', 'height']) assert.ok(Math.abs(outline[side] - canvas[side]) < 1, side);
  });

  test('a drag moves the gauge at once, one command at the drop; Save writes only its line', async () => {
    const scale = await scaleOf(page, 0);
    const from = await gaugePoint(page, 'Attitude', 150, 150);
    const to = { x: from.x + 37, y: from.y + 23 };
    const sent = [];
    const listen = (request) => { if (request.url().endsWith('/api/placement')) sent.push(request.postDataJSON()); };
    page.on('request', listen);
    const panelBefore = fs.readFileSync(panelFile, 'latin1');
    const { layout: number } = await layoutOf(page);
    // Every frame the page paints meanwhile shows every gauge's picture: the panel
    // placed anew keeps them until the host's new ones come.
    await page.evaluate(() => {
      window.blankFrames = 0;
      const watch = () => {
        const canvases = [...document.querySelectorAll('canvas.gauge')].filter((canvas) => canvas.checkVisibility());
        if (canvases.length < 5 || canvases.some((canvas) => canvas.width <= 1)) window.blankFrames += 1;
        window.blankWatch = requestAnimationFrame(watch);
      };
      watch();
    });
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    for (let step = 1; step <= 8; step += 1) await page.mouse.move(from.x + 37 * step / 8, from.y + 23 * step / 8);
    // Before the drop the canvas follows the pointer, and nothing went to the host.
    const moving = await page.locator('canvas.gauge[data-gauge="Attitude"]').boundingBox();
    assert.ok(Math.abs(moving.x + moving.width / 2 - to.x) < scale + 1, 'the canvas follows the pointer');
    assert.equal(sent.length, 0);
    await page.mouse.up();
    const layout = await layoutAfter(page, number);
    page.off('request', listen);
    await page.waitForTimeout(300);
    assert.equal(await page.evaluate(() => {
      cancelAnimationFrame(window.blankWatch);
      return window.blankFrames;
    }), 0, 'no frame showed a gauge blank');
    assert.equal(sent.length, 1);
    const moved = placements(layout).find((item) => item.key === 'gauge01' && item.section === 'Window00');
    assert.ok(Math.abs(moved.x - (240 + 37 / scale)) <= 1 && Math.abs(moved.y - (20 + 23 / scale)) <= 1,
              `at ${moved.x}, ${moved.y} (${37 / scale} and ${23 / scale} units moved)`);
    assert.deepEqual(sent[0], { window: 'Window00', gauge: 'gauge01', x: moved.x, y: moved.y });
    assert.ok(layout.editing.unsaved);
    // The new panel keeps edit mode, the selection and its fields.
    assert.ok(await page.evaluate(() => document.body.classList.contains('editing')));
    await page.waitForFunction((x) => document.querySelector('[data-edit-field="x"]').value === String(x), moved.x);
    assert.ok(await page.locator('.edit-selection').isVisible());
    assert.equal(fs.readFileSync(panelFile, 'latin1'), panelBefore, 'not written before Save');

    await page.locator('.edit-unsaved.shown').waitFor();
    await edited(page, () => page.keyboard.press('Control+s'));
    await page.waitForFunction(() => !document.querySelector('.edit-unsaved').classList.contains('shown'));
    const lines = fs.readFileSync(panelFile, 'latin1').split('\r\n');
    const was = PANEL.split('\r\n');
    assert.equal(lines.length, was.length, 'every line ends in CRLF still');
    const differing = lines.map((line, i) => i).filter((i) => lines[i] !== was[i]);
    assert.deepEqual(differing.map((i) => lines[i]),
                     [`gauge01=Marlow_Instr!Attitude,  ${moved.x}, ${moved.y}, 200   ; the attitude`]);
  });

  test('typed fields change the placement; a handle with Shift resizes in proportion', async () => {
    await clickAt(page, await gaugePoint(page, 'HSI', 150, 150));
    await page.waitForFunction(() => document.querySelector('.edit-facts').textContent.includes('gauge02'));
    const height = page.locator('[data-edit-field="height"]');
    await height.fill('150');
    await edited(page, () => height.press('Enter'));
    assert.deepEqual(await placementOf(page, 'Window00', 'gauge02'),
                     { section: 'Window00', key: 'gauge02', name: 'HSI', x: 460, y: 20, width: 200, height: 150, parameters: null });
    const grip = await middle(page.locator('.edit-handle-se'));
    await page.keyboard.down('Shift');
    const layout = await edited(page, () => dragMouse(page, grip, { x: grip.x + 60, y: grip.y + 5 }));
    await page.keyboard.up('Shift');
    const resized = placements(layout).find((item) => item.key === 'gauge02');
    assert.equal(resized.x, 460);
    assert.equal(resized.y, 20);
    assert.ok(resized.width > 230, `${resized.width} wide`);
    assert.ok(Math.abs(resized.width / resized.height - 4 / 3) < 0.01, `${resized.width} x ${resized.height}`);
  });

  test('the arrow keys nudge the selected gauge by one unit, with Shift by ten', async () => {
    await clickAt(page, await gaugePoint(page, 'Airspeed', 150, 150));
    await page.waitForFunction(() => document.querySelector('.edit-facts').textContent.includes('gauge00'));
    await edited(page, () => page.keyboard.press('ArrowRight'));
    await edited(page, () => page.keyboard.press('Shift+ArrowDown'));
    const nudged = await placementOf(page, 'Window00', 'gauge00');
    assert.deepEqual([nudged.x, nudged.y, nudged.width, nudged.height], [21, 30, 200, 200]);
  });

  test('guides catch an edge lined up with a neighbour\'s and show while dragging', async () => {
    await setOption(page, 'guides', true);
    // The Airspeed's right edge is at x 221 now: the Attitude's left edge dragged to
    // a few pixels right of it.
    const attitude = await placementOf(page, 'Window00', 'gauge01');
    const scale = await scaleOf(page, 0);
    const from = await gaugePoint(page, 'Attitude', 150, 150);
    const dx = (221 - attitude.x) * scale + 3;
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    for (let step = 1; step <= 6; step += 1) await page.mouse.move(from.x + dx * step / 6, from.y);
    const guide = await page.locator('.edit-guide.vertical').boundingBox();
    const face = await page.locator('.window[data-window="0"] .edit-layer').boundingBox();
    assert.ok(Math.abs(guide.x + guide.width / 2 - (face.x + 221 * scale)) < 1, 'a guide along the Airspeed\'s right edge');
    assert.ok(Math.abs(guide.height - face.height) < 1, 'across the window');
    const layout = await edited(page, () => page.mouse.up());
    assert.equal(placements(layout).find((item) => item.key === 'gauge01').x, 221, 'caught on the Airspeed\'s edge');
    assert.equal(await page.locator('.edit-guide').count(), 0, 'gone after the drop');
    await setOption(page, 'guides', false);
  });

  test('a gauge dragged from the palette onto a window is added there; Delete removes it', async () => {
    const item = page.locator('.palette-item[data-palette="Marlow_Instr!Vertical_Speed"]');
    await item.scrollIntoViewIfNeeded();
    const thumb = await middle(item.locator('.palette-thumb'));
    const face = await page.locator('.window[data-window="0"] .edit-layer').boundingBox();
    const scale = await scaleOf(page, 0);
    const drop = { x: face.x + 700 * scale, y: face.y + 260 * scale };
    const layout = await edited(page, () => dragMouse(page, thumb, drop, { steps: 12 }));
    const added = placements(layout).filter((one) => !original.some((two) => two.key === one.key && two.section === one.section));
    assert.equal(added.length, 1);
    const [gauge] = added;
    assert.deepEqual([gauge.section, gauge.key, gauge.name], ['Window00', 'gauge04', 'Vertical_Speed']);
    const size = layout.palette.find((entry) => entry.gauge === 'Vertical_Speed');
    assert.ok(Math.abs(gauge.x + gauge.width / 2 - 700) <= 1 && Math.abs(gauge.y + gauge.height / 2 - 260) <= 1,
              `centred on the drop point: ${gauge.x}, ${gauge.y}`);
    assert.deepEqual([gauge.width, gauge.height], [size.width, size.height], 'at its design size');
    // The new gauge is selected; Delete removes its line.
    await page.waitForFunction(() => document.querySelector('.edit-facts').textContent.includes('gauge04'));
    const removed = await edited(page, () => page.keyboard.press('Delete'));
    assert.ok(!placements(removed).some((one) => one.key === 'gauge04'));
    assert.equal(await page.locator('.edit-gauge').isVisible(), false, 'nothing selected');
    // Add puts it in the middle of the window chosen, here the Side window (as
    // large as the gauge); the Remove button takes it away again.
    await page.locator('[data-edit-target]').selectOption('Window01');
    const side = await edited(page, () => item.locator('button').click());
    const centred = placements(side).find((one) => one.section === 'Window01' && one.name === 'Vertical_Speed');
    assert.deepEqual([centred.key, centred.x, centred.y], ['gauge01', 0, 0]);
    await page.waitForFunction(() => document.querySelector('[data-edit-field="window"]').value === 'Window01');
    const gone = await edited(page, () => page.locator('[data-edit-action="remove"]').click());
    assert.ok(!placements(gone).some((one) => one.name === 'Vertical_Speed'));
  });

  test('a gauge dropped on another window moves there, the selection following it', async () => {
    const from = await gaugePoint(page, 'Compass_Toggle', 9, 9);
    const side = await page.locator('.window[data-window="1"] .edit-layer').boundingBox();
    const into = { x: side.x + side.width * 0.8, y: side.y + side.height * 0.85 };
    const layout = await edited(page, () => dragMouse(page, from, into, { steps: 12 }));
    const moved = placements(layout).filter((one) => one.name === 'Compass_Toggle');
    assert.deepEqual(moved.map((one) => [one.section, one.key, one.parameters]), [['Window01', 'gauge01', 'tCOMPASS_PANEL']]);
    await page.waitForFunction(() => document.querySelector('[data-edit-field="window"]').value === 'Window01');
    assert.ok((await page.locator('.edit-facts').textContent()).includes('gauge01'));
  });

  test('a refused edit shows the host\'s message over the panel, and nothing moves', async () => {
    const faces = async () =>
      Promise.all([0, 1].map((i) => page.locator(`.window[data-window="${i}"] .window-face`).boundingBox()));
    const before = await faces();
    const width = page.locator('[data-edit-field="width"]');
    await width.fill('0');
    await width.press('Enter');
    const message = page.locator('#edit-message');
    await message.waitFor({ state: 'visible' });
    assert.match(await message.textContent(), /width/i);
    assert.deepEqual(await faces(), before);
    // Through the interface, a gauge the window does not have is refused too.
    const answer = await api(server.url, 'placement', { window: 'Window00', gauge: 'gauge77', x: 5, y: 5 });
    assert.ok(answer.status === 404 || answer.status === 400, `answered ${answer.status}`);
    assert.match(answer.text, /gauge77/);
    await message.locator('button').click();
    await message.waitFor({ state: 'hidden' });
  });

  test('undo brings back every placement; undo and Save the file byte for byte', async () => {
    const undo = page.locator('[data-edit-action="undo"]');
    while (await undo.isEnabled()) await edited(page, () => undo.click());
    assert.deepEqual(placements(await layoutOf(page)), original);
    assert.ok(await page.locator('[data-edit-action="redo"]').isEnabled());
    // Redo by key, and back again.
    const redone = await edited(page, () => page.keyboard.press('Control+Shift+z'));
    assert.notDeepEqual(placements(redone), original);
    await edited(page, () => page.keyboard.press('Control+z'));
    await edited(page, () => page.locator('[data-edit-action="save"]').click());
    assert.equal(fs.readFileSync(panelFile, 'latin1'), PANEL);
  });

  test('the scenario played on, and no press reached a gauge', async () => {
    const time = await page.locator('#scenario-time').textContent();
    await page.waitForFunction((shown) => document.getElementById('scenario-time').textContent !== shown, time);
    assert.deepEqual(presses, []);
    // Out of edit mode the gauges take presses again.
    await page.locator('#edit-toggle').click();
    await page.locator('#edit-panel').waitFor({ state: 'hidden' });
    const point = await gaugePoint(page, 'Attitude', 150, 150);
    await page.mouse.click(point.x, point.y);
    await page.waitForTimeout(300);
    assert.ok(presses.length > 0, 'a press went to the host');
  });
});

describe('edit mode on a tablet and a phone', () => {
  test('a finger selects a gauge, drags it, and the side panel fits the screen', async () => {
    const context = await screens.open({ width: 768, height: 1024, touch: true });
    const page = await openWorkbench(context, server.url);
    try {
      await page.locator('#edit-toggle').tap();
      await page.locator('#edit-panel').waitFor({ state: 'visible' });
      await setOption(page, 'guides', false);
      const point = await gaugePoint(page, 'Attitude', 150, 150);
      await page.touchscreen.tap(point.x, point.y);
      await page.locator('.edit-selection').waitFor({ state: 'visible' });
      const sheet = await page.locator('#edit-panel').boundingBox();
      const area = await page.locator('#panel-area').boundingBox();
      assert.ok(sheet.y >= area.y + area.height - 1 && sheet.y + sheet.height <= 1024 + 0.5, 'the sheet lies below the panel');
      assert.ok(area.height > 400, `the panel keeps ${area.height} px`);
      const grip = await page.locator('.edit-handle-se').boundingBox();
      assert.ok(grip.width >= 20, `handles a finger can hit (${grip.width} px)`);

      const cdp = await context.newCDPSession(page);
      const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
      const layout = await edited(page, async () => {
        await touch('touchStart', [{ x: point.x, y: point.y }]);
        for (let step = 1; step <= 6; step += 1) await touch('touchMove', [{ x: point.x + 8 * step, y: point.y }]);
        await page.mouse.move(1, 1);
        await page.screenshot({ path: path.join(pictures, 'screens-edit-tablet.png') });
        await touch('touchEnd', []);
      });
      await cdp.detach();
      const moved = placements(layout).find((one) => one.key === 'gauge01');
      assert.ok(moved.x > 250, `moved to ${moved.x}`);
      await edited(page, () => page.locator('[data-edit-action="undo"]').tap());
      assert.equal((await placementOf(page, 'Window00', 'gauge01')).x, 240);
      assert.deepEqual(page.errors, []);
    } finally {
      await context.close();
    }
  });

  test('on a phone the sheet and the panel share the screen, and the sheet folds away', async () => {
    const context = await screens.open({ width: 390, height: 844, touch: true, mobile: true });
    const page = await openWorkbench(context, server.url);
    try {
      await page.locator('#edit-toggle').tap();
      const sheet = page.locator('#edit-panel');
      await sheet.waitFor({ state: 'visible' });
      const box = await sheet.boundingBox();
      assert.ok(box.x >= 0 && box.x + box.width <= 390.5 && box.y + box.height <= 844.5, 'inside the screen');
      for (const action of ['undo', 'redo', 'save']) {
        assert.ok(await page.locator(`[data-edit-action="${action}"]`).isVisible(), action);
      }
      const area = async () => (await page.locator('#panel-area').boundingBox()).height;
      const shared = await area();
      await page.locator('.edit-fold').tap();
      await page.waitForFunction((height) =>
        document.getElementById('panel-area').getBoundingClientRect().height > height + 100, shared);
      assert.ok(await page.locator('[data-edit-action="save"]').isVisible(), 'the buttons stay');
      assert.deepEqual(page.errors, []);
    } finally {
      await context.close();
    }
  });
});

describe('pictures of edit mode', () => {
  test('at 1280x800: a gauge dragged along a guide, the palette and the side panel', async () => {
    const context = await screens.open({ width: 1280, height: 800 });
    const page = await openWorkbench(context, server.url);
    try {
      await page.keyboard.press('e');
      await page.locator('#edit-panel').waitFor({ state: 'visible' });
      await setOption(page, 'guides', true);
      const from = await gaugePoint(page, 'Attitude', 150, 150);
      await page.mouse.click(from.x, from.y);
      await page.mouse.down();
      for (let step = 1; step <= 6; step += 1) await page.mouse.move(from.x + 6 * step, from.y + 1);
      assert.ok(await page.locator('.edit-guide').count() > 0, 'the guides show');
      await page.screenshot({ path: path.join(pictures, 'screens-edit-desktop.png') });
      // Escape lets go: the gauge goes back, nothing is sent.
      const { layout } = await layoutOf(page);
      await page.keyboard.press('Escape');
      await page.mouse.up();
      await page.waitForTimeout(300);
      assert.equal((await layoutOf(page)).layout, layout);
      const canvas = await page.locator('canvas.gauge[data-gauge="Attitude"]').boundingBox();
      assert.ok(Math.abs(canvas.x + canvas.width / 2 - from.x) < 2, 'back in its place');
      assert.deepEqual(page.errors, []);
    } finally {
      await context.close();
    }
  });
});

describe('recording a session', () => {
  test('Record, a variable set, Stop: the file beside the panel holds its snap', async () => {
    const context = await screens.open({ width: 1280, height: 800 });
    const page = await openWorkbench(context, server.url);
    try {
      const record = page.locator('#record');
      await record.click();
      await page.waitForFunction(() => document.getElementById('record').classList.contains('recording'));
      const field = page.locator('input[data-variable="74"]');
      await field.fill('4321');
      await field.press('Enter');
      await page.waitForTimeout(200);
      await record.click();
      const note = page.locator('#record-note');
      await note.waitFor({ state: 'visible' });
      const file = await note.locator('code').textContent();
      assert.equal(path.dirname(file), folder);
      assert.equal(await record.getAttribute('aria-pressed'), 'false');
      const recorded = JSON.parse(fs.readFileSync(file, 'utf8'));
      assert.ok(recorded.timeline.some((entry) => entry.t > 0 && entry.snap && entry.snap['74'] === 4321),
                JSON.stringify(recorded.timeline.slice(1)));
      fs.rmSync(file);
      assert.deepEqual(page.errors, []);
    } finally {
      await context.close();
    }
  });
});

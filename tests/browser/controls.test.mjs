// The controls column in real Chromium, as a panel designer reads it: failure
// switches named by what they fail, the variables' search and groups, and the
// key-event log (newest first, at scenario times, kept through a panel reload).
// Leaves a picture of the whole column in controls.png beside the panelhost
// program (or CONTROLS_SCREENSHOT). Run with PANELHOST, MARLOW_MODULE and
// PROBE_MODULE set, as workbench.test.mjs.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  api, keyLog, moduleFolder, openBrowser, openWorkbench, pauseScenario, settle, startPanelServer,
  startServer, temporaryDirectory,
} from './workbench.mjs';

const VIEWPORT = { width: 1400, height: 900 };

let browser;
before(async () => { browser = await openBrowser(); });
after(async () => { await browser.close(); });

// The variable rows the search leaves shown: their names.
async function shownVariables(page) {
  return page.$$eval('#variables .variable:not([hidden]) .variable-name', (names) =>
    names.map((name) => name.textContent));
}

async function groupsShown(page) {
  return page.$$eval('#variables details.group:not([hidden])', (groups) =>
    groups.map((group) => group.dataset.group));
}

// Waits until the key log has `count` rows.
async function keyLogRows(page, count) {
  await page.waitForFunction((want) => document.querySelectorAll('#key-log tbody tr').length >= want, count);
  return keyLog(page);
}

describe('the controls of the example panel', () => {
  let server;
  let page;
  before(async () => {
    server = await startServer();
    page = await openWorkbench(browser.context, server.url);
    await page.setViewportSize(VIEWPORT);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    assert.equal(await server.stop(), 0, server.errors());
  });

  test('the failure switch for key 3 is the pitot-static system, on the airspeed indicator', async () => {
    const failure = page.locator('.failure:has(input[data-failure="3"])');
    assert.equal(await failure.locator('.failure-name').textContent(), 'Pitot-static system');
    assert.equal(await failure.locator('.failure-key').textContent(), 'key 3');
    const gauges = await failure.locator('.failure-gauges .gauge-name').allTextContents();
    assert.ok(gauges.includes('Airspeed'), `gauges: ${gauges.join(', ')}`);
    assert.ok(gauges.includes('Vertical_Speed'), `gauges: ${gauges.join(', ')}`);

    // Element by element only when asked for, by gauge.
    const uses = failure.locator('details.failure-uses');
    assert.equal(await uses.evaluate((details) => details.open), false);
    assert.equal(await uses.locator('li', { hasText: 'needle 2 reads 0' }).first().isVisible(), false);
    await uses.locator('summary').click();
    const airspeed = uses.locator('> ul > li', { has: page.locator('.gauge-name', { hasText: /^Airspeed$/ }) });
    assert.deepEqual(await airspeed.locator('li').allTextContents(), ['needle 2 reads 0']);
    // And on hover over the gauge's name.
    assert.match(await failure.locator('.failure-gauges .gauge-name[data-gauge="Airspeed"]').getAttribute('title'),
                 /needle 2 reads 0/);
    await uses.locator('summary').click();

    // The switch still switches the failure.
    await failure.locator('input').check();
    await page.waitForFunction(() =>
      document.querySelector('.failure:has(input[data-failure="3"])').classList.contains('active'));
    await failure.locator('input').uncheck();
    await page.waitForFunction(() =>
      !document.querySelector('.failure:has(input[data-failure="3"])').classList.contains('active'));
  });

  test('typing in the search shows the variables it finds, under their groups', async () => {
    const search = page.locator('#variable-search');
    const all = (await shownVariables(page)).length;
    assert.ok(all >= 90, `${all} variables`);

    await search.pressSequentially('altitude');
    assert.deepEqual(await shownVariables(page), ['INDICATED_ALTITUDE']);
    assert.equal(await page.locator('input[data-variable="74"]').isVisible(), true);
    assert.equal(await page.locator('input[data-variable="61"]').isVisible(), false, 'AIRSPEED hidden');
    assert.deepEqual(await groupsShown(page), ['Flight']);
    assert.equal(await page.locator('details.group[data-group="Flight"] .group-count').textContent(), '1 of 12');

    // Upper case, the unit, the group and the id find rows too; every word must match.
    await search.fill('ALTITUDE');
    assert.deepEqual(await shownVariables(page), ['INDICATED_ALTITUDE']);
    await search.fill('rankine');
    const rankine = await shownVariables(page);
    assert.equal(rankine.length, 8, `oil temperatures and ITTs: ${rankine.join(", ")}`);
    assert.deepEqual(await groupsShown(page), ['Engines']);
    await search.fill('gear and flaps');
    assert.equal((await shownVariables(page)).length, 4);
    await search.fill('eng2 oil');
    assert.deepEqual(await shownVariables(page), ['ENG2_OIL_TEMPERATURE', 'ENG2_OIL_PRESSURE']);
    await search.fill('855');
    assert.deepEqual(await shownVariables(page), ['HEADING_BUG']);
    await search.fill('no such thing');
    assert.deepEqual(await groupsShown(page), []);
    assert.equal(await page.locator('#variables .no-match').isVisible(), true);

    // A folded group opens for a search and folds again after it.
    await search.press('Escape');
    await page.locator('details.group[data-group="Navigation"] > summary').click();
    await search.fill('heading bug');
    assert.equal(await page.locator('input[data-variable="855"]').isVisible(), true);
    await search.press('Escape');
    assert.equal(await search.inputValue(), '');
    assert.equal(await page.locator('input[data-variable="855"]').isVisible(), false);
    assert.equal((await shownVariables(page)).length, all);
    await page.locator('details.group[data-group="Navigation"] > summary').click();
    assert.equal(await page.locator('input[data-variable="855"]').isVisible(), true);
  });

  test('a found variable\'s field still sets it', async () => {
    await pauseScenario(page, server.url);
    await page.locator('#variable-search').fill('altitude');
    const field = page.locator('input[data-variable="74"]');
    await field.fill('3210');
    await field.press('Enter');
    await page.locator('#variable-search').focus();
    await page.waitForFunction(() => document.querySelector('input[data-variable="74"]').value === '3210');
    await page.locator('#variable-search').fill('');
  });

  test('every variable\'s name shows whole, with its slider and field inside the column', async () => {
    const column = await page.locator('#controls').boundingBox();
    const rows = await page.$$eval('#variables .variable', (items) => items.map((row) => {
      const name = row.querySelector('.variable-name');
      const field = row.querySelector('input[type="text"]').getBoundingClientRect();
      return {
        name: name.textContent,
        cut: name.scrollWidth > name.clientWidth + 1 || name.scrollHeight > name.clientHeight + 1,
        title: row.querySelector('.name').title,
        fieldRight: field.right,
        fieldWidth: field.width,
      };
    }));
    for (const row of rows) {
      assert.equal(row.cut, false, `${row.name} is cut off`);
      assert.ok(row.title.startsWith(`${row.name}\n`), `${row.name}'s title: ${row.title}`);
      assert.ok(row.fieldRight <= column.x + column.width, `${row.name}'s field inside the column`);
      assert.ok(row.fieldWidth >= 70, `${row.name}'s field ${row.fieldWidth} px wide`);
    }
  });

  test('the key log shows the newest event first, at its scenario time', async () => {
    await pauseScenario(page, server.url);
    const before = (await keyLog(page)).length;
    await page.locator('#key-name').fill('ADF_IDENT_ON');
    await page.locator('#key-value').fill('1');
    await page.locator('#send-key button[type="submit"]').click();
    await keyLogRows(page, before + 1);
    await api(server.url, 'scenario', { action: 'step', seconds: 1 });
    assert.equal((await api(server.url, 'key', { event: 'ADF_IDENT_OFF', value: 2 })).status, 200);
    const log = await keyLogRows(page, before + 2);

    assert.deepEqual([log[0].name, log[0].value], ['ADF_IDENT_OFF', '2']);
    assert.deepEqual([log[1].name, log[1].value], ['ADF_IDENT_ON', '1']);
    const seconds = log.slice(0, 2).map((row) => {
      assert.match(row.time, /^\d+\.\d s$/);
      return Number.parseFloat(row.time);
    });
    const stepped = seconds[0] - seconds[1];
    assert.ok(stepped > 0.85 && stepped < 1.15, `a second apart in the scenario: ${log[1].time}, ${log[0].time}`);
    // The scenario's time, not the host's: the toolbar's clock reads the same.
    const clock = await page.locator('#scenario-time').textContent();
    const [minutes, rest] = clock.split(' / ')[0].split(':');
    near(Number(minutes) * 60 + Number(rest), seconds[0], 0.15, 'the scenario clock');
  });

  test('a picture of the controls column', async () => {
    await page.locator('#variable-search').fill('');
    await page.locator('.failure:has(input[data-failure="3"]) details.failure-uses > summary').click();
    // Tall enough for the whole column at the same width, then as it was.
    const height = await page.locator('#controls').evaluate((column) => column.scrollHeight);
    await page.setViewportSize({ width: VIEWPORT.width, height: height + 120 });
    await page.mouse.move(1, 1);
    await settle(page, 300);
    const file = process.env.CONTROLS_SCREENSHOT ||
      path.join(path.dirname(path.resolve(process.env.PANELHOST)), 'controls.png');
    await page.locator('#controls').screenshot({ path: file });
    await page.setViewportSize(VIEWPORT);
  });
});

describe('the key log through a panel reload', () => {
  const folder = temporaryDirectory('controls-panel-');
  const panelFile = path.join(folder, 'panel.cfg');
  const panel = (gauges) => `[Window00]
size_mm=400,200
${gauges}`;
  let modules;
  let server;
  let page;
  before(async () => {
    modules = moduleFolder({ Marlow_Instr: path.resolve(process.env.MARLOW_MODULE) });
    server = await startPanelServer(panelFile, panel('gauge00=Marlow_Instr!Airspeed, 0, 0, 200\n'), modules);
    page = await openWorkbench(browser.context, server.url);
    await page.setViewportSize(VIEWPORT);
  });
  after(async () => {
    assert.deepEqual(page.errors, []);
    assert.equal(await server.stop(), 0, server.errors());
    fs.rmSync(folder, { recursive: true, force: true });
    fs.rmSync(modules, { recursive: true, force: true });
  });

  test('keeps its rows, in their order, and adds only the new ones', async () => {
    for (let value = 1; value <= 3; value += 1) {
      await api(server.url, 'key', { event: 'XPDR_1_INC', value });
      await keyLogRows(page, value);
    }
    const before = await keyLog(page);
    assert.deepEqual(before.map((row) => row.value), ['3', '2', '1']);

    const layout = await page.evaluate(() => window.workbench.layout.layout);
    fs.writeFileSync(panelFile, panel('gauge00=Marlow_Instr!Airspeed, 0, 0, 200\n' +
                                      'gauge01=Marlow_Instr!Vertical_Speed, 200, 0, 200\n'));
    await page.waitForFunction((old) => window.workbench.layout.layout !== old &&
      document.querySelectorAll('canvas.gauge').length === 2, layout);
    // The first frames of the new layout repeat the host's log.
    const frames = await page.evaluate(() => window.workbench.frames);
    await page.waitForFunction((count) => window.workbench.frames > count + 3, frames);
    assert.deepEqual(await keyLog(page), before);

    await api(server.url, 'key', { event: 'XPDR_1_DEC', value: 4 });
    const after = await keyLogRows(page, 4);
    assert.deepEqual(after.map((row) => `${row.name} ${row.value}`),
                     ['XPDR_1_DEC 4', 'XPDR_1_INC 3', 'XPDR_1_INC 2', 'XPDR_1_INC 1']);
  });
});

function near(actual, expected, tolerance, what) {
  assert.ok(Math.abs(actual - expected) <= tolerance, `${what}: ${actual}, not ${expected}`);
}

// Several pages on one workbench, each showing the windows at a size of its own: a
// desktop showing the whole panel and a tablet (two device pixels per CSS pixel)
// showing the radio stack alone. The host draws each window's pictures at the
// largest zoom a watching page asks, so that no page shows them blurred; once the
// tablet has gone, the desktop's pictures come back to its own size. Leaves
// pictures of both pages next to the program (zooms-desktop.png, zooms-tablet.png).
// Run by CTest; by hand with PANELHOST, MARLOW_MODULE and PROBE_MODULE set.
import assert from 'node:assert/strict';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import {
  blurred, describeSizes, eventually, openWorkbench, oversized, pictureSizes, picturesFolder,
  screensAndServer,
} from './workbench.mjs';

const RADIO_STACK = 2;
const COM = 'Becker_AR3202_COM1';

const session = screensAndServer();

describe('a desktop and a tablet on one workbench', () => {
  let desktop;
  let tablet;
  before(async () => {
    desktop = await openWorkbench(await session.screens.open({ width: 1400, height: 900 }), session.server.url);
    tablet = await openWorkbench(await session.screens.open({ width: 768, height: 1024, touch: true, pixelRatio: 2 }),
                                 new URL('window/RADIO_STACK_PANEL', session.server.url).href);
  });
  after(async () => {
    assert.deepEqual(desktop.errors, []);
    await desktop.context().close();
  });

  // The pictures of the radio stack on a page.
  const radioStack = async (page) => (await pictureSizes(page)).filter((size) => size.window === RADIO_STACK);
  const comOf = async (page) => (await pictureSizes(page)).find((size) => size.gauge === COM);

  test('each page\'s pictures have at least as many pixels as it shows them at', async () => {
    // The tablet opened the radio stack in the host: the desktop shows it too.
    await desktop.locator(`.window[data-window="${RADIO_STACK}"]`).waitFor({ state: 'visible' });
    await tablet.locator(`canvas.gauge[data-gauge="${COM}"]`).waitFor({ state: 'visible' });
    for (const page of [desktop, tablet]) {
      const sharp = await eventually(async () => blurred(await pictureSizes(page)).length === 0);
      assert.ok(sharp, `blurred: ${describeSizes(blurred(await pictureSizes(page)))}`);
    }
    const onTablet = await pictureSizes(tablet);
    assert.ok(onTablet.length >= 6, 'the tablet shows the radio stack');
    assert.ok(onTablet.every((size) => size.window === RADIO_STACK), 'and nothing else');
    assert.deepEqual(oversized(onTablet), [], 'drawn for the tablet, the largest ask');

    // One picture serves both: the desktop shows the tablet's, scaled down, and
    // the main panel at its own size.
    const com = { desktop: await comOf(desktop), tablet: await comOf(tablet) };
    assert.equal(com.desktop.drawn, com.tablet.drawn);
    assert.ok(com.desktop.shown < com.tablet.shown / 1.5,
              `the COM is shown ${com.desktop.shown} px wide on the desktop, ${com.tablet.shown} on the tablet`);
    const mainPanel = (await pictureSizes(desktop)).filter((size) => size.window === 0);
    assert.deepEqual(oversized(mainPanel), [], 'the main panel drawn for the desktop');

    await desktop.mouse.move(1, 1);
    await desktop.screenshot({ path: path.join(picturesFolder, 'zooms-desktop.png') });
    await tablet.screenshot({ path: path.join(picturesFolder, 'zooms-tablet.png') });
    assert.deepEqual(tablet.errors, []);
  });

  test('once the tablet has gone, the desktop\'s pictures come back to its own size', async () => {
    await tablet.context().close();
    const own = await eventually(async () => oversized(await radioStack(desktop)).length === 0);
    const sizes = await pictureSizes(desktop);
    assert.ok(own, `still drawn for the tablet: ${describeSizes(oversized(sizes))}`);
    assert.deepEqual(blurred(sizes), [], 'and none blurred');
    // The radio stack is still open; the host no longer draws it for a page that is gone.
    assert.ok((await radioStack(desktop)).length >= 6);
  });
});

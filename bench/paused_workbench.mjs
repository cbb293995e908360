// The browser benchmarks' common start: a headless Chromium at 1400 × 900 on the
// example panel served by a fresh `panelhost serve`, its flight paused so that only
// what the benchmark does changes the page. `run(page, server)` does the measuring.
import {
  openBrowser, openWorkbench, pauseScenario, startServer,
} from '../tests/browser/workbench.mjs';

export async function withPausedWorkbench(run) {
  const browser = await openBrowser();
  const server = await startServer();
  try {
    const page = await openWorkbench(browser.context, server.url);
    await page.setViewportSize({ width: 1400, height: 900 });
    await pauseScenario(page, server.url);
    await run(page, server);
  } finally {
    await server.stop();
    await browser.close();
  }
}

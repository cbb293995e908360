// The workbench page: reads the panel's layout, then asks the host for frame after
// frame (each one held until the host has run a cycle) and shows what changed.
import { getFrame, getLayout, post } from './api.js';
import { Controls } from './controls.js';
import { PanelView, hasScreenPlace } from './panel_view.js';

const connection = document.getElementById('connection');

function reportError(error) {
  console.warn(error);
  connection.textContent = error.message;
  connection.classList.add('lost');
  clearTimeout(reportError.timer);
  reportError.timer = setTimeout(() => connection.classList.remove('lost'), 4000);
}

const view = new PanelView({
  container: document.getElementById('panel'),
  tooltip: document.getElementById('tooltip'),
  onZoom: (zoom) => post('view', { zoom }).catch(reportError),
  onError: reportError,
});
const controls = new Controls({ onError: reportError });

// Windows as the panel file places them on the screen, or side by side; a panel
// whose windows give no place shows them side by side either way.
const arrangement = document.getElementById('arrangement');
arrangement.addEventListener('change', () => view.setArrangement(arrangement.value));
function offerArrangement(layout) {
  arrangement.disabled = !layout.windows.some(hasScreenPlace);
  arrangement.title = arrangement.disabled ? 'No window of this panel gives a place on the screen' : '';
}

// Click sounds, played from the module's own WAVE resources.
const sounds = new Map();
function play(sound) {
  const url = `/module/${encodeURIComponent(sound.module)}/wave/${sound.wave}`;
  if (!sounds.has(url)) sounds.set(url, new Audio(url));
  const audio = sounds.get(url).cloneNode();
  audio.play().catch(() => {});   // the browser may refuse until the page is clicked
}

const state = { layout: null, cycle: 0, frames: 0 };
// For tests and the curious: the layout, and how many frames were shown.
window.workbench = state;

async function run() {
  for (;;) {
    try {
      const frame = await getFrame(state.cycle);
      if (!state.layout || frame.layout !== state.layout.layout || frame.cycle < state.cycle) {
        // A new panel (or a new host): build it, then ask for everything.
        state.layout = await getLayout();
        view.build(state.layout);
        controls.build(state.layout);
        offerArrangement(state.layout);
        state.cycle = 0;
        continue;
      }
      view.setWindowsShown(frame.windows);
      await view.showPictures(frame.pictures);
      controls.update(frame);
      frame.sounds.forEach(play);
      state.cycle = frame.cycle;
      state.frames += 1;
      if (!connection.classList.contains('lost')) connection.textContent = `cycle ${frame.cycle}`;
    } catch (error) {
      reportError(new Error(`host not reachable: ${error.message}`));
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }
}

run();

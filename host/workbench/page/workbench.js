// The workbench page: reads the panel's layout, then asks the host for frame after
// frame (each one held until the host has run a cycle) and shows what changed. At
// /window/NAME it shows that one window alone, for a tablet or a second screen;
// any number of pages follow one host together.
import { getFrame, getLayout, post } from './api.js';
// The panel (and with it the gauges' keys) first: a focused gauge's keys must reach
// it before any shortcut of the controls.
import { PanelView, findWindow, hasScreenPlace, windowAddress } from './panel_view.js';
import { Controls, show } from './controls.js';
import { EditMode } from './edit_mode.js';

const body = document.body;
const connection = document.getElementById('connection');

// This page's name for the host, made at load and sent with its frame requests and
// its zooms: the host draws each window at the largest zoom that a watching page
// asks, and stops counting this page's once it stops asking for frames.
function newPageId() {
  const bytes = crypto.getRandomValues(new Uint8Array(8));
  return Array.from(bytes, (byte) => byte.toString(16).padStart(2, '0')).join('');
}
const pageId = newPageId();

// The connection line keeps its width; the whole of a long message shows on hover.
function showConnection(text) {
  show(connection, 'textContent', text);
  show(connection, 'title', text);
}

// The cycle count shows that the host is there; written at every frame, it would
// cost the page a layout and paint 30 times a second.
const CYCLE_SHOWN_EVERY_MS = 250;

function reportError(error) {
  console.warn(error);
  showConnection(error.message);
  connection.classList.add('lost');
  clearTimeout(reportError.timer);
  reportError.timer = setTimeout(() => connection.classList.remove('lost'), 4000);
}

// The window this page shows alone, from its address: /window/RADIO_STACK_PANEL.
const aloneMatch = location.pathname.match(/^\/window\/([^/]+)\/?$/);
const aloneName = aloneMatch ? decodeURIComponent(aloneMatch[1]) : null;
if (aloneName !== null) body.classList.add('alone');

const view = new PanelView({
  container: document.getElementById('panel'),
  area: document.getElementById('panel-area'),
  tooltip: document.getElementById('tooltip'),
  onZoom: (index, zoom) => post('view', { window: index, zoom, page: pageId }).catch(reportError),
  onError: reportError,
  onFit: () => editMode.place(),
});
const controls = new Controls({ onError: reportError });
// Edit mode's keys come before the page's own (its Escape lets go of a selection).
const editMode = new EditMode({ view, onToggle: (editing) => editToggled(editing) });

// Windows as the panel file places them on the screen, or side by side; a panel
// whose windows give no place shows them side by side either way.
const arrangement = document.getElementById('arrangement');
arrangement.addEventListener('change', () => view.setArrangement(arrangement.value));
function offerArrangement(layout) {
  arrangement.disabled = !layout.windows.some(hasScreenPlace);
  arrangement.title = arrangement.disabled ? 'No window of this panel gives a place on the screen' : '';
}

// The controls: a column beside the panel that can be hidden, or on a narrow screen
// (and on a window's own page) a drawer over the panel that starts closed.
const controlsToggle = document.getElementById('controls-toggle');
const narrow = matchMedia('(max-width: 899px)');
let wideShown = true;   // the pilot's choice for wide screens
function showControls(shown) {
  body.classList.toggle('controls-hidden', !shown);
  controlsToggle.setAttribute('aria-expanded', String(shown));
  controlsToggle.classList.toggle('active', shown);
}
function drawer() { return narrow.matches || aloneName !== null; }
controlsToggle.addEventListener('click', () => {
  const shown = body.classList.contains('controls-hidden');
  if (!drawer()) wideShown = shown;
  showControls(shown);
});
narrow.addEventListener('change', () => showControls(!drawer() && wideShown && !editMode.editing));
showControls(!drawer());
// The layout's side panel takes the controls' place while editing; the Controls
// button still brings them, and they come back as they were afterwards.
function editToggled(editing) {
  showControls(!editing && !drawer() && wideShown);
}
// Nor does the column start open when the windows, at the smallest size their knobs
// can be hit at, fit only without it.
let startDecided = false;
function decideStart() {
  if (startDecided) return;
  startDecided = true;
  if (drawer()) return;
  const beyond = view.overflow().width;
  if (beyond > 1 && beyond <= document.getElementById('controls').offsetWidth) {
    wideShown = false;
    showControls(false);
  }
}

// On a window's own page, the corner button brings back the toolbar (and with it
// the controls); the page of all windows is a link away.
const menuToggle = document.getElementById('menu-toggle');
menuToggle.addEventListener('click', () => {
  const open = !body.classList.contains('menu-open');
  body.classList.toggle('menu-open', open);
  menuToggle.setAttribute('aria-expanded', String(open));
  if (!open) showControls(false);
});

// The problems lie over the panel until closed, and come back when they change.
const problems = document.getElementById('problems');
document.getElementById('problems-close').addEventListener('click', () => problems.classList.add('dismissed'));
new MutationObserver(() => problems.classList.remove('dismissed'))
  .observe(document.getElementById('problem-list'), { childList: true });

// Night: the switch, or else the panel lights being on, darkens everything around
// the gauges.
const nightSwitch = document.getElementById('night');
let panelLit = false;
function showNight() { body.classList.toggle('night', nightSwitch.checked || panelLit); }
nightSwitch.addEventListener('change', showNight);

document.addEventListener('keydown', (event) => {
  if (event.key !== 'Escape' || event.defaultPrevented) return;
  if (view.enlarged !== null) view.setEnlarged(null);
  else if (drawer() && !body.classList.contains('controls-hidden')) showControls(false);
});

// Click sounds, played from the module's own WAVE resources.
const sounds = new Map();
function play(sound) {
  const url = `/module/${encodeURIComponent(sound.module)}/wave/${sound.wave}`;
  if (!sounds.has(url)) sounds.set(url, new Audio(url));
  const audio = sounds.get(url).cloneNode();
  audio.play().catch(() => {});   // the browser may refuse until the page is clicked
}

const state = {
  layout: null, cycle: 0, frames: 0, alone: null, openAsked: false, openAskedAt: -Infinity, page: pageId, zooms: [], cycleShownAt: -Infinity,
};
// For tests and the curious: the layout, how many frames were shown, which window
// this page shows alone, this page's id and the zooms the host draws at.
window.workbench = state;

// What a window's own page says when its window is not there: closed in the host
// (with a button to open it), or no window of that name.
const aloneNote = document.getElementById('alone-note');
function noteAlone(frame) {
  const layout = state.layout;
  if (state.alone < 0) {
    const links = layout.windows.map((each, index) => {
      const link = document.createElement('a');
      link.href = `/window/${windowAddress(layout.windows, index)}`;
      link.textContent = each.title || `Window ${index}`;
      return link;
    });
    aloneNote.replaceChildren(`This panel has no window called "${aloneName}". Its windows: `, ...links);
    aloneNote.hidden = false;
    return;
  }
  // Not while the host is opening it.
  const shown = frame.windows[state.alone] || performance.now() - state.openAskedAt < 1500;
  aloneNote.hidden = shown;
  if (shown || aloneNote.dataset.closed === String(state.alone)) return;
  aloneNote.dataset.closed = String(state.alone);
  const open = document.createElement('button');
  open.type = 'button';
  open.textContent = 'Open it';
  open.addEventListener('click', () => post('view', { window: state.alone, shown: true }).catch(reportError));
  const closed = layout.windows[state.alone];
  aloneNote.replaceChildren(`${closed.title || `Window ${state.alone}`} is closed. `, open);
}

function showAlone(layout) {
  state.alone = findWindow(layout.windows, aloneName);
  view.setAlone(state.alone);
  const shown = layout.windows[state.alone];
  document.title = `${shown ? shown.title || shown.section : aloneName} · panelhost`;
  delete aloneNote.dataset.closed;
  state.openAsked = false;
}

async function run() {
  for (;;) {
    try {
      const frame = await getFrame(state.cycle, pageId);
      if (!state.layout || frame.layout !== state.layout.layout || frame.cycle < state.cycle) {
        // A new panel (or a new host): build it, then ask for everything.
        state.layout = await getLayout();
        view.build(state.layout);
        editMode.build(state.layout);
        controls.build(state.layout);
        offerArrangement(state.layout);
        if (aloneName !== null) showAlone(state.layout);
        state.cycle = 0;
        continue;
      }
      if (aloneName !== null && state.alone >= 0 && !frame.windows[state.alone] && !state.openAsked) {
        // The window this page is for opens in the host when the page comes.
        state.openAsked = true;
        state.openAskedAt = performance.now();
        post('view', { window: state.alone, shown: true }).catch(reportError);
      }
      view.setWindowsShown(frame.windows);
      view.checkZooms(frame.zooms);
      state.zooms = frame.zooms;
      decideStart();
      await view.showPictures(frame.pictures);
      controls.update(frame);
      if (aloneName !== null) noteAlone(frame);
      panelLit = Number(frame.values['10']) > 0;
      showNight();
      frame.sounds.forEach(play);
      state.cycle = frame.cycle;
      state.frames += 1;
      if (!connection.classList.contains('lost') && performance.now() - state.cycleShownAt >= CYCLE_SHOWN_EVERY_MS) {
        showConnection(`cycle ${frame.cycle}`);
        state.cycleShownAt = performance.now();
      }
    } catch (error) {
      reportError(new Error(`host not reachable: ${error.message}`));
      await new Promise((resolve) => setTimeout(resolve, 1000));
    }
  }
}

run();

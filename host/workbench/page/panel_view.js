// The panel windows: each gauge a canvas showing the host's picture of it (a gauge
// the host cannot run a labelled box), on the window's background; the windows
// either where the panel file puts them on the screen or flowing in rows, each as
// large as the page allows but never so small that its knobs cannot be hit; one
// window enlarged to the whole page, or alone on a page of its own. The pictures
// are asked for at the size each window is shown; presses, the wheel and the keys
// go to the host (gauge_input.js), the pointer's cursor and tooltip come from the
// gauges' mouse areas.
import { post } from './api.js';
import { show } from './controls.js';
import { GaugeInput, pointerInfo } from './gauge_input.js';
import { FINGER_PIXELS, POINTER_PIXELS, flowLayout, hitScale, smallestHit } from './layout.js';

export { pointerInfo };

const WINDOW_GAP = 12;     // CSS pixels between windows (see workbench.css)
const TITLE_HEIGHT = 18;   // the window title line (workbench.css), taller for fingers
const TOUCH_TITLE_HEIGHT = 28;
const BORDER = 2;          // a window face's border, both sides
// Windows sized by their panel units alone are laid on the screen at one scale: the
// one at which this many units span its width, or less when a window would not fit.
const SCREEN_UNITS = 1024;
// Beside windows placed on the screen, the windows without a place flow above it,
// in about this share of the area's height.
const FLOW_SHARE = 0.4;
// The host draws pictures at 0.25 to 4 pixels per panel unit, in steps of 0.05.
const MIN_ZOOM = 0.25;
export const MAX_ZOOM = 4;
const ZOOM_DELAY_MS = 200;
// A window drawn smaller than this page asked is asked for again, at most this often.
const ZOOM_ASK_AGAIN_MS = 2000;
// A window opened within this long of a press on this page is scrolled into view.
const OPENED_BY_PILOT_MS = 3000;
// A window magnified for a finger goes back to its whole size once left alone this long.
const MAGNIFIED_MS = 5000;

// The host's window names, as panel files and addresses give them.
export const WINDOW_NAMES = {
  MAIN_PANEL: 0, RADIO_STACK_PANEL: 50, COMPASS_PANEL: 75, ANNUNCIATOR_PANEL: 125,
  ANNUNCIATOR2_PANEL: 150, COLLECTIVE_PANEL: 200, THROTTLE_PANEL: 10, MINI_CONTROLS_PANEL: 100,
  IFR_MAIN_PANEL: 175, GPS_PANEL: 225, OVERHEAD_PANEL: 250,
};

// The window an address names: its ident (RADIO_STACK_PANEL, any case, or its
// number), its number in the layout, its section ([Window02]) or its title.
// Returns its index in `windows`, or -1.
export function findWindow(windows, name) {
  const text = String(name).trim();
  const upper = text.toUpperCase();
  if (upper in WINDOW_NAMES) return windows.findIndex((window) => window.ident === WINDOW_NAMES[upper]);
  if (/^\d+$/.test(text)) {
    const number = Number(text);
    if (number < windows.length) return number;
    return windows.findIndex((window) => window.ident === number);
  }
  const lower = text.toLowerCase();
  return windows.findIndex((window) => window.section.toLowerCase() === lower ||
                                       (window.title || '').toLowerCase() === lower);
}

// The address part that names window `index`: its ident's name when it has one (and
// no earlier window shares it), else its number in the layout.
export function windowAddress(windows, index) {
  const named = Object.entries(WINDOW_NAMES).find(([, number]) => number === windows[index].ident);
  return named && findWindow(windows, named[0]) === index ? named[0] : String(index);
}

// Whether the panel file says where on the screen the window lies.
export function hasScreenPlace(window) {
  const place = window.screen;
  return Boolean(place) &&
    (place.position != null || place.window_pos != null || place.window_size != null);
}

// The panel-unit scale of windows placed on a screen of `width` x `height` without a
// window_size of their own.
export function screenUnitScale(windows, width, height) {
  let scale = width / SCREEN_UNITS;
  for (const window of windows) {
    if (window.screen.window_size) continue;
    const ratio = window.screen.size_ratio ?? 1;
    scale = Math.min(scale, (width - BORDER) / (window.width * ratio),
                     (height - BORDER) / (window.height * ratio));
  }
  return scale;
}

// Where a window lies on the screen, in CSS pixels from its top left, with its face's
// border: a preset place (0 top left ... 8 bottom right) or window_pos; sized by
// window_size (fractions of the screen) or by its panel units at `unitScale`, times
// size_ratio. The window keeps its aspect within that size, at the side its preset
// place says. `scale`: CSS pixels per panel unit.
export function screenRect(window, screen, unitScale) {
  const place = window.screen;
  const ratio = place.size_ratio ?? 1;
  const box = place.window_size
    ? { width: place.window_size[0] * screen.width * ratio,
        height: place.window_size[1] * screen.height * ratio }
    : { width: window.width * unitScale * ratio + BORDER,
        height: window.height * unitScale * ratio + BORDER };
  const scale = Math.max(0.01, Math.min((box.width - BORDER) / window.width,
                                        (box.height - BORDER) / window.height));
  const width = window.width * scale + BORDER;
  const height = window.height * scale + BORDER;
  // Column and row of the preset: 0 left or top, 1 middle, 2 right or bottom.
  const preset = place.window_pos ? 0 : Math.min(8, Math.max(0, place.position ?? 0));
  const column = preset % 3;
  const row = Math.floor(preset / 3);
  const left = place.window_pos ? place.window_pos[0] * screen.width : (screen.width - box.width) * column / 2;
  const top = place.window_pos ? place.window_pos[1] * screen.height : (screen.height - box.height) * row / 2;
  return {
    left: left + (box.width - width) * column / 2,
    top: top + (box.height - height) * row / 2,
    width, height, scale,
  };
}

// A placeholder's label as two lines: the module (or the folder of a newer kind of
// gauge) and the gauge.
export function labelParts(label) {
  const bang = label.indexOf('!');
  if (bang >= 0) return [label.slice(0, bang), label.slice(bang + 1)];
  const query = label.indexOf('?');
  const slash = label.lastIndexOf('/', query >= 0 ? query : label.length);
  if (slash >= 0) return [label.slice(0, slash), label.slice(slash + 1)];
  return ['', label];
}

// An arrow cursor drawn as SVG, turned to point up, right, down or left.
function arrowCursor(degrees, fallback) {
  const svg = `<svg xmlns='http://www.w3.org/2000/svg' width='24' height='24'>` +
    `<path transform='rotate(${degrees} 12 12)' d='M12 2 L21 12 H15.5 V22 H8.5 V12 H3 Z' ` +
    `fill='white' stroke='black' stroke-width='1.5'/></svg>`;
  return `url("data:image/svg+xml,${encodeURIComponent(svg)}") 12 12, ${fallback}`;
}

const CURSORS = {
  up: arrowCursor(0, 'n-resize'),
  right: arrowCursor(90, 'e-resize'),
  down: arrowCursor(180, 's-resize'),
  left: arrowCursor(270, 'w-resize'),
  hand: 'pointer',
};

// The size of a placeholder's letters: the gauge's name fits the box's width (at
// about 0.62 em a bold letter; why it does not run may take two lines) and four
// lines its height, from 9 to 13 pixels. What a small box cannot hold, the
// pointer's tip shows.
function placeholderFontSize(gauge, scale) {
  const name = labelParts(gauge.placeholder.label)[1];
  const fitting = Math.min(gauge.height * scale / 4.8,
                           (gauge.width * scale - 8) / (Math.max(name.length, 1) * 0.62));
  return Math.min(13, Math.max(9, fitting));
}

// The device pixels per CSS pixel pictures are drawn for at most: a denser screen (a
// phone at 3) shows them scaled up a little, still sharp, and the host, which draws
// each window once for every watching page at the largest zoom any page asks, is
// spared more than twice the pixels.
export const PIXEL_RATIO_CAP = 2;
// The pixels a page asks for one window's pictures: no more than it shows of the
// window on its screen (a window that scrolls is never seen whole), in device pixels
// at the ratio above, and never more than this (about a 1280 x 800 screen's) beyond
// one per CSS pixel it shows. The host encodes every changed picture each cycle: about
// this many pixels keep it at its full rate.
export const WINDOW_PIXELS = 1e6;

const stepUp = (zoom) => Math.ceil(zoom * 20 - 1e-6) / 20;
const stepDown = (zoom) => Math.floor(zoom * 20 + 1e-6) / 20;

// The pixel budget of a window shown `shown` CSS pixels large (width x height) on a
// screen of `screen` CSS pixels at `ratio` device pixels per CSS pixel.
export function windowPixelBudget(shown, screen, ratio) {
  const counted = Math.min(ratio, PIXEL_RATIO_CAP);
  const seen = Math.min(shown.width * shown.height, screen.width * screen.height);
  return Math.max(seen * Math.min(1, counted * counted), Math.min(WINDOW_PIXELS, seen * counted * counted));
}

// Pixels per panel unit the host is asked to draw a window's pictures at: the zoom
// step at or above the device pixels they cover (the ratio held to
// PIXEL_RATIO_CAP), as far as the window's budget allows. `window`: its size in
// panel units; `units`: the square panel units its gauges cover; `scale`: CSS pixels
// per panel unit.
export function pictureZoom({ window, units, scale, screen, ratio }) {
  const dense = stepUp(scale * Math.min(ratio, PIXEL_RATIO_CAP));
  const shown = { width: window.width * scale, height: window.height * scale };
  const affordable = units > 0 ? stepDown(Math.sqrt(windowPixelBudget(shown, screen, ratio) / units)) : dense;
  return Math.min(MAX_ZOOM, Math.max(MIN_ZOOM, Math.min(dense, affordable)));
}

function zoomFor(entry) {
  const screen = { width: window.innerWidth, height: window.innerHeight };
  return pictureZoom({ window: entry.window, units: entry.pictureUnits, scale: entry.scale, screen,
                       ratio: window.devicePixelRatio });
}

export class PanelView {
  // `area`: the element the windows scroll in; `onZoom(window, zoom)`: the page wants
  // that window's pictures drawn at this many pixels per panel unit (the host draws
  // them at the largest zoom any watching page asks, and this page scales them);
  // `onEnlarge(index or null)`: a window was enlarged to the page, or back;
  // `onFit()`: the windows and gauges have just been sized and placed.
  constructor({ container, area, tooltip, onZoom, onError, onEnlarge = () => {}, onFit = () => {} }) {
    this.container = container;
    this.area = area || container.parentElement;
    this.tooltip = tooltip;
    this.onZoom = onZoom;
    this.onError = onError;
    this.onEnlarge = onEnlarge;
    this.onFit = onFit;
    this.layout = null;
    // By window: { element, face, enlarge, window, index, smallest (the smallest
    // clickable area, panel units), min (the smallest scale), scale (CSS pixels per
    // panel unit), pictureUnits (the square panel units its gauges cover), zoomSent
    // (the zoom this page asked), zoomAskedAt }.
    this.windows = [];
    this.gauges = [];    // { element: canvas or placeholder box, outline, gauge } by gauge id
    this.shown = [];
    this.arrangement = 'screen';   // or 'side by side'
    this.alone = null;             // the window this page shows alone
    this.enlarged = null;          // the window enlarged to the whole page
    this.mouseSent = Promise.resolve();
    this.extent = { width: 0, height: 0 };   // how far the windows reach past the area
    this.input = new GaugeInput({
      send: (body) => this.sendMouse(body),
      layoutNumber: () => this.layout.layout,
      showTip: (text, event) => this.showTip(text, event),
      cursorOf: (name) => CURSORS[name] || 'default',
      scroller: this.area,
      beforeTap: (event) => this.magnifyIfAmbiguous(event),
    });
    this.magnified = null;   // { index, x, y (panel units), clientX, clientY } of the tap
    this.coarse = matchMedia('(pointer: coarse)');
    this.coarse.addEventListener('change', () => this.fit());
    new ResizeObserver(() => this.fit()).observe(this.area);
    window.addEventListener('resize', () => { if (this.enlarged !== null) this.fit(); });
    window.addEventListener('blur', () => this.release());
  }

  build(layout) {
    this.release();
    const before = this.carriedOver();
    this.layout = layout;
    this.screen = document.createElement('div');
    this.screen.className = 'screen';
    this.screen.title = 'The simulator\'s screen, as large as this area';
    this.screen.hidden = true;
    this.container.replaceChildren(this.screen);
    this.windows = layout.windows.map((window, index) => this.windowOf(window, index));
    // Placeholders lie beneath the gauges that run, as the host's pictures draw them:
    // the gauge one stands for may be a click spot over other instruments.
    for (const gauge of layout.gauges.filter((item) => item.placeholder)) {
      this.gauges[gauge.id] = { element: this.placeholderOf(gauge), outline: null, gauge };
      this.windows[gauge.window].face.append(this.gauges[gauge.id].element);
    }
    for (const gauge of layout.gauges.filter((item) => !item.placeholder)) {
      this.gauges[gauge.id] = this.canvasOf(gauge);
      this.windows[gauge.window].face.append(this.gauges[gauge.id].element, this.gauges[gauge.id].outline);
    }
    for (const entry of this.windows) {
      const gauges = layout.gauges.filter((gauge) => gauge.window === entry.index);
      entry.smallest = smallestHit(gauges);
      entry.pictureUnits = gauges.filter((gauge) => !gauge.placeholder)
        .reduce((sum, gauge) => sum + gauge.width * gauge.height, 0);
    }
    this.shown = layout.windows.map((window) => before.shown.get(window.section.toLowerCase()) ?? true);
    this.carryOver(before);
    if (this.enlarged !== null && this.enlarged >= this.windows.length) this.setEnlarged(null);
    this.fit();
  }

  // What a panel placed anew (an edit, the file read again) takes over from the one
  // shown so far, so that the page does not flash: each window's open state and
  // background by its section, each gauge's last picture by its window's section
  // and key (or, without a key, its place in the layout). The zooms are asked for
  // again: the host forgets a page's asks when the windows are numbered anew, and a
  // host started again has never heard them.
  carriedOver() {
    const shown = new Map();
    const windows = new Map();
    const pictures = new Map();
    if (!this.layout) return { shown, windows, pictures };
    this.windows.forEach((entry) => {
      const section = entry.window.section.toLowerCase();
      shown.set(section, this.shown[entry.index] !== false);
      windows.set(section, entry);
    });
    for (const entry of this.gauges.filter(Boolean)) {
      if (!entry.gauge.placeholder) pictures.set(this.pictureKey(entry.gauge), entry.element);
    }
    return { shown, windows, pictures };
  }

  pictureKey(gauge) {
    const section = this.layout.windows[gauge.window].section;
    const place = gauge.key ? `key ${gauge.key}` : `id ${gauge.id}`;
    return `${section}|${place}|${gauge.name}`.toLowerCase();
  }

  carryOver(before) {
    for (const entry of this.windows) {
      const old = before.windows.get(entry.window.section.toLowerCase());
      if (!old) continue;
      const oldImage = old.face.querySelector('.window-background');
      const image = entry.face.querySelector('.window-background');
      if (oldImage && image && oldImage.src === image.src && oldImage.complete) image.replaceWith(oldImage);
    }
    for (const entry of this.gauges.filter(Boolean)) {
      const old = entry.gauge.placeholder ? null : before.pictures.get(this.pictureKey(entry.gauge));
      if (!old || old.width <= 1) continue;
      entry.element.width = old.width;
      entry.element.height = old.height;
      entry.element.getContext('2d').drawImage(old, 0, 0);
    }
  }

  // 'screen': as the panel file places the windows; 'side by side': flowing in rows.
  setArrangement(arrangement) {
    this.arrangement = arrangement;
    this.fit();
  }

  // This page shows window `index` alone (null: every open window).
  setAlone(index) {
    this.alone = index;
    this.fit();
  }

  // Window `index` covers the whole page (null: back among the others).
  setEnlarged(index) {
    if (index === this.enlarged) return;
    this.enlarged = index;
    for (const entry of this.windows) {
      const on = entry.index === index;
      entry.enlarge.setAttribute('aria-pressed', String(on));
      entry.enlarge.textContent = on ? '✕' : '⤢';
      entry.enlarge.title = on ? 'Back among the other windows (Escape)' : 'Enlarge to the whole page';
    }
    this.fit();
    this.onEnlarge(index);
  }

  // A window: its title line with its buttons, and its face, painted in its
  // background colour with its bitmap stretched over it, behind the gauges.
  windowOf(window, index) {
    const element = document.createElement('div');
    element.className = 'window';
    element.dataset.window = index;
    const title = document.createElement('div');
    title.className = 'window-title';
    title.textContent = window.title || `Window ${index}`;
    title.title = `${title.textContent} · [${window.section}]`;
    const actions = document.createElement('div');
    actions.className = 'window-actions';
    const alone = document.createElement('a');
    alone.className = 'window-alone';
    alone.href = `/window/${windowAddress(this.layout.windows, index)}`;
    alone.target = '_blank';
    alone.title = 'This window alone, on a page of its own (a tablet, a second screen)';
    alone.textContent = '↗';
    const enlarge = document.createElement('button');
    enlarge.type = 'button';
    enlarge.className = 'window-enlarge';
    enlarge.setAttribute('aria-pressed', 'false');
    enlarge.title = 'Enlarge to the whole page';
    enlarge.textContent = '⤢';
    enlarge.addEventListener('click', () => this.setEnlarged(this.enlarged === index ? null : index));
    actions.append(alone, enlarge);
    const face = document.createElement('div');
    face.className = 'window-face';
    if (window.background_color) face.style.backgroundColor = window.background_color;
    if (window.background) {
      const image = document.createElement('img');
      image.className = 'window-background';
      image.alt = '';
      image.draggable = false;
      image.src = window.background;
      face.append(image);
    }
    element.append(title, actions, face);
    this.container.append(element);
    return { element, face, enlarge, window, index, smallest: Infinity, pictureUnits: 0, min: 0, scale: 1, zoomSent: 0,
             zoomAskedAt: -Infinity };
  }

  canvasOf(gauge) {
    const canvas = document.createElement('canvas');
    canvas.className = 'gauge';
    canvas.width = 1;
    canvas.height = 1;
    canvas.dataset.gauge = gauge.name;
    canvas.dataset.id = gauge.id;
    canvas.dataset.drawn = 0;
    canvas.setAttribute('aria-label', gauge.name);
    this.input.attach(canvas, gauge);
    return { element: canvas, outline: this.outlineOf(gauge), gauge };
  }

  // A gauge the host cannot run: a box at its place with its module, its gauge and
  // why it does not run. It takes no presses; the pointer shows the whole story.
  placeholderOf(gauge) {
    const { label, missing } = gauge.placeholder;
    const [module, name] = labelParts(label);
    const box = document.createElement('div');
    box.className = 'placeholder';
    box.dataset.placeholder = label;
    box.dataset.id = gauge.id;
    const line = (className, text) => {
      const item = document.createElement('span');
      item.className = className;
      item.textContent = text;
      return item;
    };
    box.append(line('placeholder-module', module), line('placeholder-gauge', name),
               line('placeholder-missing', missing));
    const tip = `${label}: ${missing} (panel file line ${gauge.line})`;
    box.addEventListener('pointermove', (event) => this.showTip(tip, event));
    box.addEventListener('pointerleave', () => this.showTip(null));
    box.addEventListener('contextmenu', (event) => event.preventDefault());
    return box;
  }

  // The mouse areas of a gauge, drawn over it when the outline switch is on.
  outlineOf(gauge) {
    const svgNS = 'http://www.w3.org/2000/svg';
    const svg = document.createElementNS(svgNS, 'svg');
    svg.classList.add('gauge-outline');
    const designWidth = gauge.width / gauge.scale_x;
    const designHeight = gauge.height / gauge.scale_y;
    svg.setAttribute('viewBox', `0 0 ${designWidth} ${designHeight}`);
    svg.setAttribute('preserveAspectRatio', 'none');
    for (const node of gauge.mouse) {
      const rect = document.createElementNS(svgNS, 'rect');
      const [x, y, width, height] = node.box;
      rect.setAttribute('x', x);
      rect.setAttribute('y', y);
      rect.setAttribute('width', width);
      rect.setAttribute('height', height);
      rect.classList.add(node.clickable ? 'clickable' : 'area');
      svg.append(rect);
    }
    return svg;
  }

  setWindowsShown(shown) {
    if (shown.length === this.shown.length && shown.every((value, i) => value === this.shown[i])) return;
    const opened = shown.map((value, index) => value && this.shown[index] === false);
    this.shown = shown.slice();
    this.fit();
    // A window the pilot has just opened here, out of sight, comes into view (one
    // partly in sight stays, and so does what the pilot pressed).
    if (this.alone !== null || this.enlarged !== null) return;
    if (performance.now() - this.input.lastUse > OPENED_BY_PILOT_MS) return;
    const seen = this.area.getBoundingClientRect();
    opened.forEach((value, index) => {
      if (!value || !this.windows[index]) return;
      const box = this.windows[index].element.getBoundingClientRect();
      const inSight = box.right > seen.left && box.left < seen.right && box.bottom > seen.top && box.top < seen.bottom;
      if (!inSight) this.windows[index].element.scrollIntoView({ block: 'nearest', inline: 'nearest' });
    });
  }

  // A window alone on a touchscreen is shown whole, as large as the screen allows, even
  // when its smallest controls are then smaller than a finger: a pilot sees every
  // head of a radio stack at once, and a tap among controls too close for a finger
  // magnifies the window (magnifyIfAmbiguous).
  fitsTheScreen(entry) {
    return this.coarse.matches && this.alone === entry.index && this.magnified?.index !== entry.index;
  }

  // A finger's tap on the window shown alone that lands within half a finger of two
  // or more clickable areas (too close to tell apart at this size) magnifies the
  // window to the scale at which its knobs can be hit, the tapped point staying under
  // the finger, and presses nothing: the next tap does. Returns whether it did.
  magnifyIfAmbiguous(event) {
    const entry = this.alone === null ? null : this.windows[this.alone];
    if (!entry || !this.fitsTheScreen(entry)) return false;
    if (entry.scale >= hitScale(entry.smallest, FINGER_PIXELS) - 1e-6) return false;
    if (this.clickableNear(entry, event.clientX, event.clientY, FINGER_PIXELS / 2) < 2) return false;
    const face = entry.face.getBoundingClientRect();
    this.magnified = {
      index: entry.index,
      x: (event.clientX - face.left - BORDER / 2) / entry.scale,
      y: (event.clientY - face.top - BORDER / 2) / entry.scale,
      clientX: event.clientX,
      clientY: event.clientY,
    };
    this.magnifiedAt = performance.now();
    this.fit();
    const moved = entry.face.getBoundingClientRect();
    this.area.scrollLeft += moved.left + BORDER / 2 + this.magnified.x * entry.scale - event.clientX;
    this.area.scrollTop += moved.top + BORDER / 2 + this.magnified.y * entry.scale - event.clientY;
    this.watchMagnified();
    return true;
  }

  // Back to the whole window once the pilot has left it alone a while.
  watchMagnified() {
    clearTimeout(this.magnifiedTimer);
    this.magnifiedTimer = setTimeout(() => {
      if (!this.magnified) return;
      const idle = performance.now() - Math.max(this.magnifiedAt, this.input.lastUse);
      if (idle < MAGNIFIED_MS || this.input.press) {
        this.watchMagnified();
        return;
      }
      this.magnified = null;
      this.fit();
    }, 500);
  }

  // How many clickable areas of the window's gauges lie within `reach` CSS pixels of
  // the point of the page.
  clickableNear(entry, x, y, reach) {
    let count = 0;
    for (const { element, gauge } of this.gauges.filter(Boolean)) {
      if (gauge.window !== entry.index || gauge.placeholder) continue;
      const rect = element.getBoundingClientRect();
      const across = rect.width / (gauge.width / gauge.scale_x);
      const down = rect.height / (gauge.height / gauge.scale_y);
      for (const node of gauge.mouse.filter((item) => item.clickable)) {
        const [left, top, width, height] = node.box;
        const dx = Math.max(rect.left + left * across - x, 0, x - (rect.left + (left + width) * across));
        const dy = Math.max(rect.top + top * down - y, 0, y - (rect.top + (top + height) * down));
        if (Math.hypot(dx, dy) <= reach) count += 1;
      }
    }
    return count;
  }

  // The room the windows have: the area inside its padding.
  areaSize() {
    const style = getComputedStyle(this.area);
    return {
      width: Math.max(1, this.area.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight)),
      height: Math.max(1, this.area.clientHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom)),
    };
  }

  // How many CSS pixels the windows laid out reach beyond the area's width and
  // height (negative: room to spare).
  overflow() {
    return { ...this.extent };
  }

  boxOf(entry) {
    return { width: entry.window.width, height: entry.window.height, min: entry.min };
  }

  // Sizes and places the shown windows: each that the panel file places on the
  // screen where it says, the others flowing above the screen; or (side by side, or
  // when no shown window has a place) all flowing in rows; or one alone, or one
  // over the whole page. No window is made smaller than its knobs can be hit at:
  // what does not fit then scrolls.
  fit() {
    if (!this.layout) return;
    const coarse = this.coarse.matches;
    const pixels = coarse ? FINGER_PIXELS : POINTER_PIXELS;
    const chrome = { gap: WINDOW_GAP, border: BORDER, title: coarse ? TOUCH_TITLE_HEIGHT : TITLE_HEIGHT };
    for (const entry of this.windows) entry.min = this.fitsTheScreen(entry) ? 0 : hitScale(entry.smallest, pixels);
    const isShown = (entry) => this.shown[entry.index] !== false;
    let visible = this.windows.filter(isShown);
    if (this.alone !== null) visible = visible.filter((entry) => entry.index === this.alone);
    if (this.enlarged !== null && (this.alone !== null || !visible.includes(this.windows[this.enlarged]))) {
      this.setEnlarged(null);
      return;
    }
    const enlarged = this.enlarged === null ? null : this.windows[this.enlarged];
    for (const entry of this.windows) {
      entry.element.hidden = !visible.includes(entry);
      entry.element.classList.remove('on-screen', 'enlarged');
      entry.element.style.left = entry.element.style.top = entry.element.style.zIndex = '';
      entry.face.style.marginLeft = entry.face.style.marginTop = '';
    }
    const laid = visible.filter((entry) => entry !== enlarged);
    const area = this.areaSize();
    let placed = [];
    let size;
    if (this.alone !== null) {
      size = this.flow(laid, area, { gap: 0, border: BORDER, title: 0 }, true);
    } else {
      placed = this.arrangement === 'screen' ? laid.filter((entry) => hasScreenPlace(entry.window)) : [];
      const flowing = laid.filter((entry) => !placed.includes(entry));
      if (placed.length === 0) {
        size = this.flow(flowing, area, chrome, false);
      } else {
        const strip = flowing.length
          ? this.flow(flowing, { width: area.width, height: area.height * FLOW_SHARE }, chrome, false)
          : { width: 0, height: 0 };
        const top = strip.height ? strip.height + WINDOW_GAP : 0;
        const screen = this.placeOnScreen(placed, { top, width: area.width, height: Math.max(1, area.height - top) });
        size = { width: Math.max(strip.width, screen.width), height: top + screen.height };
      }
    }
    for (const entry of placed) entry.element.classList.add('on-screen');
    this.container.classList.toggle('placing', placed.length > 0);
    this.screen.hidden = placed.length === 0;
    this.extent = { width: size.width - area.width, height: size.height - area.height };
    this.container.style.width = `${Math.max(area.width, size.width)}px`;
    this.container.style.height = `${Math.max(area.height, size.height)}px`;
    document.body.classList.toggle('enlarging', Boolean(enlarged));
    if (enlarged) {
      // Over the whole page, below its title line, in the middle.
      enlarged.element.classList.add('enlarged');
      const page = { width: document.documentElement.clientWidth,
                     height: document.documentElement.clientHeight - chrome.title };
      const one = flowLayout([this.boxOf(enlarged)], page, { gap: 0, border: BORDER, title: 0 }, { center: true });
      enlarged.scale = one.scales[0];
      enlarged.face.style.marginLeft = `${one.places[0].left}px`;
      enlarged.face.style.marginTop = `${one.places[0].top}px`;
    }
    for (const entry of visible) {
      entry.face.style.width = `${entry.window.width * entry.scale + BORDER}px`;
      entry.face.style.height = `${entry.window.height * entry.scale + BORDER}px`;
    }
    for (const entry of this.gauges.filter(Boolean)) {
      const owner = this.windows[entry.gauge.window];
      if (!owner.element.hidden) this.placeGauge(entry, owner.scale);
    }
    if (visible.some((entry) => zoomFor(entry) !== entry.zoomSent)) this.askZooms();
    this.onFit();
  }

  // The windows flowing in rows in `area` (each at its own scale, see layout.js),
  // from the area's top left or (`center`) in its middle. Returns their extent.
  flow(entries, area, chrome, center) {
    const result = flowLayout(entries.map((entry) => this.boxOf(entry)), area, chrome, { center });
    entries.forEach((entry, i) => {
      entry.scale = result.scales[i];
      entry.element.style.left = `${result.places[i].left}px`;
      entry.element.style.top = `${result.places[i].top}px`;
    });
    return result;
  }

  // The windows where the panel file puts them on the screen (`screen.top` from the
  // area's top): the higher zorder above, the later window above among equals. A
  // screen on which a window would be too small for its knobs is made larger (and
  // scrolls). Returns the screen's size.
  placeOnScreen(entries, screen) {
    const windows = entries.map((entry) => entry.window);
    const rectsOn = (size) => {
      const unitScale = screenUnitScale(windows, size.width, size.height);
      return windows.map((window) => screenRect(window, size, unitScale));
    };
    let size = { width: screen.width, height: screen.height };
    let rects = rectsOn(size);
    const grow = Math.max(1, ...entries.map((entry, i) => entry.min / rects[i].scale));
    if (grow > 1) {
      size = { width: screen.width * grow * 1.01, height: screen.height * grow * 1.01 };
      rects = rectsOn(size);
    }
    Object.assign(this.screen.style, {
      top: `${screen.top}px`, width: `${size.width}px`, height: `${size.height}px`,
    });
    const stacked = entries.slice().sort((a, b) => a.window.screen.zorder - b.window.screen.zorder);
    entries.forEach((entry, i) => {
      entry.scale = rects[i].scale;
      entry.element.style.left = `${rects[i].left}px`;
      entry.element.style.top = `${screen.top + rects[i].top}px`;
      entry.element.style.zIndex = String(1 + stacked.indexOf(entry));
    });
    return size;
  }

  // Asks the host, once the page has kept its size a moment, for each shown
  // window's pictures at the size they are shown.
  askZooms() {
    clearTimeout(this.zoomTimer);
    this.zoomTimer = setTimeout(() => {
      for (const entry of this.windows) {
        if (entry.element.hidden) continue;
        const zoom = zoomFor(entry);
        if (zoom === entry.zoomSent) continue;
        this.askZoom(entry, zoom);
      }
    }, ZOOM_DELAY_MS);
  }

  askZoom(entry, zoom) {
    entry.zoomSent = zoom;
    entry.zoomAskedAt = performance.now();
    this.onZoom(entry.index, zoom);
  }

  // The zooms the host draws the windows at (a frame's `zooms`): the largest any
  // watching page asks, so never less than this page asked unless the host has
  // lost the ask (it was started again, or this page was silent long enough to be
  // forgotten). Such a window is asked for again.
  checkZooms(zooms) {
    const now = performance.now();
    for (const entry of this.windows) {
      if (entry.element.hidden || !entry.zoomSent || !(entry.index < zooms.length)) continue;
      if (zooms[entry.index] >= entry.zoomSent - 1e-6) continue;
      if (now - entry.zoomAskedAt < ZOOM_ASK_AGAIN_MS) continue;
      this.askZoom(entry, entry.zoomSent);
    }
  }

  // A gauge (or its placeholder) and its mouse-area outline at its place.
  placeGauge({ element, outline, gauge }, scale) {
    for (const item of [element, outline]) {
      if (!item) continue;
      item.style.left = `${gauge.x * scale}px`;
      item.style.top = `${gauge.y * scale}px`;
      item.style.width = `${gauge.width * scale}px`;
      item.style.height = `${gauge.height * scale}px`;
    }
    if (gauge.placeholder) {
      element.style.fontSize = `${placeholderFontSize(gauge, scale).toFixed(1)}px`;
      element.classList.remove('compact');
      if (element.scrollHeight > element.clientHeight + 1) element.classList.add('compact');
    }
  }

  // Decodes every picture first, then draws them all at once: no half-drawn frame.
  async showPictures(pictures) {
    const decoded = await Promise.all(pictures.map(async (picture) => {
      try {
        return { picture, bitmap: await createImageBitmap(picture.blob) };
      } catch {
        return null;
      }
    }));
    for (const item of decoded) {
      if (!item) continue;
      const entry = this.gauges[item.picture.gauge];
      if (!entry || entry.gauge.placeholder) {
        item.bitmap.close();
        continue;
      }
      const canvas = entry.element;
      if (canvas.width !== item.bitmap.width) canvas.width = item.bitmap.width;
      if (canvas.height !== item.bitmap.height) canvas.height = item.bitmap.height;
      const context = canvas.getContext('2d');
      context.clearRect(0, 0, canvas.width, canvas.height);
      context.drawImage(item.bitmap, 0, 0);
      item.bitmap.close();
      canvas.dataset.drawn = Number(canvas.dataset.drawn) + 1;
    }
  }

  release() {
    this.input.release();
  }

  // Presses and releases reach the host in the order they happened.
  sendMouse(body) {
    this.mouseSent = this.mouseSent.then(() => post('mouse', body)).catch(this.onError);
  }

  // The pointer moves the tip many times a second: its text is written only when it
  // changes, and it follows the pointer by a transform, which costs the page no layout.
  showTip(text, event) {
    if (!text) {
      show(this.tooltip, 'hidden', true);
      return;
    }
    show(this.tooltip, 'textContent', text);
    show(this.tooltip, 'hidden', false);
    this.tooltip.style.transform = `translate(${event.clientX + 14}px, ${event.clientY + 18}px)`;
  }
}

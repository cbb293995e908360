// The panel windows: each gauge a canvas showing the host's picture of it (a gauge
// the host cannot run a labelled box), on the window's background; the windows
// either where the panel file puts them on the screen or side by side, scaled to
// fit the page; and the mouse: presses and releases go to the host, the pointer's
// cursor and tooltip come from the gauges' mouse areas.
import { post } from './api.js';

const WINDOW_GAP = 12;     // CSS pixels between windows (see workbench.css)
const TITLE_HEIGHT = 18;   // the window title line
const BORDER = 2;          // a window face's border, both sides
// Windows sized by their panel units alone are laid on the screen at one scale: the
// one at which this many units span its width, or less when a window would not fit.
const SCREEN_UNITS = 1024;
// Beside windows placed on the screen, the windows without a place flow side by side
// above it, in at most this share of the area's height.
const FLOW_SHARE = 0.4;

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

// The same rules as the host's: the deepest area under the point (the later one
// among equals) gives the cursor if it is clickable; the innermost area under the
// point that has a tip gives the tip.
export function pointerInfo(nodes, x, y) {
  const holds = (node) => {
    const [left, top, width, height] = node.box;
    return left <= x && x < left + width && top <= y && y < top + height;
  };
  const underPoint = (index) => {
    for (let i = index; i >= 0; i = nodes[i].parent) if (!holds(nodes[i])) return false;
    return true;
  };
  let best = -1;
  let tipped = -1;
  nodes.forEach((node, index) => {
    if (!underPoint(index)) return;
    if (best < 0 || node.depth >= nodes[best].depth) best = index;
    if (node.tip !== null && (tipped < 0 || node.depth >= nodes[tipped].depth)) tipped = index;
  });
  const node = best < 0 ? null : nodes[best];
  return {
    cursor: node && node.clickable ? node.cursor : null,
    tip: tipped < 0 ? null : nodes[tipped].tip,
  };
}

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

export class PanelView {
  // `onZoom(zoom)`: the page wants pictures drawn at this many pixels per panel unit.
  constructor({ container, tooltip, onZoom, onError }) {
    this.container = container;
    this.tooltip = tooltip;
    this.onZoom = onZoom;
    this.onError = onError;
    this.layout = null;
    this.windows = [];   // { element, face, window, scale: CSS pixels per panel unit }
    this.gauges = [];    // { element: canvas or placeholder box, outline, gauge } by gauge id
    this.shown = [];
    this.arrangement = 'screen';   // or 'side by side'
    this.zoom = 0;
    this.pressed = false;
    this.mouseSent = Promise.resolve();
    new ResizeObserver(() => this.fit()).observe(container);
    window.addEventListener('blur', () => this.release());
  }

  build(layout) {
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
    this.shown = layout.windows.map(() => true);
    this.fit();
  }

  // 'screen': as the panel file places the windows; 'side by side': all in a row.
  setArrangement(arrangement) {
    this.arrangement = arrangement;
    this.fit();
  }

  // A window: its title line and its face, painted in its background colour with
  // its bitmap stretched over it, behind the gauges.
  windowOf(window, index) {
    const element = document.createElement('div');
    element.className = 'window';
    element.dataset.window = index;
    const title = document.createElement('div');
    title.className = 'window-title';
    title.textContent = window.title || `Window ${index}`;
    title.title = `${title.textContent} · [${window.section}]`;
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
    element.append(title, face);
    this.container.append(element);
    return { element, face, window, scale: 1 };
  }

  canvasOf(gauge) {
    const canvas = document.createElement('canvas');
    canvas.className = 'gauge';
    canvas.width = 1;
    canvas.height = 1;
    canvas.dataset.gauge = gauge.name;
    canvas.dataset.id = gauge.id;
    canvas.dataset.drawn = 0;
    this.listen(canvas, gauge);
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
    this.shown = shown.slice();
    this.windows.forEach((entry, index) => { entry.element.hidden = !this.shown[index]; });
    this.fit();
  }

  // Sizes and places the shown windows: each that the panel file places on the
  // screen where it says, the others side by side above the screen; or (side by
  // side, or when no shown window has a place) all in a row, at one scale so that
  // they fill the area.
  fit() {
    if (!this.layout) return;
    const visible = this.windows.filter((_, index) => this.shown[index] !== false);
    if (visible.length === 0) return;
    const area = { width: this.container.clientWidth, height: this.container.clientHeight };
    const placed = this.arrangement === 'screen' ? visible.filter((entry) => hasScreenPlace(entry.window)) : [];
    const flowing = visible.filter((entry) => !placed.includes(entry));
    this.container.classList.toggle('placing', placed.length > 0);
    this.screen.hidden = placed.length === 0;
    for (const entry of this.windows) {
      entry.element.classList.toggle('on-screen', placed.includes(entry));
      entry.element.style.left = entry.element.style.top = entry.element.style.zIndex = '';
    }
    if (placed.length === 0) {
      this.flowSideBySide(flowing, area.width, area.height);
    } else {
      const rowHeight = flowing.length ? this.flowSideBySide(flowing, area.width, area.height * FLOW_SHARE) : 0;
      const top = rowHeight ? rowHeight + WINDOW_GAP : 0;
      this.placeOnScreen(placed, { top, width: area.width, height: Math.max(1, area.height - top) });
    }
    for (const entry of this.windows) {
      entry.face.style.width = `${entry.window.width * entry.scale + BORDER}px`;
      entry.face.style.height = `${entry.window.height * entry.scale + BORDER}px`;
    }
    for (const entry of this.gauges.filter(Boolean)) this.placeGauge(entry, this.windows[entry.gauge.window].scale);
    const scale = Math.max(...visible.map((entry) => entry.scale));
    const zoom = Math.min(4, Math.max(0.25, Math.round(scale * window.devicePixelRatio * 20) / 20));
    if (zoom !== this.zoom) {
      this.zoom = zoom;
      clearTimeout(this.zoomTimer);
      this.zoomTimer = setTimeout(() => this.onZoom(zoom), 200);
    }
  }

  // One scale for the windows, side by side in a row of `width` x `height` (with
  // their titles), so that they fill it. Returns the row's height. While windows are
  // placed on the screen, this row's windows are placed by hand as well.
  flowSideBySide(entries, width, height) {
    const inner = width - WINDOW_GAP * (entries.length - 1) - BORDER * entries.length;
    const panelWidth = entries.reduce((sum, entry) => sum + entry.window.width, 0);
    const panelHeight = Math.max(...entries.map((entry) => entry.window.height));
    const scale = Math.max(0.05, Math.min(inner / Math.max(panelWidth, 1),
                                          (height - TITLE_HEIGHT - BORDER) / Math.max(panelHeight, 1)));
    let left = 0;
    for (const entry of this.windows) {
      entry.scale = scale;
      if (!entries.includes(entry) || !this.container.classList.contains('placing')) continue;
      entry.element.style.left = `${left}px`;
      entry.element.style.top = '0px';
      left += entry.window.width * scale + BORDER + WINDOW_GAP;
    }
    return panelHeight * scale + TITLE_HEIGHT + BORDER;
  }

  // The windows where the panel file puts them on the screen (`screen.top` from the
  // area's top): the higher zorder above, the later window above among equals.
  placeOnScreen(entries, screen) {
    Object.assign(this.screen.style, {
      top: `${screen.top}px`, width: `${screen.width}px`, height: `${screen.height}px`,
    });
    const unitScale = screenUnitScale(entries.map((entry) => entry.window), screen.width, screen.height);
    const stacked = entries.slice().sort((a, b) => a.window.screen.zorder - b.window.screen.zorder);
    for (const entry of entries) {
      const rect = screenRect(entry.window, screen, unitScale);
      entry.scale = rect.scale;
      entry.element.style.left = `${rect.left}px`;
      entry.element.style.top = `${screen.top + rect.top}px`;
      entry.element.style.zIndex = String(1 + stacked.indexOf(entry));
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

  // The design pixels of the gauge under a pointer event.
  designPoint(event, gauge) {
    const rect = event.currentTarget.getBoundingClientRect();
    return {
      x: (event.clientX - rect.left) / rect.width * (gauge.width / gauge.scale_x),
      y: (event.clientY - rect.top) / rect.height * (gauge.height / gauge.scale_y),
    };
  }

  listen(canvas, gauge) {
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    canvas.addEventListener('pointermove', (event) => {
      const point = this.designPoint(event, gauge);
      const info = pointerInfo(gauge.mouse, point.x, point.y);
      canvas.style.cursor = CURSORS[info.cursor] || 'default';
      this.showTip(info.tip, event);
    });
    canvas.addEventListener('pointerleave', () => this.showTip(null));
    canvas.addEventListener('pointerdown', (event) => {
      if (event.button !== 0 && event.button !== 2) return;
      event.preventDefault();
      canvas.setPointerCapture(event.pointerId);
      const point = this.designPoint(event, gauge);
      this.pressed = true;
      this.sendMouse({
        action: 'press', layout: this.layout.layout, gauge: gauge.id,
        x: point.x, y: point.y, button: event.button === 2 ? 'right' : 'left',
      });
    });
    for (const name of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      canvas.addEventListener(name, () => this.release());
    }
  }

  release() {
    if (!this.pressed) return;
    this.pressed = false;
    this.sendMouse({ action: 'release' });
  }

  // Presses and releases reach the host in the order they happened.
  sendMouse(body) {
    this.mouseSent = this.mouseSent.then(() => post('mouse', body)).catch(this.onError);
  }

  showTip(text, event) {
    if (!text) {
      this.tooltip.hidden = true;
      return;
    }
    this.tooltip.textContent = text;
    this.tooltip.hidden = false;
    this.tooltip.style.left = `${event.clientX + 14}px`;
    this.tooltip.style.top = `${event.clientY + 18}px`;
  }
}

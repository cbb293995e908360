// Edit mode: the panel designer lays out the live panel on the page. A click selects
// a gauge (its outline, handles and a side panel of its placement), a drag moves it,
// its handles resize it (Shift keeps its proportions), the arrow keys nudge it; the
// palette adds gauges of the loaded modules and Delete removes one. Every change is
// one command to the host, which writes it into the panel file's line and places the
// panel anew; the page then builds the panel again, and the mode, the selection (by
// window section and key) and the side panel carry over. While editing, the pointer
// and the keys edit: no gauge is pressed. The scenario plays on.
import { suspendGaugeInput } from './gauge_input.js';

const DRAG_START_PX = 4;      // a press that moves less is a click
const CATCH_PX = 6;           // how near (screen pixels) an edge catches on a guide
const MIN_UNITS = 4;          // the smallest a gauge is resized to, in panel units
const MESSAGE_MS = 8000;
const SETTINGS_KEY = 'panelhost-edit';
const HANDLES = ['nw', 'n', 'ne', 'e', 'se', 's', 'sw', 'w'];
const NUDGES = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
const FIELDS = ['x', 'y', 'width', 'height'];

// ---------------------------------------------------------------------------------
// Placement geometry, in panel units. A rect is { x, y, width, height }.

export function sameName(a, b) {
  return String(a).toLowerCase() === String(b).toLowerCase();
}

export function rectOf(gauge) {
  return { x: gauge.x, y: gauge.y, width: gauge.width, height: gauge.height };
}

// Whole panel units, as the panel file writes them: edges rounded, so that an edge
// the drag left alone stays exactly where it was.
export function roundedRect(rect) {
  const left = Math.round(rect.x);
  const top = Math.round(rect.y);
  return {
    x: left, y: top,
    width: Math.max(1, Math.round(rect.x + rect.width) - left),
    height: Math.max(1, Math.round(rect.y + rect.height) - top),
  };
}

// The lines a moving gauge may line up with, by axis: the window's edges and
// middle, and the edges and middles of the window's other gauges.
export function guideLines(others, window) {
  const lines = { x: [0, window.width / 2, window.width], y: [0, window.height / 2, window.height] };
  for (const rect of others) {
    lines.x.push(rect.x, rect.x + rect.width / 2, rect.x + rect.width);
    lines.y.push(rect.y, rect.y + rect.height / 2, rect.y + rect.height);
  }
  return lines;
}

// The nearest line within `reach` of any of `features` (positions along one axis):
// the shift that puts that feature on it, or null.
export function nearestCatch(features, lines, reach) {
  let best = null;
  for (const feature of features) {
    for (const line of lines) {
      const shift = line - feature;
      if (Math.abs(shift) <= reach && (best === null || Math.abs(shift) < Math.abs(best))) best = shift;
    }
  }
  return best;
}

// One edge or position snapped: onto a guide line within reach, else onto the grid.
// `snapping`: { lines: { x, y } or null, reach (units), grid (units, 0: none) }.
function snapValue(value, axis, snapping) {
  const shift = snapping.lines ? nearestCatch([value], snapping.lines[axis], snapping.reach) : null;
  if (shift !== null) return value + shift;
  return snapping.grid > 0 ? Math.round(value / snapping.grid) * snapping.grid : value;
}

// A gauge dragged: its left, middle or right (top, middle, bottom) catches on a
// guide; else its top left corner on the grid.
export function snapMove(rect, snapping) {
  const moved = { ...rect };
  for (const [axis, size] of [['x', 'width'], ['y', 'height']]) {
    const start = rect[axis];
    const features = [start, start + rect[size] / 2, start + rect[size]];
    const shift = snapping.lines ? nearestCatch(features, snapping.lines[axis], snapping.reach) : null;
    if (shift !== null) moved[axis] = start + shift;
    else if (snapping.grid > 0) moved[axis] = Math.round(start / snapping.grid) * snapping.grid;
  }
  return moved;
}

// A gauge resized by one of its handles ('nw', 'n', ..., 'w') by (dx, dy) units: the
// edges the handle moves follow (snapped), the others stay; `proportional` keeps
// the start's proportions, the larger change of a corner deciding.
export function resizedRect(start, handle, dx, dy, { proportional = false, snapping = { lines: null, grid: 0 } } = {}) {
  const west = handle.includes('w');
  const east = handle.includes('e');
  const north = handle.includes('n');
  const south = handle.includes('s');
  let left = start.x;
  let top = start.y;
  let right = start.x + start.width;
  let bottom = start.y + start.height;
  if (west) left = Math.min(snapValue(left + dx, 'x', snapping), right - MIN_UNITS);
  if (east) right = Math.max(snapValue(right + dx, 'x', snapping), left + MIN_UNITS);
  if (north) top = Math.min(snapValue(top + dy, 'y', snapping), bottom - MIN_UNITS);
  if (south) bottom = Math.max(snapValue(bottom + dy, 'y', snapping), top + MIN_UNITS);
  if (proportional && start.width > 0 && start.height > 0) {
    const ratio = start.width / start.height;
    let width = right - left;
    let height = bottom - top;
    const horizontal = west || east;
    const vertical = north || south;
    if (horizontal && (!vertical || width / start.width >= height / start.height)) height = width / ratio;
    else width = height * ratio;
    // The side across from the handle stays; an edge handle grows the other way
    // about the middle.
    if (west) left = right - width;
    else if (east) right = left + width;
    else [left, right] = [(left + right - width) / 2, (left + right + width) / 2];
    if (north) top = bottom - height;
    else if (south) bottom = top + height;
    else [top, bottom] = [(top + bottom - height) / 2, (top + bottom + height) / 2];
  }
  return { x: left, y: top, width: right - left, height: bottom - top };
}

// The guide lines a rect lies on (within half a unit), by axis: the ones to draw.
export function linesMet(rect, lines) {
  const met = (features, axisLines) =>
    [...new Set(axisLines.filter((line) => features.some((feature) => Math.abs(feature - line) < 0.5)))];
  return {
    x: met([rect.x, rect.x + rect.width / 2, rect.x + rect.width], lines.x),
    y: met([rect.y, rect.y + rect.height / 2, rect.y + rect.height], lines.y),
  };
}

// The fields of `rect` that differ from `start`: what a change command carries.
export function changedFields(start, rect) {
  const changed = {};
  for (const field of FIELDS) if (rect[field] !== start[field]) changed[field] = rect[field];
  return changed;
}

// ---------------------------------------------------------------------------------
// The host's edit commands. Resolves with the answer's JSON; rejects with the host's
// message when it refuses.

async function sendEdit(path, body) {
  const response = await fetch(`/api/${path}`, {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  });
  const text = await response.text();
  if (!response.ok) throw new Error(text.trim() || `the host answered ${response.status}`);
  try {
    return text ? JSON.parse(text) : {};
  } catch {
    return {};
  }
}

function element(tag, properties = {}, ...children) {
  const item = Object.assign(document.createElement(tag), properties);
  item.append(...children);
  return item;
}

// Whether keys typed now go into a field (where E, the arrows and Delete are text).
function typingIn(target) {
  if (!(target instanceof HTMLElement)) return false;
  if (target.isContentEditable || target.tagName === 'TEXTAREA' || target.tagName === 'SELECT') return true;
  return target.tagName === 'INPUT' && !['checkbox', 'radio', 'button', 'submit', 'range'].includes(target.type);
}

function loadSettings() {
  const settings = { grid: false, gridSize: 10, guides: true };
  try {
    Object.assign(settings, JSON.parse(localStorage.getItem(SETTINGS_KEY) || '{}'));
  } catch { /* settings of an older page: the defaults */ }
  return settings;
}

function identityText(identity) {
  return `${identity.section}|${identity.key}`.toLowerCase();
}

function placeBox(item, rect, scale) {
  item.style.left = `${rect.x * scale}px`;
  item.style.top = `${rect.y * scale}px`;
  item.style.width = `${rect.width * scale}px`;
  item.style.height = `${rect.height * scale}px`;
}

export class EditMode {
  // `view`: the PanelView whose windows are edited; `onToggle(on)`: the mode was
  // switched on or off. What the host refuses shows in #edit-message.
  constructor({ view, onToggle = () => {} }) {
    this.view = view;
    this.onToggle = onToggle;
    this.layout = null;
    this.editing = false;
    this.selected = null;        // { section, key } of the selected gauge
    this.target = null;          // the section the palette's Add puts gauges in
    this.layers = [];            // by window: { element, entry, bounds: Map(gauge id -> box) }
    this.gesture = null;         // the drag under way
    this.previews = new Map();   // identity -> rect shown until the host's layout has it
    this.leaving = new Set();    // identities being moved to another window
    this.ghosts = new Set();     // pictures of gauges being added or moved, until the layout has them
    this.inFlight = 0;           // edits sent and not yet answered
    this.queue = Promise.resolve();
    this.settings = loadSettings();
    this.paletteText = '';
    this.windowsText = '';

    this.button = document.getElementById('edit-toggle');
    this.dot = this.button.querySelector('.edit-dot');
    this.panel = document.getElementById('edit-panel');
    this.message = document.getElementById('edit-message');
    this.button.disabled = true;
    this.button.addEventListener('click', () => this.toggle(!this.editing));
    this.buildPanel();
    this.selection = this.selectionBox();
    document.addEventListener('keydown', (event) => this.keyDown(event));
    document.addEventListener('keyup', (event) => this.modifiersChanged(event));
    window.addEventListener('pointermove', (event) => this.pointerMoved(event));
    window.addEventListener('pointerup', (event) => this.pointerEnded(event, true));
    window.addEventListener('pointercancel', (event) => this.pointerEnded(event, false));
    window.addEventListener('blur', () => this.cancelGesture());
  }

  // ------------------------------------------------------------------ the mode

  available() { return Boolean(this.layout && this.layout.editing); }

  toggle(on) {
    if (on && !this.available()) return;
    if (on === this.editing) return;
    this.editing = on;
    this.view.release();
    this.view.showTip(null);
    suspendGaugeInput(on);
    const focused = document.activeElement;
    if (on && focused && focused.classList.contains('gauge')) focused.blur();
    if (!on) this.cancelGesture();
    document.body.classList.toggle('editing', on);
    this.button.setAttribute('aria-pressed', String(on));
    this.button.classList.toggle('active', on);
    this.panel.hidden = !on;
    if (!on) this.hideMessage();
    this.onToggle(on);
    this.place();
  }

  // The panel was placed anew (an edit, undo, the file read again) and the view has
  // built it: the layers, the side panel and the selection follow.
  build(layout) {
    this.layout = layout;
    this.forgetPreviews();
    // A drag under way goes on over the new panel, if its gauge is still there.
    if (this.gesture && this.gesture.identity && !this.gaugeOf(this.gesture.identity)) this.cancelGesture();
    const available = this.available();
    this.button.disabled = !available;
    this.button.title = available
      ? 'Lay out the panel: select, move, resize, add and remove gauges (E)'
      : 'This host cannot edit the panel';
    if (!available && this.editing) this.toggle(false);
    this.buildLayers();
    this.showEditing(layout.editing);
    this.showWindowChoices(layout.windows);
    this.showPalette(layout.palette || []);
    if (this.selected && !this.gaugeOf(this.selected) && this.inFlight === 0) this.selected = null;
    this.setTarget(this.windowOf(this.target) === null ? this.defaultTarget() : this.target);
    this.showSelection();
    this.place();
  }

  // What the designer's edits showed ahead of the host: once every edit is answered
  // the layout has them all (a drag under way keeps its own); before that, the ones
  // the layout already agrees with.
  forgetPreviews() {
    const dragged = this.gesture && this.gesture.identity ? identityText(this.gesture.identity) : null;
    for (const [text, rect] of this.previews) {
      if (text === dragged) continue;
      const gauge = this.layout.gauges.find((item) => item.key != null && identityText(this.identityOf(item)) === text);
      const agrees = gauge && FIELDS.every((field) => gauge[field] === rect[field]) && !this.leaving.has(text);
      if (this.inFlight === 0 || !gauge || agrees) {
        this.previews.delete(text);
        this.leaving.delete(text);
      }
    }
    if (this.inFlight > 0) return;
    this.leaving.clear();
    for (const ghost of this.ghosts) ghost.remove();
    this.ghosts.clear();
  }

  // The window the palette adds to when none was picked: the first one shown.
  defaultTarget() {
    const shown = this.view.windows.find((entry) => !entry.element.hidden) || this.view.windows[0];
    return shown ? shown.window.section : null;
  }

  // The index of the window of a section, or null.
  windowOf(section) {
    const index = section ? this.layout.windows.findIndex((window) => sameName(window.section, section)) : -1;
    return index >= 0 ? index : null;
  }

  gaugeOf(identity) {
    if (!identity || !this.layout) return null;
    return this.layout.gauges.find((gauge) => gauge.key != null && sameName(gauge.key, identity.key) &&
      sameName(this.layout.windows[gauge.window].section, identity.section)) || null;
  }

  identityOf(gauge) {
    return { section: this.layout.windows[gauge.window].section, key: gauge.key };
  }

  selectedGauge() { return this.gaugeOf(this.selected); }

  isSelected(gauge) {
    return Boolean(this.selected && gauge && identityText(this.identityOf(gauge)) === identityText(this.selected));
  }

  // Where a gauge is shown: where the designer's edit put it until the host's
  // layout has it, else where the layout says.
  shownRect(gauge) {
    return this.previews.get(identityText(this.identityOf(gauge))) || rectOf(gauge);
  }

  scaleOf(index) { return this.view.windows[index] ? this.view.windows[index].scale : 1; }

  // ------------------------------------------------------------------ layers

  // Over each window's face a layer that takes the pointer while editing, with a
  // thin frame for every gauge (plates and buttons are often see-through).
  buildLayers() {
    this.layers = this.view.windows.map((entry) => {
      const layer = element('div', { className: 'edit-layer' });
      layer.dataset.window = entry.index;
      layer.addEventListener('pointerdown', (event) => this.layerPressed(event, entry.index));
      layer.addEventListener('pointermove', (event) => this.hovered(event, entry.index));
      layer.addEventListener('pointerleave', () => this.view.showTip(null));
      layer.addEventListener('contextmenu', (event) => event.preventDefault());
      const bounds = new Map();
      for (const gauge of this.layout.gauges) {
        if (gauge.window !== entry.index || gauge.key == null) continue;
        const box = element('div', { className: 'edit-bounds' });
        box.dataset.key = gauge.key;
        bounds.set(gauge.id, box);
        layer.append(box);
      }
      entry.element.append(layer);
      return { element: layer, entry, bounds };
    });
  }

  // Lays the layers over the faces and the frames, previews and selection at their
  // places; after every fit of the view.
  place() {
    if (!this.layout || this.layout !== this.view.layout || !this.editing) return;
    for (const layer of this.layers) {
      const { face, element: windowElement, scale } = layer.entry;
      if (windowElement.hidden) continue;
      Object.assign(layer.element.style, {
        left: `${face.offsetLeft + face.clientLeft}px`, top: `${face.offsetTop + face.clientTop}px`,
        width: `${face.clientWidth}px`, height: `${face.clientHeight}px`,
      });
      layer.element.classList.toggle('target', sameName(layer.entry.window.section, this.target || ''));
      for (const [id, box] of layer.bounds) placeBox(box, this.shownRect(this.layout.gauges[id]), scale);
    }
    for (const [text] of this.previews) {
      const gauge = this.layout.gauges.find((item) => item.key != null && identityText(this.identityOf(item)) === text);
      if (gauge) this.showGaugeAt(gauge, this.previews.get(text));
    }
    this.placeSelection();
  }

  // Shows a gauge's picture (and frame) at `rect` while the host has it elsewhere.
  showGaugeAt(gauge, rect) {
    const entry = this.view.gauges[gauge.id];
    const owner = this.view.windows[gauge.window];
    if (!entry || !owner) return;
    this.view.placeGauge({ ...entry, gauge: { ...gauge, ...rect } }, owner.scale);
    const box = this.layers[gauge.window] && this.layers[gauge.window].bounds.get(gauge.id);
    if (box) placeBox(box, rect, owner.scale);
    entry.element.classList.toggle('edit-leaving', this.leaving.has(identityText(this.identityOf(gauge))));
  }

  // The selected gauge's outline: its name and key, and handles at its corners and
  // edges, in the layer of its window (handles may reach past the face's edge).
  selectionBox() {
    const box = element('div', { className: 'edit-selection' });
    box.append(element('div', { className: 'edit-tag' }));
    for (const handle of HANDLES) {
      const grip = element('div', { className: `edit-handle edit-handle-${handle}` });
      grip.dataset.handle = handle;
      grip.addEventListener('pointerdown', (event) => this.handlePressed(event, handle));
      box.append(grip);
    }
    return box;
  }

  placeSelection() {
    const gauge = this.selectedGauge();
    const layer = gauge && this.layers[gauge.window];
    if (!gauge || !layer || layer.entry.element.hidden || !this.editing) {
      this.selection.remove();
      return;
    }
    if (this.selection.parentElement !== layer.element) layer.element.append(this.selection);
    const rect = this.shownRect(gauge);
    const scale = layer.entry.scale;
    placeBox(this.selection, rect, scale);
    const small = Math.min(rect.width, rect.height) * scale < 48;
    this.selection.classList.toggle('small', small);
    // The tag above the outline, or inside it where the window's top is too near.
    this.selection.classList.toggle('tag-inside', rect.y * scale < 20);
    this.selection.firstChild.textContent = `${gauge.key} · ${gauge.name}`;
    for (const [box, id] of [...layer.bounds].map(([key, value]) => [value, key])) {
      box.classList.toggle('selected', id === gauge.id);
    }
  }

  // ------------------------------------------------------------------ pointer

  // The point of the window's layer under a pointer event, in panel units.
  pointIn(index, event) {
    const rect = this.layers[index].element.getBoundingClientRect();
    const scale = this.scaleOf(index);
    return { x: (event.clientX - rect.left) / scale, y: (event.clientY - rect.top) / scale };
  }

  // The window whose face is under a point of the page (the topmost), or null.
  windowUnder(clientX, clientY) {
    const found = document.elementsFromPoint(clientX, clientY).find((item) => item.classList.contains('edit-layer'));
    return found ? Number(found.dataset.window) : null;
  }

  // The editable gauge under a point of window `index`: the selected one if the
  // point is on it (so that one under another can be dragged), else the topmost, as
  // the page stacks them (placeholders beneath, then the panel file's order).
  gaugeAt(index, point) {
    const holds = (gauge) => {
      const rect = this.shownRect(gauge);
      return point.x >= rect.x && point.x < rect.x + rect.width && point.y >= rect.y && point.y < rect.y + rect.height;
    };
    const selected = this.selectedGauge();
    if (selected && selected.window === index && holds(selected)) return selected;
    const inWindow = this.layout.gauges.filter((gauge) => gauge.window === index && gauge.key != null);
    const stacked = [...inWindow.filter((gauge) => gauge.placeholder),
                     ...inWindow.filter((gauge) => !gauge.placeholder)];
    for (let i = stacked.length - 1; i >= 0; i -= 1) if (holds(stacked[i])) return stacked[i];
    return null;
  }

  hovered(event, index) {
    if (this.gesture || event.pointerType === 'touch') return;
    const gauge = this.gaugeAt(index, this.pointIn(index, event));
    this.layers[index].element.style.cursor = gauge ? 'move' : 'default';
    this.view.showTip(gauge ? `${gauge.name} · ${gauge.key}` : null, event);
  }

  // A press on a window: a mouse selects the gauge under it and starts dragging it
  // (or, on the face between gauges, picks the window to add gauges to); a finger
  // drags only the gauge already selected, and otherwise scrolls the panel or, when
  // it lifts without moving, selects.
  layerPressed(event, index) {
    if (!this.editing || (event.pointerType !== 'touch' && event.button !== 0)) return;
    event.preventDefault();
    if (typingIn(document.activeElement)) document.activeElement.blur();
    const point = this.pointIn(index, event);
    const gauge = this.gaugeAt(index, point);
    const base = {
      pointerId: event.pointerId, startX: event.clientX, startY: event.clientY, started: false, window: index,
    };
    if (gauge && (event.pointerType !== 'touch' || this.isSelected(gauge))) {
      this.select(gauge);
      const start = this.shownRect(gauge);
      this.gesture = {
        ...base, kind: 'move', identity: this.identityOf(gauge), start, rect: start,
        grab: { x: point.x - start.x, y: point.y - start.y }, to: index,
      };
    } else if (event.pointerType === 'touch') {
      const scroll = { left: this.view.area.scrollLeft, top: this.view.area.scrollTop };
      this.gesture = { ...base, kind: 'pan', tapped: gauge && this.identityOf(gauge), scroll };
    } else {
      this.select(null);
      this.setTarget(this.layout.windows[index].section);
    }
  }

  handlePressed(event, handle) {
    const gauge = this.selectedGauge();
    if (!this.editing || !gauge || (event.pointerType !== 'touch' && event.button !== 0)) return;
    event.preventDefault();
    event.stopPropagation();
    const start = this.shownRect(gauge);
    this.gesture = {
      kind: 'resize', handle, pointerId: event.pointerId, startX: event.clientX, startY: event.clientY,
      started: false, window: gauge.window, identity: this.identityOf(gauge), start, rect: start,
    };
  }

  // A palette gauge pressed: dragged onto a window, it is added there.
  palettePressed(event, item) {
    if (!this.editing || (event.pointerType !== 'touch' && event.button !== 0)) return;
    event.preventDefault();
    this.gesture = {
      kind: 'palette', item, pointerId: event.pointerId, startX: event.clientX, startY: event.clientY,
      started: false, to: null, rect: null,
    };
  }

  pointerMoved(event) {
    const gesture = this.gesture;
    if (!gesture || event.pointerId !== gesture.pointerId) return;
    gesture.last = { clientX: event.clientX, clientY: event.clientY, shiftKey: event.shiftKey, altKey: event.altKey };
    if (!gesture.started) {
      if (Math.hypot(event.clientX - gesture.startX, event.clientY - gesture.startY) < DRAG_START_PX) return;
      gesture.started = true;
      this.view.showTip(null);
    }
    this.follow(gesture);
  }

  // Shift pressed or let go during a resize changes it at once.
  modifiersChanged(event) {
    const gesture = this.gesture;
    if (!gesture || !gesture.started || !gesture.last || (event.key !== 'Shift' && event.key !== 'Alt')) return;
    gesture.last = { ...gesture.last, shiftKey: event.shiftKey, altKey: event.altKey };
    this.follow(gesture);
  }

  follow(gesture) {
    const at = gesture.last;
    if (gesture.kind === 'pan') {
      this.view.area.scrollLeft = gesture.scroll.left - (at.clientX - gesture.startX);
      this.view.area.scrollTop = gesture.scroll.top - (at.clientY - gesture.startY);
    } else if (gesture.kind === 'move') {
      this.followMove(gesture, at);
    } else if (gesture.kind === 'resize') {
      this.followResize(gesture, at);
    } else if (gesture.kind === 'palette') {
      this.followPalette(gesture, at);
    }
  }

  // How a drag in window `index` snaps, leaving out the gauge being dragged; Alt
  // held: not at all.
  snappingIn(index, identity, free) {
    const scale = this.scaleOf(index);
    const none = { lines: null, grid: 0, reach: 0 };
    if (free) return none;
    const others = this.layout.gauges
      .filter((gauge) => gauge.window === index && gauge.key != null &&
        !(identity && identityText(this.identityOf(gauge)) === identityText(identity)))
      .map((gauge) => this.shownRect(gauge));
    return {
      lines: this.settings.guides ? guideLines(others, this.layout.windows[index]) : null,
      reach: CATCH_PX / scale,
      grid: this.settings.grid ? Math.max(1, Number(this.settings.gridSize) || 0) : 0,
    };
  }

  followMove(gesture, at) {
    const gauge = this.gaugeOf(gesture.identity);
    if (!gauge) return;
    const over = this.windowUnder(at.clientX, at.clientY);
    const to = over === null || this.layers[over].entry.element.hidden ? gesture.window : over;
    let rect;
    const snapping = this.snappingIn(to, to === gesture.window ? gesture.identity : null, at.altKey);
    if (to === gesture.window) {
      const scale = this.scaleOf(to);
      const moved = { ...gesture.start, x: gesture.start.x + (at.clientX - gesture.startX) / scale,
                      y: gesture.start.y + (at.clientY - gesture.startY) / scale };
      rect = roundedRect(snapMove(moved, snapping));
    } else {
      const point = this.pointIn(to, at);
      const moved = { ...gesture.start, x: point.x - gesture.grab.x, y: point.y - gesture.grab.y };
      rect = roundedRect(snapMove(moved, snapping));
    }
    gesture.rect = rect;
    gesture.to = to;
    const text = identityText(gesture.identity);
    if (to === gesture.window) {
      this.leaving.delete(text);
      this.previews.set(text, rect);
      this.showGaugeAt(gauge, rect);
      this.hideGhost(gesture);
    } else {
      this.leaving.add(text);
      this.previews.set(text, gesture.start);
      this.showGaugeAt(gauge, gesture.start);
      this.showGhost(gesture, to, rect, () => this.pictureOf(gauge));
    }
    this.raise(gauge);
    this.placeSelection();
    this.showFields();
    this.showGuides(to, rect, snapping);
    const toWindow = this.layout.windows[to];
    const into = to === gesture.window ? '' : ` → ${toWindow.title || toWindow.section}`;
    this.view.showTip(`x ${rect.x}, y ${rect.y}${into}`, at);
  }

  followResize(gesture, at) {
    const gauge = this.gaugeOf(gesture.identity);
    if (!gauge) return;
    const scale = this.scaleOf(gesture.window);
    const snapping = this.snappingIn(gesture.window, gesture.identity, at.altKey);
    const rect = roundedRect(resizedRect(gesture.start, gesture.handle,
      (at.clientX - gesture.startX) / scale, (at.clientY - gesture.startY) / scale,
      { proportional: at.shiftKey, snapping }));
    gesture.rect = rect;
    this.previews.set(identityText(gesture.identity), rect);
    this.showGaugeAt(gauge, rect);
    this.raise(gauge);
    this.placeSelection();
    this.showFields();
    this.showGuides(gesture.window, rect, snapping);
    this.view.showTip(`${rect.width} × ${rect.height}${at.shiftKey ? ' (proportions kept)' : ''}`, at);
  }

  followPalette(gesture, at) {
    const over = this.windowUnder(at.clientX, at.clientY);
    const { item } = gesture;
    if (over === null || this.layers[over].entry.element.hidden) {
      gesture.to = null;
      this.showGhostFree(gesture, at, item);
      this.showGuides(null);
      this.view.showTip(`Drop on a window to add ${item.gauge}`, at);
      return;
    }
    const window = this.layout.windows[over];
    const size = this.addedSize(item, window);
    const point = this.pointIn(over, at);
    const snapping = this.snappingIn(over, null, at.altKey);
    const centred = { x: point.x - size.width / 2, y: point.y - size.height / 2, ...size };
    const rect = roundedRect(snapMove(centred, snapping));
    gesture.to = over;
    gesture.rect = rect;
    this.showGhost(gesture, over, rect, () => this.thumbnailOf(item));
    this.showGuides(over, rect, snapping);
    this.view.showTip(`${item.gauge} into ${window.title || window.section}: x ${rect.x}, y ${rect.y}`, at);
  }

  // The gauge being dragged lies above the others until it is let go.
  raise(gauge) {
    const entry = this.view.gauges[gauge.id];
    if (entry) entry.element.classList.add('edit-dragging');
  }

  lower() {
    for (const item of this.view.container.querySelectorAll('.edit-dragging')) item.classList.remove('edit-dragging');
  }

  pointerEnded(event, dropped) {
    const gesture = this.gesture;
    if (!gesture || event.pointerId !== gesture.pointerId) return;
    this.gesture = null;
    this.lower();
    this.showGuides(null);
    this.view.showTip(null);
    if (!dropped) return this.undoPreview(gesture);
    if (gesture.kind === 'pan') {
      if (gesture.started) return;
      // A tap: selects what it was on, or the window to add to.
      const tapped = this.gaugeOf(gesture.tapped);
      if (tapped) this.select(tapped);
      else {
        this.select(null);
        this.setTarget(this.layout.windows[gesture.window].section);
      }
      return;
    }
    if (!gesture.started) {
      this.hideGhost(gesture);
      return;
    }
    if (gesture.kind === 'move') this.dropMove(gesture);
    else if (gesture.kind === 'resize') this.dropResize(gesture);
    else if (gesture.kind === 'palette') this.dropPalette(gesture);
  }

  dropMove(gesture) {
    const text = identityText(gesture.identity);
    if (gesture.to !== gesture.window) {
      const section = this.layout.windows[gesture.to].section;
      this.submit({ window: gesture.identity.section, gauge: gesture.identity.key, to_window: section,
                    x: gesture.rect.x, y: gesture.rect.y },
                  { identity: gesture.identity, rect: gesture.start, ghost: gesture.ghost, follow: section });
      return;
    }
    const changed = changedFields(gesture.start, gesture.rect);
    if (Object.keys(changed).length === 0) {
      this.previews.delete(text);
      return;
    }
    this.submit({ window: gesture.identity.section, gauge: gesture.identity.key, ...changed },
                { identity: gesture.identity, rect: gesture.rect });
  }

  dropResize(gesture) {
    const changed = changedFields(gesture.start, gesture.rect);
    if (Object.keys(changed).length === 0) {
      this.previews.delete(identityText(gesture.identity));
      return;
    }
    // Width and height go together: a line that had no height takes the one the
    // designer gave it, whatever the gauge's proportions.
    if ('width' in changed || 'height' in changed) {
      Object.assign(changed, { width: gesture.rect.width, height: gesture.rect.height });
    }
    this.submit({ window: gesture.identity.section, gauge: gesture.identity.key, ...changed },
                { identity: gesture.identity, rect: gesture.rect });
  }

  dropPalette(gesture) {
    if (gesture.to === null) {
      this.hideGhost(gesture);
      return;
    }
    const section = this.layout.windows[gesture.to].section;
    this.add(gesture.item, section, gesture.rect, gesture.ghost);
  }

  // A gesture given up (Escape, the pointer lost): everything back where it was.
  cancelGesture() {
    const gesture = this.gesture;
    if (!gesture) return;
    this.gesture = null;
    this.lower();
    this.showGuides(null);
    this.view.showTip(null);
    this.undoPreview(gesture);
  }

  undoPreview(gesture) {
    this.hideGhost(gesture);
    if (!gesture.identity) return;
    const text = identityText(gesture.identity);
    this.leaving.delete(text);
    this.previews.delete(text);
    const gauge = this.gaugeOf(gesture.identity);
    if (gauge) this.showGaugeAt(gauge, rectOf(gauge));
    this.placeSelection();
    this.showFields();
  }

  // ------------------------------------------------------------------ ghosts and guides

  // A picture of a gauge on its way into a window, over the page where it will land.
  showGhost(gesture, index, rect, picture) {
    const ghost = this.ghostOf(gesture, picture);
    const layer = this.layers[index].element.getBoundingClientRect();
    const scale = this.scaleOf(index);
    ghost.classList.add('landing');
    Object.assign(ghost.style, {
      left: `${layer.left + rect.x * scale}px`, top: `${layer.top + rect.y * scale}px`,
      width: `${rect.width * scale}px`, height: `${rect.height * scale}px`,
    });
  }

  showGhostFree(gesture, at, item) {
    const ghost = this.ghostOf(gesture, () => this.thumbnailOf(item));
    ghost.classList.remove('landing');
    const width = 64;
    const height = item.width > 0 && item.height > 0 ? width * item.height / item.width : width;
    Object.assign(ghost.style, {
      left: `${at.clientX - width / 2}px`, top: `${at.clientY - height / 2}px`,
      width: `${width}px`, height: `${height}px`,
    });
  }

  ghostOf(gesture, picture) {
    if (!gesture.ghost) {
      gesture.ghost = element('div', { className: 'edit-ghost' }, picture());
      document.body.append(gesture.ghost);
    }
    return gesture.ghost;
  }

  hideGhost(gesture) {
    if (gesture.ghost) gesture.ghost.remove();
    gesture.ghost = null;
  }

  // A copy of the gauge's picture as the page shows it now.
  pictureOf(gauge) {
    const entry = this.view.gauges[gauge.id];
    if (!entry || gauge.placeholder) return element('span', { className: 'edit-ghost-label', textContent: gauge.name });
    const copy = element('canvas', { width: entry.element.width, height: entry.element.height });
    copy.getContext('2d').drawImage(entry.element, 0, 0);
    return copy;
  }

  thumbnailOf(item) {
    const image = element('img', { alt: '', src: item.thumbnail, draggable: false });
    image.addEventListener('error', () =>
      image.replaceWith(element('span', { className: 'edit-ghost-label', textContent: item.gauge })));
    return image;
  }

  // The guide lines the dragged gauge lies on, across its window (null: none).
  showGuides(index, rect, snapping) {
    for (const line of document.querySelectorAll('.edit-guide')) line.remove();
    if (index === null || index === undefined || !snapping || !snapping.lines) return;
    const layer = this.layers[index];
    const scale = layer.entry.scale;
    const met = linesMet(rect, snapping.lines);
    for (const x of met.x) {
      const line = element('div', { className: 'edit-guide vertical' });
      line.style.left = `${x * scale}px`;
      layer.element.append(line);
    }
    for (const y of met.y) {
      const line = element('div', { className: 'edit-guide horizontal' });
      line.style.top = `${y * scale}px`;
      layer.element.append(line);
    }
  }

  // ------------------------------------------------------------------ edits

  // Sends an edit; the gauge is shown at `rect` until the host's layout has it (or
  // back where it was if the host refuses). `follow`: the section the gauge's line
  // lands in under the key the host answers (a move to another window, an add),
  // which the selection then follows.
  submit(body, { identity = null, rect = null, ghost = null, follow = null } = {}) {
    const text = identity ? identityText(identity) : null;
    if (text && rect) this.previews.set(text, rect);
    if (ghost) this.ghosts.add(ghost);
    this.inFlight += 1;
    const sent = this.queue.then(() => sendEdit('placement', body));
    this.queue = sent.catch(() => {});
    sent.then((answer) => {
      if (follow && answer.key) this.selected = { section: follow, key: answer.key };
      if (follow) this.target = follow;
    }, (error) => {
      if (text) {
        this.previews.delete(text);
        this.leaving.delete(text);
        const gauge = this.gaugeOf(identity);
        if (gauge) this.showGaugeAt(gauge, rectOf(gauge));
      }
      if (ghost) {
        ghost.remove();
        this.ghosts.delete(ghost);
      }
      this.showMessage(`Not changed: ${error.message}`);
    }).finally(() => {
      this.inFlight -= 1;
      this.place();
      this.showSelection();
    });
    return sent;
  }

  // Save, undo or redo, in turn with the edits.
  command(name) {
    const sent = this.queue.then(() => sendEdit(`panel/${name}`, {}));
    this.queue = sent.catch(() => {});
    sent.catch((error) => this.showMessage(`${name[0].toUpperCase()}${name.slice(1)}: ${error.message}`));
    return sent;
  }

  nudge(dx, dy) {
    const gauge = this.selectedGauge();
    if (!gauge) return;
    const identity = this.identityOf(gauge);
    const from = this.shownRect(gauge);
    const rect = { ...from, x: from.x + dx, y: from.y + dy };
    this.showGaugeAt(gauge, rect);
    this.submit({ window: identity.section, gauge: identity.key, ...changedFields(from, rect) }, { identity, rect });
    this.placeSelection();
    this.showFields();
  }

  remove() {
    const gauge = this.selectedGauge();
    if (!gauge) return;
    const identity = this.identityOf(gauge);
    this.select(null);
    const entry = this.view.gauges[gauge.id];
    if (entry) entry.element.classList.add('edit-leaving');
    this.submit({ window: identity.section, gauge: identity.key, remove: true }).catch(() => {
      if (entry) entry.element.classList.remove('edit-leaving');
    });
  }

  // A palette gauge into window `section`: at `rect`, or (from the Add button) in
  // the middle of the window.
  add(item, section, rect = null, ghost = null) {
    const index = this.windowOf(section);
    if (index === null) return;
    const window = this.layout.windows[index];
    const size = this.addedSize(item, window);
    const place = rect || {
      x: Math.round((window.width - size.width) / 2), y: Math.round((window.height - size.height) / 2), ...size,
    };
    const body = { window: section, add: `${item.module}!${item.gauge}`, x: place.x, y: place.y };
    if (place.width !== item.width) body.width = place.width;
    this.submit(body, { ghost, follow: section });
  }

  // The size a palette gauge is added at: its design size, made smaller to fit a
  // window smaller than it.
  addedSize(item, window) {
    const width = item.width > 0 ? item.width : 100;
    const height = item.height > 0 ? item.height : width;
    const shrink = Math.min(1, window.width / width, window.height / height);
    return { width: Math.max(1, Math.round(width * shrink)), height: Math.max(1, Math.round(height * shrink)) };
  }

  // A field of the side panel typed: one change.
  applyField(name, text) {
    const gauge = this.selectedGauge();
    if (!gauge) return;
    const identity = this.identityOf(gauge);
    if (name === 'parameters') {
      if (text === (gauge.parameters ?? '')) return;
      this.submit({ window: identity.section, gauge: identity.key, parameters: text });
      return;
    }
    const value = Number(text.trim());
    if (text.trim() === '' || !Number.isInteger(value)) {
      this.showMessage(`${name} must be a whole number of panel units, not "${text.trim()}"`);
      this.showFields();
      return;
    }
    const from = this.shownRect(gauge);
    if (value === from[name]) return;
    const rect = { ...from, [name]: value };
    this.submit({ window: identity.section, gauge: identity.key, [name]: value },
                { identity, rect: value > 0 || name === 'x' || name === 'y' ? rect : null });
  }

  moveToWindow(section) {
    const gauge = this.selectedGauge();
    if (!gauge || sameName(section, this.layout.windows[gauge.window].section)) return;
    const index = this.windowOf(section);
    const window = this.layout.windows[index];
    const rect = this.shownRect(gauge);
    // Kept where it was, but inside the other window if it would lie beyond it.
    const x = Math.max(0, Math.min(rect.x, window.width - rect.width));
    const y = Math.max(0, Math.min(rect.y, window.height - rect.height));
    const identity = this.identityOf(gauge);
    this.submit({ window: identity.section, gauge: identity.key, to_window: window.section,
                  x: Math.round(x), y: Math.round(y) }, { follow: window.section });
  }

  // ------------------------------------------------------------------ keys

  keyDown(event) {
    if (event.defaultPrevented || event.isComposing) return;
    const typing = typingIn(event.target);
    const command = event.ctrlKey || event.metaKey;
    const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
    if (key === 'e' && !command && !event.altKey && !typing) {
      event.preventDefault();
      this.toggle(!this.editing);
      return;
    }
    if (!this.editing) return;
    if (command && !event.altKey) {
      const redo = key === 'y' || (key === 'z' && event.shiftKey);
      const name = key === 's' ? 'save' : redo ? 'redo' : key === 'z' ? 'undo' : null;
      // In a field Ctrl+Z is the field's own.
      if (!name || (typing && name !== 'save')) return;
      event.preventDefault();
      this.command(name);
      return;
    }
    if (typing || event.altKey) return;
    if (key === 'Escape') {
      if (this.gesture) this.cancelGesture();
      else if (this.selected) this.select(null);
      else return;
      event.preventDefault();
    } else if (key === 'Delete' || key === 'Backspace') {
      if (!this.selected) return;
      event.preventDefault();
      this.remove();
    } else if (NUDGES[key]) {
      if (!this.selected || this.gesture) return;
      event.preventDefault();
      const step = event.shiftKey ? 10 : 1;
      this.nudge(NUDGES[key][0] * step, NUDGES[key][1] * step);
    }
  }

  // ------------------------------------------------------------------ selection

  select(gauge) {
    this.selected = gauge ? this.identityOf(gauge) : null;
    if (gauge) this.setTarget(this.layout.windows[gauge.window].section);
    this.showSelection();
    this.placeSelection();
  }

  setTarget(section) {
    this.target = section;
    if (section) this.targetChoice.value = section;
    for (const layer of this.layers) {
      layer.element.classList.toggle('target', sameName(layer.entry.window.section, section));
    }
  }

  // ------------------------------------------------------------------ side panel

  buildPanel() {
    const button = (action, text, title) => {
      const item = element('button', { type: 'button', textContent: text, title });
      item.dataset.editAction = action;
      return item;
    };
    this.undoButton = button('undo', 'Undo', 'Undo the last edit (Ctrl+Z)');
    this.redoButton = button('redo', 'Redo', 'Redo the edit undone (Ctrl+Shift+Z, Ctrl+Y)');
    this.saveButton = button('save', 'Save', 'Write the panel file (Ctrl+S)');
    this.unsaved = element('span', {
      className: 'edit-unsaved', textContent: '● unsaved', title: 'The panel has edits the file does not have yet',
    });
    this.undoButton.addEventListener('click', () => this.command('undo'));
    this.redoButton.addEventListener('click', () => this.command('redo'));
    this.saveButton.addEventListener('click', () => this.command('save'));
    this.fileLine = element('div', { className: 'edit-file' });
    const fold = element('button', {
      type: 'button', className: 'edit-fold', textContent: '▾',
      title: 'Fold the panel away (the gauges stay selected)',
    });
    fold.setAttribute('aria-expanded', 'true');
    fold.addEventListener('click', () => {
      const folded = this.panel.classList.toggle('folded');
      fold.textContent = folded ? '▴' : '▾';
      fold.setAttribute('aria-expanded', String(!folded));
    });
    const head = element('div', { className: 'edit-head' },
      element('div', { className: 'edit-actions' }, this.undoButton, this.redoButton,
              element('span', { className: 'edit-spacer' }), this.unsaved, this.saveButton, fold),
      this.fileLine);
    const main = element('div', { className: 'edit-main' }, this.inspectorSection(), this.arrangeSection());
    this.panel.append(head, element('div', { className: 'edit-body' }, main, this.paletteSection()));
  }

  inspectorSection() {
    this.hint = element('p', { className: 'edit-hint',
      textContent: 'Click a gauge to select it: drag it to move it, its handles to resize it (Shift keeps ' +
                   'its proportions), the arrow keys nudge it (Shift: 10 units). Drop it on another window ' +
                   'to move it there.',
    });
    this.facts = element('dl', { className: 'edit-facts' });
    this.fields = {};
    const field = (name, label, attributes = {}) => {
      const input = element('input', {
        type: 'text', className: name === 'parameters' ? '' : 'numbers', spellcheck: false, ...attributes,
      });
      input.dataset.editField = name;
      input.setAttribute('autocomplete', 'off');
      input.addEventListener('input', () => { input.dataset.dirty = '1'; });
      input.addEventListener('change', () => {
        delete input.dataset.dirty;
        this.applyField(name, input.value);
      });
      input.addEventListener('keydown', (event) => {
        if (event.key === 'Enter') {
          event.preventDefault();
          input.dispatchEvent(new Event('change'));
        } else if (event.key === 'Escape') {
          delete input.dataset.dirty;
          this.showFields();
          input.blur();
        }
      });
      this.fields[name] = input;
      return element('label', { className: `edit-field edit-field-${name}` },
                     element('span', { textContent: label }), input);
    };
    this.windowChoice = element('select', { title: 'Move the gauge to another window' });
    this.windowChoice.dataset.editField = 'window';
    this.windowChoice.addEventListener('change', () => this.moveToWindow(this.windowChoice.value));
    this.removeButton = element('button', {
      type: 'button', className: 'edit-remove', textContent: 'Remove gauge', title: 'Remove the gauge\'s line (Delete)',
    });
    this.removeButton.dataset.editAction = 'remove';
    this.removeButton.addEventListener('click', () => this.remove());
    this.gaugePart = element('div', { className: 'edit-gauge', hidden: true },
      this.facts,
      element('div', { className: 'edit-fields' },
              ...FIELDS.map((name) => field(name, name, { inputMode: 'numeric' }))),
      field('parameters', 'parameters', { placeholder: 'none' }),
      element('label', { className: 'edit-field edit-field-window' },
              element('span', { textContent: 'window' }), this.windowChoice),
      this.removeButton);
    return element('section', { className: 'edit-inspector' },
                   element('h2', { textContent: 'Selected gauge' }), this.hint, this.gaugePart);
  }

  arrangeSection() {
    const gridBox = element('input', { type: 'checkbox', checked: this.settings.grid });
    gridBox.dataset.editSetting = 'grid';
    const gridSize = element('input', {
      type: 'number', className: 'numbers', min: 1, max: 500, step: 1, value: this.settings.gridSize,
      title: 'Grid size in panel units',
    });
    gridSize.dataset.editSetting = 'gridSize';
    const guidesBox = element('input', { type: 'checkbox', checked: this.settings.guides });
    guidesBox.dataset.editSetting = 'guides';
    const save = () => {
      this.settings = {
        grid: gridBox.checked,
        gridSize: Math.max(1, Math.round(Number(gridSize.value) || 10)),
        guides: guidesBox.checked,
      };
      try {
        localStorage.setItem(SETTINGS_KEY, JSON.stringify(this.settings));
      } catch { /* a private window: for this page only */ }
    };
    for (const item of [gridBox, gridSize, guidesBox]) item.addEventListener('change', save);
    return element('section', { className: 'edit-arrange' }, element('h2', { textContent: 'Arrange' }),
      element('div', { className: 'edit-switches' },
        element('label', { className: 'switch' }, gridBox, ' Snap to grid of'), gridSize,
        element('span', { className: 'edit-unit', textContent: 'units' }),
        element('label', { className: 'switch' }, guidesBox, ' Alignment guides')),
      element('p', { className: 'edit-keys',
                     textContent: 'Alt while dragging: no snapping · Delete removes · Esc lets go' }));
  }

  paletteSection() {
    this.paletteSearch = element('input', {
      type: 'search', placeholder: 'Find a gauge',
      title: 'Shows the gauges whose name or module holds every word typed',
    });
    this.paletteSearch.setAttribute('aria-label', 'Find a gauge of the palette');
    this.paletteSearch.addEventListener('input', () => this.filterPalette());
    this.targetChoice = element('select', { title: 'The window Add puts gauges in (or click a window\'s face)' });
    this.targetChoice.dataset.editTarget = '';
    this.targetChoice.addEventListener('change', () => this.setTarget(this.targetChoice.value));
    this.paletteCount = element('small', { className: 'edit-count numbers' });
    this.paletteList = element('ul', { className: 'edit-palette-list' });
    return element('section', { className: 'edit-palette' },
      element('h2', {}, 'Palette ', this.paletteCount),
      element('div', { className: 'edit-palette-bar' }, this.paletteSearch,
              element('label', { className: 'edit-target' }, element('span', { textContent: 'into' }),
                      this.targetChoice)),
      element('p', { className: 'edit-keys',
                     textContent: 'Drag a gauge onto a window, or Add it to the window chosen.' }),
      this.paletteList);
  }

  showEditing(editing) {
    const state = editing || { unsaved: false, undo: false, redo: false, file: '' };
    this.undoButton.disabled = !state.undo;
    this.redoButton.disabled = !state.redo;
    this.unsaved.classList.toggle('shown', Boolean(state.unsaved));
    this.dot.hidden = !state.unsaved;
    this.saveButton.classList.toggle('active', Boolean(state.unsaved));
    this.fileLine.textContent = state.file || '';
    this.fileLine.title = state.file || '';
  }

  showWindowChoices(windows) {
    const text = JSON.stringify(windows.map((window) => [window.section, window.title]));
    if (text === this.windowsText) return;
    this.windowsText = text;
    const options = () => windows.map((window) => element('option', {
      value: window.section, textContent: window.title ? `${window.title} · ${window.section}` : window.section,
    }));
    this.windowChoice.replaceChildren(...options());
    this.targetChoice.replaceChildren(...options());
  }

  showPalette(palette) {
    const text = JSON.stringify(palette);
    if (text === this.paletteText) return;
    this.paletteText = text;
    this.paletteList.replaceChildren(...palette.map((item) => this.paletteItem(item)));
    if (palette.length === 0) {
      this.paletteList.append(element('li', { className: 'edit-empty', textContent: 'No module is loaded.' }));
    }
    this.filterPalette();
  }

  paletteItem(item) {
    const image = element('img', { alt: '', loading: 'lazy', draggable: false, src: item.thumbnail });
    const thumb = element('span', { className: 'palette-thumb', title: 'Drag onto a window' }, image);
    image.addEventListener('error', () => thumb.classList.add('missing'));
    const add = element('button', { type: 'button', textContent: 'Add', title: 'Add it to the window chosen above' });
    add.addEventListener('click', () => this.add(item, this.target));
    const row = element('li', { className: 'palette-item' }, thumb,
      element('span', { className: 'palette-name' }, element('strong', { textContent: item.gauge }),
              element('small', { className: 'numbers',
                                 textContent: `${item.module} · ${item.width} × ${item.height}` })),
      add);
    row.dataset.palette = `${item.module}!${item.gauge}`;
    row.dataset.search = `${item.module} ${item.gauge}`.toLowerCase();
    // A mouse drags the whole row; a finger the picture (the rest scrolls the list).
    row.addEventListener('pointerdown', (event) => {
      if (event.target === add || (event.pointerType === 'touch' && !thumb.contains(event.target))) return;
      this.palettePressed(event, item);
    });
    return row;
  }

  filterPalette() {
    const words = this.paletteSearch.value.toLowerCase().split(/\s+/).filter(Boolean);
    let shown = 0;
    const rows = [...this.paletteList.querySelectorAll('.palette-item')];
    for (const row of rows) {
      row.hidden = !words.every((word) => row.dataset.search.includes(word));
      if (!row.hidden) shown += 1;
    }
    this.paletteCount.textContent = words.length ? `${shown} of ${rows.length}` : String(rows.length);
  }

  // The selected gauge's placement in the side panel.
  showSelection() {
    const gauge = this.selectedGauge();
    this.hint.hidden = Boolean(gauge);
    this.gaugePart.hidden = !gauge;
    this.panel.classList.toggle('has-selection', Boolean(gauge));
    if (!gauge) return;
    const window = this.layout.windows[gauge.window];
    const fact = (term, value) => [element('dt', { textContent: term }), element('dd', { textContent: value })];
    this.facts.replaceChildren(
      ...fact('gauge', gauge.name),
      ...fact('module', gauge.module || (gauge.placeholder ? gauge.placeholder.label : '')),
      ...fact('key', `${gauge.key}${gauge.line ? ` (line ${gauge.line})` : ''}`),
      ...fact('window', window.title ? `${window.title} · ${window.section}` : window.section));
    if (gauge.placeholder) this.facts.append(...fact('runs', gauge.placeholder.missing));
    this.windowChoice.value = window.section;
    this.showFields();
  }

  // The fields show the placement, except one the designer is typing in.
  showFields() {
    const gauge = this.selectedGauge();
    if (!gauge) return;
    const rect = this.shownRect(gauge);
    for (const name of FIELDS) {
      const input = this.fields[name];
      if (document.activeElement === input && input.dataset.dirty) continue;
      input.value = String(Math.round(rect[name]));
    }
    const parameters = this.fields.parameters;
    if (!(document.activeElement === parameters && parameters.dataset.dirty)) parameters.value = gauge.parameters ?? '';
  }

  // ------------------------------------------------------------------ messages

  // A refusal, over the panel's top, where the designer looks (nothing moves).
  showMessage(text) {
    const close = element('button', {
      type: 'button', className: 'edit-message-close', textContent: '✕', title: 'Close',
    });
    close.setAttribute('aria-label', 'Close');
    close.addEventListener('click', () => this.hideMessage());
    this.message.replaceChildren(element('span', { textContent: text }), close);
    this.message.hidden = false;
    clearTimeout(this.messageTimer);
    this.messageTimer = setTimeout(() => this.hideMessage(), MESSAGE_MS);
  }

  hideMessage() {
    clearTimeout(this.messageTimer);
    this.message.hidden = true;
  }
}

// What the pilot does to a gauge, as the host's mouse model takes it: presses and
// releases at design pixels. The mouse presses where it points; a finger's tap is a
// left click, and on areas that take the right button a long press or a two-finger
// tap a right one; holding repeats as the host's repeat timer decides. The wheel over
// a knob and the arrow keys on a focused gauge turn the knob: a click on the knob's
// increasing or decreasing half.

// Which way a knob half turns the knob, by the cursor the area shows.
const INCREASING = new Set(['up', 'right']);
const DECREASING = new Set(['down', 'left']);

const LONG_PRESS_MS = 500;    // a finger held this long is a right press
const WHEEL_NOTCH = 100;      // pixels of wheel travel a notch is worth
const WHEEL_REACH_PX = 8;     // how far beside a knob half the wheel still turns it
const MAX_NOTCHES = 5;        // clicks one wheel event may send at most

// Keys that turn the knob under the last pointer position of a focused gauge.
const KEY_STEPS = {
  ArrowUp: 1, ArrowRight: 1, '+': 1, '=': 1,
  ArrowDown: -1, ArrowLeft: -1, '-': -1, _: -1,
};

// The same rules as the host's: the deepest area under the point (the later one
// among equals) gives the cursor if it is clickable; the innermost area under the
// point that has a tip gives the tip. `node`: that clickable area.
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
    node: node && node.clickable ? node : null,
  };
}

function distanceToBox([left, top, width, height], x, y) {
  const dx = Math.max(left - x, 0, x - (left + width));
  const dy = Math.max(top - y, 0, y - (top + height));
  return Math.hypot(dx, dy);
}

// The click that turns the knob nearest design point (x, y) one step up or down:
// the centre of the nearest area whose cursor turns that way, and the button it
// takes. Null when no knob half lies within `reach` design pixels of the point.
export function knobStep(nodes, x, y, increase, reach = Infinity) {
  const turning = nodes.filter((node) => node.clickable &&
    (INCREASING.has(node.cursor) || DECREASING.has(node.cursor)));
  const nearest = (candidates) => candidates.reduce((best, node) => {
    const distance = distanceToBox(node.box, x, y);
    return !best || distance < best.distance ? { node, distance } : best;
  }, null);
  const knob = nearest(turning);
  if (!knob || knob.distance > reach) return null;
  const half = nearest(turning.filter((node) => (increase ? INCREASING : DECREASING).has(node.cursor)));
  if (!half) return null;
  const [left, top, width, height] = half.node.box;
  return { x: left + width / 2, y: top + height / 2, button: half.node.left === false && half.node.right ? 'right' : 'left' };
}

// Gauges on the page and what each input needs of them, by canvas.
const attached = new WeakMap();

// While the panel is being laid out (edit_mode.js) the pointer and the keys edit
// it: no gauge is pressed, turned or given the keys.
let suspended = false;
export function suspendGaugeInput(on) { suspended = on; }

// While a gauge has the focus its keys are its own: the page's shortcuts (and a
// focused button's Space) never see them. Listening on the window, in the capture
// phase, and before any other module comes first.
function gaugeKeys(event) {
  if (suspended) return;
  const entry = attached.get(document.activeElement);
  if (!entry || event.target !== document.activeElement) return;
  if (event.key === 'Tab' || event.key === 'Escape') return;
  event.stopImmediatePropagation();
  if (event.type !== 'keydown' || event.ctrlKey || event.metaKey || event.altKey) return;
  if (event.key === ' ' || event.key === 'Enter') {
    event.preventDefault();
    return;
  }
  const step = KEY_STEPS[event.key];
  if (!step) return;
  event.preventDefault();
  entry.input.turn(entry.canvas, entry.gauge, step > 0, Infinity);
}
window.addEventListener('keydown', gaugeKeys, true);
window.addEventListener('keyup', gaugeKeys, true);
window.addEventListener('keypress', gaugeKeys, true);

export class GaugeInput {
  // `send(body)`: a mouse command to the host, in order; `layoutNumber()`: the
  // layout the presses are meant for; `showTip(text, event)`; `cursorOf(name)`;
  // `scroller`: the element a finger drags to scroll the panel; `beforeTap(event)`:
  // whether the page takes a finger's touch for itself (it magnifies the panel) so that
  // it presses nothing.
  constructor({ send, layoutNumber, showTip, cursorOf, scroller, beforeTap = () => false }) {
    this.send = send;
    this.layoutNumber = layoutNumber;
    this.showTip = showTip;
    this.cursorOf = cursorOf;
    this.scroller = scroller;
    this.beforeTap = beforeTap;
    this.press = null;          // the press under way: { pointers, canvas, gauge, point, sent, timer, pan }
    this.lastPoints = new Map(); // gauge id -> the last design point the pointer was at
    this.wheel = { gauge: -1, rest: 0, at: 0 };
    this.lastUse = -Infinity;   // when the pilot last pressed or turned something here
  }

  attach(canvas, gauge) {
    canvas.tabIndex = 0;
    attached.set(canvas, { input: this, canvas, gauge });
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());
    canvas.addEventListener('pointermove', (event) => this.moved(event, canvas, gauge));
    canvas.addEventListener('pointerleave', () => this.showTip(null));
    canvas.addEventListener('pointerdown', (event) => this.down(event, canvas, gauge));
    for (const name of ['pointerup', 'pointercancel', 'lostpointercapture']) {
      canvas.addEventListener(name, (event) => this.up(event));
    }
    canvas.addEventListener('wheel', (event) => this.wheeled(event, canvas, gauge), { passive: false });
  }

  // The design pixels of the gauge under a pointer event.
  designPoint(event, canvas, gauge) {
    const rect = canvas.getBoundingClientRect();
    return {
      x: (event.clientX - rect.left) / rect.width * (gauge.width / gauge.scale_x),
      y: (event.clientY - rect.top) / rect.height * (gauge.height / gauge.scale_y),
    };
  }

  moved(event, canvas, gauge) {
    const press = this.press;
    if (press && press.pan && press.pointers.has(event.pointerId)) {
      this.scroller.scrollLeft = press.pan.left - (event.clientX - press.pan.x);
      this.scroller.scrollTop = press.pan.top - (event.clientY - press.pan.y);
      return;
    }
    const point = this.designPoint(event, canvas, gauge);
    this.lastPoints.set(gauge.id, point);
    if (event.pointerType === 'touch') return;
    const info = pointerInfo(gauge.mouse, point.x, point.y);
    canvas.style.cursor = this.cursorOf(info.cursor);
    this.showTip(info.tip, event);
  }

  down(event, canvas, gauge) {
    if (suspended) return;
    const touch = event.pointerType === 'touch';
    if (!touch && event.button !== 0 && event.button !== 2) return;
    event.preventDefault();
    canvas.focus({ preventScroll: true });
    this.lastUse = performance.now();
    const point = this.designPoint(event, canvas, gauge);
    this.lastPoints.set(gauge.id, point);
    const press = this.press;
    if (press && touch && press.touch) {
      // A second finger: a right click where the first one is, if the first one's
      // press is still undecided; otherwise it only counts till it lifts.
      press.pointers.add(event.pointerId);
      if (press.pending) {
        clearTimeout(press.timer);
        press.pending = false;
        this.pressAt(press, 'right');
      }
      return;
    }
    if (press) this.release();
    if (touch && this.beforeTap(event)) return;
    try { canvas.setPointerCapture(event.pointerId); } catch { /* the pointer is gone already */ }
    const started = { pointers: new Set([event.pointerId]), canvas, gauge, point, touch, sent: false };
    this.press = started;
    if (!touch) {
      this.pressAt(started, event.button === 2 ? 'right' : 'left');
      return;
    }
    this.showTip(null);
    const { node } = pointerInfo(gauge.mouse, point.x, point.y);
    if (!node) {
      // Nothing to press here: the finger drags the panel instead.
      started.pan = { x: event.clientX, y: event.clientY, left: this.scroller.scrollLeft, top: this.scroller.scrollTop };
      return;
    }
    if (node.right && node.left !== false) {
      // Tap or long press: which one, the finger's time tells.
      started.pending = true;
      started.timer = setTimeout(() => {
        if (this.press !== started || !started.pending) return;
        started.pending = false;
        this.pressAt(started, 'right');
      }, LONG_PRESS_MS);
    } else {
      this.pressAt(started, node.left === false ? 'right' : 'left');
    }
  }

  up(event) {
    const press = this.press;
    if (!press || !press.pointers.has(event.pointerId)) return;
    press.pointers.delete(event.pointerId);
    if (press.pointers.size > 0) return;
    clearTimeout(press.timer);
    if (press.pending && event.type === 'pointerup') {
      // A tap: a left click.
      press.pending = false;
      this.pressAt(press, 'left');
    }
    this.release();
  }

  pressAt(press, button) {
    press.sent = true;
    this.send({
      action: 'press', layout: this.layoutNumber(), gauge: press.gauge.id,
      x: press.point.x, y: press.point.y, button,
    });
  }

  // Lets go of the press under way, if it reached the host.
  release() {
    const press = this.press;
    this.press = null;
    if (!press) return;
    clearTimeout(press.timer);
    if (press.sent) this.send({ action: 'release' });
  }

  // One step of the knob nearest the gauge's last pointer position (its middle when
  // the pointer has not been over it): a press and a release on the knob's half.
  turn(canvas, gauge, increase, reach, point = this.lastPoints.get(gauge.id)) {
    const at = point || { x: gauge.width / gauge.scale_x / 2, y: gauge.height / gauge.scale_y / 2 };
    const step = knobStep(gauge.mouse, at.x, at.y, increase, reach);
    if (!step) return false;
    this.lastUse = performance.now();
    this.send({ action: 'press', layout: this.layoutNumber(), gauge: gauge.id, x: step.x, y: step.y, button: step.button });
    this.send({ action: 'release' });
    return true;
  }

  // The wheel over a knob turns it a step a notch (and does not scroll the page);
  // elsewhere over the gauge it scrolls as usual.
  wheeled(event, canvas, gauge) {
    if (event.ctrlKey || suspended) return;   // the browser's zoom; or the panel is edited
    const point = this.designPoint(event, canvas, gauge);
    this.lastPoints.set(gauge.id, point);
    const scale = (gauge.width / gauge.scale_x) / canvas.getBoundingClientRect().width;
    const horizontal = Math.abs(event.deltaX) > Math.abs(event.deltaY);
    let amount = horizontal ? event.deltaX : -event.deltaY;
    if (amount === 0) return;
    const reach = WHEEL_REACH_PX * scale;
    const increase = amount > 0;
    if (!knobStep(gauge.mouse, point.x, point.y, increase, reach)) return;
    event.preventDefault();
    if (event.deltaMode === 1) amount *= WHEEL_NOTCH / 3;        // lines: three a notch
    else if (event.deltaMode === 2) amount *= WHEEL_NOTCH;       // pages
    const wheel = this.wheel;
    const now = performance.now();
    if (wheel.gauge !== gauge.id || now - wheel.at > 400 || Math.sign(wheel.rest) !== Math.sign(amount)) wheel.rest = 0;
    wheel.gauge = gauge.id;
    wheel.at = now;
    // A mouse's notch comes as one event of about a notch; a touchpad's small
    // movements add up to one.
    let notches;
    if (Math.abs(amount) >= WHEEL_NOTCH / 2) {
      notches = Math.max(1, Math.round(Math.abs(amount) / WHEEL_NOTCH));
      wheel.rest = 0;
    } else {
      wheel.rest += amount;
      notches = Math.floor(Math.abs(wheel.rest) / WHEEL_NOTCH);
      wheel.rest -= Math.sign(wheel.rest) * notches * WHEEL_NOTCH;
    }
    for (let i = 0; i < Math.min(notches, MAX_NOTCHES); i += 1) this.turn(canvas, gauge, increase, reach, point);
  }
}

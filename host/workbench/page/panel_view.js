// The panel windows: each gauge a canvas showing the host's picture of it, the
// windows scaled together to fit the page, and the mouse: presses and releases go
// to the host, the pointer's cursor and tooltip come from the gauges' mouse areas.
import { post } from './api.js';

const WINDOW_GAP = 12;     // CSS pixels between windows (see workbench.css)
const TITLE_HEIGHT = 18;   // the window title line
const BORDER = 2;          // a window face's border, both sides

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

// The same rule as the host's: the deepest area under the point (the later one
// among equals) decides; a clickable area gives its cursor.
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
  nodes.forEach((node, index) => {
    if (underPoint(index) && (best < 0 || node.depth >= nodes[best].depth)) best = index;
  });
  if (best < 0) return { cursor: null, tip: null };
  const node = nodes[best];
  return { cursor: node.clickable ? node.cursor : null, tip: node.tip };
}

export class PanelView {
  // `onZoom(zoom)`: the page wants pictures drawn at this many pixels per panel unit.
  constructor({ container, tooltip, onZoom, onError }) {
    this.container = container;
    this.tooltip = tooltip;
    this.onZoom = onZoom;
    this.onError = onError;
    this.layout = null;
    this.windows = [];   // { element, face, window }
    this.gauges = [];    // { element, outline, gauge } by gauge id
    this.shown = [];
    this.scale = 1;
    this.zoom = 0;
    this.pressed = false;
    this.mouseSent = Promise.resolve();
    new ResizeObserver(() => this.fit()).observe(container);
    window.addEventListener('blur', () => this.release());
  }

  build(layout) {
    this.layout = layout;
    this.container.replaceChildren();
    this.windows = [];
    this.gauges = [];
    layout.windows.forEach((window, index) => {
      const element = document.createElement('div');
      element.className = 'window';
      element.dataset.window = index;
      const title = document.createElement('div');
      title.className = 'window-title';
      title.textContent = window.title || `Window ${index}`;
      const face = document.createElement('div');
      face.className = 'window-face';
      element.append(title, face);
      this.container.append(element);
      this.windows.push({ element, face, window });
    });
    for (const gauge of layout.gauges) {
      const canvas = document.createElement('canvas');
      canvas.className = 'gauge';
      canvas.width = 1;
      canvas.height = 1;
      canvas.dataset.gauge = gauge.name;
      canvas.dataset.id = gauge.id;
      canvas.dataset.drawn = 0;
      const outline = this.outlineOf(gauge);
      this.windows[gauge.window].face.append(canvas, outline);
      this.gauges[gauge.id] = { element: canvas, outline, gauge };
      this.listen(canvas, gauge);
    }
    this.shown = layout.windows.map(() => true);
    this.fit();
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

  // One scale for every shown window, side by side, so that they fill the area.
  fit() {
    if (!this.layout) return;
    const visible = this.windows.filter((_, index) => this.shown[index] !== false);
    if (visible.length === 0) return;
    const width = this.container.clientWidth - WINDOW_GAP * (visible.length - 1) - BORDER * visible.length;
    const height = this.container.clientHeight - TITLE_HEIGHT - BORDER;
    const panelWidth = visible.reduce((sum, entry) => sum + entry.window.width, 0);
    const panelHeight = Math.max(...visible.map((entry) => entry.window.height));
    const scale = Math.max(0.05, Math.min(width / Math.max(panelWidth, 1), height / Math.max(panelHeight, 1)));
    this.scale = scale;
    for (const entry of this.windows) {
      entry.face.style.width = `${entry.window.width * scale + BORDER}px`;
      entry.face.style.height = `${entry.window.height * scale + BORDER}px`;
    }
    for (const { element, outline, gauge } of this.gauges.filter(Boolean)) {
      for (const item of [element, outline]) {
        item.style.left = `${gauge.x * scale}px`;
        item.style.top = `${gauge.y * scale}px`;
        item.style.width = `${gauge.width * scale}px`;
        item.style.height = `${gauge.height * scale}px`;
      }
    }
    const zoom = Math.min(4, Math.max(0.25, Math.round(scale * window.devicePixelRatio * 20) / 20));
    if (zoom !== this.zoom) {
      this.zoom = zoom;
      clearTimeout(this.zoomTimer);
      this.zoomTimer = setTimeout(() => this.onZoom(zoom), 200);
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
      if (!entry) continue;
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

// How large the page shows each window and where: windows that flow in rows (in
// the panel file's order) at the largest scales that let them all fit the area,
// never smaller than the scale at which their knobs can still be hit.

// The smallest a clickable area may be shown, in CSS pixels: a finger needs more
// than a mouse pointer.
export const FINGER_PIXELS = 24;
export const POINTER_PIXELS = 10;
// A window may be shown larger than the largest window, for legibility, but not
// more than this many times as large; and no window more than MAX_SCALE CSS pixels
// per panel unit.
const CAP_FACTOR = 1.5;
const MAX_SCALE = 6;
// Row partitions are all tried for up to this many windows; more flow greedily.
const MAX_TRIED = 10;

// How large a clickable area is to hit, in panel units: its narrower side, or, for
// a strip several times as long as it is wide (a thin knob half), the side of a
// square of its area, since the pointer is aimed along it.
export function hitSize(node, gauge) {
  const width = node.box[2] * gauge.scale_x;
  const height = node.box[3] * gauge.scale_y;
  const short = Math.min(width, height);
  const long = Math.max(width, height);
  return long > 3 * short ? Math.sqrt(width * height) : short;
}

// The smallest hit size among the clickable areas of the gauges (Infinity: none).
export function smallestHit(gauges) {
  let smallest = Infinity;
  for (const gauge of gauges) {
    if (gauge.placeholder || !gauge.mouse) continue;
    for (const node of gauge.mouse) {
      if (node.clickable && node.box[2] > 0 && node.box[3] > 0) smallest = Math.min(smallest, hitSize(node, gauge));
    }
  }
  return smallest;
}

// The scale below which a window whose smallest area is `smallest` units cannot be
// hit with `pixels`-pixel precision (a hair above, so that rounding stays above).
export function hitScale(smallest, pixels) {
  return Number.isFinite(smallest) && smallest > 0 ? pixels / smallest * 1.002 : 0;
}

// Lays out `boxes` ({ width, height } in panel units, `min`: the smallest scale
// allowed) in `area` ({ width, height } CSS pixels). Each window takes its face's
// border and its title line (`chrome.title` high) around its scaled size, windows
// `chrome.gap` apart. Each window is meant to fit the area alone; the rows chosen
// are those at which all windows keep the largest share of that. When even their
// smallest scales do not fit, each window keeps its full size and the rows wrap as
// text does: the area scrolls. Returns { scales, places: [{ left, top }], width,
// height } (the extent of all windows).
export function flowLayout(boxes, area, chrome, { center = false } = {}) {
  const { gap, border, title } = chrome;
  const n = boxes.length;
  if (n === 0) return { scales: [], places: [], width: 0, height: 0 };
  const fits = boxes.map((box) => Math.max(0.01, Math.min((area.width - border) / box.width,
                                                          (area.height - title - border) / box.height)));
  let largest = 0;
  boxes.forEach((box, i) => { if (box.width * box.height > boxes[largest].width * boxes[largest].height) largest = i; });
  const cap = CAP_FACTOR * Math.max(fits[largest], boxes[largest].min || 0);
  const targets = boxes.map((box, i) => Math.max(box.min || 0, Math.min(fits[i], cap, MAX_SCALE)));
  const scaleAt = (i, f) => Math.max(boxes[i].min || 0, targets[i] * f);

  // Rows as the break points after windows: bit i set = a new row after window i.
  const rowsOf = (mask) => {
    const rows = [[0]];
    for (let i = 1; i < n; i += 1) {
      if (mask & (1 << (i - 1))) rows.push([]);
      rows[rows.length - 1].push(i);
    }
    return rows;
  };
  const extent = (rows, f) => {
    let width = 0;
    let height = gap * (rows.length - 1);
    for (const row of rows) {
      let rowWidth = gap * (row.length - 1);
      let rowHeight = 0;
      for (const i of row) {
        const s = scaleAt(i, f);
        rowWidth += boxes[i].width * s + border;
        rowHeight = Math.max(rowHeight, boxes[i].height * s + border + title);
      }
      width = Math.max(width, rowWidth);
      height += rowHeight;
    }
    return { width, height };
  };
  const fitsArea = (rows, f) => {
    const size = extent(rows, f);
    return size.width <= area.width + 0.01 && size.height <= area.height + 0.01;
  };

  let best = null;
  if (n <= MAX_TRIED) {
    for (let mask = 0; mask < (1 << (n - 1)); mask += 1) {
      const rows = rowsOf(mask);
      if (!fitsArea(rows, 0)) continue;
      let f = 1;
      if (!fitsArea(rows, 1)) {
        let low = 0;
        let high = 1;
        for (let step = 0; step < 30; step += 1) {
          const middle = (low + high) / 2;
          if (fitsArea(rows, middle)) low = middle; else high = middle;
        }
        f = low;
      }
      // The largest scale wins; among equals the fewer rows, then the lower.
      const better = !best || f > best.f + 1e-4 ||
        (Math.abs(f - best.f) <= 1e-4 && (rows.length < best.rows.length ||
          (rows.length === best.rows.length && extent(rows, f).height < extent(best.rows, best.f).height)));
      if (better) best = { rows, f };
    }
  }
  if (!best) {
    // Nothing fits (or too many windows to try): full size, wrapping like text.
    const rows = [[]];
    let rowWidth = 0;
    for (let i = 0; i < n; i += 1) {
      const width = boxes[i].width * scaleAt(i, 1) + border;
      if (rows[rows.length - 1].length > 0 && rowWidth + gap + width > area.width) {
        rows.push([]);
        rowWidth = 0;
      }
      rowWidth += (rows[rows.length - 1].length > 0 ? gap : 0) + width;
      rows[rows.length - 1].push(i);
    }
    best = { rows, f: 1 };
  }

  const scales = boxes.map((_, i) => scaleAt(i, best.f));
  const size = extent(best.rows, best.f);
  const places = [];
  let top = center ? Math.max(0, (area.height - size.height) / 2) : 0;
  for (const row of best.rows) {
    const rowWidth = row.reduce((sum, i) => sum + boxes[i].width * scales[i] + border, gap * (row.length - 1));
    let left = center ? Math.max(0, (area.width - rowWidth) / 2) : 0;
    let rowHeight = 0;
    for (const i of row) {
      places[i] = { left, top };
      left += boxes[i].width * scales[i] + border + gap;
      rowHeight = Math.max(rowHeight, boxes[i].height * scales[i] + border + title);
    }
    top += rowHeight + gap;
  }
  return { scales, places, width: size.width, height: size.height, rows: best.rows.length };
}

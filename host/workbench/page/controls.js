// The controls beside the panel: the scenario's buttons, the panel's windows to
// open and close, the simulator variables, the failure switches, the key-event log
// and the problems.
import { post } from './api.js';

const KEY_LOG_ROWS = 200;

function element(tag, properties = {}, ...children) {
  const item = Object.assign(document.createElement(tag), properties);
  item.append(...children);
  return item;
}

// Integer variables (frequencies in BCD, codes, flags) read best in hexadecimal.
function formatValue(variable, value) {
  if (variable.integer) return `0x${(Math.trunc(value) >>> 0).toString(16).toUpperCase()}`;
  if (Math.abs(value) >= 10000) return value.toFixed(0);
  return String(Math.round(value * 100) / 100);
}

function parseValue(text) {
  const trimmed = text.trim();
  const value = /^0x[0-9a-f]+$/i.test(trimmed) ? parseInt(trimmed, 16) : Number(trimmed);
  return trimmed !== '' && Number.isFinite(value) ? value : null;
}

function formatTime(seconds) {
  const minutes = Math.floor(seconds / 60);
  return `${minutes}:${(seconds - minutes * 60).toFixed(1).padStart(4, '0')}`;
}

export class Controls {
  constructor({ onError }) {
    this.onError = onError;
    this.variables = new Map();   // id -> { row, slider, field, variable, busy }
    this.failures = new Map();    // key -> { row, box, pending }
    this.windowSwitches = [];     // by window: { row, box, pending }
    this.playing = false;
    this.problemText = '';
    this.layout = null;

    this.playButton = document.getElementById('play');
    this.playButton.addEventListener('click', () =>
      this.scenario({ action: this.playing ? 'pause' : 'play' }));
    document.getElementById('step').addEventListener('click', (event) =>
      this.scenario({ action: 'step', seconds: event.shiftKey ? 1 / this.cycleRate() : 1 }));
    document.getElementById('restart').addEventListener('click', () =>
      this.scenario({ action: 'restart' }));
    this.speed = document.getElementById('speed');
    this.speed.addEventListener('change', () =>
      this.scenario({ action: 'speed', speed: Number(this.speed.value) }));
    document.getElementById('outlines').addEventListener('change', (event) =>
      document.body.classList.toggle('outlines', event.target.checked));
    document.getElementById('send-key').addEventListener('submit', (event) => {
      event.preventDefault();
      this.sendKey();
    });
    this.keyLog = document.querySelector('#key-log tbody');
  }

  cycleRate() { return this.layout ? this.layout.cycle_hz : 30; }

  scenario(body) { post('scenario', body).catch(this.onError); }

  build(layout) {
    this.layout = layout;
    document.getElementById('scenario-title').textContent =
      layout.scenario.title || (layout.scenario.file ? layout.scenario.file.split('/').pop() : 'no scenario');
    this.buildWindows(layout.windows);
    this.buildVariables(layout.variables);
    this.buildFailures(layout.failures);
    const names = document.getElementById('key-names');
    names.replaceChildren(...layout.key_events.map((name) => element('option', { value: name })));
  }

  // A switch for every window; cockpit panels (textures of the 3D cockpit) are
  // listed by their texture name and start closed.
  buildWindows(windows) {
    const container = document.getElementById('window-list');
    this.windowSwitches = windows.map((window, index) => {
      const box = element('input', { type: 'checkbox' });
      box.dataset.windowSwitch = index;
      const entry = { row: null, box, pending: null };
      box.addEventListener('change', () => {
        entry.pending = { shown: box.checked, until: performance.now() + 2000 };
        post('view', { window: index, shown: box.checked }).catch(this.onError);
      });
      const count = window.gauges.length;
      const about = [`[${window.section}]`, ...(window.virtual_cockpit ? ['3D cockpit'] : []),
                     `${count} ${count === 1 ? 'gauge' : 'gauges'}`];
      entry.row = element('label', { className: 'window-switch' }, box,
                          element('span', { className: 'name', textContent: window.title || `Window ${index}` }),
                          element('small', { textContent: about.join(' · ') }));
      return entry;
    });
    container.replaceChildren(...this.windowSwitches.map((entry) => entry.row));
  }

  buildVariables(variables) {
    const container = document.getElementById('variables');
    container.replaceChildren();
    this.variables.clear();
    const groups = new Map();
    for (const variable of variables) {
      if (!groups.has(variable.group)) groups.set(variable.group, []);
      groups.get(variable.group).push(variable);
    }
    for (const [group, members] of groups) {
      const details = element('details', { className: 'group', open: true },
                              element('summary', { textContent: group }));
      for (const variable of members) details.append(this.variableRow(variable));
      container.append(details);
    }
  }

  variableRow(variable) {
    const entry = { variable, busy: false };
    const name = element('span', { className: 'name', title: `${variable.name} (${variable.unit})` },
                         `${variable.name} `, element('small', { textContent: `${variable.id} · ${variable.unit}` }));
    entry.field = element('input', { type: 'text', className: 'numbers' });
    entry.field.dataset.variable = variable.id;
    entry.field.addEventListener('change', () => {
      const value = parseValue(entry.field.value);
      if (value === null) return this.onError(new Error(`"${entry.field.value}" is not a number`));
      this.setVariable(variable.id, value);
    });
    if (variable.range) {
      const [low, high] = variable.range;
      entry.slider = element('input', { type: 'range', min: low, max: high, step: (high - low) / 1000 });
      entry.slider.addEventListener('pointerdown', () => { entry.busy = true; });
      entry.slider.addEventListener('change', () => { entry.busy = false; });
      entry.slider.addEventListener('input', () => {
        entry.field.value = formatValue(variable, Number(entry.slider.value));
        this.setVariable(variable.id, Number(entry.slider.value));
      });
    } else {
      entry.slider = element('span');
    }
    entry.row = element('div', { className: 'variable' }, name, entry.slider, entry.field);
    this.variables.set(String(variable.id), entry);
    return entry.row;
  }

  setVariable(id, value) { post('variable', { id, value }).catch(this.onError); }

  buildFailures(failures) {
    const container = document.getElementById('failures');
    container.replaceChildren();
    this.failures.clear();
    if (failures.length === 0) container.textContent = 'The placed gauges list no failure keys.';
    for (const failure of failures) {
      const box = element('input', { type: 'checkbox' });
      box.dataset.failure = failure.key;
      const entry = { row: null, box, pending: null };
      box.addEventListener('change', () => {
        // Frames already on their way still show the old state: the switch keeps
        // the pilot's choice until the host reports it (or a moment has passed).
        entry.pending = { active: box.checked, until: performance.now() + 2000 };
        post('failure', { key: failure.key, active: box.checked }).catch(this.onError);
      });
      const uses = element('ul', {}, ...failure.uses.map((use) => element('li', { textContent: use })));
      const row = element('div', { className: 'failure' },
                          element('label', {}, box, ` Failure ${failure.key}`), uses);
      container.append(row);
      entry.row = row;
      this.failures.set(failure.key, entry);
    }
  }

  sendKey() {
    const name = document.getElementById('key-name').value.trim();
    const value = parseValue(document.getElementById('key-value').value);
    if (value === null) return this.onError(new Error('the key event value is not a number'));
    const number = parseValue(name);
    post('key', { event: number === null ? name : number, value }).catch(this.onError);
  }

  update(frame) {
    const scenario = frame.scenario;
    this.playing = scenario.playing;
    this.playButton.textContent = scenario.playing ? 'Pause' : 'Play';
    this.playButton.classList.toggle('active', scenario.playing);
    const progress = document.getElementById('scenario-progress');
    progress.value = scenario.duration > 0 ? scenario.time / scenario.duration : 0;
    document.getElementById('scenario-time').textContent =
      `${formatTime(scenario.time)} / ${formatTime(scenario.duration)}`;
    if (document.activeElement !== this.speed) this.speed.value = String(scenario.speed);

    for (const [id, value] of Object.entries(frame.values)) {
      const entry = this.variables.get(id);
      if (!entry) continue;
      if (document.activeElement !== entry.field) entry.field.value = formatValue(entry.variable, value);
      if (!entry.busy && entry.slider.type === 'range') entry.slider.value = value;
    }
    const active = new Set(frame.failures);
    for (const [key, entry] of this.failures) {
      const reported = active.has(key);
      const { pending } = entry;
      if (pending && (pending.active === reported || performance.now() > pending.until)) entry.pending = null;
      entry.box.checked = entry.pending ? entry.pending.active : reported;
      entry.row.classList.toggle('active', entry.box.checked);
    }
    frame.windows.forEach((shown, index) => {
      const entry = this.windowSwitches[index];
      if (!entry) return;
      const { pending } = entry;
      if (pending && (pending.shown === shown || performance.now() > pending.until)) entry.pending = null;
      entry.box.checked = entry.pending ? entry.pending.shown : shown;
      entry.row.classList.toggle('shown', entry.box.checked);
    });
    this.addKeys(frame.keys);
    this.showProblems(frame.problems);
    this.showStats(frame.stats);
  }

  addKeys(keys) {
    for (const key of keys) {
      const row = element('tr', {},
        element('td', { textContent: formatTime(key.time) }),
        element('td', { textContent: key.name, title: `0x${key.event.toString(16).toUpperCase()}` }),
        element('td', { textContent: key.value }));
      this.keyLog.prepend(row);
    }
    while (this.keyLog.rows.length > KEY_LOG_ROWS) this.keyLog.lastElementChild.remove();
  }

  showProblems(problems) {
    const text = problems.join('\n');
    if (text === this.problemText) return;
    this.problemText = text;
    document.getElementById('problems').hidden = problems.length === 0;
    document.getElementById('problem-list').replaceChildren(
      ...problems.map((problem) => element('li', { textContent: problem })));
  }

  showStats(stats) {
    document.getElementById('stats').textContent =
      `host cycle ${stats.cycle_ms.toFixed(2)} ms (longest ${stats.cycle_max_ms.toFixed(1)} ms) · ` +
      `${stats.gauges_encoded_per_second.toFixed(0)} pictures/s at ` +
      `${stats.encode_ms_per_gauge.toFixed(2)} ms each · ` +
      `${(stats.bytes_per_second / 1024).toFixed(0)} KiB/s to pages at ` +
      `${stats.frames_per_second.toFixed(0)} frames/s`;
  }
}

// The controls beside the panel: the scenario's buttons, the panel's windows to
// open and close, the simulator variables, the failure switches, the key-event log
// and the problems.
import { post } from './api.js';

const KEY_LOG_ROWS = 200;
const RECORD_NOTE_MS = 10000;   // how long the recording's file name shows

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

// Sets a shown property only when its value changes: every write costs the page a
// new layout and paint, and frames come 30 times a second.
export function show(target, property, value) {
  if (target[property] !== value) target[property] = value;
}

function formatTime(seconds) {
  const minutes = Math.floor(seconds / 60);
  return `${minutes}:${(seconds - minutes * 60).toFixed(1).padStart(4, '0')}`;
}

// Variable names are long upper-case words joined by underscores: a line may break
// after each underscore, so that a name wraps at its words instead of being cut.
function breakableName(name) {
  const parts = name.split('_');
  return parts.flatMap((part, index) =>
    index < parts.length - 1 ? [`${part}_`, document.createElement('wbr')] : [part]);
}

// The words of a search, each of which a variable must contain somewhere in its
// name, id, unit or group.
function searchWords(text) {
  return text.toLowerCase().split(/\s+/).filter((word) => word !== '');
}

// A failure's uses read "GAUGE: element N action"; by gauge, without the prefix.
function usesByGauge(failure) {
  const gauges = failure.gauges && failure.gauges.length > 0
    ? failure.gauges
    : [...new Set(failure.uses.map((use) => use.split(': ')[0]))];
  return gauges.map((gauge) => ({
    gauge,
    uses: failure.uses.filter((use) => use.startsWith(`${gauge}: `)).map((use) => use.slice(gauge.length + 2)),
  }));
}

// What a logged key event is known by: the frames after a new layout repeat the
// host's recent log, and the rows already shown must not come twice. The host's
// time tells the cycle; `run` counts the host's runs the page has seen.
function keyIdentity(run, key) {
  return `${run}|${key.time}|${key.event}|${key.value}`;
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
    this.moduleLoads = new Map(); // module name -> its loads in the last layout
    this.moduleNote = '';         // the status line's word of modules loaded again

    this.playButton = document.getElementById('play');
    this.playButton.addEventListener('click', () =>
      this.scenario({ action: this.playing ? 'pause' : 'play' }));
    document.getElementById('step').addEventListener('click', (event) =>
      this.scenario({ action: 'step', seconds: event.shiftKey ? 1 / this.cycleRate() : 1 }));
    document.getElementById('restart').addEventListener('click', () =>
      this.scenario({ action: 'restart' }));
    this.recordButton = document.getElementById('record');
    this.recordNote = document.getElementById('record-note');
    this.recording = false;
    this.recordButton.addEventListener('click', () => this.record());
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
    this.keyRows = new Map();     // identity -> how many rows of it the log shows
    this.hostRun = 0;             // a new host (its time starting again) counts up
    this.hostTime = -Infinity;
    document.querySelector('#key-log thead th').title = 'when it was sent, in the scenario\'s seconds';

    this.closedGroups = new Set();  // variable groups the user has folded
    this.openUses = new Set();      // failures whose uses the user has unfolded
    this.filtering = false;
    this.buildVariableSearch();
  }

  cycleRate() { return this.layout ? this.layout.cycle_hz : 30; }

  scenario(body) { post('scenario', body).catch(this.onError); }

  build(layout) {
    this.noteModuleLoads(layout.modules);
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

  // The search over the variables, above their groups; it stays while the panel
  // is read again, and filters the new rows as it did the old.
  buildVariableSearch() {
    const container = document.getElementById('variables');
    this.search = element('input', {
      type: 'search', id: 'variable-search', placeholder: 'Find by name, id, unit or group',
      title: 'Shows the variables whose name, id, unit or group hold every word typed (Esc clears)',
    });
    this.search.setAttribute('aria-label', 'Find a simulator variable');
    this.search.addEventListener('input', () => this.filterVariables());
    this.search.addEventListener('keydown', (event) => {
      if (event.key !== 'Escape' || this.search.value === '') return;
      this.search.value = '';
      this.filterVariables();
    });
    this.searchCount = element('span', { className: 'variable-count numbers' });
    container.before(element('div', { className: 'variable-search' }, this.search, this.searchCount));
    this.noMatch = element('p', { className: 'no-match', hidden: true });
  }

  buildVariables(variables) {
    const container = document.getElementById('variables');
    container.replaceChildren();
    this.variables.clear();
    this.groups = [];
    const groups = new Map();
    for (const variable of variables) {
      if (!groups.has(variable.group)) groups.set(variable.group, []);
      groups.get(variable.group).push(variable);
    }
    for (const [group, members] of groups) {
      const count = element('small', { className: 'group-count numbers' });
      const details = element('details', { className: 'group', open: !this.closedGroups.has(group) },
                              element('summary', {}, group, ' ', count));
      details.dataset.group = group;
      // Folding a group is remembered; a search opens the groups it finds rows in,
      // and that is not the user's choice.
      details.addEventListener('toggle', () => {
        if (this.filtering) return;
        if (details.open) this.closedGroups.delete(group); else this.closedGroups.add(group);
      });
      const rows = members.map((variable) => this.variableRow(variable));
      details.append(...rows);
      container.append(details);
      this.groups.push({ group, details, count, rows });
    }
    container.append(this.noMatch);
    this.filterVariables();
  }

  // Shows the rows the search finds, and the groups that hold any of them.
  filterVariables() {
    const words = searchWords(this.search.value);
    const filtering = words.length > 0;
    this.filtering = filtering;
    let shown = 0;
    let total = 0;
    for (const { group, details, count, rows } of this.groups) {
      let found = 0;
      for (const row of rows) {
        const match = words.every((word) => row.dataset.search.includes(word));
        row.hidden = !match;
        if (match) found += 1;
      }
      details.hidden = found === 0;
      details.open = filtering ? found > 0 : !this.closedGroups.has(group);
      count.textContent = filtering ? `${found} of ${rows.length}` : String(rows.length);
      shown += found;
      total += rows.length;
    }
    this.searchCount.textContent = filtering ? `${shown} of ${total}` : `${total}`;
    this.searchCount.title = filtering ? `${shown} of the ${total} variables match` : `${total} variables`;
    this.noMatch.hidden = !filtering || shown > 0;
    this.noMatch.textContent = `No variable has “${this.search.value.trim()}” in its name, id, unit or group.`;
  }

  variableRow(variable) {
    const entry = { variable, busy: false };
    const name = element('span', {
      className: 'name', title: `${variable.name}\nid ${variable.id} · ${variable.unit}\n${variable.group}`,
    }, element('span', { className: 'variable-name' }, ...breakableName(variable.name)),
       element('small', { textContent: `${variable.id} · ${variable.unit}` }));
    entry.field = element('input', { type: 'text', className: 'numbers', title: variable.name });
    entry.field.dataset.variable = variable.id;
    entry.field.addEventListener('change', () => {
      const value = parseValue(entry.field.value);
      if (value === null) return this.onError(new Error(`"${entry.field.value}" is not a number`));
      this.setVariable(variable.id, value);
    });
    if (variable.range) {
      const [low, high] = variable.range;
      entry.slider = element('input', {
        type: 'range', min: low, max: high, step: (high - low) / 1000, title: `${variable.name}: ${low} to ${high}`,
      });
      entry.slider.addEventListener('pointerdown', () => { entry.busy = true; });
      entry.slider.addEventListener('change', () => { entry.busy = false; });
      entry.slider.addEventListener('input', () => {
        entry.sliderValue = null; // moved by hand: the next frame's value is written again
        entry.field.value = formatValue(variable, Number(entry.slider.value));
        this.setVariable(variable.id, Number(entry.slider.value));
      });
    } else {
      entry.slider = element('span');
    }
    entry.row = element('div', { className: 'variable' }, name, entry.slider, entry.field);
    entry.row.dataset.search = [variable.name, variable.id, variable.unit, variable.group].join(' ').toLowerCase();
    this.variables.set(String(variable.id), entry);
    return entry.row;
  }

  setVariable(id, value) { post('variable', { id, value }).catch(this.onError); }

  // A switch for every failure key the placed gauges list, by the host's name for
  // it; below it the gauges it acts on, and what it does to each of their elements.
  buildFailures(failures) {
    const container = document.getElementById('failures');
    for (const [key, entry] of this.failures) {
      if (entry.uses.open) this.openUses.add(key); else this.openUses.delete(key);
    }
    container.replaceChildren();
    this.failures.clear();
    if (failures.length === 0) container.textContent = 'The placed gauges list no failure keys.';
    for (const failure of failures) {
      const box = element('input', { type: 'checkbox' });
      box.dataset.failure = failure.key;
      const entry = { row: null, box, pending: null, uses: null };
      box.addEventListener('change', () => {
        // Frames already on their way still show the old state: the switch keeps
        // the pilot's choice until the host reports it (or a moment has passed).
        entry.pending = { active: box.checked, until: performance.now() + 2000 };
        post('failure', { key: failure.key, active: box.checked }).catch(this.onError);
      });
      const byGauge = usesByGauge(failure);
      // A gauge may list the key on elements that do nothing when it fails.
      const idle = (uses) => uses.length > 0 && uses.every((use) => use.endsWith(' no effect'));
      const gauges = element('div', { className: 'failure-gauges' }, ...byGauge.map(({ gauge, uses }) => {
        const chip = element('span', {
          className: idle(uses) ? 'gauge-name idle' : 'gauge-name',
          textContent: gauge,
          title: `${gauge}${idle(uses) ? ' (lists the key, no element reacts)' : ''}\n${uses.join('\n')}`,
        });
        chip.dataset.gauge = gauge;
        return chip;
      }));
      const count = failure.uses.length;
      entry.uses = element('details', { className: 'failure-uses', open: this.openUses.has(failure.key) },
        element('summary', { textContent: `what it does: ${count} ${count === 1 ? 'element' : 'elements'}` }),
        element('ul', {}, ...byGauge.map(({ gauge, uses }) => element('li', {},
          element('span', { className: 'gauge-name', textContent: gauge }),
          element('ul', {}, ...uses.map((use) => element('li', { textContent: use })))))));
      const name = failure.name || `Failure ${failure.key}`;
      const row = element('div', { className: 'failure' },
        element('label', { title: `${name} (failure key ${failure.key})` }, box,
                element('span', { className: 'failure-name', textContent: name }),
                element('small', { className: 'failure-key numbers', textContent: `key ${failure.key}` })),
        gauges, entry.uses);
      row.dataset.failureKey = failure.key;
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

  // Starts or stops the recording; the file it was written to shows a while.
  async record() {
    const action = this.recording ? 'stop' : 'start';
    this.recordButton.disabled = true;
    try {
      const response = await fetch('/api/recording', {
        method: 'POST', headers: { 'Content-Type': 'application/json' }, body: JSON.stringify({ action }),
      });
      const text = await response.text();
      if (!response.ok) throw new Error(text.trim());
      this.showRecording(action === 'start');
      // Frames on their way still say how it was.
      this.recordPending = { on: action === 'start', until: performance.now() + 2000 };
      if (action === 'stop') this.noteRecording(JSON.parse(text).file);
    } catch (error) {
      this.onError(new Error(`recording: ${error.message}`));
    } finally {
      this.recordButton.disabled = false;
    }
  }

  showRecording(on) {
    this.recording = on;
    this.recordButton.classList.toggle('recording', on);
    this.recordButton.setAttribute('aria-pressed', String(on));
    this.recordButton.replaceChildren(element('span', { className: 'record-mark', textContent: on ? '■' : '●' }),
                                      element('span', { className: 'label-text', textContent: on ? ' Stop rec' : ' Rec' }));
  }

  noteRecording(file) {
    const close = element('button', { type: 'button', textContent: '✕', title: 'Close' });
    close.setAttribute('aria-label', 'Close');
    close.addEventListener('click', () => { this.recordNote.hidden = true; });
    this.recordNote.replaceChildren('Recorded to ', element('code', { textContent: file }), close);
    this.recordNote.hidden = false;
    clearTimeout(this.recordTimer);
    this.recordTimer = setTimeout(() => { this.recordNote.hidden = true; }, RECORD_NOTE_MS);
  }

  update(frame) {
    if (typeof frame.recording === 'boolean') {
      const pending = this.recordPending;
      if (pending && (pending.on === frame.recording || performance.now() > pending.until)) this.recordPending = null;
      if (!this.recordPending && frame.recording !== this.recording) this.showRecording(frame.recording);
    }
    const scenario = frame.scenario;
    this.playing = scenario.playing;
    show(this.playButton, 'textContent', scenario.playing ? 'Pause' : 'Play');
    this.playButton.classList.toggle('active', scenario.playing);
    show(document.getElementById('scenario-progress'), 'value',
         scenario.duration > 0 ? scenario.time / scenario.duration : 0);
    show(document.getElementById('scenario-time'), 'textContent',
         `${formatTime(scenario.time)} / ${formatTime(scenario.duration)}`);
    if (document.activeElement !== this.speed) show(this.speed, 'value', String(scenario.speed));

    for (const [id, value] of Object.entries(frame.values)) {
      const entry = this.variables.get(id);
      if (!entry) continue;
      if (document.activeElement !== entry.field) show(entry.field, 'value', formatValue(entry.variable, value));
      // A range input reads back its value rounded to its steps: the value last
      // written is what tells whether it changed.
      if (!entry.busy && entry.slider.type === 'range' && entry.sliderValue !== value) {
        entry.sliderValue = value;
        entry.slider.value = value;
      }
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
    // A host started again counts its time from 0: its key events are newer than
    // every row shown, whatever their times.
    if (frame.time < this.hostTime) this.hostRun += 1;
    this.hostTime = frame.time;
    this.addKeys(frame.keys);
    this.showProblems(frame.problems);
    this.showStats(frame.stats);
  }

  // The key-event log, newest first, at the scenario time each event was sent.
  // The first frame after a new layout brings the host's recent log again: rows
  // already shown stay where they are, and only the ones missed are added, each in
  // its place by the host's time.
  addKeys(keys) {
    const inFrame = new Map();  // identity -> how many times this frame lists it
    for (const key of keys) {
      const identity = keyIdentity(this.hostRun, key);
      const listed = (inFrame.get(identity) ?? 0) + 1;
      inFrame.set(identity, listed);
      if (listed <= (this.keyRows.get(identity) ?? 0)) continue;
      this.keyRows.set(identity, listed);
      const sent = Number.isFinite(key.scenario_time) ? `${key.scenario_time.toFixed(1)} s` : formatTime(key.time);
      const row = element('tr', {},
        element('td', { textContent: sent, title: `host time ${formatTime(key.time)}` }),
        element('td', { textContent: key.name, title: `0x${key.event.toString(16).toUpperCase()}` }),
        element('td', { textContent: key.value }));
      Object.assign(row, { identity, run: this.hostRun, hostTime: key.time });
      // Newer than the row below it; events of one cycle keep the order sent.
      let below = this.keyLog.firstElementChild;
      while (below && (below.run > row.run || (below.run === row.run && below.hostTime > row.hostTime))) {
        below = below.nextElementSibling;
      }
      this.keyLog.insertBefore(row, below);
    }
    while (this.keyLog.rows.length > KEY_LOG_ROWS) {
      const oldest = this.keyLog.lastElementChild;
      const left = (this.keyRows.get(oldest.identity) ?? 1) - 1;
      if (left > 0) this.keyRows.set(oldest.identity, left); else this.keyRows.delete(oldest.identity);
      oldest.remove();
    }
  }

  showProblems(problems) {
    const text = problems.join('\n');
    if (text === this.problemText) return;
    this.problemText = text;
    document.getElementById('problems').hidden = problems.length === 0;
    document.getElementById('problem-list').replaceChildren(
      ...problems.map((problem) => element('li', { textContent: problem })));
  }

  // A module loaded again (its file rebuilt) is named in the status line with the
  // time this page saw it, so that its developer knows the build is in.
  noteModuleLoads(modules = []) {
    const again = [];
    for (const { name, loads } of modules) {
      const before = this.moduleLoads.get(name);
      if (before !== undefined && loads > before) again.push(`${name} loaded again (load ${loads})`);
      this.moduleLoads.set(name, loads);
    }
    if (again.length) this.moduleNote = `${again.join(', ')} at ${new Date().toLocaleTimeString()} · `;
  }

  showStats(stats) {
    show(document.getElementById('stats'), 'textContent', this.moduleNote +
      `host cycle ${stats.cycle_ms.toFixed(2)} ms (longest ${stats.cycle_max_ms.toFixed(1)} ms) · ` +
      `${stats.gauges_encoded_per_second.toFixed(0)} pictures/s at ` +
      `${stats.encode_ms_per_gauge.toFixed(2)} ms each · ` +
      `${(stats.bytes_per_second / 1024).toFixed(0)} KiB/s to pages at ` +
      `${stats.frames_per_second.toFixed(0)} frames/s`);
  }
}

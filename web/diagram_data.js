// The module's description of the diagrams (web/diagram_description.cpp),
// read once, here: every number arrives as { value, text }, its double and
// its text in the program's own format. The page draws with the value and
// labels with the text, and never turns a text into a number or a number into
// a text again.

// The texts the program writes for values JSON cannot carry.
const NOT_FINITE = new Map([['1.#INF', Infinity], ['-1.#INF', -Infinity], ['-1.#IND', NaN]]);

const NUMBERS = ['span', 'triangleLength', 'triangleWeight', 'rectangleWeight', 'ay', 'by', 'ax',
  'bx', 'rectangleLength', 'rectangleForce', 'rectangleArmFromA', 'triangleForce',
  'triangleArmFromA', 'height'];
const SECTIONS = ['pointA', 'pointE', 'pointB', 'largest'];
const OPTIONAL_SECTIONS = ['sagging', 'hogging']; // null where M never has that sign

// { reason } when the diagrams cannot be drawn; otherwise the units, the
// numbers above, the sections (each { x, shear, moment }), zeroShear (their
// sections), contraflexure (sections), sagging and hogging (sections, or null), the
// curve's sections, the x axis's tick marks (ticks: [{ step, marks }]) and the
// working (steps: [{ heading, lines }]); with a reason too when the values
// are finite but the figures cannot show them.
export function readDescription(jsonText) {
  const raw = JSON.parse(jsonText);
  const reason = raw.reason === undefined ? null : text(raw.reason);
  if (reason !== null && raw.curve === undefined) return Object.freeze({ reason });
  const description = {
    reason,
    units: Object.freeze({ weight: text(raw.units.weight), force: text(raw.units.force),
      length: text(raw.units.length) }),
    zeroShear: list(raw.zeroShear, section),
    contraflexure: list(raw.contraflexure, section),
    working: list(raw.working, ({ heading, lines }) =>
      Object.freeze({ heading: text(heading), lines: list(lines, text) })),
    curve: list(raw.curve, section),
    ticks: list(raw.ticks, ({ step, marks }) =>
      Object.freeze({ step: quantity(step), marks: list(marks, quantity) })),
  };
  for (const name of NUMBERS) description[name] = quantity(raw[name]);
  for (const name of SECTIONS) description[name] = section(raw[name]);
  for (const name of OPTIONAL_SECTIONS) description[name] = raw[name] === null ? null : section(raw[name]);
  return Object.freeze(description);
}

export function quantity(raw) {
  const shown = text(raw?.text);
  const value = typeof raw.value === 'number' ? raw.value : NOT_FINITE.get(shown);
  if (value === undefined) throw new Error(`a number without its value: ${shown}`);
  return Object.freeze({ value, text: shown });
}

function section(raw) {
  return Object.freeze({ x: quantity(raw.x), shear: quantity(raw.shear), moment: quantity(raw.moment) });
}

function text(raw) {
  if (typeof raw !== 'string') throw new Error('a text expected in the description');
  return raw;
}

function list(raw, read) {
  if (!Array.isArray(raw)) throw new Error('a list expected in the description');
  return Object.freeze(raw.map(read));
}

// The program's read-out at one x (module_contract.js): { reason }, or
// { x, shear, moment }.
export function readReadOut(jsonText) {
  const raw = JSON.parse(jsonText);
  if (typeof raw.reason === 'string') return Object.freeze({ reason: raw.reason });
  return section(raw);
}

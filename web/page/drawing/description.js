// The module's description of the diagrams (diagrams/diagram_description.cpp),
// read once, here, whatever fields it holds: every number arrives as
// { value, text }, its double and its text in the program's own format, and
// is kept as a quantity; a field the program adds needs nothing here. The page
// draws with the value and labels with the text, and never turns a text into
// a number or a number into a text again.

// The texts the program writes for values JSON cannot carry.
const NOT_FINITE = new Map([['1.#INF', Infinity], ['-1.#INF', -Infinity], ['-1.#IND', NaN]]);

// { reason } when the diagrams cannot be drawn; otherwise (see the C++ side
// for every field) the units, the problem's numbers and the blocks'
// resultants (quantities), the sections at the points that matter
// ({ x, shear, moment }, or null where M never has that sign), the curve, the
// x axis's tick marks ({ step, marks }) and the working; with a reason too
// when the values are finite but the figures cannot show them.
export function readDescription(jsonText) {
  return read(JSON.parse(jsonText), 'the description');
}

// The program's read-out at one x: { reason }, or { x, shear, moment }.
export function readReadOut(jsonText) {
  return read(JSON.parse(jsonText), 'the read-out');
}

// The program's check of a practice value: { verdict, sentence }, or
// { reason } when it holds no solved beam.
export function readCheck(jsonText) {
  return read(JSON.parse(jsonText), 'the check');
}

// Frozen all through: texts, lists, quantities, and objects of them.
function read(raw, where) {
  if (typeof raw === 'string' || raw === null || typeof raw === 'boolean') return raw;
  if (Array.isArray(raw)) return Object.freeze(raw.map((item) => read(item, where)));
  if (typeof raw !== 'object') throw new Error(`${where} holds a bare number`);
  if (isQuantity(raw)) return quantity(raw);
  return Object.freeze(Object.fromEntries(Object.entries(raw)
    .map(([name, value]) => [name, read(value, `${where}'s ${name}`)])));
}

function isQuantity(raw) {
  const names = Object.keys(raw);
  return names.length === 2 && 'value' in raw && 'text' in raw;
}

function quantity({ value, text }) {
  if (typeof text !== 'string') throw new Error('a number without its text');
  const number = typeof value === 'number' ? value : NOT_FINITE.get(text);
  if (number === undefined) throw new Error(`a number without its value: ${text}`);
  return Object.freeze({ value: number, text });
}

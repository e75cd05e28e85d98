// The free bodies of the working, as plain data for svg.js: the whole beam
// with each block replaced by its resultant and the reactions drawn as the
// unknowns; and, for each section, the part left of a cut at x, its loads,
// Ay, and V and M at the cut drawn in their positive senses.
import { DrawnBeam, FONT_SIZE } from './scale.js';
import { around, arrow, dimension, figure } from './shapes.js';

const BEAM_TOP = 62; // px down to the beam's upper edge
const BEAM_DEPTH = 6;
const FORCE_TAIL = 16; // where a resultant's arrow starts
const REACTION_LENGTH = 34; // the reactions' arrows, under the beam
const HORIZONTAL_ARROW = 40;
const FORCE_GAP = 3; // px between an arrow's head and the beam
const FIRST_ROW = 72; // the first dimension row, under the beam's top
const ROW_SPACING = 26;
const EXTENSION_PAST_ROW = 6;
const BELOW_LAST_ROW = 12;
const BLOCK_HEIGHT = 34; // a section's load block, at its tallest
const CUT_SHARE = 0.6; // where in its section the cut is drawn
const CUT_OVERHANG = 10; // the cut's dashed line beyond the beam
const SHEAR_LENGTH = 26; // V's arrow at the cut
const SHEAR_GAP = 4; // px V's arrow stands right of the cut
const MOMENT_RADIUS = 22; // M's curved arrow around the cut, outside V's

const isNegative = (quantity) => quantity.value < 0;

function beamPiece(from, to) {
  return { kind: 'rect', cls: 'beam', x: from, y: BEAM_TOP, width: to - from, height: BEAM_DEPTH };
}

// An arrow onto the beam's upper edge from above, or up from it when negative.
function downwardForce(x, negative, cls) {
  return negative ? arrow(x, BEAM_TOP - FORCE_GAP, x, FORCE_TAIL, cls)
    : arrow(x, FORCE_TAIL, x, BEAM_TOP - FORCE_GAP, cls);
}

// An upward arrow under the beam at x, drawn as an unknown's positive sense.
function upwardReaction(x) {
  const under = BEAM_TOP + BEAM_DEPTH;
  return arrow(x, under + REACTION_LENGTH, x, under + FORCE_GAP);
}

function label(text, at, first = 'above', anchors = ['start', 'end', 'middle']) {
  return { text, size: FONT_SIZE, point: at, candidates: around(at, { first, anchors }) };
}

// Dimension rows under the beam, each from Pt-A: [to, text] pairs.
function dimensionRows(beam, rows, shapes, requests) {
  rows.forEach(([to, text], index) => {
    const y = BEAM_TOP + FIRST_ROW + ROW_SPACING * index;
    shapes.push({ kind: 'line', cls: 'extension', x1: to, y1: BEAM_TOP + BEAM_DEPTH + 2, x2: to,
      y2: y + EXTENSION_PAST_ROW });
    const { shapes: lines, request } = dimension(beam.left, y, to, text);
    shapes.push(...lines);
    requests.push(request);
  });
  const bottom = BEAM_TOP + FIRST_ROW + ROW_SPACING * Math.max(rows.length - 1, 0) + BELOW_LAST_ROW;
  shapes.push({ kind: 'line', cls: 'extension', x1: beam.left, y1: BEAM_TOP + BEAM_DEPTH + 2,
    x2: beam.left, y2: bottom - EXTENSION_PAST_ROW });
  return bottom;
}

// The whole beam: the blocks' resultants at their lever arms, Ay and By
// upward as the unknowns, the horizontal forces as given.
export function wholeBeamFigure(beam, { measure, smallestFont } = {}) {
  const { problem } = beam;
  const [a, b] = [beam.left, beam.right];
  const shapes = [beamPiece(a, b)];
  const requests = [];
  const forces = [['F₁', problem.rectangleForce, problem.rectangleArmFromA, 'd₁'],
    ['F₂', problem.triangleForce, problem.triangleArmFromA, 'd₂']].filter(([, force]) => force.value !== 0);
  for (const [name, force, arm] of forces) {
    const x = beam.x(arm.value);
    shapes.push(downwardForce(x, isNegative(force), 'resultant'));
    requests.push(label(`${name} = ${beam.withUnit(DrawnBeam.size(force), beam.force)}`, { x, y: FORCE_TAIL }));
  }
  for (const [name, x, side] of [['Ay', a, 'start'], ['By', b, 'end']]) {
    shapes.push(upwardReaction(x));
    requests.push(label(`${name} ?`, { x, y: BEAM_TOP + BEAM_DEPTH + REACTION_LENGTH }, 'below', [side]));
  }
  const level = BEAM_TOP + BEAM_DEPTH / 2;
  for (const [name, value, outer, inner] of [['Ax', problem.ax, a - HORIZONTAL_ARROW, a - FORCE_GAP],
    ['Bx', problem.bx, b + HORIZONTAL_ARROW, b + FORCE_GAP]]) {
    if (value.value === 0) continue;
    const [from, to] = value.value > 0 ? [outer, inner] : [inner, outer];
    shapes.push(arrow(from, level, to, level));
    requests.push(label(`${name} = ${beam.withUnit(DrawnBeam.size(value), beam.force)}`,
      { x: outer, y: level }, 'above', [name === 'Ax' ? 'start' : 'end', 'middle']));
  }
  const rows = forces.map(([, , arm, name]) => [beam.x(arm.value), `${name} = ${beam.withUnit(arm, beam.length)}`]);
  rows.push([b, `L2 = ${beam.withUnit(problem.span, beam.length)}`]);
  const bottom = dimensionRows(beam, rows, shapes, requests);
  const loads = forces.length === 0 ? 'neither block carries a load; '
    : forces.map(([name, force, arm]) => `${name} = ${beam.withUnit(DrawnBeam.size(force), beam.force)} ` +
      `acting ${isNegative(force) ? 'upward' : 'downward'} at ${beam.withUnit(arm, beam.length)} from Pt-A; `)
      .join('');
  const description = `The whole beam as a free body: ${loads}Ay at Pt-A and By at Pt-B, the ` +
    'unknowns, drawn upward.';
  return figure({ name: 'whole-beam', width: beam.width, height: bottom, shapes, requests, measure,
    smallestFont, description });
}

// Section `number` (1 or 2): the part of the beam left of a cut at x.
export function sectionFigure(beam, number, { measure, smallestFont } = {}) {
  const { problem } = beam;
  const e = problem.pointE.x.value;
  const span = problem.span.value;
  const cutAt = number === 1 ? e * CUT_SHARE : e + (span - e) * CUT_SHARE;
  const [a, cut, pointE] = [beam.left, beam.x(cutAt), beam.x(e)];
  const shapes = [beamPiece(a, cut)];
  const requests = [];
  const rectangle = problem.rectangleWeight;
  const triangle = problem.triangleWeight;
  const tallest = Math.max(Math.abs(rectangle.value), Math.abs(triangle.value));
  const heightOf = (weight) => (tallest > 0 ? BLOCK_HEIGHT * (Math.abs(weight.value) / tallest) : 0);
  const blockClass = (weight) => (isNegative(weight) ? 'block upward' : 'block');
  const rectangleEnd = number === 1 ? cut : pointE;
  if (rectangle.value !== 0 && rectangleEnd > a) {
    const height = heightOf(rectangle);
    shapes.push({ kind: 'rect', cls: blockClass(rectangle), x: a, y: BEAM_TOP - height,
      width: rectangleEnd - a, height });
    requests.push(label(number === 1 ? 'w₁x' : 'F₁', { x: (a + rectangleEnd) / 2, y: BEAM_TOP - height }));
  }
  if (number === 2 && triangle.value !== 0) {
    const height = heightOf(triangle);
    const atCut = height * (1 - CUT_SHARE); // the cut is that far into the triangle
    shapes.push({ kind: 'polygon', cls: blockClass(triangle), points: [[pointE, BEAM_TOP - height],
      [pointE, BEAM_TOP], [cut, BEAM_TOP], [cut, BEAM_TOP - atCut]] });
    requests.push(label('w₂s − w₂s²/(2L1)', { x: (pointE + cut) / 2, y: BEAM_TOP - height }));
  }
  shapes.push(upwardReaction(a));
  requests.push(label('Ay', { x: a, y: BEAM_TOP + BEAM_DEPTH + REACTION_LENGTH }, 'below', ['start']));
  // The cut, and V and M on its face in their positive senses: V downward,
  // M counterclockwise (sagging).
  shapes.push({ kind: 'line', cls: 'cut', x1: cut, y1: BEAM_TOP - CUT_OVERHANG, x2: cut,
    y2: BEAM_TOP + BEAM_DEPTH + CUT_OVERHANG });
  const middle = BEAM_TOP + BEAM_DEPTH / 2;
  shapes.push(arrow(cut + SHEAR_GAP, middle - SHEAR_LENGTH / 2, cut + SHEAR_GAP, middle + SHEAR_LENGTH / 2,
    'internal'));
  requests.push(label('V(x)', { x: cut + SHEAR_GAP, y: middle + SHEAR_LENGTH / 2 }, 'below', ['start']));
  shapes.push({ kind: 'arc', cls: 'internal', cx: cut, cy: middle, r: MOMENT_RADIUS,
    from: Math.PI / 3, to: -Math.PI / 3 });
  requests.push(label('M(x)', { x: cut + MOMENT_RADIUS, y: middle - MOMENT_RADIUS }, 'above', ['start']));
  const rows = [[cut, 'x']];
  if (number === 2 && pointE > a) rows.unshift([pointE, `a = ${beam.withUnit(problem.pointE.x, beam.length)}`]);
  const bottom = dimensionRows(beam, rows, shapes, requests);
  const loads = number === 1 ? 'the rectangular block\'s load from Pt-A to the cut'
    : 'all of the rectangular block, and the triangular block from Pt-E to the cut';
  const description = `Section ${number}: the beam left of a cut at x, with Ay at Pt-A, ${loads}, ` +
    'and at the cut the shear V(x), drawn downward, and the moment M(x), counterclockwise: ' +
    'their positive senses.';
  return figure({ name: `section-${number}`, width: beam.width, height: bottom, shapes, requests,
    measure, smallestFont, description });
}

// The beam figures, as plain data for svg.js: the beam with its
// blocks, supports, reactions and dimensions; then the same beam with each
// block replaced by its resultant force at its lever arm from Pt-A.
import { DrawnBeam, FONT_SIZE } from './scale.js';
import { around, arrow, dimension, figure, hasRoomForArrow } from './shapes.js';

const BLOCK_HEIGHT = 40; // of the block of larger intensity, px
const LOAD_ARROW_SPACING = 22; // px between the small arrows drawn in a block

// The beam and its supports, px down from the beam's upper edge.
const BEAM_DEPTH = 6;
const PIN_HEIGHT = 14; // the pin's triangle, under the beam
const ROCKER_HEIGHT = 11; // the rocker's triangle, on its ball
const ROCKER_BALL = 4; // radius
const SUPPORT_HALF_WIDTH = 8;

// The loads figure, px down from the beam's upper edge: the reactions'
// arrows under the supports, then two rows of dimensions.
const LOADS_BEAM_TOP = 80;
const REACTION_FROM = 30; // where a reaction's arrow starts and ends
const REACTION_TO = 62;
const REACTION_LABEL = 42; // baseline of a reaction's label beside its arrow
const HORIZONTAL_ARROW = 48; // length of Ax's and Bx's arrows, px
const NAME_BASELINE = 20; // the points' names under the beam
const NAME_SHIFT = 12; // px the names of Pt-A and Pt-B stand off their support
const EXTENSIONS_FROM = 66; // where the dimension lines' extensions begin
const FIRST_DIMENSION = 96;
const SECOND_DIMENSION = 124;
const BELOW_LAST_ROW = 12; // room under the last row of dimensions
const LABEL_GAP = 7; // px between an arrow and the label beside it
const LABEL_LINE = 10; // px a label moves down to its next place
const EXTENSION_PAST_ROW = 6; // an extension line reaches past its dimension line
const FORCE_GAP = 3; // px between a horizontal force's head and its support

// The resultants figure: where the beam's upper edge is, the resultants'
// tails above it, and the dimension rows below it, one a resultant.
const RESULTANTS_BEAM_TOP = 58;
const RESULTANT_TAIL = 14;
const ARM_ROWS_FROM = 40;
const ARM_ROW_SPACING = 28;
// A resultant's label: beside its arrow's upper and lower part, or above it.
const RESULTANT_LABEL_GAP = 6;
const RESULTANT_LABEL_UPPER = 26; // baselines, px from the drawing's top
const RESULTANT_LABEL_LOWER = 44;
const RESULTANT_LABEL_ABOVE = 11;
const PT_A_LINE_FROM = 24; // Pt-A's extension line starts this far under the beam's top

// A negative intensity is an upward load; a negative reaction acts downward.
const isNegative = (quantity) => quantity.value < 0;

// The beam from a to b, the pin under Pt-A and the rocker under Pt-B.
function beamOnSupports(a, b, top) {
  const under = top + BEAM_DEPTH;
  return [
    { kind: 'rect', cls: 'beam', x: a, y: top, width: b - a, height: BEAM_DEPTH },
    { kind: 'polygon', cls: 'support', points: [[a, under],
      [a - SUPPORT_HALF_WIDTH, under + PIN_HEIGHT], [a + SUPPORT_HALF_WIDTH, under + PIN_HEIGHT]] },
    { kind: 'polygon', cls: 'support', points: [[b, under],
      [b - SUPPORT_HALF_WIDTH, under + ROCKER_HEIGHT], [b + SUPPORT_HALF_WIDTH, under + ROCKER_HEIGHT]] },
    { kind: 'circle', cls: 'support', cx: b, cy: under + ROCKER_HEIGHT + ROCKER_BALL, r: ROCKER_BALL },
  ];
}

export function loadsFigure(beam, { measure, smallestFont } = {}) {
  const drawing = { beam, top: LOADS_BEAM_TOP, shapes: [], requests: [] };
  drawReactions(drawing);
  drawBlocks(drawing);
  drawing.shapes.push(...beamOnSupports(beam.left, beam.right, drawing.top));
  drawHorizontalForces(drawing);
  namePoints(drawing);
  drawDimensions(drawing);
  return figure({ name: 'loads', width: beam.width, height: drawing.top + SECOND_DIMENSION + BELOW_LAST_ROW,
    shapes: drawing.shapes, requests: drawing.requests, measure, smallestFont,
    description: loadsDescription(beam) });
}

// Ay and By under their supports: a negative one points down and says so.
function drawReactions({ beam, top, shapes, requests }) {
  for (const [name, value, x, side] of [['Ay', beam.problem.ay, beam.left, 1], ['By', beam.problem.by, beam.right, -1]]) {
    const down = isNegative(value);
    if (value.value !== 0) {
      const [from, to] = down ? [REACTION_FROM, REACTION_TO] : [REACTION_TO, REACTION_FROM];
      shapes.push(arrow(x, top + from, x, top + to));
    }
    // The arrow shows the direction; the label its size, and the words again.
    const text = [`${name} = ${beam.withUnit(DrawnBeam.size(value), beam.force)}`];
    if (value.value !== 0) text.push(down ? 'acting downward' : 'acting upward');
    const inward = side > 0 ? 'start' : 'end';
    const outward = side > 0 ? 'end' : 'start';
    requests.push({ text, size: FONT_SIZE, point: { x, y: top + (REACTION_FROM + REACTION_TO) / 2 },
      candidates: [
        { x: x + LABEL_GAP * side, y: top + REACTION_LABEL, anchor: inward },
        { x: x - LABEL_GAP * side, y: top + REACTION_LABEL, anchor: outward },
        { x: x + LABEL_GAP * side, y: top + REACTION_LABEL + LABEL_LINE, anchor: inward },
      ] });
  }
}

// The blocks over the beam, the heavier BLOCK_HEIGHT tall, the other in
// proportion; small arrows in each show which way it pushes.
function drawBlocks({ beam, top, shapes, requests }) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.problem.pointE.x.value)];
  const tallest = Math.max(Math.abs(beam.problem.rectangleWeight.value), Math.abs(beam.problem.triangleWeight.value));
  // Each intensity as a share of the larger first: their product could overflow.
  const heightOf = (weight) => (tallest > 0 ? BLOCK_HEIGHT * (Math.abs(weight.value) / tallest) : 0);
  const [rectangleHeight, triangleHeight] = [heightOf(beam.problem.rectangleWeight), heightOf(beam.problem.triangleWeight)];
  const blockClass = (weight) => (isNegative(weight) ? 'block upward' : 'block');
  if (e > a && rectangleHeight > 0) {
    shapes.push({ kind: 'rect', cls: blockClass(beam.problem.rectangleWeight), x: a,
      y: top - rectangleHeight, width: e - a, height: rectangleHeight });
    shapes.push(...loadArrows(a, e, () => rectangleHeight, top, isNegative(beam.problem.rectangleWeight)));
  }
  if (b > e && triangleHeight > 0) {
    shapes.push({ kind: 'polygon', cls: blockClass(beam.problem.triangleWeight),
      points: [[e, top - triangleHeight], [e, top], [b, top]] });
    shapes.push(...loadArrows(e, b, (x) => triangleHeight * (b - x) / (b - e), top,
      isNegative(beam.problem.triangleWeight)));
  }
  if (e > a) {
    const at = { x: (a + e) / 2, y: top - rectangleHeight };
    requests.push({ text: blockLabel(beam, beam.problem.rectangleWeight), size: FONT_SIZE,
      point: at, candidates: around(at, { anchors: ['middle', 'start', 'end'] }) });
  }
  if (b > e) {
    const at = { x: e, y: top - triangleHeight };
    requests.push({ text: blockLabel(beam, beam.problem.triangleWeight), size: FONT_SIZE,
      point: at, candidates: around(at, { anchors: ['start', 'middle', 'end'] }) });
  }
}

// A block's intensity by its size, and "upward" where it pushes up.
function blockLabel(beam, weight) {
  const size = beam.withUnit(DrawnBeam.size(weight), beam.problem.units.weight);
  return isNegative(weight) ? `${size} upward` : size;
}

// Ax acts towards the right, Bx towards the left, as the transcript says: a
// negative one the other way, its arrow turned round.
function drawHorizontalForces({ beam, top, shapes, requests }) {
  const [a, b] = [beam.left, beam.right];
  const level = top + BEAM_DEPTH / 2;
  for (const [name, value, outer, inner] of [['Ax', beam.problem.ax, a - HORIZONTAL_ARROW, a - FORCE_GAP],
    ['Bx', beam.problem.bx, b + HORIZONTAL_ARROW, b + FORCE_GAP]]) {
    if (value.value === 0) continue;
    const [from, to] = value.value > 0 ? [outer, inner] : [inner, outer];
    shapes.push(arrow(from, level, to, level));
    const text = `${name} = ${beam.withUnit(DrawnBeam.size(value), beam.force)}`;
    const start = name === 'Ax' ? 'start' : 'end';
    requests.push({ text, size: FONT_SIZE, point: { x: outer, y: level },
      candidates: around({ x: outer, y: level }, { anchors: [start, 'middle'] }) });
  }
}

// The points' names by the beam.
function namePoints({ beam, top, requests }) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.problem.pointE.x.value)];
  const names = [['Pt-A', a, ['start']], ['Pt-B', b, ['end']]];
  if (e > a && e < b) names.push(['Pt-E', e, ['middle', 'start', 'end']]);
  for (const [text, x, anchors] of names) {
    const shift = anchors[0] === 'start' ? NAME_SHIFT : anchors[0] === 'end' ? -NAME_SHIFT : 0;
    requests.push({ text, size: FONT_SIZE, point: { x, y: top + BEAM_DEPTH }, candidates: [
      { x: x + shift, y: top + NAME_BASELINE, anchor: anchors[0] },
      ...around({ x: x + shift, y: top + BEAM_DEPTH + 2 }, { first: 'below', anchors }),
    ] });
  }
}

// Pt-A to Pt-E and Pt-E to Pt-B, then the whole span.
function drawDimensions({ beam, top, shapes, requests }) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.problem.pointE.x.value)];
  const [firstRow, secondRow] = [top + FIRST_DIMENSION, top + SECOND_DIMENSION];
  for (const x of new Set([a, e, b])) {
    shapes.push({ kind: 'line', cls: 'extension', x1: x, y1: top + EXTENSIONS_FROM, x2: x,
      y2: secondRow + EXTENSION_PAST_ROW });
  }
  const dimensions = [];
  if (e > a) {
    dimensions.push(dimension(a, firstRow, e,
      `L2 − L1 = ${beam.withUnit(beam.problem.rectangleLength, beam.length)}`));
  }
  if (b > e) {
    dimensions.push(dimension(e, firstRow, b, `L1 = ${beam.withUnit(beam.problem.triangleLength, beam.length)}`));
  }
  dimensions.push(dimension(a, secondRow, b, `L2 = ${beam.withUnit(beam.problem.span, beam.length)}`));
  for (const { shapes: lines, request } of dimensions) {
    shapes.push(...lines);
    requests.push(request);
  }
}

// Arrows a few px apart across a block from x1 to x2, each as tall as the
// block there: pointing at the beam, or away from it for an upward load.
function loadArrows(x1, x2, heightAt, top, upward) {
  const arrows = [];
  const count = Math.floor((x2 - x1) / LOAD_ARROW_SPACING);
  for (let index = 0; index <= count; index += 1) {
    const x = count === 0 ? (x1 + x2) / 2 : x1 + (x2 - x1) * index / count;
    const height = heightAt(x);
    if (!hasRoomForArrow(height)) continue;
    const [tail, tip] = upward ? [top, top - height] : [top - height, top];
    arrows.push({ ...arrow(x, tail, x, tip, 'load'), head: 5, passable: true });
  }
  return arrows;
}

function loadsDescription(beam) {
  const weight = (value) => beam.withUnit(DrawnBeam.size(value), beam.problem.units.weight);
  const force = (value) => beam.withUnit(DrawnBeam.size(value), beam.force);
  const length = (value) => beam.withUnit(value, beam.length);
  const direction = (value) => (isNegative(value) ? 'acting downward' : 'acting upward');
  const parts = [
    `A beam of length L2 = ${length(beam.problem.span)} on a pin at Pt-A and a rocker at Pt-B.`,
    `A rectangular block of ${weight(beam.problem.rectangleWeight)} from Pt-A to Pt-E, ` +
      `L2 − L1 = ${length(beam.problem.rectangleLength)}${isNegative(beam.problem.rectangleWeight) ? ', pushing upward' : ''}.`,
    `A triangular block of L1 = ${length(beam.problem.triangleLength)}, ${weight(beam.problem.triangleWeight)} at Pt-E ` +
      `down to nothing at Pt-B${isNegative(beam.problem.triangleWeight) ? ', pushing upward' : ''}.`,
    `Ay = ${force(beam.problem.ay)}, ${direction(beam.problem.ay)}; By = ${force(beam.problem.by)}, ${direction(beam.problem.by)}.`,
  ];
  if (beam.problem.ax.value !== 0) parts.push(`Ax = ${force(beam.problem.ax)}, towards ${beam.problem.ax.value > 0 ? 'Pt-B' : 'Pt-A'}.`);
  if (beam.problem.bx.value !== 0) parts.push(`Bx = ${force(beam.problem.bx)}, towards ${beam.problem.bx.value > 0 ? 'Pt-A' : 'Pt-B'}.`);
  return parts.join(' ');
}

// The free body: each block's resultant at its lever arm from Pt-A.
export function resultantsFigure(beam, { measure, smallestFont } = {}) {
  const [a, b] = [beam.left, beam.right];
  const top = RESULTANTS_BEAM_TOP;
  const shapes = beamOnSupports(a, b, top);
  const requests = [];
  const forces = resultants(beam);
  forces.forEach(({ force, arm }, index) => {
    const x = beam.x(arm.value);
    shapes.push(isNegative(force) ? arrow(x, top, x, RESULTANT_TAIL, 'resultant')
      : arrow(x, RESULTANT_TAIL, x, top, 'resultant'));
    requests.push({ text: beam.withUnit(DrawnBeam.size(force), beam.force), size: FONT_SIZE,
      point: { x, y: RESULTANT_TAIL }, candidates: [
        { x: x + RESULTANT_LABEL_GAP, y: RESULTANT_LABEL_UPPER, anchor: 'start' },
        { x: x - RESULTANT_LABEL_GAP, y: RESULTANT_LABEL_UPPER, anchor: 'end' },
        { x: x + RESULTANT_LABEL_GAP, y: RESULTANT_LABEL_LOWER, anchor: 'start' },
        { x: x - RESULTANT_LABEL_GAP, y: RESULTANT_LABEL_LOWER, anchor: 'end' },
        { x, y: RESULTANT_LABEL_ABOVE, anchor: 'middle' }] });
    const row = top + ARM_ROWS_FROM + ARM_ROW_SPACING * index;
    shapes.push({ kind: 'line', cls: 'extension', x1: x, y1: top + BEAM_DEPTH + 2, x2: x, y2: row + EXTENSION_PAST_ROW });
    const { shapes: lines, request } = dimension(a, row, x, beam.withUnit(arm, beam.length));
    shapes.push(...lines);
    requests.push(request);
  });
  const bottom = top + ARM_ROWS_FROM + ARM_ROW_SPACING * Math.max(forces.length - 1, 0) + BELOW_LAST_ROW;
  shapes.push({ kind: 'line', cls: 'extension', x1: a, y1: top + PT_A_LINE_FROM, x2: a,
    y2: bottom - EXTENSION_PAST_ROW });
  const description = forces.length === 0 ? 'Neither block carries a load.'
    : forces.map(({ name, force, arm }) => `The ${name} block's resultant, ` +
      `${beam.withUnit(DrawnBeam.size(force), beam.force)} acting ${isNegative(force) ? 'upward' : 'downward'}, ` +
      `at ${beam.withUnit(arm, beam.length)} from Pt-A.`).join(' ');
  return figure({ name: 'resultants', width: beam.width, height: bottom, shapes, requests, measure,
    smallestFont, description });
}

// The blocks' resultants that are not zero, with their lever arms from Pt-A.
function resultants(beam) {
  return [
    { name: 'rectangular', force: beam.problem.rectangleForce, arm: beam.problem.rectangleArmFromA },
    { name: 'triangular', force: beam.problem.triangleForce, arm: beam.problem.triangleArmFromA },
  ].filter(({ force }) => force.value !== 0);
}

// The beam figures, as plain data for diagram_svg.js: the beam with its
// blocks, supports, reactions and dimensions; then the same beam with each
// block replaced by its resultant force at its lever arm from Pt-A.
import { DrawnBeam, FONT_SIZE } from './diagram_scale.js';
import { around, arrow, dimension, figure, hasRoomForArrow } from './diagram_shapes.js';

const BLOCK_HEIGHT = 40; // of the block of larger intensity, px
const LOAD_ARROW_SPACING = 22; // px between the small arrows drawn in a block

const upward = (text) => Number(text) < 0;

export function loadsFigure(beam, measure) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.pointE.x)];
  const top = 80; // the beam's upper edge
  const shapes = [];
  const requests = [];

  // The reactions first: a negative one points down and says so.
  for (const [name, value, x, side] of [['Ay', beam.ay, a, 1], ['By', beam.by, b, -1]]) {
    const down = upward(value);
    if (Number(value) !== 0) {
      shapes.push(down ? arrow(x, top + 30, x, top + 62) : arrow(x, top + 62, x, top + 30));
    }
    const text = [`${name} = ${beam.withUnit(value, beam.force)}`];
    if (Number(value) !== 0) text.push(down ? 'acting downward' : 'acting upward');
    const inward = side > 0 ? 'start' : 'end';
    const outward = side > 0 ? 'end' : 'start';
    requests.push({ text, size: FONT_SIZE, point: { x, y: top + 46 }, candidates: [
      { x: x + 7 * side, y: top + 42, anchor: inward },
      { x: x - 7 * side, y: top + 42, anchor: outward },
      { x: x + 7 * side, y: top + 52, anchor: inward },
    ] });
  }

  // The blocks over the beam, the heavier BLOCK_HEIGHT tall, the other in
  // proportion; small arrows in each show which way it pushes.
  const tallest = Math.max(Math.abs(beam.rectangleWeight), Math.abs(beam.triangleWeight));
  const heightOf = (weight) => (tallest > 0 ? BLOCK_HEIGHT * Math.abs(weight) / tallest : 0);
  const [rectangleHeight, triangleHeight] = [heightOf(beam.rectangleWeight), heightOf(beam.triangleWeight)];
  const blockClass = (weight) => (upward(weight) ? 'block upward' : 'block');
  if (e > a && rectangleHeight > 0) {
    shapes.push({ kind: 'rect', cls: blockClass(beam.rectangleWeight), x: a,
      y: top - rectangleHeight, width: e - a, height: rectangleHeight });
    shapes.push(...loadArrows(a, e, () => rectangleHeight, top, upward(beam.rectangleWeight)));
  }
  if (b > e && triangleHeight > 0) {
    shapes.push({ kind: 'polygon', cls: blockClass(beam.triangleWeight),
      points: [[e, top - triangleHeight], [e, top], [b, top]] });
    shapes.push(...loadArrows(e, b, (x) => triangleHeight * (b - x) / (b - e), top,
      upward(beam.triangleWeight)));
  }
  if (e > a) {
    requests.push({ text: beam.withUnit(beam.rectangleWeight, beam.units.weight), size: FONT_SIZE,
      point: { x: (a + e) / 2, y: top - rectangleHeight },
      candidates: around({ x: (a + e) / 2, y: top - rectangleHeight }, { anchors: ['middle', 'start', 'end'] }) });
  }
  if (b > e) {
    requests.push({ text: beam.withUnit(beam.triangleWeight, beam.units.weight), size: FONT_SIZE,
      point: { x: e, y: top - triangleHeight },
      candidates: around({ x: e, y: top - triangleHeight }, { anchors: ['start', 'middle', 'end'] }) });
  }

  // The beam on a pin at Pt-A and a rocker at Pt-B.
  shapes.push({ kind: 'rect', cls: 'beam', x: a, y: top, width: b - a, height: 6 });
  shapes.push({ kind: 'polygon', cls: 'support', points: [[a, top + 6], [a - 8, top + 20], [a + 8, top + 20]] });
  shapes.push({ kind: 'polygon', cls: 'support', points: [[b, top + 6], [b - 8, top + 17], [b + 8, top + 17]] });
  shapes.push({ kind: 'circle', cls: 'support', cx: b, cy: top + 21, r: 4 });

  // Ax acts towards the right, Bx towards the left, as the transcript says.
  for (const [name, value, from, to] of [['Ax', beam.ax, a - 48, a - 3], ['Bx', beam.bx, b + 48, b + 3]]) {
    if (Number(value) === 0) continue;
    shapes.push(arrow(from, top + 3, to, top + 3));
    const text = `${name} = ${beam.withUnit(value, beam.force)}`;
    const start = name === 'Ax' ? 'start' : 'end';
    requests.push({ text, size: FONT_SIZE, point: { x: from, y: top + 3 },
      candidates: around({ x: from, y: top + 3 }, { anchors: [start, 'middle'] }) });
  }

  // The points' names by the beam.
  const names = [['Pt-A', a, ['start']], ['Pt-B', b, ['end']]];
  if (e > a && e < b) names.push(['Pt-E', e, ['middle', 'start', 'end']]);
  for (const [text, x, anchors] of names) {
    const shift = anchors[0] === 'start' ? 12 : anchors[0] === 'end' ? -12 : 0;
    requests.push({ text, size: FONT_SIZE, point: { x, y: top + 6 }, candidates: [
      { x: x + shift, y: top + 20, anchor: anchors[0] },
      ...around({ x: x + shift, y: top + 8 }, { first: 'below', anchors }),
    ] });
  }

  // Dimensions: Pt-A to Pt-E and Pt-E to Pt-B, then the whole span.
  const [firstRow, secondRow] = [top + 96, top + 124];
  for (const x of new Set([a, e, b])) {
    shapes.push({ kind: 'line', cls: 'extension', x1: x, y1: top + 66, x2: x, y2: secondRow + 6,
      passable: true });
  }
  const dimensions = [];
  if (e > a) dimensions.push(dimension(a, firstRow, e, `L2 − L1 = ${beam.withUnit(pointEText(beam), beam.length)}`));
  if (b > e) dimensions.push(dimension(e, firstRow, b, `L1 = ${beam.withUnit(beam.triangleLength, beam.length)}`));
  dimensions.push(dimension(a, secondRow, b, `L2 = ${beam.withUnit(beam.span, beam.length)}`));
  for (const { shapes: lines, request } of dimensions) {
    shapes.push(...lines);
    requests.push(request);
  }

  return figure({ name: 'loads', width: beam.width, height: secondRow + 12, shapes, requests, measure,
    description: loadsDescription(beam) });
}

// Pt-E's distance from Pt-A, L2 - L1, as the derivation computed it.
function pointEText(beam) {
  return beam.rectangleLength ?? beam.pointE.x;
}

// Arrows a few px apart across a block from x1 to x2, each as tall as the
// block there: pointing at the beam, or away from it for an upward load.
function loadArrows(x1, x2, heightAt, top, isUpward) {
  const arrows = [];
  const count = Math.floor((x2 - x1) / LOAD_ARROW_SPACING);
  for (let index = 0; index <= count; index += 1) {
    const x = count === 0 ? (x1 + x2) / 2 : x1 + (x2 - x1) * index / count;
    const height = heightAt(x);
    if (!hasRoomForArrow(height)) continue;
    const [tail, tip] = isUpward ? [top, top - height] : [top - height, top];
    arrows.push({ ...arrow(x, tail, x, tip, 'load'), head: 5, passable: true });
  }
  return arrows;
}

function loadsDescription(beam) {
  const weight = (value) => beam.withUnit(value, beam.units.weight);
  const force = (value) => beam.withUnit(value, beam.force);
  const length = (value) => beam.withUnit(value, beam.length);
  const direction = (value) => (upward(value) ? 'acting downward' : 'acting upward');
  const parts = [
    `A beam of length L2 = ${length(beam.span)} on a pin at Pt-A and a rocker at Pt-B.`,
    `A rectangular block of ${weight(beam.rectangleWeight)} from Pt-A to Pt-E, ` +
      `L2 − L1 = ${length(pointEText(beam))}${upward(beam.rectangleWeight) ? ', pushing upward' : ''}.`,
    `A triangular block of L1 = ${length(beam.triangleLength)}, ${weight(beam.triangleWeight)} at Pt-E ` +
      `down to nothing at Pt-B${upward(beam.triangleWeight) ? ', pushing upward' : ''}.`,
    `Ay = ${force(beam.ay)}, ${direction(beam.ay)}; By = ${force(beam.by)}, ${direction(beam.by)}.`,
  ];
  if (Number(beam.ax) !== 0) parts.push(`Ax = ${force(beam.ax)}, towards Pt-B.`);
  if (Number(beam.bx) !== 0) parts.push(`Bx = ${force(beam.bx)}, towards Pt-A.`);
  return parts.join(' ');
}

// The free body: each block's resultant at its lever arm from Pt-A.
export function resultantsFigure(beam, measure) {
  const [a, b] = [beam.left, beam.right];
  const top = 58;
  const shapes = [
    { kind: 'rect', cls: 'beam', x: a, y: top, width: b - a, height: 6 },
    { kind: 'polygon', cls: 'support', points: [[a, top + 6], [a - 8, top + 20], [a + 8, top + 20]] },
    { kind: 'polygon', cls: 'support', points: [[b, top + 6], [b - 8, top + 17], [b + 8, top + 17]] },
    { kind: 'circle', cls: 'support', cx: b, cy: top + 21, r: 4 },
  ];
  const requests = [];
  const forces = resultants(beam);
  forces.forEach(({ force, arm }, index) => {
    const x = beam.x(arm);
    shapes.push(upward(force) ? arrow(x, top, x, 14, 'resultant') : arrow(x, 14, x, top, 'resultant'));
    requests.push({ text: beam.withUnit(force, beam.force), size: FONT_SIZE, point: { x, y: 14 },
      candidates: [{ x: x + 6, y: 26, anchor: 'start' }, { x: x - 6, y: 26, anchor: 'end' },
        { x: x + 6, y: 44, anchor: 'start' }, { x: x - 6, y: 44, anchor: 'end' },
        { x, y: 11, anchor: 'middle' }] });
    const row = top + 40 + 28 * index;
    shapes.push({ kind: 'line', cls: 'extension', x1: x, y1: top + 8, x2: x, y2: row + 6, passable: true });
    const { shapes: lines, request } = dimension(a, row, x, beam.withUnit(arm, beam.length));
    shapes.push(...lines);
    requests.push(request);
  });
  const bottom = top + 40 + 28 * Math.max(forces.length - 1, 0) + 12;
  shapes.push({ kind: 'line', cls: 'extension', x1: a, y1: top + 24, x2: a, y2: bottom - 6, passable: true });
  const description = forces.length === 0 ? 'Neither block carries a load.'
    : forces.map(({ name, force, arm }) => `The ${name} block's resultant, ` +
      `${beam.withUnit(DrawnBeam.size(force), beam.force)} acting ${upward(force) ? 'upward' : 'downward'}, ` +
      `at ${beam.withUnit(arm, beam.length)} from Pt-A.`).join(' ');
  return figure({ name: 'resultants', width: beam.width, height: bottom, shapes, requests, measure,
    description });
}

// The blocks' resultants that are not zero, with their lever arms from Pt-A.
function resultants(beam) {
  return [
    { name: 'rectangular', force: beam.rectangleForce, arm: beam.rectangleArmFromA },
    { name: 'triangular', force: beam.triangleForce, arm: beam.triangleArmFromA },
  ].filter(({ force }) => force !== undefined && Number(force) !== 0);
}

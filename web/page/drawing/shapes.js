// The pieces the figures are made of, as plain data (svg.js draws
// them): shapes { kind, cls, ...attributes } and label requests for
// label_layout.js. Kinds: line, rect, polygon, polyline, circle, arrow, arc.
import { placeLabels } from './label_layout.js';
import { FONT_SIZE } from './scale.js';

const HEAD = 8; // arrowhead length, px
const SHAFT_LEAST = 2; // px of shaft an arrow shows beside its head
// A dimension line: the strokes across its ends, and where its text may go.
const END_STROKE = 5; // px each way
const TEXT_OVER_LINE = 6; // the text's baseline over the line
const TEXT_BESIDE = { gap: 5, baseline: 4, over: 8 };
// Labels around a point: the gap to it, the sideways shift of one begun or
// ended by it, and the rows further off, in lines of text.
const AROUND_GAP = 6;
const AROUND_SHIFT = 5;
const AROUND_ROW = 1.25;

export function arrow(x1, y1, x2, y2, cls = 'arrow') {
  return { kind: 'arrow', cls, x1, y1, x2, y2, head: HEAD };
}

// Whether a drawn arrow is long enough to show its head and some shaft.
export function hasRoomForArrow(length) {
  return Math.abs(length) > HEAD + SHAFT_LEAST;
}

// A dimension line from x1 to x2 at height y: the line, a stroke across each
// end, and the request for its text, over the line's middle when it fits
// there, else beside an end, else further up.
export function dimension(x1, y, x2, text) {
  const shapes = [{ kind: 'line', cls: 'dimension', x1, y1: y, x2, y2: y }];
  for (const x of [x1, x2]) {
    shapes.push({ kind: 'line', cls: 'dimension', x1: x, y1: y - END_STROKE, x2: x, y2: y + END_STROKE });
  }
  const middle = (x1 + x2) / 2;
  const request = { text, size: FONT_SIZE, point: { x: middle, y }, candidates: [
    { x: middle, y: y - TEXT_OVER_LINE, anchor: 'middle' },
    { x: x2 + TEXT_BESIDE.gap, y: y + TEXT_BESIDE.baseline, anchor: 'start' },
    { x: x1 - TEXT_BESIDE.gap, y: y + TEXT_BESIDE.baseline, anchor: 'end' },
    { x: middle, y: y + TEXT_BESIDE.baseline + FONT_SIZE, anchor: 'middle' },
    { x: x2 + TEXT_BESIDE.gap, y: y - TEXT_BESIDE.over, anchor: 'start' },
    { x: x1 - TEXT_BESIDE.gap, y: y - TEXT_BESIDE.over, anchor: 'end' },
  ] };
  return { shapes, request };
}

// Candidates around a point, nearest first, on the side given first
// ('above' or 'below'), starting or ending by it or centred on it.
export function around({ x, y }, { first = 'above', anchors = ['start', 'end', 'middle'] } = {}) {
  const candidates = [];
  const sides = first === 'above' ? ['above', 'below'] : ['below', 'above'];
  for (const step of [0, 1, 2, 3]) {
    for (const side of sides) {
      const baseline = side === 'above' ? y - AROUND_GAP - step * FONT_SIZE * AROUND_ROW
        : y + AROUND_GAP + FONT_SIZE + step * FONT_SIZE * AROUND_ROW;
      for (const anchor of anchors) {
        const shift = anchor === 'start' ? AROUND_SHIFT : anchor === 'end' ? -AROUND_SHIFT : 0;
        candidates.push({ x: x + shift, y: baseline, anchor });
      }
    }
  }
  return candidates;
}

// The obstacles a shape makes for labels: its edges.
function edgesOf(shape) {
  if (shape.kind === 'line' || shape.kind === 'arrow') return [shape];
  if (shape.kind === 'rect') {
    const { x, y, width, height } = shape;
    return [{ left: x, right: x + width, top: y, bottom: y + height }];
  }
  // A filled shape is an obstacle all over, not only along its edges.
  if (shape.kind === 'polygon') return [{ points: shape.points }];
  if (shape.kind === 'polyline') {
    const points = shape.points;
    return points.slice(1).map(([x2, y2], index) => {
      const [x1, y1] = points[index];
      return { x1, y1, x2, y2 };
    });
  }
  if (shape.kind === 'circle' || shape.kind === 'arc') {
    const { cx, cy, r } = shape;
    return [{ left: cx - r, right: cx + r, top: cy - r, bottom: cy + r }];
  }
  return [];
}

// A figure: its shapes, its labels laid out clear of each other and, where
// they can be, of the shapes, and its size.
export function figure({ name, description, width, height, shapes, requests, measure, smallestFont }) {
  // Every line is an obstacle, dashed or not: a label lies on no line. Only
  // what is made passable (shaded areas, the small arrows inside a block) may
  // lie under one.
  const obstacles = shapes.filter((shape) => !shape.passable).flatMap(edgesOf);
  const laid = placeLabels(requests, { width, height, obstacles, measure, smallestFont });
  return { name, description, width, height: laid.height + 2, shapes, labels: laid.labels };
}

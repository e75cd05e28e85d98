// The pieces the figures are made of, as plain data (diagram_svg.js draws
// them): shapes { kind, cls, ...attributes } and label requests for
// label_layout.js. Kinds: line, rect, polygon, polyline, circle, arrow.
import { placeLabels } from './label_layout.js';
import { FONT_SIZE } from './diagram_scale.js';

const HEAD = 8; // arrowhead length, px

export function arrow(x1, y1, x2, y2, cls = 'arrow') {
  return { kind: 'arrow', cls, x1, y1, x2, y2, head: HEAD };
}

// Whether a drawn arrow is long enough to show its head and some shaft.
export function hasRoomForArrow(length) {
  return Math.abs(length) > HEAD + 2;
}

// A dimension line from x1 to x2 at height y: the line, a stroke across each
// end, and the request for its text, over the line's middle when it fits
// there, else beside an end, else further up.
export function dimension(x1, y, x2, text) {
  const shapes = [{ kind: 'line', cls: 'dimension', x1, y1: y, x2, y2: y }];
  for (const x of [x1, x2]) {
    shapes.push({ kind: 'line', cls: 'dimension', x1: x, y1: y - 5, x2: x, y2: y + 5 });
  }
  const middle = (x1 + x2) / 2;
  const request = { text, size: FONT_SIZE, point: { x: middle, y }, candidates: [
    { x: middle, y: y - 6, anchor: 'middle' },
    { x: x2 + 5, y: y + 4, anchor: 'start' },
    { x: x1 - 5, y: y + 4, anchor: 'end' },
    { x: middle, y: y + 4 + FONT_SIZE, anchor: 'middle' },
    { x: x2 + 5, y: y - 8, anchor: 'start' },
    { x: x1 - 5, y: y - 8, anchor: 'end' },
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
      const baseline = side === 'above' ? y - 6 - step * FONT_SIZE * 1.25
        : y + 6 + FONT_SIZE + step * FONT_SIZE * 1.25;
      for (const anchor of anchors) {
        const shift = anchor === 'start' ? 5 : anchor === 'end' ? -5 : 0;
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
  if (shape.kind === 'circle') {
    const { cx, cy, r } = shape;
    return [{ left: cx - r, right: cx + r, top: cy - r, bottom: cy + r }];
  }
  return [];
}

// A figure: its shapes, its labels laid out clear of each other and, where
// they can be, of the shapes, and its size.
export function figure({ name, description, width, height, shapes, requests, measure, smallestFont }) {
  const obstacles = shapes.filter((shape) => !shape.passable).flatMap(edgesOf);
  const laid = placeLabels(requests, { width, height, obstacles, measure, smallestFont });
  return { name, description, width, height: laid.height + 2, shapes, labels: laid.labels };
}

// Where the diagrams' labels go, so that each stays by its point, none
// covers another and all stay inside the drawing. A label is
// {x, y, anchor, text}: y is its baseline, anchor its SVG text-anchor.
import { LEFT, RIGHT, WIDTH } from './diagram_scale.js';

// Of the 12 px labels: a little wider than most digits and letters, so that
// an estimate never says two labels are apart when they touch.
const CHARACTER_WIDTH = 7;
const ASCENT = 10;
const DESCENT = 3;
const LINE = 14; // how far a label moves to get clear of another
const GAP = 6; // between a value's point and its label's text

export function labelBox({ x, y, anchor, text }) {
  const width = Array.from(text).length * CHARACTER_WIDTH;
  const left = anchor === 'start' ? x : anchor === 'end' ? x - width : x - width / 2;
  return { left, right: left + width, top: y - ASCENT, bottom: y + DESCENT };
}

export function overlap(first, second) {
  const [a, b] = [labelBox(first), labelBox(second)];
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The values of one curve (`key`: 'shear' or 'moment') at Pt-A, at Pt-B and,
// when it lies between them, at Pt-E; `y` gives the height of a value. Each
// goes above its point when the value is positive or zero, else below. Pt-E's
// stands on the side away from the largest moment's mark, which is on the
// moment curve there. A label that would cover one before it moves a line
// further from the curve (see placeApart).
export function curveLabels(beam, key, unit, y, height) {
  const label = (section, shift, anchor) => {
    const above = Number(section[key]) >= 0;
    return { x: beam.x(section.x) + shift,
      y: y(section[key]) + (above ? -GAP : GAP + ASCENT), anchor, above,
      text: beam.withUnit(section[key], unit) };
  };
  const labels = [label(beam.pointA, 0, 'start'), label(beam.pointB, 0, 'end')];
  const e = beam.x(beam.pointE.x);
  if (e > beam.x(0) && e < beam.x(beam.span)) {
    const largestIsLeft = Number(beam.largest.x) < Number(beam.pointE.x);
    labels.push(label(beam.pointE, largestIsLeft ? 4 : -4, largestIsLeft ? 'start' : 'end'));
  }
  return placeApart(labels, height);
}

// The beam figure's labels, for a figure `height` tall whose blocks' tops
// are at `rectangleTop` and `triangleTop`: the points' names under the beam
// (Pt-E's beside the others' when it is near one), the reactions under their
// arrows, the horizontal forces by theirs, the blocks' weights over them.
export function beamLabels(beam, { rectangleTop, triangleTop }, height) {
  const [a, b, e] = [LEFT, RIGHT, beam.x(beam.pointE.x)];
  const names = [
    { x: a, y: 192, anchor: 'middle', text: 'Pt-A' },
    { x: b, y: 192, anchor: 'middle', text: 'Pt-B' },
  ];
  if (e > a && e < b) names.push(besideAll({ x: e, y: 192, anchor: 'middle', text: 'Pt-E' }, names));
  const labels = [...names,
    { x: a - 4, y: 172, anchor: 'start', text: `Ay = ${beam.withUnit(beam.ay, beam.force)}` },
    { x: b + 4, y: 172, anchor: 'end', text: `By = ${beam.withUnit(beam.by, beam.force)}` }];
  if (Number(beam.ax) !== 0) {
    labels.push({ x: 2, y: 86, anchor: 'start', text: `Ax = ${beam.withUnit(beam.ax, beam.force)}` });
  }
  if (Number(beam.bx) !== 0) {
    labels.push({ x: WIDTH - 2, y: 86, anchor: 'end',
      text: `Bx = ${beam.withUnit(beam.bx, beam.force)}` });
  }
  if (e > a) {
    labels.push({ x: (a + e) / 2, y: rectangleTop - GAP, anchor: 'middle',
      text: beam.withUnit(beam.rectangleWeight, beam.units.weight) });
  }
  if (b > e) {
    labels.push({ x: e + 4, y: triangleTop - GAP, anchor: 'start',
      text: beam.withUnit(beam.triangleWeight, beam.units.weight) });
  }
  return placeApart(labels, height);
}

// `label` moved along its line just clear of those of `others` it would cover.
function besideAll(label, others) {
  const width = labelBox(label).right - labelBox(label).left;
  let moved = label;
  for (const other of others) {
    if (!overlap(moved, other)) continue;
    const box = labelBox(other);
    const x = moved.x < other.x ? box.left - 2 - width / 2 : box.right + 2 + width / 2;
    moved = { ...moved, x };
  }
  return moved;
}

// In order: each label inside the drawing (`height` tall), then moved a line
// at a time away from its point (up, or down for one below it), or if that
// finds no room inside, towards it, until it covers none placed before it.
export function placeApart(labels, height) {
  const placed = [];
  for (const { above = true, ...wanted } of labels) {
    const start = insideWidth(wanted);
    const away = above ? -LINE : LINE;
    const tries = [0, 1, 2, 3, -1, -2, -3].map((lines) => ({ ...start, y: start.y + lines * away }));
    const clear = tries.find((label) => isInside(label, height) &&
      !placed.some((other) => overlap(label, other)));
    placed.push(clear ?? start);
  }
  return placed;
}

function insideWidth(label) {
  const { left, right } = labelBox(label);
  const shift = left < 0 ? -left : right > WIDTH ? WIDTH - right : 0;
  return { ...label, x: label.x + shift };
}

function isInside(label, height) {
  const { top, bottom } = labelBox(label);
  return top >= 0 && bottom <= height;
}

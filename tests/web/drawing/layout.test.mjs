// Where the diagrams put things: the scales, the tick values in the
// program's number style, and the labels, each by its point, none covering
// another, all inside their drawing, for awkward beams at phone and desktop
// widths.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { loadsFigure, resultantsFigure } from '../../../web/page/drawing/beam.js';
import { curveFigure } from '../../../web/page/drawing/curves.js';
import { DrawnBeam, valueScale } from '../../../web/page/drawing/scale.js';
import { boxesOverlap, estimateMeasure, labelBox, placeLabels } from '../../../web/page/drawing/label_layout.js';
import { programBeam } from './program_beam.mjs';

const WORKED_EXAMPLE = '3 9 2 4 2 0 5 kN/m kN m';

const near = (actual, expected) => assert.ok(Math.abs(actual - expected) < 0.01,
  `${actual} instead of ${expected}`);

test('positions along the beam: Pt-A and Pt-B at the sides, in proportion between', () => {
  // Without horizontal forces 24 px stay free at each side, with one 52 px.
  for (const [answers, width, position, x] of [['3 9 2 4 2 0 0', 480, 0, 24],
    ['3 9 2 4 2 0 0', 480, 9, 456], ['3 9 2 4 2 0 5', 480, 9, 428],
    ['3 9 2 4 2 0 5', 1280, 4.5, 640], ['1e-6 1e6 2 4 2 0 0', 320, 5e5, 160],
    ['0 2.3e-308 0 1 1 0 0', 320, 1.15e-308, 160], ['0 1e150 0 1 1 0 0', 320, 1e150, 296]]) {
    near(new DrawnBeam(programBeam(answers), width).x(position), x);
  }
});

test("values: a plot's own range fills it, zero included; all zero sits in the middle", () => {
  for (const [values, value, y] of [[[9.33333, -8.66667], 9.33333, 0],
    [[9.33333, -8.66667], 0, 51.86], [[21.7778, 0], 0, 100],
    [[-4, -2], 0, 0], [[-4, -2], -4, 100], [[0, -0], 0, 50],
    // Ranges at the ends of the doubles neither overflow nor vanish.
    [[1.7976931348623157e308, -1.7976931348623157e308], 0, 50], [[5e-324, -1e-323], 0, 33.33]]) {
    near(valueScale(values, 0, 100)(value), y);
  }
});

// The marks come from the module with their texts; the page takes the finest
// step that leaves room between them.
test('tick marks: the finest step with room for its marks', () => {
  const marks = (answers, pixels) => new DrawnBeam(programBeam(answers), 700)
    .tickMarks(pixels, estimateMeasure, 11).map(({ text }) => text);
  assert.deepEqual(marks('3 9 2 4 2 0 0', 420), ['0', '2', '4', '6', '8']);
  assert.deepEqual(marks('3 9 2 4 2 0 0', 100), ['0', '5']);
  // Long texts need more room: 250 px hold three of these.
  assert.deepEqual(marks('0 1e-6 0 1 1 0 0', 250), ['0', '5e-007', '1e-006']);
  assert.ok(marks('0 2.3e-308 0 1 1 0 0', 5000).length <= 65, 'a few dozen marks at most');
});

// What a point of a label's box lies on: a drawn line (within 1.5 px of it),
// or inside a filled shape; shaded areas and dashed guides may lie under labels.
const UNDER_LABELS = new Set(['area', 'axis', 'guide', 'extension', 'mark-place']);
function shapeUnder({ x, y }, shapes) {
  const nearSegment = ([x1, y1], [x2, y2]) => {
    const [dx, dy] = [x2 - x1, y2 - y1];
    const t = Math.max(0, Math.min(1, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy || 1)));
    return Math.hypot(x - (x1 + t * dx), y - (y1 + t * dy)) < 1.5;
  };
  const inPolygon = (points) => points.reduce((inside, [xi, yi], i) => {
    const [xj, yj] = points[(i + points.length - 1) % points.length];
    return (yi > y) !== (yj > y) && x < xj + (y - yj) * (xi - xj) / (yi - yj) ? !inside : inside;
  }, false);
  return shapes.find((shape) => {
    if (UNDER_LABELS.has(shape.cls)) return false;
    if (shape.kind === 'line' || shape.kind === 'arrow') return nearSegment([shape.x1, shape.y1], [shape.x2, shape.y2]);
    if (shape.kind === 'polyline') return shape.points.slice(1).some((p, i) => nearSegment(shape.points[i], p));
    if (shape.kind === 'polygon') return inPolygon(shape.points);
    if (shape.kind === 'rect') return x >= shape.x && x <= shape.x + shape.width && y >= shape.y && y <= shape.y + shape.height;
    if (shape.kind === 'circle') return Math.hypot(x - shape.cx, y - shape.cy) <= shape.r;
    return false;
  });
}

function assertClearOfShapes(figure, what) {
  for (const label of figure.labels) {
    const box = labelBox(label, estimateMeasure);
    for (let i = 1; i < 6; i += 1) {
      for (let j = 1; j < 4; j += 1) {
        const point = { x: box.left + (box.right - box.left) * i / 6, y: box.top + (box.bottom - box.top) * j / 4 };
        const under = shapeUnder(point, figure.shapes);
        assert.ok(!under, `${what}: "${label.lines.join(' ')}" lies on a ${under?.cls} ${under?.kind}`);
      }
    }
  }
}

function assertApartAndInside(figure, what) {
  const boxes = figure.labels.map((label) => labelBox(label, estimateMeasure));
  boxes.forEach((box, index) => {
    const name = `${what}: "${figure.labels[index].lines.join(' ')}"`;
    assert.ok(box.left >= 0 && box.right <= figure.width && box.top >= 0 &&
      box.bottom <= figure.height, `${name} is outside ${JSON.stringify(box)}`);
    boxes.slice(index + 1).forEach((other, later) => assert.ok(!boxesOverlap(box, other),
      `${name} covers "${figure.labels[index + 1 + later].lines.join(' ')}"`));
  });
}

const figuresOf = (beam) => [loadsFigure(beam), resultantsFigure(beam),
  curveFigure(beam, 'shear'), curveFigure(beam, 'moment')];
const textsOf = (figure) => figure.labels.map((label) => label.lines.join(' '));

// Beams that crowd the labels: from the worked example on.
const AWKWARD = [
  WORKED_EXAMPLE,
  '0.001 1000 2 1e6 1e-3 0 0 kN/m kN m',
  '8.28388 8.545 1.89 8901.5 -4.8307 6.7 0.7 kN/m kN m',
  '9e-6 9 2 4 2 0 0 kN/m kN m', // tiny L1
  '9 9 2 4 2 0 0 kN/m kN m', // L1 = L2
  '0 9 2 4 2 0 0 kN/m kN m', // L1 = 0
  '8 9 2 -40 3 0 0', // an upward load, both reactions negative
  '1500 4000 10 800 1200 7 -3 N/m N m',
  '3 9 2 4 2 -1.23456e7 9.87654e8 abcdefghijklmnopqrs ABCDEFGHIJKLMNOPQRS WWWWWWWWWWWWWWWWWWW',
  '4 10 1 -9 3 0 0 kN/m kN m', // the shear crosses zero twice
  '4 10 1 0 0 0 0 kN/m kN m', // no load at all
];

test('labels stay apart and inside their drawing at any width', async (t) => {
  for (const answers of AWKWARD) {
    await t.test(answers, () => {
      for (const width of [280, 320, 390, 700, 1280]) {
        for (const figure of figuresOf(new DrawnBeam(programBeam(answers), width))) {
          assertApartAndInside(figure, `${figure.name} at ${width} px`);
          assertClearOfShapes(figure, `${figure.name} at ${width} px`);
        }
      }
    });
  }
});

test("the worked example's resultants at their lever arms, and its marks", () => {
  const beam = new DrawnBeam(programBeam(WORKED_EXAMPLE), 700);
  const [loads, resultants, shear, moment] = figuresOf(beam).map(textsOf);
  assert.deepEqual(resultants.toSorted(), ['12 kN', '3 m', '6 kN', '7 m']);
  for (const text of ['L2 − L1 = 6 m', 'L1 = 3 m', 'L2 = 9 m', 'Pt-A', 'Pt-E', 'Pt-B',
    'Ay = 9.33333 kN acting upward', 'By = 8.66667 kN acting upward', 'Bx = 5 kN',
    '2 kN/m', '4 kN/m']) assert.ok(loads.includes(text), `${text} in ${loads}`);
  assert.ok(shear.includes('V = 0 at x = 4.66667 m'), shear);
  for (const text of ['9.33333 kN', '-2.66667 kN', '-8.66667 kN']) assert.ok(shear.includes(text), text);
  assert.ok(moment.includes('largest sagging M = 21.7778 kN·m at x = 4.66667 m'), moment);
});

// A negative reaction and an upward load: arrows pointing down and up.
test('directions: a negative reaction points down, an upward load up', () => {
  const beam = new DrawnBeam(programBeam('8 9 2 -40 3 0 0 kN/m kN m'), 700);
  const loads = loadsFigure(beam);
  assert.ok(textsOf(loads).includes('Ay = 91.9815 kN acting downward'), textsOf(loads));
  const reactions = loads.shapes.filter((shape) => shape.kind === 'arrow' && shape.cls === 'arrow');
  assert.equal(reactions.length, 2);
  for (const reaction of reactions) assert.ok(reaction.y2 > reaction.y1, 'points down');
  const loadArrows = loads.shapes.filter((shape) => shape.cls === 'load');
  const [over, under] = [(x) => x < beam.x(1), (x) => x > beam.x(1)];
  assert.ok(loadArrows.filter((s) => over(s.x1)).every((s) => s.y2 > s.y1), 'the rectangle presses down');
  assert.ok(loadArrows.filter((s) => under(s.x1)).every((s) => s.y2 < s.y1), 'the triangle pushes up');
  const [upwardResultant] = resultantsFigure(beam).shapes.filter((shape) => shape.cls === 'resultant'
    && shape.x1 === beam.x(beam.problem.triangleArmFromA.value));
  assert.ok(upwardResultant.y2 < upwardResultant.y1, 'the triangle\'s resultant points up');
});

// The layout itself: what gives way when there is no room.
test('labels without room: smaller, wrapped, dropped, or below with a leader', () => {
  const request = (text, x, y, extra = {}) => ({ text, size: 12, candidates: [{ x, y, anchor: 'start' }], ...extra });
  const crowded = placeLabels([request('first', 10, 20), request('second', 10, 20),
    request('tick', 10, 20, { optional: true })], { width: 200, height: 40 });
  assert.deepEqual(crowded.labels.map((label) => label.lines), [['first'], ['second']]);
  assert.ok(crowded.labels[1].leader, 'the second has a leader to its place');
  assert.ok(crowded.height > 40, 'the drawing grows to hold it');
  const long = placeLabels([request('a rather long label of many words', 0, 20)], { width: 120, height: 200 });
  assert.ok(long.labels[0].lines.length > 1, 'a label wider than the drawing is wrapped');
  assertApartAndInside({ ...long, width: 120 }, 'wrapped');
});

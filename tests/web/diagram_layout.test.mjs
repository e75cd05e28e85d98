// Where the diagrams put things: the scale along the beam and for values, and
// the value labels, each by its point, none covering another, all inside.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { beamLabels, curveLabels } from '../../web/diagram_labels.js';
import { DrawnBeam, valueScale } from '../../web/diagram_scale.js';

// The worked example (answers 3 9 2 4 2 0 5 kN/m kN m), as the module
// describes it; a row of a table below changes what it needs.
function description(changes = {}) {
  return {
    units: { weight: 'kN/m', force: 'kN', length: 'm' },
    span: '9', triangleLength: '3', triangleWeight: '4', rectangleWeight: '2',
    ay: '9.33333', by: '8.66667', ax: '0', bx: '5',
    pointA: { x: '0', shear: '9.33333', moment: '0' },
    pointE: { x: '6', shear: '-2.66667', moment: '20' },
    pointB: { x: '9', shear: '-8.66667', moment: '0' },
    largest: { x: '4.66667', shear: '0', moment: '21.7778' },
    curve: [['0', '9.33333', '0'], ['4.66667', '0', '21.7778'], ['6', '-2.66667', '20'],
      ['9', '-8.66667', '0']],
    ...changes,
  };
}

const near = (actual, expected) => assert.ok(Math.abs(actual - expected) < 0.01,
  `${actual} instead of ${expected}`);

test('positions along the beam: Pt-A at 50, Pt-B at 430, in proportion between', () => {
  for (const [span, position, x] of [['9', '0', 50], ['9', '9', 430], ['9', '6', 303.333],
    ['2.03965e+009', '1.019825e+009', 240], ['0.001', '0.00025', 145]]) {
    near(new DrawnBeam(description({ span })).x(position), x);
  }
});

test('values: the largest in size reaches its distance from the axis, up when positive', () => {
  const y = valueScale(['9.33333', '-8.66667', '0'], 80, 55);
  near(y('9.33333'), 25);
  near(y('-8.66667'), 131.071);
  near(y('-0'), 80);
  near(valueScale(['-4', '2'], 80, 55)('-4'), 135);
  near(valueScale(['0', '-0'], 80, 55)('0'), 80); // all zero: on the axis, not NaN
});

// Worked by hand: shear at Pt-A 9.33333 is the largest (y 25), its label 6
// above; Pt-B's -8.66667 at y 131.071, its label below; Pt-E (x 303.333) has
// the largest moment to its left, so its label starts 4 to its right.
test("the worked example's shear labels", () => {
  const beam = new DrawnBeam(description());
  const y = valueScale(beam.curve.map((point) => point[1]), 80, 55);
  const labels = curveLabels(beam, 'shear', 'kN', y, 160);
  assert.deepEqual(labels.map(({ anchor, text }) => [anchor, text]),
    [['start', '9.33333 kN'], ['end', '-8.66667 kN'], ['start', '-2.66667 kN']]);
  const at = labels.map(({ x, y: baseline }) => [x, baseline]);
  [[50, 19], [430, 147.071], [307.333, 111.714]].forEach(([x, baseline], index) => {
    near(at[index][0], x);
    near(at[index][1], baseline);
  });
});

// Rough text boxes of 12 px labels, wider than the text rather than narrower.
function box({ x, y, anchor, text }) {
  const width = Array.from(text).length * 7;
  const left = { start: x, middle: x - width / 2, end: x - width }[anchor];
  return { left, right: left + width, top: y - 10, bottom: y + 3 };
}

function assertApartAndInside(labels, height) {
  const boxes = labels.map(box);
  for (const [index, { left, right, top, bottom }] of boxes.entries()) {
    const name = labels[index].text;
    assert.ok(left >= 0 && right <= 480 && top >= 0 && bottom <= height, `${name} is outside`);
    for (const other of boxes.slice(index + 1)) {
      const apart = right <= other.left || other.right <= left || bottom <= other.top ||
        other.bottom <= top;
      assert.ok(apart, `${name} covers ${labels[boxes.indexOf(other)].text}`);
    }
  }
}

// Each row: changes to the worked example that crowd the labels.
const CROWDED = [
  { name: 'Pt-E close to Pt-A', changes: { pointE: { x: '0.1', shear: '9.1', moment: '0.9' } } },
  { name: 'Pt-E close to Pt-B',
    changes: { pointE: { x: '8.9', shear: '-8.6', moment: '0.9' }, largest: { x: '4', moment: '21' } } },
  { name: 'long numbers', changes: {
    pointA: { x: '0', shear: '2.21250e+006', moment: '-1.23457e+009' },
    pointE: { x: '0.4', shear: '2.21249e+006', moment: '-1.23456e+009' },
    pointB: { x: '9', shear: '-2.21251e+006', moment: '-1.23458e+009' },
    ax: '-1.23456e+007', bx: '9.87654e+008' } },
  { name: 'all zero', changes: { pointA: { x: '0', shear: '0', moment: '0' },
    pointE: { x: '4.5', shear: '0', moment: '0' }, pointB: { x: '9', shear: '0', moment: '0' },
    curve: [['0', '0', '0'], ['9', '0', '0']], rectangleWeight: '0', triangleWeight: '0' } },
  { name: 'a narrow rectangle under a tall triangle, with Ax',
    changes: { pointE: { x: '0.5', shear: '9', moment: '4' }, rectangleWeight: '0.1',
      triangleWeight: '400', ax: '5' } },
];

test('crowded labels move apart and stay inside the drawing', async (t) => {
  for (const row of CROWDED) {
    await t.test(row.name, () => {
      const beam = new DrawnBeam(description(row.changes));
      for (const [column, key, height] of [[1, 'shear', 160], [2, 'moment', 176]]) {
        const y = valueScale(beam.curve.map((point) => point[column])
          .concat([beam.pointA, beam.pointE, beam.pointB].map((section) => section[key])), 80, 55);
        assertApartAndInside(curveLabels(beam, key, 'kN', y, height), height);
      }
      const tallest = Math.max(Math.abs(beam.rectangleWeight), Math.abs(beam.triangleWeight));
      const top = (weight) => 96 - (tallest > 0 ? 56 * Math.abs(weight) / tallest : 0);
      assertApartAndInside(beamLabels(beam, { rectangleTop: top(beam.rectangleWeight),
        triangleTop: top(beam.triangleWeight) }, 200), 200);
    });
  }
});

// The shear force and bending moment plots, as plain data for
// diagram_svg.js: each scaled to its own range, over an x axis with ticks in
// the length unit, with its values at Pt-A, Pt-E and Pt-B, where the shear is
// zero, and the largest moment at its peak.
import { FONT_SIZE, valueScale } from './diagram_scale.js';
import { around, figure } from './diagram_shapes.js';

// key: 'shear' or 'moment'.
export function curveFigure(beam, key, measure) {
  const isMoment = key === 'moment';
  const unit = isMoment ? beam.moment : beam.force;
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.pointE.x.value)];
  const top = 34;
  const bottom = top + Math.round(Math.min(160, Math.max(110, beam.width * 0.18)));
  const y = valueScale(beam.curve.map((section) => section[key].value), top, bottom);
  const zero = y(0);
  const shapes = [];
  const requests = [];

  const outline = beam.curve.map((section) => [beam.x(section.x.value), y(section[key].value)]);
  shapes.push({ kind: 'polygon', cls: 'area', points: [[a, zero], ...outline, [b, zero]], passable: true });
  shapes.push({ kind: 'polyline', cls: 'curve', points: outline });
  shapes.push({ kind: 'line', cls: 'axis', x1: a, y1: zero, x2: b, y2: zero, passable: true });
  if (e > a && e < b) {
    shapes.push({ kind: 'line', cls: 'guide', x1: e, y1: top - 6, x2: e, y2: bottom + 6, passable: true });
  }

  if (isMoment) {
    const at = { x: beam.x(beam.largest.x.value), y: y(beam.largest.moment.value) };
    shapes.push({ kind: 'line', cls: 'largest-place', x1: at.x, y1: zero, x2: at.x, y2: at.y, passable: true });
    shapes.push({ kind: 'circle', cls: 'largest', cx: at.x, cy: at.y, r: 3.5 });
    requests.push({ text: [`largest M = ${beam.withUnit(beam.largest.moment, unit)}`,
      `at x = ${beam.withUnit(beam.largest.x, beam.length)}`], size: FONT_SIZE, point: at,
    candidates: around(at, { first: beam.largest.moment.value >= 0 ? 'above' : 'below' }) });
  } else {
    for (const position of beam.zeroShear) {
      const at = { x: beam.x(position.value), y: zero };
      shapes.push({ kind: 'line', cls: 'zero-place', x1: at.x, y1: top - 6, x2: at.x, y2: bottom + 6, passable: true });
      shapes.push({ kind: 'circle', cls: 'largest', cx: at.x, cy: at.y, r: 3.5 });
      requests.push({ text: `V = 0 at x = ${beam.withUnit(position, beam.length)}`, size: FONT_SIZE,
        point: at, candidates: around(at, { first: 'below' }) });
    }
  }

  // The values at the points, on the side of the axis they lie.
  const points = [[beam.pointA, ['start', 'middle']], [beam.pointB, ['end', 'middle']]];
  if (e > a && e < b) points.push([beam.pointE, ['start', 'end', 'middle']]);
  for (const [section, anchors] of points) {
    const at = { x: beam.x(section.x.value), y: y(section[key].value) };
    requests.push({ text: beam.withUnit(section[key], unit), size: FONT_SIZE, point: at,
      candidates: around(at, { first: section[key].value < 0 ? 'below' : 'above', anchors }) });
  }

  // The x axis under the plot, its ticks and their values (dropped where
  // they would cover a value).
  const axis = bottom + 14;
  shapes.push({ kind: 'line', cls: 'x-axis', x1: a, y1: axis, x2: b, y2: axis });
  for (const mark of beam.tickMarks(b - a)) {
    const x = beam.x(mark.value);
    shapes.push({ kind: 'line', cls: 'x-axis', x1: x, y1: axis, x2: x, y2: axis + 4, passable: true });
    requests.push({ text: mark.text, size: FONT_SIZE - 1, optional: true, point: { x, y: axis },
      candidates: [{ x, y: axis + 16, anchor: 'middle' }] });
  }
  requests.push({ text: beam.length ? `x (${beam.length}) from Pt-A` : 'x from Pt-A',
    size: FONT_SIZE - 1, point: { x: b, y: axis },
    candidates: [{ x: b, y: axis + 31, anchor: 'end' }, { x: a, y: axis + 31, anchor: 'start' }] });

  const name = isMoment ? 'moment' : 'shear';
  return figure({ name, width: beam.width, height: axis + 36, shapes, requests, measure,
    description: curveDescription(beam, key, unit) });
}

function curveDescription(beam, key, unit) {
  const value = (section) => beam.withUnit(section[key], unit);
  const at = (position) => beam.withUnit(position, beam.length);
  const parts = [`${value(beam.pointA)} at Pt-A (x = 0), ${value(beam.pointE)} at Pt-E ` +
    `(x = ${at(beam.pointE.x)}), ${value(beam.pointB)} at Pt-B (x = ${at(beam.pointB.x)}).`];
  if (key === 'moment') {
    parts.push(`The largest bending moment is ${value(beam.largest)} at x = ${at(beam.largest.x)}.`);
  } else if (beam.zeroShear.length > 0) {
    parts.push(`The shear is zero at x = ${beam.zeroShear.map(at).join(' and at x = ')}.`);
  }
  return `${key === 'moment' ? 'Bending moment' : 'Shear force'}: ${parts.join(' ')}`;
}

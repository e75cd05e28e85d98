// The shear force and bending moment plots, as plain data for
// diagram_svg.js: each scaled to its own range, over an x axis with the
// program's tick marks in the length unit, with its values at Pt-A, Pt-E and
// Pt-B; the shear's zeros; the moment's every extreme (where the shear is
// zero), its largest sagging and hogging values and its points of
// contraflexure.
import { FONT_SIZE, valueScale } from './diagram_scale.js';
import { around, figure } from './diagram_shapes.js';
import { estimateMeasure } from './label_layout.js';

const MARK_RADIUS = 3.5;

// key: 'shear' or 'moment'.
export function curveFigure(beam, key, { measure, smallestFont } = {}) {
  const isMoment = key === 'moment';
  const unit = isMoment ? beam.moment : beam.force;
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.pointE.x.value)];
  const top = 34;
  const bottom = top + Math.round(Math.min(160, Math.max(110, beam.width * 0.18)));
  const y = valueScale(beam.curve.map((section) => section[key].value), top, bottom);
  const zero = y(0);
  const shapes = [];
  const requests = [];
  const plot = { beam, key, unit, y, zero, top, bottom, shapes, requests };

  const outline = beam.curve.map((section) => [beam.x(section.x.value), y(section[key].value)]);
  shapes.push({ kind: 'polygon', cls: 'area', points: [[a, zero], ...outline, [b, zero]], passable: true });
  shapes.push({ kind: 'polyline', cls: 'curve', points: outline });
  shapes.push({ kind: 'line', cls: 'axis', x1: a, y1: zero, x2: b, y2: zero, passable: true });
  if (e > a && e < b) {
    shapes.push({ kind: 'line', cls: 'guide', x1: e, y1: top - 6, x2: e, y2: bottom + 6, passable: true });
  }
  if (isMoment) markMomentExtremes(plot);
  else markZeroShear(plot);
  labelPoints(plot);

  // The x axis under the plot, its ticks and their values. These are placed
  // before any other label, so that no value takes a tick number's place.
  const axis = bottom + 14;
  const axisRequests = [];
  shapes.push({ kind: 'line', cls: 'x-axis', x1: a, y1: axis, x2: b, y2: axis });
  for (const mark of beam.tickMarks(b - a, measure ?? estimateMeasure, FONT_SIZE - 1)) {
    const x = beam.x(mark.value);
    shapes.push({ kind: 'line', cls: 'x-axis', x1: x, y1: axis, x2: x, y2: axis + 4, passable: true });
    axisRequests.push({ text: mark.text, size: FONT_SIZE - 1, optional: true, point: { x, y: axis },
      candidates: [{ x, y: axis + 16, anchor: 'middle' }] });
  }
  axisRequests.push({ text: beam.length ? `x (${beam.length}) from Pt-A` : 'x from Pt-A',
    size: FONT_SIZE - 1, point: { x: b, y: axis },
    candidates: [{ x: b, y: axis + 31, anchor: 'end' }, { x: a, y: axis + 31, anchor: 'start' }] });

  const name = isMoment ? 'moment' : 'shear';
  return { ...figure({ name, width: beam.width, height: axis + 36, shapes,
    requests: [...axisRequests, ...requests], measure, smallestFont,
    description: curveDescription(beam, key, unit) }),
  plot: { top, bottom, left: a, right: b } };
}

// A dot on the curve with a dashed line from the axis, and its label.
function mark({ shapes, requests, zero, top, bottom }, at, text, { dashed = 'to-axis', first } = {}) {
  const [y1, y2] = dashed === 'across' ? [top - 6, bottom + 6] : [zero, at.y];
  shapes.push({ kind: 'line', cls: 'mark-place', x1: at.x, y1, x2: at.x, y2, passable: true });
  shapes.push({ kind: 'circle', cls: 'mark', cx: at.x, cy: at.y, r: MARK_RADIUS });
  requests.push({ text, size: FONT_SIZE, point: at, candidates: around(at, { first }) });
}

function markZeroShear(plot) {
  const { beam, zero } = plot;
  for (const section of beam.zeroShear) {
    mark(plot, { x: beam.x(section.x.value), y: zero },
      `V = 0 at x = ${beam.withUnit(section.x, beam.length)}`, { dashed: 'across', first: 'below' });
  }
}

// Each point of zero shear is an extreme of M: the largest sagging and
// hogging moments say so; any other is a local extreme. The largest ones
// may also lie at a support or at Pt-E. Points of contraflexure on the axis.
function markMomentExtremes(plot) {
  const { beam, y, zero } = plot;
  const named = new Map();
  if (beam.sagging) named.set(beam.sagging.x.value, ['largest sagging', beam.sagging]);
  if (beam.hogging) named.set(beam.hogging.x.value, ['largest hogging', beam.hogging]);
  for (const section of beam.zeroShear) {
    if (!named.has(section.x.value)) named.set(section.x.value, ['local extreme', section]);
  }
  for (const [, [name, section]] of named) {
    const at = { x: beam.x(section.x.value), y: y(section.moment.value) };
    mark(plot, at, [`${name} M = ${beam.withUnit(section.moment, plot.unit)}`,
      `at x = ${beam.withUnit(section.x, beam.length)}`],
    { first: section.moment.value >= 0 ? 'above' : 'below' });
  }
  for (const section of beam.contraflexure) {
    mark(plot, { x: beam.x(section.x.value), y: zero },
      `M = 0 at x = ${beam.withUnit(section.x, beam.length)}`, { first: 'below' });
  }
}

// The values at Pt-A, Pt-E and Pt-B, on the side of the axis they lie.
function labelPoints({ beam, key, unit, y, requests }) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.pointE.x.value)];
  const points = [[beam.pointA, ['start', 'middle']], [beam.pointB, ['end', 'middle']]];
  if (e > a && e < b) points.push([beam.pointE, ['start', 'end', 'middle']]);
  for (const [section, anchors] of points) {
    const at = { x: beam.x(section.x.value), y: y(section[key].value) };
    requests.push({ text: beam.withUnit(section[key], unit), size: FONT_SIZE, point: at,
      candidates: around(at, { first: section[key].value < 0 ? 'below' : 'above', anchors }) });
  }
}

function curveDescription(beam, key, unit) {
  const value = (section) => beam.withUnit(section[key], unit);
  const at = (position) => beam.withUnit(position, beam.length);
  const parts = [`${value(beam.pointA)} at Pt-A (x = 0), ${value(beam.pointE)} at Pt-E ` +
    `(x = ${at(beam.pointE.x)}), ${value(beam.pointB)} at Pt-B (x = ${at(beam.pointB.x)}).`];
  if (key === 'moment') {
    for (const section of beam.zeroShear) {
      parts.push(`Where the shear is zero, at x = ${at(section.x)}, M = ${value(section)}.`);
    }
    parts.push(beam.sagging ? `The largest sagging moment is ${value(beam.sagging)} at ` +
      `x = ${at(beam.sagging.x)}.` : 'M is nowhere positive.');
    parts.push(beam.hogging ? `The largest hogging moment is ${value(beam.hogging)} at ` +
      `x = ${at(beam.hogging.x)}.` : 'M is nowhere negative.');
    if (beam.contraflexure.length > 0) {
      parts.push('M is zero, changing sign, at x = ' +
        `${beam.contraflexure.map((section) => at(section.x)).join(' and at x = ')}.`);
    }
  } else if (beam.zeroShear.length > 0) {
    parts.push(`The shear is zero at x = ${beam.zeroShear.map((section) => at(section.x)).join(' and at x = ')}.`);
  }
  return `${key === 'moment' ? 'Bending moment' : 'Shear force'}: ${parts.join(' ')}`;
}

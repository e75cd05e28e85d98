// The shear force and bending moment plots, as plain data for
// svg.js: each scaled to its own range, over an x axis with the
// program's tick marks in the length unit, with its values at Pt-A, Pt-E and
// Pt-B; the shear's zeros; the moment's every extreme (where the shear is
// zero), its largest sagging and hogging values and its points of
// contraflexure.
import { FONT_SIZE, valueScale } from './scale.js';
import { around, figure } from './shapes.js';
import { estimateMeasure } from './label_layout.js';

const MARK_RADIUS = 3.5;
// The plot, px from the drawing's top: room above it for the labels of its
// highest values, its height by the drawing's width within bounds.
const PLOT_TOP = 34;
const PLOT_HEIGHT = { least: 110, most: 160, share: 0.18 };
const GUIDE_OVERHANG = 6; // px the dashed guides reach past the plot
// The x axis under the plot: its line, its ticks, their values, its title.
const AXIS_BELOW_PLOT = 14;
const TICK_LENGTH = 4;
const TICK_VALUE_BASELINE = 16; // px under the axis
const AXIS_TITLE_BASELINE = 31;
const UNDER_AXIS_TITLE = 36; // where the drawing ends, px under the axis
const AXIS_FONT_SIZE = FONT_SIZE - 1;

// key: 'shear' or 'moment'.
export function curveFigure(beam, key, { measure, smallestFont } = {}) {
  const isMoment = key === 'moment';
  const unit = isMoment ? beam.moment : beam.force;
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.problem.pointE.x.value)];
  const top = PLOT_TOP;
  const bottom = top + Math.round(Math.min(PLOT_HEIGHT.most,
    Math.max(PLOT_HEIGHT.least, beam.width * PLOT_HEIGHT.share)));
  const y = valueScale(beam.problem.curve.map((section) => section[key].value), top, bottom);
  const zero = y(0);
  const shapes = [];
  const requests = [];
  const plot = { beam, key, unit, y, zero, top, bottom, shapes, requests };

  const outline = beam.problem.curve.map((section) => [beam.x(section.x.value), y(section[key].value)]);
  shapes.push({ kind: 'polygon', cls: 'area', points: [[a, zero], ...outline, [b, zero]], passable: true });
  shapes.push({ kind: 'polyline', cls: 'curve', points: outline });
  shapes.push({ kind: 'line', cls: 'axis', x1: a, y1: zero, x2: b, y2: zero });
  if (e > a && e < b) {
    shapes.push({ kind: 'line', cls: 'guide', x1: e, y1: top - GUIDE_OVERHANG, x2: e,
      y2: bottom + GUIDE_OVERHANG });
  }
  if (isMoment) markMomentExtremes(plot);
  else markZeroShear(plot);
  labelPoints(plot);

  // The x axis under the plot, its ticks and their values. These are placed
  // before any other label, so that no value takes a tick number's place.
  const axis = bottom + AXIS_BELOW_PLOT;
  const axisRequests = [];
  shapes.push({ kind: 'line', cls: 'x-axis', x1: a, y1: axis, x2: b, y2: axis });
  for (const tick of beam.tickMarks(b - a, measure ?? estimateMeasure, AXIS_FONT_SIZE)) {
    const x = beam.x(tick.value);
    shapes.push({ kind: 'line', cls: 'x-axis', x1: x, y1: axis, x2: x, y2: axis + TICK_LENGTH });
    axisRequests.push({ text: tick.text, size: AXIS_FONT_SIZE, optional: true, point: { x, y: axis },
      candidates: [{ x, y: axis + TICK_VALUE_BASELINE, anchor: 'middle' }] });
  }
  axisRequests.push({ text: beam.length ? `x (${beam.length}) from Pt-A` : 'x from Pt-A',
    size: AXIS_FONT_SIZE, point: { x: b, y: axis },
    candidates: [{ x: b, y: axis + AXIS_TITLE_BASELINE, anchor: 'end' },
      { x: a, y: axis + AXIS_TITLE_BASELINE, anchor: 'start' }] });

  const name = isMoment ? 'moment' : 'shear';
  return { ...figure({ name, width: beam.width, height: axis + UNDER_AXIS_TITLE, shapes,
    requests: [...axisRequests, ...requests], measure, smallestFont,
    description: curveDescription(beam, key, unit) }),
  plot: { top, bottom, left: a, right: b } };
}

// A dot on the curve with a dashed line from the axis, and its label.
function mark({ shapes, requests, zero, top, bottom }, at, text, { dashed = 'to-axis', first } = {}) {
  const [y1, y2] = dashed === 'across' ? [top - GUIDE_OVERHANG, bottom + GUIDE_OVERHANG] : [zero, at.y];
  shapes.push({ kind: 'line', cls: 'mark-place', x1: at.x, y1, x2: at.x, y2 });
  shapes.push({ kind: 'circle', cls: 'mark', cx: at.x, cy: at.y, r: MARK_RADIUS });
  requests.push({ text, size: FONT_SIZE, point: at, candidates: around(at, { first }) });
}

function markZeroShear(plot) {
  const { beam, zero } = plot;
  for (const section of beam.problem.zeroShear) {
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
  if (beam.problem.sagging) named.set(beam.problem.sagging.x.value, ['largest sagging', beam.problem.sagging]);
  if (beam.problem.hogging) named.set(beam.problem.hogging.x.value, ['largest hogging', beam.problem.hogging]);
  for (const section of beam.problem.zeroShear) {
    if (!named.has(section.x.value)) named.set(section.x.value, ['local extreme', section]);
  }
  for (const [, [name, section]] of named) {
    const at = { x: beam.x(section.x.value), y: y(section.moment.value) };
    mark(plot, at, [`${name} M = ${beam.withUnit(section.moment, plot.unit)}`,
      `at x = ${beam.withUnit(section.x, beam.length)}`],
    { first: section.moment.value >= 0 ? 'above' : 'below' });
  }
  for (const section of beam.problem.contraflexure) {
    mark(plot, { x: beam.x(section.x.value), y: zero },
      `M = 0 at x = ${beam.withUnit(section.x, beam.length)}`, { first: 'below' });
  }
}

// The values at Pt-A, Pt-E and Pt-B, on the side of the axis they lie.
function labelPoints({ beam, key, unit, y, requests }) {
  const [a, b, e] = [beam.left, beam.right, beam.x(beam.problem.pointE.x.value)];
  const points = [[beam.problem.pointA, ['start', 'middle']], [beam.problem.pointB, ['end', 'middle']]];
  if (e > a && e < b) points.push([beam.problem.pointE, ['start', 'end', 'middle']]);
  for (const [section, anchors] of points) {
    const at = { x: beam.x(section.x.value), y: y(section[key].value) };
    requests.push({ text: beam.withUnit(section[key], unit), size: FONT_SIZE, point: at,
      candidates: around(at, { first: section[key].value < 0 ? 'below' : 'above', anchors }) });
  }
}

function curveDescription(beam, key, unit) {
  const value = (section) => beam.withUnit(section[key], unit);
  const at = (position) => beam.withUnit(position, beam.length);
  const parts = [`${value(beam.problem.pointA)} at Pt-A (x = 0), ${value(beam.problem.pointE)} at Pt-E ` +
    `(x = ${at(beam.problem.pointE.x)}), ${value(beam.problem.pointB)} at Pt-B (x = ${at(beam.problem.pointB.x)}).`];
  if (key === 'moment') {
    for (const section of beam.problem.zeroShear) {
      parts.push(`Where the shear is zero, at x = ${at(section.x)}, M = ${value(section)}.`);
    }
    parts.push(beam.problem.sagging ? `The largest sagging moment is ${value(beam.problem.sagging)} at ` +
      `x = ${at(beam.problem.sagging.x)}.` : 'M is nowhere positive.');
    parts.push(beam.problem.hogging ? `The largest hogging moment is ${value(beam.problem.hogging)} at ` +
      `x = ${at(beam.problem.hogging.x)}.` : 'M is nowhere negative.');
    if (beam.problem.contraflexure.length > 0) {
      parts.push('M is zero, changing sign, at x = ' +
        `${beam.problem.contraflexure.map((section) => at(section.x)).join(' and at x = ')}.`);
    }
  } else if (beam.problem.zeroShear.length > 0) {
    parts.push(`The shear is zero at x = ${beam.problem.zeroShear.map((section) => at(section.x)).join(' and at x = ')}.`);
  }
  return `${key === 'moment' ? 'Bending moment' : 'Shear force'}: ${parts.join(' ')}`;
}

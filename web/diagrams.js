// The beam, its shear force and its bending moment, drawn as SVG from the
// run's outcome (module_contract.js): every number comes as the program's own
// text, drawn at its value (diagram_scale.js) and labelled with its text
// (diagram_labels.js).
import { beamLabels, curveLabels } from './diagram_labels.js';
import { DrawnBeam, LEFT, RIGHT, WIDTH, valueScale } from './diagram_scale.js';
import { htmlElement, svgElement } from './page_elements.js';

export function drawDiagrams(panel, description) {
  if (description.reason) {
    const reason = htmlElement('p', { class: 'reason' }, description.reason);
    panel.replaceChildren(reason);
    return;
  }
  const beam = new DrawnBeam(description);
  panel.replaceChildren(
    summary(beam),
    figure('The beam, its loads and the forces on it', beamFigure(beam)),
    figure(`Shear force V (${beam.force || 'force'})`, curveFigure(beam, 1)),
    figure(`Bending moment M (${beam.moment || 'force × length'})`, curveFigure(beam, 2)),
    htmlElement('p', { class: 'convention' },
      'Sign convention: sagging bending moments are positive; the shear at a section is ' +
      'positive when the forces to its left act upward. Positive values are drawn above the axis.'),
  );
}

function summary(beam) {
  const lines = [
    `Ay = ${beam.withUnit(beam.ay, beam.force)} and By = ${beam.withUnit(beam.by, beam.force)}, ` +
      'acting upward.',
    `Largest bending moment: ${beam.withUnit(beam.largest.moment, beam.moment)} at ` +
      `x = ${beam.withUnit(beam.largest.x, beam.length)} from Pt-A.`,
  ];
  const horizontal = [['Ax', beam.ax], ['Bx', beam.bx]].filter(([, value]) => Number(value) !== 0);
  if (horizontal.length > 0) {
    lines.splice(1, 0, horizontal.map(([name, value]) =>
      `${name} = ${beam.withUnit(value, beam.force)}`).join(' and ') + ', horizontal.');
  }
  const list = htmlElement('ul', { class: 'summary' });
  for (const line of lines) list.append(htmlElement('li', {}, line));
  return list;
}

function figure(caption, svg) {
  const element = htmlElement('figure');
  element.append(htmlElement('figcaption', {}, caption), svg);
  return element;
}

function beamFigure(beam) {
  const height = 200;
  const svg = svgElement('svg', { viewBox: `0 0 ${WIDTH} ${height}`, role: 'img',
    'aria-label': 'The beam from Pt-A to Pt-B with its two blocks, supports and reactions' });
  const [a, b, e] = [LEFT, RIGHT, beam.x(beam.pointE.x)];
  const top = 96; // the beam's upper edge
  // The heavier block is 56 high, the other in proportion.
  const blockTop = valueScale([beam.rectangleWeight, beam.triangleWeight].map(Math.abs), top, 56);
  const rectangleTop = blockTop(Math.abs(beam.rectangleWeight));
  const triangleTop = blockTop(Math.abs(beam.triangleWeight));

  // A negative intensity pushes up: the block is drawn the same size, dashed.
  const blockClass = (weight) => (Number(weight) < 0 ? 'block upward' : 'block');
  if (e > a) {
    svg.append(svgElement('rect', { class: blockClass(beam.rectangleWeight), x: a,
      y: rectangleTop, width: e - a, height: top - rectangleTop }));
  }
  if (b > e) {
    svg.append(svgElement('polygon', { class: blockClass(beam.triangleWeight),
      points: `${e},${triangleTop} ${e},${top} ${b},${top}` }));
  }
  svg.append(svgElement('rect', { class: 'beam', x: a, y: top, width: b - a, height: 6 }));

  // The pin at Pt-A, the rocker at Pt-B, and the reactions pushing up.
  svg.append(svgElement('polygon', { class: 'support', points: `${a},102 ${a - 9},116 ${a + 9},116` }));
  svg.append(svgElement('polygon', { class: 'support', points: `${b},102 ${b - 9},113 ${b + 9},113` }));
  svg.append(svgElement('circle', { class: 'support', cx: b, cy: 117, r: 4 }));
  svg.append(arrow(a, 156, a, 122), arrow(b, 156, b, 124));
  // Ax acts towards the right, Bx towards the left, as the transcript says.
  if (Number(beam.ax) !== 0) svg.append(arrow(a - 46, 99, a - 4, 99));
  if (Number(beam.bx) !== 0) svg.append(arrow(b + 46, 99, b + 4, 99));

  svg.append(...beamLabels(beam, { rectangleTop, triangleTop }, height).map(label));
  return svg;
}

// One diagram: column 1 of the curve is the shear, column 2 the moment.
function curveFigure(beam, column) {
  const isMoment = column === 2;
  const unit = isMoment ? beam.moment : beam.force;
  const key = isMoment ? 'moment' : 'shear';
  const height = isMoment ? 176 : 160;
  const axis = 80;
  const y = valueScale(beam.curve.map((point) => point[column]), axis, 55);
  const name = isMoment ? 'Bending moment' : 'Shear force';
  const svg = svgElement('svg', { viewBox: `0 0 ${WIDTH} ${height}`, role: 'img',
    'aria-label': `${name} along the beam from Pt-A to Pt-B` });

  const outline = beam.curve.map((point) => `${beam.x(point[0])},${y(point[column])}`);
  svg.append(svgElement('polygon', { class: 'area',
    points: [`${LEFT},${axis}`, ...outline, `${RIGHT},${axis}`].join(' ') }));
  svg.append(svgElement('line', { class: 'axis', x1: LEFT, y1: axis, x2: RIGHT, y2: axis }));
  const e = beam.x(beam.pointE.x);
  if (e > LEFT && e < RIGHT) {
    svg.append(svgElement('line', { class: 'guide', x1: e, y1: 8, x2: e, y2: 152 }));
  }
  svg.append(...curveLabels(beam, key, unit, y, height).map(label));
  if (isMoment) {
    // The largest moment: a dot on the curve, its place on the axis, its value below.
    const at = beam.x(beam.largest.x);
    svg.append(svgElement('line', { class: 'largest-place', x1: at, y1: axis, x2: at,
      y2: y(beam.largest.moment) }));
    svg.append(svgElement('circle', { class: 'largest', cx: at, cy: y(beam.largest.moment),
      r: 3.5 }));
    svg.append(svgElement('circle', { class: 'largest', cx: LEFT + 4, cy: 167, r: 3.5 }));
    svg.append(label({ x: LEFT + 12, y: 171, anchor: 'start',
      text: `largest: ${beam.withUnit(beam.largest.moment, unit)} at x = ` +
        beam.withUnit(beam.largest.x, beam.length) }));
  }
  return svg;
}

function arrow(fromX, fromY, toX, toY) {
  const group = svgElement('g', { class: 'arrow' });
  const angle = Math.atan2(toY - fromY, toX - fromX);
  const barb = (turn) =>
    `${toX - 8 * Math.cos(angle + turn)},${toY - 8 * Math.sin(angle + turn)}`;
  group.append(svgElement('line', { x1: fromX, y1: fromY, x2: toX, y2: toY }));
  group.append(svgElement('polygon', { points: `${toX},${toY} ${barb(0.4)} ${barb(-0.4)}` }));
  return group;
}

function label({ x, y, anchor, text }) {
  return svgElement('text', { x, y, 'text-anchor': anchor }, text);
}

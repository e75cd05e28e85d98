'use strict';
// The beam, its shear force and its bending moment, drawn as SVG from the
// module's description (web/diagram_description.hpp). Every number comes
// as the program's own text: drawn at its value, labelled with its text.
const SVG_NAMESPACE = 'http://www.w3.org/2000/svg';
const WIDTH = 480;
const LEFT = 50; // Pt-A
const RIGHT = 430; // Pt-B

function drawDiagrams(panel, description) {
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

// The description, its units for labels, and the scale along the beam.
class DrawnBeam {
  constructor(description) {
    Object.assign(this, description);
    this.force = description.units.force;
    this.length = description.units.length;
    this.moment = [this.force, this.length].filter((unit) => unit !== '').join('·');
    this.scale = (RIGHT - LEFT) / Number(description.span);
  }

  x(position) {
    return LEFT + Number(position) * this.scale;
  }

  // A value with its unit, as the transcript would show it.
  withUnit(text, unit) {
    return unit ? `${text} ${unit}` : text;
  }
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
  const svg = svgElement('svg', { viewBox: `0 0 ${WIDTH} 200`, role: 'img',
    'aria-label': 'The beam from Pt-A to Pt-B with its two blocks, supports and reactions' });
  const a = LEFT;
  const e = beam.x(beam.pointE.x);
  const b = RIGHT;
  const top = 96; // the beam's upper edge
  const tallest = Math.max(Math.abs(Number(beam.rectangleWeight)),
    Math.abs(Number(beam.triangleWeight)));
  const height = (weight) => (tallest > 0 ? 56 * Math.abs(Number(weight)) / tallest : 0);
  const rectangleTop = top - height(beam.rectangleWeight);
  const triangleTop = top - height(beam.triangleWeight);

  // A negative intensity pushes up: the block is drawn the same size, dashed.
  const blockClass = (weight) => (Number(weight) < 0 ? 'block upward' : 'block');
  if (e > a) {
    svg.append(svgElement('rect', { class: blockClass(beam.rectangleWeight), x: a,
      y: rectangleTop, width: e - a, height: top - rectangleTop }));
    svg.append(label((a + e) / 2, rectangleTop - 6, 'middle',
      beam.withUnit(beam.rectangleWeight, beam.units.weight)));
  }
  if (b > e) {
    svg.append(svgElement('polygon', { class: blockClass(beam.triangleWeight),
      points: `${e},${triangleTop} ${e},${top} ${b},${top}` }));
    svg.append(label(e + 4, triangleTop - 6, 'start',
      beam.withUnit(beam.triangleWeight, beam.units.weight)));
  }
  svg.append(svgElement('rect', { class: 'beam', x: a, y: top, width: b - a, height: 6 }));

  // The pin at Pt-A, the rocker at Pt-B, and the reactions pushing up.
  svg.append(svgElement('polygon', { class: 'support', points: `${a},102 ${a - 9},116 ${a + 9},116` }));
  svg.append(svgElement('polygon', { class: 'support', points: `${b},102 ${b - 9},113 ${b + 9},113` }));
  svg.append(svgElement('circle', { class: 'support', cx: b, cy: 117, r: 4 }));
  svg.append(arrow(a, 156, a, 122), arrow(b, 156, b, 124));
  svg.append(label(a - 4, 172, 'start', `Ay = ${beam.withUnit(beam.ay, beam.force)}`));
  svg.append(label(b + 4, 172, 'end', `By = ${beam.withUnit(beam.by, beam.force)}`));

  // Ax acts towards the right, Bx towards the left, as the transcript says.
  if (Number(beam.ax) !== 0) {
    svg.append(arrow(a - 46, 99, a - 4, 99));
    svg.append(label(2, 86, 'start', `Ax = ${beam.withUnit(beam.ax, beam.force)}`));
  }
  if (Number(beam.bx) !== 0) {
    svg.append(arrow(b + 46, 99, b + 4, 99));
    svg.append(label(WIDTH - 2, 86, 'end', `Bx = ${beam.withUnit(beam.bx, beam.force)}`));
  }

  svg.append(label(a, 192, 'middle', 'Pt-A'), label(b, 192, 'middle', 'Pt-B'));
  if (e > a && e < b) svg.append(label(e, 192, 'middle', 'Pt-E'));
  return svg;
}

// One diagram: column 1 of the curve is the shear, column 2 the moment.
function curveFigure(beam, column) {
  const isMoment = column === 2;
  const unit = isMoment ? beam.moment : beam.force;
  const key = isMoment ? 'moment' : 'shear';
  const height = isMoment ? 176 : 160;
  const axis = 80;
  const values = beam.curve.map((point) => Number(point[column]));
  const largest = Math.max(...values.map(Math.abs));
  const y = (value) => axis - (largest > 0 ? 55 * Number(value) / largest : 0);
  const name = isMoment ? 'Bending moment' : 'Shear force';
  const svg = svgElement('svg', { viewBox: `0 0 ${WIDTH} ${height}`, role: 'img',
    'aria-label': `${name} along the beam from Pt-A to Pt-B` });

  const outline = beam.curve.map((point) => `${beam.x(point[0])},${y(point[column])}`);
  svg.append(svgElement('polygon', { class: 'area',
    points: [`${LEFT},${axis}`, ...outline, `${RIGHT},${axis}`].join(' ') }));
  svg.append(svgElement('line', { class: 'axis', x1: LEFT, y1: axis, x2: RIGHT, y2: axis }));
  const e = beam.x(beam.pointE.x);
  const eInside = e > LEFT && e < RIGHT;
  if (eInside) svg.append(svgElement('line', { class: 'guide', x1: e, y1: 8, x2: e, y2: 152 }));

  // Pt-E's value on the side away from the largest moment's mark.
  const largestIsLeft = Number(beam.largest.x) < Number(beam.pointE.x);
  const marks = [[beam.pointA, 0, 'start'], [beam.pointB, 0, 'end']];
  if (eInside) marks.push([beam.pointE, largestIsLeft ? 4 : -4, largestIsLeft ? 'start' : 'end']);
  for (const [section, shift, anchor] of marks) {
    const above = Number(section[key]) >= 0;
    svg.append(label(beam.x(section.x) + shift, y(section[key]) + (above ? -6 : 15), anchor,
      beam.withUnit(section[key], unit)));
  }
  if (isMoment) {
    // The largest moment: a dot on the curve, its place on the axis, its value below.
    const at = beam.x(beam.largest.x);
    svg.append(svgElement('line', { class: 'largest-place', x1: at, y1: axis, x2: at,
      y2: y(beam.largest.moment) }));
    svg.append(svgElement('circle', { class: 'largest', cx: at, cy: y(beam.largest.moment),
      r: 3.5 }));
    svg.append(svgElement('circle', { class: 'largest', cx: LEFT + 4, cy: 167, r: 3.5 }));
    svg.append(label(LEFT + 12, 171, 'start',
      `largest: ${beam.withUnit(beam.largest.moment, unit)} at x = ` +
      beam.withUnit(beam.largest.x, beam.length)));
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

function label(x, y, anchor, text) {
  return svgElement('text', { x, y, 'text-anchor': anchor }, text);
}

function svgElement(name, attributes = {}, text = '') {
  return filled(document.createElementNS(SVG_NAMESPACE, name), attributes, text);
}

function htmlElement(name, attributes = {}, text = '') {
  return filled(document.createElement(name), attributes, text);
}

function filled(element, attributes, text) {
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (text) element.textContent = text;
  return element;
}

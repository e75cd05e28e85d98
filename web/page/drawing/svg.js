// A figure (shapes.js) as an SVG element drawn at its real size in
// px. Its looks are presentation attributes, not the page's stylesheet, so
// that the same element saved alone is the same picture; dark on white, so
// that it prints.
import { LINE_HEIGHT } from './label_layout.js';
import { svgElement } from '../dom/page_elements.js';

export const FONT_FAMILY = 'system-ui, sans-serif';

export const LOOKS = {
  block: { fill: '#dce8f5', stroke: '#2f5d8c', 'stroke-width': 1 },
  'block upward': { fill: '#f6e3c8', stroke: '#8a4b00', 'stroke-width': 1, 'stroke-dasharray': '5 3' },
  load: { stroke: '#2f5d8c', fill: '#2f5d8c', 'stroke-width': 1 },
  beam: { fill: '#444' },
  support: { fill: '#fff', stroke: '#222', 'stroke-width': 1.5 },
  arrow: { stroke: '#a3201a', fill: '#a3201a', 'stroke-width': 2 },
  resultant: { stroke: '#1f4f86', fill: '#1f4f86', 'stroke-width': 2.5 },
  dimension: { stroke: '#333', 'stroke-width': 1 },
  extension: { stroke: '#999', 'stroke-width': 0.75, 'stroke-dasharray': '2 2' },
  area: { fill: '#d8eadc', stroke: 'none' },
  curve: { fill: 'none', stroke: '#1e6b3f', 'stroke-width': 2 },
  axis: { stroke: '#222', 'stroke-width': 1 },
  'x-axis': { stroke: '#222', 'stroke-width': 1 },
  guide: { stroke: '#888', 'stroke-dasharray': '4 3' },
  'mark-place': { stroke: '#a3201a', 'stroke-dasharray': '2 2' },
  mark: { fill: '#a3201a' },
  cursor: { stroke: '#6a1b9a', 'stroke-width': 1.5 },
  // The values at the cursor: a halo of the paper's colour keeps them legible over lines.
  cursorValues: { fill: '#4a0d70', stroke: '#fff', 'stroke-width': 3, 'paint-order': 'stroke',
    'font-weight': 600 },
  leader: { stroke: '#666', 'stroke-width': 0.75 },
  cut: { stroke: '#222', 'stroke-width': 1, 'stroke-dasharray': '3 2' },
  internal: { stroke: '#6a1b9a', fill: '#6a1b9a', 'stroke-width': 1.75 },
  text: { fill: '#111' },
  paper: { fill: '#fff' },
};

let figureCount = 0;

export function figureSvg(figure) {
  figureCount += 1;
  const id = `diagram-${figure.name}-${figureCount}`;
  const svg = svgElement('svg', { xmlns: 'http://www.w3.org/2000/svg', class: 'diagram',
    width: figure.width, height: figure.height, viewBox: `0 0 ${figure.width} ${figure.height}`,
    role: 'img', 'aria-labelledby': `${id}-title ${id}-desc`, 'font-family': FONT_FAMILY });
  svg.append(svgElement('title', { id: `${id}-title` }, figure.title ?? ''),
    svgElement('desc', { id: `${id}-desc` }, figure.description));
  svg.append(svgElement('rect', { class: 'paper', x: 0, y: 0, width: figure.width,
    height: figure.height, ...LOOKS.paper }));
  for (const shape of figure.shapes) svg.append(shapeElement(shape));
  for (const label of figure.labels) {
    if (label.leader) {
      svg.append(svgElement('line', { class: 'leader', ...rounded(label.leader), ...LOOKS.leader }));
    }
    svg.append(textElement(label));
  }
  return svg;
}

function shapeElement({ kind, cls, passable, head, points, ...attributes }) {
  const looks = { class: cls, ...LOOKS[cls] };
  if (kind === 'arrow') return arrowElement(attributes, head, looks);
  if (kind === 'arc') return arcElement(attributes, looks);
  if (points) attributes.points = points.map(([x, y]) => `${round(x)},${round(y)}`).join(' ');
  return svgElement(kind, { ...rounded(attributes), ...looks });
}

function arrowElement({ x1, y1, x2, y2 }, head, looks) {
  const group = svgElement('g', looks);
  const angle = Math.atan2(y2 - y1, x2 - x1);
  const barb = (turn) => `${round(x2 - head * Math.cos(angle + turn))},` +
    `${round(y2 - head * Math.sin(angle + turn))}`;
  // The shaft stops where the head begins, so that a thick one stays inside it.
  const [shaftX, shaftY] = [x2 - head * 0.8 * Math.cos(angle), y2 - head * 0.8 * Math.sin(angle)];
  group.append(svgElement('line', rounded({ x1, y1, x2: shaftX, y2: shaftY })));
  group.append(svgElement('polygon', { points: `${round(x2)},${round(y2)} ${barb(0.4)} ${barb(-0.4)}`,
    stroke: 'none' }));
  return group;
}

// A curved arrow around (cx, cy), from angle `from` to `to` (radians, y
// down), turning counterclockwise on the page when `to` is less than `from`.
function arcElement({ cx, cy, r, from, to }, looks) {
  const group = svgElement('g', looks);
  const at = (angle) => [cx + r * Math.cos(angle), cy + r * Math.sin(angle)];
  const [[x1, y1], [x2, y2]] = [at(from), at(to)];
  const sweep = to > from ? 1 : 0;
  const large = Math.abs(to - from) > Math.PI ? 1 : 0;
  group.append(svgElement('path', { d: `M ${round(x1)} ${round(y1)} A ${round(r)} ${round(r)} 0 ` +
    `${large} ${sweep} ${round(x2)} ${round(y2)}`, fill: 'none' }));
  // The head along the arc's direction at its end.
  const turn = sweep ? 1 : -1;
  const [dx, dy] = [-Math.sin(to) * turn, Math.cos(to) * turn];
  const head = 7;
  const barb = (side) => `${round(x2 - head * dx + side * head * 0.4 * dy)},` +
    `${round(y2 - head * dy - side * head * 0.4 * dx)}`;
  group.append(svgElement('polygon', { points: `${round(x2)},${round(y2)} ${barb(1)} ${barb(-1)}`,
    stroke: 'none' }));
  return group;
}

function textElement({ lines, size, x, y, anchor }) {
  const text = svgElement('text', { class: 'label', x: round(x), y: round(y), 'text-anchor': anchor,
    'font-size': size, ...LOOKS.text }, lines.length === 1 ? lines[0] : '');
  if (lines.length === 1) return text;
  lines.forEach((line, index) => {
    text.append(svgElement('tspan', { x: round(x), dy: index === 0 ? 0 : round(size * LINE_HEIGHT) },
      line));
  });
  return text;
}

function rounded(attributes) {
  return Object.fromEntries(Object.entries(attributes).map(([key, value]) =>
    [key, typeof value === 'number' ? round(value) : value]));
}

// A coordinate in hundredths of a px. One that is not finite is a fault of the
// drawing: it is refused here, so that the panel says the figures could not be
// drawn rather than show them broken.
function round(value) {
  if (!Number.isFinite(value)) throw new Error(`a coordinate that is not a number (${value})`);
  return Math.round(value * 100) / 100;
}

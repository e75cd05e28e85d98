// The beam, its resultants, its shear force and its bending moment, drawn as
// SVG from the run's outcome (module_contract.js) at the panel's own width,
// and drawn again when that changes; with their values in words and in a
// table, and buttons that save the drawings as one file.
import { loadsFigure, resultantsFigure } from './diagram_beam.js';
import { curveFigure } from './diagram_curves.js';
import { downloadPng, downloadSvg } from './diagram_download.js';
import { DrawnBeam } from './diagram_scale.js';
import { FONT_FAMILY, figureSvg } from './diagram_svg.js';
import { valuesTable } from './diagram_table.js';
import { estimateMeasure } from './label_layout.js';
import { htmlElement } from './page_elements.js';

const NARROWEST = 280; // px: below this the drawings are drawn this wide and scroll

export function drawDiagrams(panel, description) {
  panel.diagramsShown?.disconnect();
  panel.diagramsShown = null;
  if (description.reason) {
    panel.replaceChildren(htmlElement('p', { class: 'reason' }, description.reason));
    return;
  }
  const drawings = htmlElement('div', { class: 'drawings' });
  const buttons = htmlElement('div', { class: 'buttons diagram-buttons' });
  const svgButton = htmlElement('button', { type: 'button', id: 'download-diagrams-svg' },
    'Download diagrams (SVG)');
  const pngButton = htmlElement('button', { type: 'button', id: 'download-diagrams-png' },
    'Download diagrams (PNG)');
  buttons.append(svgButton, pngButton);
  const beam = new DrawnBeam(description, NARROWEST);
  panel.replaceChildren(summary(beam), drawings, valuesTable(beam), convention(), buttons);

  // One canvas, and one cache of text widths, for every width drawn.
  const measure = textMeasure();
  let drawnWidth = 0;
  let figures = [];
  const draw = () => {
    const width = Math.max(NARROWEST, Math.floor(drawings.clientWidth));
    if (width === drawnWidth) return;
    drawnWidth = width;
    figures = drawnFigures(new DrawnBeam(description, width), measure);
    drawings.replaceChildren(...figures.map(({ caption, figure }) => {
      const element = htmlElement('figure');
      element.append(htmlElement('figcaption', {}, caption), figureSvg(figure));
      return element;
    }));
  };
  draw();
  svgButton.addEventListener('click', () => downloadSvg(figures));
  pngButton.addEventListener('click', () => downloadPng(figures));
  const observer = new ResizeObserver(() => {
    // Taken off the page (another run began): nothing to draw again.
    if (drawings.isConnected) draw();
    else observer.disconnect();
  });
  observer.observe(drawings);
  panel.diagramsShown = observer;
}

function drawnFigures(beam, measure) {
  const force = beam.force || 'force';
  const moment = beam.moment || 'force × length';
  const lengthUnit = beam.length ? ` (${beam.length})` : '';
  const figures = [
    ['The beam, its loads and the forces on it; lengths' + lengthUnit, loadsFigure(beam, measure)],
    ['Each block replaced by its resultant force, at its lever arm from Pt-A',
      resultantsFigure(beam, measure)],
    [`Shear force V (${force})`, curveFigure(beam, 'shear', measure)],
    [`Bending moment M (${moment})`, curveFigure(beam, 'moment', measure)],
  ];
  return figures.map(([caption, figure]) => ({ caption, figure: { ...figure, title: caption } }));
}

// Text widths as the page draws them, when it can measure; else an estimate
// that is never too small.
function textMeasure() {
  const context = document.createElement('canvas').getContext('2d');
  if (!context) return estimateMeasure;
  const cache = new Map();
  return (text, size) => {
    const key = `${size}|${text}`;
    if (!cache.has(key)) {
      context.font = `${size}px ${FONT_FAMILY}`;
      const metrics = context.measureText(text);
      const ascent = metrics.fontBoundingBoxAscent ?? size;
      const descent = metrics.fontBoundingBoxDescent ?? size * 0.3;
      cache.set(key, { width: metrics.width + 1, ascent, descent });
    }
    return cache.get(key);
  };
}

function summary(beam) {
  const direction = (value) => (value.value < 0 ? 'acting downward' : 'acting upward');
  const reaction = (name, value) =>
    `${name} = ${beam.withUnit(value, beam.force)}, ${direction(value)}`;
  const lines = [
    `${reaction('Ay', beam.ay)}; ${reaction('By', beam.by)}.`,
    `Largest bending moment: ${beam.withUnit(beam.largest.moment, beam.moment)} at ` +
      `x = ${beam.withUnit(beam.largest.x, beam.length)} from Pt-A.`,
  ];
  const horizontal = [['Ax', beam.ax], ['Bx', beam.bx]].filter(([, value]) => value.value !== 0);
  if (horizontal.length > 0) {
    lines.splice(1, 0, horizontal.map(([name, value]) =>
      `${name} = ${beam.withUnit(value, beam.force)}`).join(' and ') + ', horizontal.');
  }
  const list = htmlElement('ul', { class: 'summary' });
  for (const line of lines) list.append(htmlElement('li', {}, line));
  return list;
}

function convention() {
  return htmlElement('p', { class: 'convention' },
    'Sign convention: sagging bending moments are positive; the shear at a section is ' +
    'positive when the forces to its left act upward. Positive values are drawn above the axis.');
}

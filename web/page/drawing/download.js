// The drawings saved as one file that stands alone in a report: an SVG with
// the problem as its title, the drawings one under another with their
// captions, the sign convention and the table of values, needing nothing else
// (its looks are its own attributes, its font a generic one); or that SVG
// drawn into a PNG at twice the size.
import { FONT_FAMILY, LOOKS, figureSvg } from './svg.js';
import { downloadFile } from '../dom/download_file.js';
import { estimateMeasure, wrapWords } from './label_layout.js';
import { htmlElement, svgElement } from '../dom/page_elements.js';

const CAPTION_HEIGHT = 24;
const GAP = 12;
const TEXT_SIZE = 12;
const LINE = 17; // px from one line of text to the next
const MARGIN = 4;

// Words in lines that fit a drawing `width` px wide at `size`.
function lines(text, width, size = TEXT_SIZE) {
  return wrapWords(text, size, width - 2 * MARGIN, estimateMeasure);
}

function textLine(svg, text, y, { size = TEXT_SIZE, x = MARGIN, anchor = 'start', bold = false } = {}) {
  svg.append(svgElement('text', { x, y, 'font-size': size, ...LOOKS.text, 'text-anchor': anchor,
    ...(bold ? { 'font-weight': 'bold' } : {}) }, text));
}

function drawingsSvg({ title, convention, table, figures }) {
  const width = Math.max(...figures.map(({ figure }) => figure.width));
  const svg = svgElement('svg', { xmlns: 'http://www.w3.org/2000/svg', 'font-family': FONT_FAMILY });
  svg.append(svgElement('title', {}, title));
  const background = svgElement('rect', { x: 0, y: 0, width, ...LOOKS.paper });
  svg.append(background);
  let top = 0;
  for (const line of lines(title, width, 14)) {
    top += LINE + 2;
    textLine(svg, line, top, { size: 14, bold: true });
  }
  top += GAP;
  for (const { caption, figure } of figures) {
    svg.append(svgElement('text', { x: MARGIN, y: top + 16, 'font-size': 14, 'font-weight': 'bold',
      ...LOOKS.text }, caption));
    const drawing = figureSvg(figure);
    for (const name of ['class', 'role', 'aria-labelledby', 'xmlns', 'tabindex']) drawing.removeAttribute(name);
    drawing.setAttribute('x', 0);
    drawing.setAttribute('y', top + CAPTION_HEIGHT);
    svg.append(drawing);
    top += CAPTION_HEIGHT + figure.height + GAP;
  }
  for (const line of lines(convention, width)) {
    top += LINE;
    textLine(svg, line, top);
  }
  top += GAP;
  // The table: the names' column, then the three numbers' right-aligned.
  const columns = [MARGIN, width * 0.55, width * 0.775, width - MARGIN];
  for (const [index, row] of [table.head, ...table.rows].entries()) {
    top += LINE;
    row.forEach((cell, column) => textLine(svg, cell, top, { x: columns[column],
      anchor: column === 0 ? 'start' : 'end', bold: index === 0 }));
  }
  top += GAP;
  background.setAttribute('height', top);
  svg.setAttribute('width', width);
  svg.setAttribute('height', top);
  svg.setAttribute('viewBox', `0 0 ${width} ${top}`);
  return { text: new XMLSerializer().serializeToString(svg), width, height: top };
}

// drawing: { title, convention, table: { head, rows }, figures }.
export function downloadSvg(drawing) {
  const { text } = drawingsSvg(drawing);
  downloadFile('diagrams.svg', new Blob([text], { type: 'image/svg+xml' }));
}

// Settles once the PNG is saved; rejects, saying why, when the browser cannot
// make it (the drawing not read as an image, a canvas too large for it).
export function downloadPng(drawing) {
  const { text, width, height } = drawingsSvg(drawing);
  const url = URL.createObjectURL(new Blob([text], { type: 'image/svg+xml' }));
  return new Promise((resolve, reject) => {
    const image = new Image();
    image.onerror = () => reject(new Error('the browser could not read the drawings as an image'));
    image.onload = () => {
      const canvas = htmlElement('canvas', { width: width * 2, height: height * 2 });
      const context = canvas.getContext('2d');
      if (!context) {
        reject(new Error('the browser has no room for a picture this large'));
        return;
      }
      context.scale(2, 2);
      context.drawImage(image, 0, 0);
      canvas.toBlob((blob) => {
        if (!blob) reject(new Error('the browser could not encode the picture as PNG'));
        else {
          downloadFile('diagrams.png', blob);
          resolve();
        }
      }, 'image/png');
    };
    image.src = url;
  }).finally(() => URL.revokeObjectURL(url));
}

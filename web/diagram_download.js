// The drawings saved as one file: an SVG of them one under another, each
// with its caption, needing nothing else (its looks are its own attributes,
// its font a generic one); or that SVG drawn into a PNG at twice the size.
import { FONT_FAMILY, figureSvg } from './diagram_svg.js';
import { downloadFile } from './download_file.js';
import { htmlElement, svgElement } from './page_elements.js';

const CAPTION_HEIGHT = 24;
const GAP = 12;

function drawingsSvg(figures) {
  const width = Math.max(...figures.map(({ figure }) => figure.width));
  const svg = svgElement('svg', { xmlns: 'http://www.w3.org/2000/svg', 'font-family': FONT_FAMILY });
  svg.append(svgElement('title', {}, 'Shear force and bending moment diagrams'));
  let top = 0;
  const background = svgElement('rect', { x: 0, y: 0, width, fill: '#fff' });
  svg.append(background);
  for (const { caption, figure } of figures) {
    svg.append(svgElement('text', { x: 4, y: top + 16, 'font-size': 14, 'font-weight': 'bold',
      fill: '#111' }, caption));
    const drawing = figureSvg(figure);
    for (const name of ['class', 'role', 'aria-labelledby', 'xmlns']) drawing.removeAttribute(name);
    drawing.setAttribute('x', 0);
    drawing.setAttribute('y', top + CAPTION_HEIGHT);
    svg.append(drawing);
    top += CAPTION_HEIGHT + figure.height + GAP;
  }
  background.setAttribute('height', top);
  svg.setAttribute('width', width);
  svg.setAttribute('height', top);
  svg.setAttribute('viewBox', `0 0 ${width} ${top}`);
  return { text: new XMLSerializer().serializeToString(svg), width, height: top };
}

export function downloadSvg(figures) {
  const { text } = drawingsSvg(figures);
  downloadFile('diagrams.svg', new Blob([text], { type: 'image/svg+xml' }));
}

export function downloadPng(figures) {
  const { text, width, height } = drawingsSvg(figures);
  const image = new Image();
  const url = URL.createObjectURL(new Blob([text], { type: 'image/svg+xml' }));
  image.onload = () => {
    const canvas = htmlElement('canvas', { width: width * 2, height: height * 2 });
    const context = canvas.getContext('2d');
    context.scale(2, 2);
    context.drawImage(image, 0, 0);
    URL.revokeObjectURL(url);
    canvas.toBlob((blob) => downloadFile('diagrams.png', blob), 'image/png');
  };
  image.src = url;
}

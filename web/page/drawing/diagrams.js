// The beam, its resultants, its shear force and its bending moment, drawn as
// SVG from the run's outcome (description.js) at the panel's own width, and
// drawn again when that changes or for paper; with their values in words and
// in a table, V and M at any x, the working behind them with its free
// bodies, buttons that save the drawings as one file, and the practice.
import { loadsFigure, resultantsFigure } from './beam.js';
import { curveFigure } from './curves.js';
import { ReadOut } from './cursor.js';
import { downloadPng, downloadSvg } from './download.js';
import { DrawnBeam } from './scale.js';
import { FONT_FAMILY, figureSvg } from './svg.js';
import { tableRows, valuesTable } from './table.js';
import { workingSection } from './working.js';
import { sectionFigure, wholeBeamFigure } from './free_body.js';
import { Practice } from './practice.js';
import { estimateMeasure } from './label_layout.js';
import { htmlElement } from '../dom/page_elements.js';

const NARROWEST = 280; // px: below this the drawings are drawn this wide and scroll
// On paper the drawings are drawn this wide, A4's and Letter's width less the
// margins, so that printing shrinks no text; and no label below 8 pt.
const PAPER_WIDTH = 680;
const PAPER_SMALLEST_FONT = 11;

const NO_WORKING = 'Nor is there any working by the method of sections: cutting the beam ' +
  'needs the same values.';

const CONVENTION = 'Sign convention: sagging bending moments are positive; the shear at a ' +
  'section is positive when the forces to its left act upward. Positive values are drawn above the axis.';

// What the page asks of the program (module_contract.js): readOut(typed,
// x), V and M at one x; check(id, typed) and checkAtX(x, typed, moment), a
// practice value checked. practiseFirst: whether the answers wait until the
// student has practised (the student's choice, kept by the page), and
// choose(practiseFirst) to keep a new choice.
export function drawDiagrams(panel, description, { readOut = () => null, check = () => null,
  checkAtX = () => null, practiseFirst = false, choose = () => {} } = {}) {
  panel.diagramsShown?.disconnect();
  panel.diagramsShown = null;
  if (!description.curve) {
    panel.replaceChildren(htmlElement('p', { class: 'reason' }, description.reason),
      htmlElement('p', {}, NO_WORKING));
    return;
  }
  const beam = new DrawnBeam(description, NARROWEST);
  const working = workingSection(description.working);
  if (description.reason) {
    // Finite answers whose products overflow: no figure, but what is finite.
    panel.replaceChildren(summary(beam), htmlElement('p', { class: 'reason' }, description.reason),
      valuesTable(beam), htmlElement('p', { class: 'convention' }, CONVENTION), working.element);
    return;
  }
  const problemDrawings = htmlElement('div', { class: 'drawings problem-drawings' });
  const curveDrawings = htmlElement('div', { class: 'drawings curve-drawings' });
  const cursor = new ReadOut(beam, readOut);
  const buttons = htmlElement('div', { class: 'buttons diagram-buttons' });
  const svgButton = htmlElement('button', { type: 'button', id: 'download-diagrams-svg' },
    'Download diagrams (SVG)');
  const pngButton = htmlElement('button', { type: 'button', id: 'download-diagrams-png' },
    'Download diagrams (PNG)');
  buttons.append(svgButton, pngButton);
  const downloadNote = htmlElement('p', { id: 'download-note', class: 'download-note', role: 'status' });
  const answers = htmlElement('div', { class: 'answers', id: 'answers' });
  answers.append(summary(beam), problemDrawings, curveDrawings, cursor.element, valuesTable(beam),
    htmlElement('p', { class: 'convention' }, CONVENTION), working.element, buttons, downloadNote);
  const practice = new Practice(description, { check, checkAtX, readOut });
  arrange(panel, { answers, practice: practice.element, practiseFirst, choose });

  // One canvas, and one cache of text widths, for every width drawn.
  const measure = textMeasure();
  let drawnWidth = 0;
  let figures = [];
  const draw = (width, smallestFont) => {
    if (width === drawnWidth) return;
    drawnWidth = width;
    try {
      const drawn = new DrawnBeam(description, width);
      cursor.detach(drawn);
      figures = drawnFigures(drawn, measure, smallestFont);
      const shown = figures.map(({ caption, figure }) => {
        const element = htmlElement('figure');
        const svg = figureSvg(figure);
        element.append(htmlElement('figcaption', { 'aria-hidden': 'true' }, caption), svg);
        if (figure.plot) cursor.attach(svg, figure.plot);
        return element;
      });
      problemDrawings.replaceChildren(...shown.slice(0, 2));
      curveDrawings.replaceChildren(...shown.slice(2));
      for (const [name, place] of working.figurePlaces) {
        place.replaceChildren(figureSvg(freeBody(drawn, name, { measure, smallestFont })));
      }
    } catch (error) {
      // The rest of the panel stands whatever happens to the figures.
      figures = [];
      curveDrawings.replaceChildren();
      problemDrawings.replaceChildren(htmlElement('p', { class: 'reason' },
        `The figures could not be drawn: ${error.message}`));
    }
  };
  // Hidden answers have no width of their own: the panel's is theirs.
  const drawForScreen = () => draw(Math.max(NARROWEST, Math.floor(panel.clientWidth)));
  drawForScreen();
  const forPaper = () => draw(PAPER_WIDTH, PAPER_SMALLEST_FONT);
  window.addEventListener('beforeprint', forPaper);
  window.addEventListener('afterprint', drawForScreen);
  const standAlone = () => ({ title: problemTitle(description), convention: CONVENTION,
    table: tableOf(beam), figures });
  svgButton.addEventListener('click', () => downloadSvg(standAlone()));
  pngButton.addEventListener('click', () => {
    downloadNote.textContent = '';
    downloadPng(standAlone()).catch((error) => {
      downloadNote.textContent = `The PNG could not be made: ${error.message}.`;
    });
  });
  // Once taken off the page (another run began), nothing is drawn again.
  const stop = () => {
    observer.disconnect();
    window.removeEventListener('beforeprint', forPaper);
    window.removeEventListener('afterprint', drawForScreen);
  };
  const observer = new ResizeObserver(() => {
    if (!answers.isConnected) stop();
    else if (!window.matchMedia('print').matches) drawForScreen();
  });
  observer.observe(panel);
  panel.diagramsShown = { disconnect: stop };
}

// The student's choice first, then the practice and the answers in its order:
// practising first, the answers wait behind a button (on paper they show).
function arrange(panel, { answers, practice, practiseFirst, choose }) {
  const choice = htmlElement('fieldset', { class: 'answers-choice' });
  choice.append(htmlElement('legend', {}, 'Before the answers'));
  const options = [['practise', 'Practise first: the answers wait until you ask for them', true],
    ['show', 'Show the answers now (practice follows them)', false]];
  const revealAll = htmlElement('button', { type: 'button', id: 'show-all-answers' }, 'Show all the answers');
  const place = (first) => {
    answers.classList.toggle('held-back', first);
    revealAll.hidden = !first;
    if (first) panel.replaceChildren(choice, practice, revealAll, answers);
    else panel.replaceChildren(choice, answers, practice);
  };
  for (const [value, text, first] of options) {
    const radio = htmlElement('input', { type: 'radio', name: 'answers-first', id: `answers-${value}`,
      value });
    radio.checked = first === practiseFirst;
    radio.addEventListener('change', () => {
      if (!radio.checked) return;
      choose(first);
      place(first);
    });
    const option = htmlElement('div', { class: 'choice' });
    option.append(radio, htmlElement('label', { for: radio.id }, text));
    choice.append(option);
  }
  revealAll.addEventListener('click', () => {
    answers.classList.remove('held-back');
    revealAll.hidden = true;
    answers.scrollIntoView({ block: 'start' });
  });
  place(practiseFirst);
}

// The free body a step of the working begins from.
function freeBody(beam, name, options) {
  if (name === 'wholeBeam') return { ...wholeBeamFigure(beam, options), title: 'The whole beam as a free body' };
  const number = name === 'section1' ? 1 : 2;
  return { ...sectionFigure(beam, number, options), title: `Section ${number}: the beam left of the cut` };
}

function drawnFigures(beam, measure, smallestFont) {
  const force = beam.force || 'force';
  const moment = beam.moment || 'force × length';
  const lengthUnit = beam.length ? ` (${beam.length})` : '';
  const options = { measure, smallestFont };
  const figures = [
    [`The beam, its loads and the forces on it; lengths${lengthUnit}`, loadsFigure(beam, options)],
    ['Each block replaced by its resultant force, at its lever arm from Pt-A',
      resultantsFigure(beam, options)],
    [`Shear force V (${force})`, curveFigure(beam, 'shear', options)],
    [`Bending moment M (${moment})`, curveFigure(beam, 'moment', options)],
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

// A force's size and its direction in words, as the arrows show it.
function directed(beam, value, unit, [positive, negative]) {
  const words = value.value < 0 ? negative : positive;
  return `${beam.withUnit(DrawnBeam.size(value), unit)}${value.value === 0 ? '' : `, ${words}`}`;
}

function summary(beam) {
  const upOrDown = ['acting upward', 'acting downward'];
  const lines = [`Ay = ${directed(beam, beam.problem.ay, beam.force, upOrDown)}; ` +
    `By = ${directed(beam, beam.problem.by, beam.force, upOrDown)}.`];
  const horizontal = [['Ax', beam.problem.ax, ['towards Pt-B', 'towards Pt-A']],
    ['Bx', beam.problem.bx, ['towards Pt-A', 'towards Pt-B']]].filter(([, value]) => value.value !== 0);
  if (horizontal.length > 0) {
    const forces = horizontal.map(([name, value, ways]) => `${name} = ${directed(beam, value, beam.force, ways)}`);
    lines.push(`${forces.join('; ')}, horizontal.`);
  }
  const extreme = (name, section) => (section
    ? `Largest ${name} moment: ${beam.withUnit(section.moment, beam.moment)} at ` +
      `x = ${beam.withUnit(section.x, beam.length)} from Pt-A.`
    : `No ${name} moment anywhere.`);
  lines.push(extreme('sagging', beam.problem.sagging), extreme('hogging', beam.problem.hogging));
  const list = htmlElement('ul', { class: 'summary' });
  for (const line of lines) list.append(htmlElement('li', {}, line));
  return list;
}

// The problem's ten answers, as a saved drawing's title gives them.
// description: description.js's.
export function problemTitle(description) {
  const { units } = description;
  const withUnit = ({ text }, unit) => (unit ? `${text} ${unit}` : text);
  const length = (value) => withUnit(value, units.length);
  const weight = (value) => withUnit(value, units.weight);
  const force = (value) => withUnit(value, units.force);
  return `Beam: L1 = ${length(description.triangleLength)}, L2 = ${length(description.span)}, ` +
    `H = ${length(description.height)}; triangular block ${weight(description.triangleWeight)}, ` +
    `rectangular block ${weight(description.rectangleWeight)}; Ax = ${force(description.ax)}, ` +
    `Bx = ${force(description.bx)}`;
}

function tableOf(beam) {
  const heading = (text, unit) => (unit ? `${text} (${unit})` : text);
  return {
    head: ['Where', heading('x', beam.length), heading('V', beam.force), heading('M', beam.moment)],
    rows: tableRows(beam).map(({ name, section }) =>
      [name, section.x.text, section.shear.text, section.moment.text]),
  };
}

// V and M at any x of the beam, computed by the program (module_contract.js):
// at the x typed in the field "x from Pt-A", or where a pointer, a touch or the
// keys put the cursor on the shear and moment drawings, where V and M also
// show beside the cursor. The arrow keys move it in fine steps; PageDown and
// PageUp to the next and the previous key point (the supports, Pt-E, where V
// or M is zero, the largest moments).
import { readReadOut } from './description.js';
import { LOOKS } from './svg.js';
import { htmlElement, svgElement } from '../dom/page_elements.js';

const STEPS_ACROSS = 100; // arrow-key steps from Pt-A to Pt-B; Shift: ten times larger
const CURSOR_OVERHANG = 6; // px the cursor reaches past the plot, as the guides do
const VALUE_GAP = 5; // px between the cursor and its values
const VALUE_BASELINE = 11; // the values' first line, px under the drawing's top
const VALUE_FLIP = 150; // px from the right end, where the values go left of the cursor

// readOut(typed, x): the program's JSON answer, or null when it cannot answer.
export class ReadOut {
  #beam;
  #drawn; // the DrawnBeam of the drawings shown, at their width
  #readOut;
  #output;
  #position = 0;
  #cursors = []; // { line, values, plot } of each drawing
  #keyPoints;

  constructor(beam, readOut) {
    this.#beam = beam;
    this.#drawn = beam;
    this.#readOut = readOut;
    this.#keyPoints = keyPointsOf(beam.problem);
    const unit = beam.length ? ` (${beam.length})` : '';
    this.element = htmlElement('div', { class: 'read-out' });
    const label = htmlElement('label', { for: 'read-out-x' }, `x from Pt-A${unit}`);
    const field = htmlElement('input', { id: 'read-out-x', type: 'text', inputmode: 'decimal',
      autocomplete: 'off', spellcheck: 'false', 'aria-describedby': 'read-out-hint read-out-value' });
    const hint = htmlElement('p', { id: 'read-out-hint', class: 'hint' },
      `A distance from Pt-A, 0 to ${beam.withUnit(beam.problem.span, beam.length)}: V and M there show below. ` +
      'On the shear and moment drawings a pointer, a touch or the arrow keys move a cursor.');
    this.#output = htmlElement('p', { id: 'read-out-value', role: 'status' });
    field.addEventListener('input', () => {
      if (field.value.trim() !== '') this.#show(this.#readOut(field.value, 0));
    });
    this.element.append(label, field, hint, this.#output);
  }

  // The drawings are made anew at a new width: their cursors go with them,
  // and the pointer's px are read on the new drawings' scale.
  detach(drawn) {
    this.#cursors = [];
    this.#drawn = drawn;
  }

  // The cursor on a drawn curve figure: svg is its element, plot its box in px.
  attach(svg, plot) {
    const line = svgElement('line', { class: 'cursor', x1: plot.left, x2: plot.left,
      y1: plot.top - CURSOR_OVERHANG, y2: plot.bottom + CURSOR_OVERHANG, ...LOOKS.cursor,
      visibility: 'hidden' });
    const values = svgElement('text', { class: 'cursor-values', y: VALUE_BASELINE, 'font-size': 12,
      ...LOOKS.cursorValues, visibility: 'hidden', 'aria-hidden': 'true' });
    svg.append(line, values);
    this.#cursors.push({ line, values, plot });
    svg.setAttribute('tabindex', '0');
    svg.classList.add('has-cursor');
    const moveTo = (event) => {
      const box = svg.getBoundingClientRect();
      const scale = box.width > 0 ? svg.viewBox.baseVal.width / box.width : 1;
      this.#moveCursor(this.#drawn.position((event.clientX - box.left) * scale));
    };
    svg.addEventListener('pointerdown', moveTo);
    svg.addEventListener('pointermove', moveTo);
    svg.addEventListener('keydown', (event) => this.#key(event));
  }

  #key(event) {
    const span = this.#beam.problem.span.value;
    const step = span / STEPS_ACROSS * (event.shiftKey ? 10 : 1);
    const moves = { ArrowLeft: -step, ArrowDown: -step, ArrowRight: step, ArrowUp: step };
    let position = null;
    if (event.key in moves) position = Math.min(span, Math.max(0, this.#position + moves[event.key]));
    else if (event.key === 'Home') position = 0;
    else if (event.key === 'End') position = span;
    else if (event.key === 'PageDown') {
      position = this.#keyPoints.find((point) => point > this.#position) ?? span;
    } else if (event.key === 'PageUp') {
      position = this.#keyPoints.findLast((point) => point < this.#position) ?? 0;
    }
    if (position === null) return;
    event.preventDefault();
    this.#moveCursor(position);
  }

  #moveCursor(position) {
    this.#position = position;
    const x = this.#drawn.x(position);
    const answer = this.#answerAt(this.#readOut(null, position));
    for (const { line, values, plot } of this.#cursors) {
      line.setAttribute('x1', x);
      line.setAttribute('x2', x);
      line.setAttribute('visibility', 'visible');
      // Both values at the cursor on each drawing, where the eye is.
      const left = x > plot.right - VALUE_FLIP;
      values.setAttribute('x', left ? x - VALUE_GAP : x + VALUE_GAP);
      values.setAttribute('text-anchor', left ? 'end' : 'start');
      values.textContent = answer.section ? this.#valuesText(answer.section) : '';
      values.setAttribute('visibility', answer.section ? 'visible' : 'hidden');
    }
    this.#output.textContent = answer.sentence;
  }

  #valuesText({ shear, moment }) {
    const beam = this.#beam;
    return `V = ${beam.withUnit(shear, beam.force)}, M = ${beam.withUnit(moment, beam.moment)}`;
  }

  // { sentence, section }: the read-out in words, and its section when there is one.
  #answerAt(jsonText) {
    if (jsonText === null) return { sentence: 'The program is not ready to answer yet.', section: null };
    const answer = readReadOut(jsonText);
    if (answer.reason) return { sentence: answer.reason, section: null };
    const beam = this.#beam;
    return { sentence: `At x = ${beam.withUnit(answer.x, beam.length)}: ${this.#valuesText(answer)}.`,
      section: answer };
  }

  #show(jsonText) {
    this.#output.textContent = this.#answerAt(jsonText).sentence;
  }
}

// The x of every point that matters along the beam, in order, each once.
function keyPointsOf(problem) {
  const points = [problem.pointA, problem.pointE, problem.pointB, problem.sagging, problem.hogging,
    ...problem.zeroShear, ...problem.contraflexure].filter(Boolean).map((section) => section.x.value);
  return [...new Set(points)].sort((p, q) => p - q);
}

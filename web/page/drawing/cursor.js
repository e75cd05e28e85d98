// V and M at any x of the beam, computed by the program (module_contract.js):
// at the x typed in the field "x from Pt-A", or where a pointer, a touch or the
// arrow keys put the cursor on the shear and moment drawings.
import { readReadOut } from './description.js';
import { LOOKS } from './svg.js';
import { htmlElement, svgElement } from '../dom/page_elements.js';

const STEPS_ACROSS = 100; // arrow-key steps from Pt-A to Pt-B; Shift: ten times larger
const CURSOR_OVERHANG = 6; // px the cursor reaches past the plot, as the guides do

// readOut(typed, x): the program's JSON answer, or null when it cannot answer.
export class ReadOut {
  #beam;
  #drawn; // the DrawnBeam of the drawings shown, at their width
  #readOut;
  #output;
  #position = 0;
  #cursors = [];

  constructor(beam, readOut) {
    this.#beam = beam;
    this.#drawn = beam;
    this.#readOut = readOut;
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
    const cursor = svgElement('line', { class: 'cursor', x1: plot.left, x2: plot.left,
      y1: plot.top - CURSOR_OVERHANG, y2: plot.bottom + CURSOR_OVERHANG, ...LOOKS.cursor,
      visibility: 'hidden' });
    svg.append(cursor);
    this.#cursors.push(cursor);
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
    if (position === null) return;
    event.preventDefault();
    this.#moveCursor(position);
  }

  #moveCursor(position) {
    this.#position = position;
    const x = this.#drawn.x(position);
    for (const cursor of this.#cursors) {
      cursor.setAttribute('x1', x);
      cursor.setAttribute('x2', x);
      cursor.setAttribute('visibility', 'visible');
    }
    this.#show(this.#readOut(null, position));
  }

  #show(jsonText) {
    if (jsonText === null) {
      this.#output.textContent = 'The program is not ready to answer yet.';
      return;
    }
    const answer = readReadOut(jsonText);
    const beam = this.#beam;
    this.#output.textContent = answer.reason ??
      `At x = ${beam.withUnit(answer.x, beam.length)}: V = ${beam.withUnit(answer.shear, beam.force)}, ` +
      `M = ${beam.withUnit(answer.moment, beam.moment)}.`;
  }
}

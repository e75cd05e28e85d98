// The working behind the reactions and the diagrams, as the program wrote it:
// each step a heading and its lines, some with the free body they begin
// from, drawn into the place kept for it (diagrams.js draws it at the
// panel's width).
import { htmlElement } from '../dom/page_elements.js';

// { element, figurePlaces: Map of figure name to its element, steps: Map of
// step id to its element }.
export function workingSection(working) {
  const element = htmlElement('section', { class: 'working', 'aria-labelledby': 'working-heading' });
  element.append(htmlElement('h3', { id: 'working-heading' },
    'The working: the whole beam, then the beam cut at x (the method of sections)'));
  const figurePlaces = new Map();
  const steps = new Map();
  for (const step of working) {
    const part = stepElement(step);
    if (step.figure) {
      const place = htmlElement('div', { class: 'working-figure' });
      part.insertBefore(place, part.children[1] ?? null);
      figurePlaces.set(step.figure, place);
    }
    steps.set(step.id, part);
    element.append(part);
  }
  return { element, figurePlaces, steps };
}

// A step's heading and lines, on its own (as practice shows one).
export function stepElement({ id, heading, lines }) {
  const part = htmlElement('div', { class: 'working-step', 'data-step': id });
  part.append(htmlElement('h4', {}, heading));
  for (const line of lines) part.append(htmlElement('p', {}, line));
  return part;
}

// The working behind the diagrams, as the program narrated it: each step a
// heading and its lines, shown as they come.
import { htmlElement } from '../dom/page_elements.js';

export function workingSection(working) {
  const section = htmlElement('section', { class: 'working', 'aria-labelledby': 'working-heading' });
  section.append(htmlElement('h3', { id: 'working-heading' },
    'The working: the beam cut at x, the method of sections'));
  for (const { heading, lines } of working) {
    const step = htmlElement('div', { class: 'working-step' });
    step.append(htmlElement('h4', {}, heading));
    for (const line of lines) step.append(htmlElement('p', {}, line));
    section.append(step);
  }
  return section;
}

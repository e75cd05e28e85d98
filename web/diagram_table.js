// The diagrams' values as a table a screen reader can walk: x, V and M at
// Pt-A, Pt-E, Pt-B, where the shear is zero, and of the largest moment.
import { htmlElement } from './page_elements.js';

export function valuesTable(beam) {
  const heading = (text, unit) => (unit ? `${text} (${unit})` : text);
  const table = htmlElement('table', { class: 'diagram-values' });
  table.append(htmlElement('caption', {}, 'Shear force V and bending moment M along the beam'));
  const head = htmlElement('tr');
  for (const text of ['Where', heading('x from Pt-A', beam.length),
    heading('V', beam.force), heading('M', beam.moment)]) {
    head.append(htmlElement('th', { scope: 'col' }, text));
  }
  table.append(htmlElement('thead'));
  table.tHead.append(head);
  const body = htmlElement('tbody');
  const rows = [['Pt-A', beam.pointA], ['Pt-E', beam.pointE], ['Pt-B', beam.pointB],
    ['Largest bending moment', beam.largest]];
  for (const [name, section] of rows) {
    const row = htmlElement('tr');
    row.append(htmlElement('th', { scope: 'row' }, name));
    for (const { text } of [section.x, section.shear, section.moment]) {
      row.append(htmlElement('td', {}, text));
    }
    body.append(row);
  }
  table.append(body);
  return table;
}

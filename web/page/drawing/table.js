// The diagrams' values as a table a screen reader can walk, in order along
// the beam: x, V and M at Pt-A, Pt-E and Pt-B, where the shear is zero, where
// the moment is zero, and at the largest sagging and hogging moments.
import { htmlElement } from '../dom/page_elements.js';

export function valuesTable(beam) {
  const heading = (text, unit) => (unit ? `${text} (${unit})` : text);
  // It scrolls inside its box when wider than the screen (page.css): the
  // keyboard reaches it, to scroll it, as it reaches the console.
  const table = htmlElement('table', { class: 'diagram-values', tabindex: '0' });
  table.append(htmlElement('caption', {}, 'Shear force V and bending moment M along the beam'));
  const head = htmlElement('tr');
  for (const text of ['Where', heading('x from Pt-A', beam.length),
    heading('V', beam.force), heading('M', beam.moment)]) {
    head.append(htmlElement('th', { scope: 'col' }, text));
  }
  table.append(htmlElement('thead'));
  table.tHead.append(head);
  const body = htmlElement('tbody');
  for (const { name, section } of tableRows(beam)) {
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

// Each point once, named by all it is, in order of x.
export function tableRows(beam) {
  const rows = new Map();
  const add = (name, section) => {
    if (!section) return;
    const row = rows.get(section.x.value);
    if (row) row.name += `; ${name}`;
    else rows.set(section.x.value, { name, section });
  };
  const { pointA, pointE, pointB } = beam.problem;
  add('Pt-A', pointA);
  if (pointE.x.value > pointA.x.value && pointE.x.value < pointB.x.value) add('Pt-E', pointE);
  add('Pt-B', beam.problem.pointB);
  add('Largest sagging moment', beam.problem.sagging);
  add('Largest hogging moment', beam.problem.hogging);
  for (const section of beam.problem.zeroShear) add('V = 0', section);
  for (const section of beam.problem.contraflexure) add('M = 0 (contraflexure)', section);
  return [...rows.values()].sort((p, q) => p.section.x.value - q.section.x.value);
}

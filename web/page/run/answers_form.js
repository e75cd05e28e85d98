// The form beside the console: its ten answers become the lines a user would
// type at the console, one answer a line, in the order the program asks.
import { UNTYPABLE } from './console_characters.js';
import { entrySpaceClass } from './entry_space.js';

// Fields in that order; a unit is one word, as the program reads it.
export const ANSWER_FIELDS = [
  { id: 'answer-l1', name: 'L1' },
  { id: 'answer-l2', name: 'L2' },
  { id: 'answer-h', name: 'H' },
  { id: 'answer-triangle', name: "the triangular block's weight" },
  { id: 'answer-rectangle', name: "the rectangular block's weight" },
  { id: 'answer-ax', name: 'Ax' },
  { id: 'answer-bx', name: 'Bx' },
  { id: 'answer-weight-unit', name: 'the weight unit' },
  { id: 'answer-force-unit', name: 'the force unit' },
  { id: 'answer-length-unit', name: 'the length unit' },
];

// values: the fields' texts, in ANSWER_FIELDS' order; entrySpace: the
// program's white space between answers (CompiledProgram's entrySpace()),
// other blanks (a no-break space) belonging to a word. Returns { lines }, the
// text to type, or { at, problem } for the first field that cannot be one
// answer: the program takes answers word by word, so an empty field would
// leave its answer to the next one, and blanks inside one would make two.
export function answerLines(values, entrySpace) {
  const space = entrySpaceClass(entrySpace);
  const [blank, outerBlanks] = [new RegExp(space), new RegExp(`^${space}+|${space}+$`, 'g')];
  const answers = values.map((value) => value.replace(outerBlanks, ''));
  for (const [at, answer] of answers.entries()) {
    const { name } = ANSWER_FIELDS[at];
    if (answer === '') return { at, problem: `Enter ${name}.` };
    if (blank.test(answer)) return { at, problem: `Enter ${name} as one word, without blanks.` };
    // The console's keys cannot type these, so no typed run could have them.
    if (UNTYPABLE.test(answer)) {
      return { at, problem: `The answer for ${name} holds a control character, which cannot be typed.` };
    }
  }
  return { lines: answers.map((answer) => `${answer}\n`).join('') };
}

// The form's ten answers as the lines a user would type, or why they cannot be.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { answerLines } from '../../../web/page/run/answers_form.js';

// The program's white space between answers, as the module gives it.
const PROGRAM_SPACE = ' \t\r\n\v\f';

const WORKED = ['3', '9', '2', '4', '2', '0', '5', 'kN/m', 'kN', 'm'];
const replaced = (at, value) => WORKED.map((answer, index) => (index === at ? value : answer));

test('the answers one a line, or the first that cannot be one answer', () => {
  const ROWS = [
    [WORKED, { lines: '3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n' }],
    // Blanks around an answer are the program's to skip; a no-break space is
    // part of a word to it, and stays.
    [replaced(0, ' \t3 '), { lines: '3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n' }],
    [replaced(9, 'm\u00a0'), { lines: '3\n9\n2\n4\n2\n0\n5\nkN/m\nkN\nm\u00a0\n' }],
    // Text the program reads its own way (a failed read) is sent as typed.
    [replaced(1, '1,5'), { lines: '3\n1,5\n2\n4\n2\n0\n5\nkN/m\nkN\nm\n' }],
    [replaced(2, ''), { at: 2, problem: 'Enter H.' }],
    [replaced(3, '  '), { at: 3, problem: "Enter the triangular block's weight." }],
    [replaced(7, 'kN per m'), { at: 7, problem: 'Enter the weight unit as one word, without blanks.' }],
    [replaced(8, 'k\x1bN'), { at: 8,
      problem: 'The answer for the force unit holds a control character, which cannot be typed.' }],
  ];
  for (const [values, expected] of ROWS) assert.deepEqual(answerLines(values, PROGRAM_SPACE), expected, JSON.stringify(values));
});

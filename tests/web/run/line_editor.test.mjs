// The console's line editing: what a run's reads get, and what is echoed, for
// keys typed or text pasted, as a terminal in its usual mode would do.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { ConsoleOutput, stillShown } from '../../../web/page/run/console_characters.js';
import { LineEditor } from '../../../web/page/run/line_editor.js';

// Each row: what xterm reports, one string per key or paste (END_INPUT: the
// End input button); the lines the reads get (null: the end of input); the echo.
const END_INPUT = null;
const TYPING = [
  { name: 'a line and Enter', keys: ['1', '2', '\r'], lines: ['12\n'], echo: '12\r\n' },
  { name: 'pasted lines with CR LF end once each', keys: ['3 9\r\n4\r\n'],
    lines: ['3 9\n', '4\n'], echo: '3 9\r\n4\r\n' },
  { name: 'pasted lines with LF alone', keys: ['a\nb\n'], lines: ['a\n', 'b\n'], echo: 'a\r\nb\r\n' },
  { name: 'an empty line', keys: ['\r'], lines: ['\n'], echo: '\r\n' },
  { name: 'Backspace and DEL take back one character', keys: ['7', '8', '\x7f', '6', '\b', '5', '\r'],
    lines: ['75\n'], echo: '78\b \b6\b \b5\r\n' },
  { name: 'Backspace on an empty line does nothing', keys: ['\x7f', '\r'], lines: ['\n'], echo: '\r\n' },
  // One character, however many UTF-16 units it takes.
  { name: 'Backspace takes back a whole character', keys: ['é😀', '\x7f', '\x7f', 'e', '\r'],
    lines: ['e\n'], echo: 'é😀\b \b\b \be\r\n' },
  { name: 'tab is kept, other control characters are not', keys: ['a\tb\x01\x1a', '\r'],
    lines: ['a\tb\n'], echo: 'a\tb\r\n' },
  // The console would take these as commands (clear the screen, a link, hide
  // what follows): the run reads them as typed, the echo shows a mark.
  { name: 'C1 controls are read as typed and echoed as marks',
    keys: ['kN\u009b2J\u009d8;;https://x.co\u009c', 'm\u0098', '\x7f', '\r'],
    lines: ['kN\u009b2J\u009d8;;https://x.co\u009cm\n'],
    echo: 'kN\ufffd2J\ufffd8;;https://x.co\ufffdm\ufffd\b \b\r\n' },
  { name: 'arrow and function keys edit nothing', keys: ['1', '\x1b[D', '\x1bOP', '2', '\r'],
    lines: ['12\n'], echo: '12\r\n' },
  { name: 'Ctrl+D at the start of a line ends the input', keys: ['5\r', '\x04'],
    lines: ['5\n', null], echo: '5\r\n' },
  { name: 'Ctrl+D inside a line is ignored', keys: ['5', '\x04', '\r'], lines: ['5\n'], echo: '5\r\n' },
  { name: 'End input sends the line begun, then ends the input', keys: ['5', END_INPUT],
    lines: ['5\n', null], echo: '5\r\n' },
  { name: 'End input at the start of a line ends the input', keys: ['5\r', END_INPUT],
    lines: ['5\n', null], echo: '5\r\n' },
];

test('lines typed or pasted reach the reads as a terminal gives them', async (t) => {
  for (const row of TYPING) {
    await t.test(row.name, async () => {
      let echo = '';
      const editor = new LineEditor((text) => {
        echo += text;
      });
      for (const key of row.keys) {
        if (key === END_INPUT) editor.endInputAfterLine();
        else editor.type(key);
      }
      const lines = [];
      for (let index = 0; index < row.lines.length; index += 1) lines.push(await editor.nextLine());
      assert.deepEqual(lines, row.lines);
      assert.equal(echo, row.echo);
    });
  }
});

test('a read waits for Enter, and lines sent before their read wait in order', async () => {
  const editor = new LineEditor(() => {});
  const waiting = editor.nextLine();
  editor.type('4');
  editor.type('\r');
  editor.type('x\ry\r');
  assert.equal(await waiting, '4\n');
  assert.equal(await editor.nextLine(), 'x\n');
  assert.equal(await editor.nextLine(), 'y\n');
});

// The key wait ends at once when anything was typed that no read took.
test('typeahead: what no read took, a line sent or a part typed', () => {
  for (const [keys, any] of [['', false], ['q', true], ['q\r', true], ['\x7f', false]]) {
    const editor = new LineEditor(() => {});
    editor.type(keys);
    assert.equal(editor.takeTypeahead(), any, JSON.stringify(keys));
    assert.equal(editor.takeTypeahead(), false, `${JSON.stringify(keys)} taken twice`);
  }
});

// The program's output reaches the console as text: its controls and bytes
// that are not UTF-8 as marks, a character split between two writes whole.
test('the output shown: controls and stray bytes as marks, split characters whole', () => {
  const shown = new ConsoleOutput();
  const bytes = (...values) => new Uint8Array(values);
  assert.equal(shown.text(new TextEncoder().encode('By = 8.66667 kN\u009b1A\x1b[2J\t\n')),
    'By = 8.66667 kN\ufffd1A\ufffd[2J\t\n');
  assert.equal(shown.text(bytes(0xc3)), '');
  assert.equal(shown.text(bytes(0xa9, 0x9b, 0x41)), '\u00e9\ufffdA');
});

// Of a text, the console is given what it will still hold: with 3 lines kept,
// all before the last 4 line feeds has scrolled out by the text's end.
test('what the console still shows of a text: its last lines kept and one more', () => {
  for (const [text, shown] of [['a\nb\nc\nd\n', 'a\nb\nc\nd\n'], [`${'x\n'.repeat(9)}y`, 'x\nx\nx\nx\ny'],
    ['\n\n\n\n\nz', '\n\n\n\nz'], ['\n\n\n\nz', '\n\n\n\nz'], ['', '']]) {
    assert.equal(stillShown(text, 3), shown, JSON.stringify(text));
  }
});

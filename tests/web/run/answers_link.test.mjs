// The answers in a link: every byte comes back, and a fragment that cannot be
// read says why.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { answersOf, fragmentOf } from '../../../web/page/run/answers_link.js';

test('answers come back from their fragment unchanged', () => {
  for (const answers of ['', '3 9 2 4 2 0 5 kN/m kN m\n', '3 9\n\x04', '\x04',
    // A leading byte-order mark, a tab, characters of two to four UTF-8 bytes,
    // and lengths that leave each base64 remainder.
    '\ufeffa\tb\n', 'é€😀\n', 'ab\n', 'abc\n', 'N·m'.repeat(5000)]) {
    const fragment = fragmentOf(answers);
    assert.match(fragment, /^#answers=v1:[A-Za-z0-9_-]*$/);
    assert.deepEqual(answersOf(fragment), { answers }, JSON.stringify(answers.slice(0, 20)));
  }
});

test('the worked example has a fragment made by hand', () => {
  // base64 of "3 9\n" is "MyA5Cg==".
  assert.equal(fragmentOf('3 9\n'), '#answers=v1:MyA5Cg');
});

test('no fragment is no answers; a fragment that cannot be read says why', () => {
  const ROWS = [
    ['', null],
    ['#', null],
    ['#top', 'it does not begin with "#answers="'],
    ['#answers=MyA5Cg', 'its answers are not in the form "v1:"'],
    ['#answers=v2:MyA5Cg', 'its answers are not in the form "v1:"'],
    ['#answers=v1:MyA5Cg==', 'its answers are not base64url'], // padding is left out
    ['#answers=v1:My+5Cg', 'its answers are not base64url'],
    ['#answers=v1:MyA5C', 'its answers are not base64url'], // a length no bytes have
    ['#answers=v1:_w', 'its answers are not UTF-8 text'], // the byte 0xFF
    ['#answers=v1:G1tB', 'its answers hold ESC, which cannot be typed at the console'], // "\x1b[A"
    ['#answers=v1:Mw0K', 'its answers hold a carriage return, which cannot be typed at the console'],
    ['#answers=v1:BDMK', 'its answers hold Ctrl+D before their end, which cannot be typed at the console'],
    ['#answers=v1:MwQ', 'its answers hold Ctrl+D before their end, which cannot be typed at the console'],
    ['#answers=v1:AQo', 'its answers hold the control character U+0001, which cannot be typed at the console'],
  ];
  for (const [fragment, reason] of ROWS) {
    assert.deepEqual(answersOf(fragment), reason === null ? { answers: null } : { reason }, fragment);
  }
});

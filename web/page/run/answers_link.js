// The answers of a run in the page's address, so that a link replays the run:
// "#answers=v1:" and the bytes the run read, in base64url (every byte kept,
// nothing escaped twice). The fragment never leaves the machine: browsers do
// not send it, even to a web server.
//
// The answers are the lines the run read, each with its line feed, then
// "\x04" when the run read the end of the input (Ctrl+D): typed into the
// console's line editor they give the run the same bytes.
import { binaryBytes, binaryText } from './binary_text.js';
import { UNTYPABLE, controlName } from './console_characters.js';

const PREFIX = '#answers=';
const VERSION = 'v1:';
// Longer links are not made: browsers limit an address to about 2 MB, and a
// link is meant to be shared.
export const LONGEST_LINK = 64 * 1024;

export function fragmentOf(answers) {
  const base64 = btoa(binaryText(new TextEncoder().encode(answers)));
  const base64url = base64.replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  return `${PREFIX}${VERSION}${base64url}`;
}

// The answers a fragment carries: { answers } (null when there is no
// fragment), or { reason } when it cannot be read.
export function answersOf(fragment) {
  if (fragment === '' || fragment === '#') return { answers: null };
  if (!fragment.startsWith(PREFIX)) return { reason: 'it does not begin with "#answers="' };
  const value = fragment.slice(PREFIX.length);
  if (!value.startsWith(VERSION)) return { reason: 'its answers are not in the form "v1:"' };
  const base64url = value.slice(VERSION.length);
  if (!/^[A-Za-z0-9_-]*$/.test(base64url) || base64url.length % 4 === 1) {
    return { reason: 'its answers are not base64url' };
  }
  const bytes = binaryBytes(atob(base64url.replace(/-/g, '+').replace(/_/g, '/')));
  let answers;
  try {
    answers = new TextDecoder('utf-8', { fatal: true, ignoreBOM: true }).decode(bytes);
  } catch {
    return { reason: 'its answers are not UTF-8 text' };
  }
  const control = untypableIn(answers);
  if (control) return { reason: `its answers hold ${control}, which cannot be typed at the console` };
  return { answers };
}

// Ctrl+D only at the start of a line, as the last answer: a link holding any
// other control character was made by hand, and typing it would lose or
// change bytes.
function untypableIn(answers) {
  const endOfInput = answers === '\x04' || answers.endsWith('\n\x04');
  const found = UNTYPABLE.exec(endOfInput ? answers.slice(0, -1) : answers);
  if (!found) return null;
  return found[0] === '\x04' ? 'Ctrl+D before their end' : controlName(found[0]);
}

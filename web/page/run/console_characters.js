// The console's characters, both ways: which control characters its keys
// type into an answer, and how what reaches its screen is shown.

// The console's keys type no control character into an answer's text but tab
// and line feed (Enter); Backspace, DEL and Ctrl+D edit the line or end the
// input instead of being typed. Answers holding any other (ESC, a carriage
// return) were not typed: a link or a form holding one is refused, and the
// line editor drops it.
const UNTYPABLE_CLASS = '\\x00-\\x08\\x0b-\\x1f\\x7f';
export const UNTYPABLE = new RegExp(`[${UNTYPABLE_CLASS}]`);
// What the line editor acts on: those, and the line feed.
export const KEY_CONTROL = new RegExp(`[${UNTYPABLE_CLASS}\\n]`);
export const PLAIN_RUN_OR_KEY_CONTROL = new RegExp(`[^${UNTYPABLE_CLASS}\\n]+|${KEY_CONTROL.source}`, 'g');

const CONTROL_NAMES = new Map([['\x1b', 'ESC'], ['\r', 'a carriage return'], ['\b', 'a backspace'],
  ['\x7f', 'DEL'], ['\x04', 'Ctrl+D']]);

// A control character in words, for a message.
export function controlName(character) {
  return CONTROL_NAMES.get(character) ??
    `the control character U+${character.charCodeAt(0).toString(16).toUpperCase().padStart(4, '0')}`;
}

// What reaches the console is shown as text, never taken as a command. The
// console (xterm.js) acts on C0 control characters, DEL and the C1 controls
// U+0080 to U+009F (CSI, OSC, SOS...): text holding them could clear the
// screen, hide what follows, move the cursor over the results, or make the
// rest a link. Each such character is shown as one mark, a column wide like
// the character a Backspace takes back. The line feed stays (the program
// ends its lines with it), and so does a tab typed in an answer, which only
// moves the cursor on as a terminal's echo does. (The transcript, the record
// and what the program reads keep the characters as they are.)
const CONTROL_MARK = '\ufffd';
const SHOWN_AS_MARK = /[\x00-\x08\x0b-\x1f\x7f-\x9f]/g;

export function shownAsText(text) {
  return text.replace(SHOWN_AS_MARK, CONTROL_MARK);
}

// What of a text written to the console still shows once it is written: the
// console keeps `kept` lines (its screen and its scrollback), and what reaches
// it is text (nothing in it moves the cursor up), so whatever comes before
// the text's last `kept` + 1 line feeds has scrolled out of it by the text's
// end and need not be written. A link's million empty lines are echoed as a
// few thousand; the transcript and the program keep them all.
export function stillShown(text, kept) {
  let cut = text.length;
  for (let feeds = 0; feeds < kept + 2; feeds += 1) {
    if (cut === 0) return text;
    cut = text.lastIndexOf('\n', cut - 1);
    if (cut < 0) return text;
  }
  return text.slice(cut + 1);
}

// Bytes of the program's output as the console's text: UTF-8, a character
// split between two writes shown once it is whole, bytes that are not UTF-8
// shown as the mark too.
export class ConsoleOutput {
  #decoder = new TextDecoder();

  text(bytes) {
    return shownAsText(this.#decoder.decode(bytes, { stream: true }));
  }
}

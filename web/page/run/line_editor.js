// The console's line editing, as a terminal does it for a program reading its
// standard input: typed characters are echoed, Backspace takes back the last
// one, Enter sends the line with its line feed, and Ctrl+D at the start of a
// line is the end of input. Lines sent before the program reads them wait in
// order, like a terminal's typeahead. The echo shows what was typed as text
// (console_characters.js), whatever it holds.
import { KEY_CONTROL, PLAIN_RUN_OR_KEY_CONTROL, shownAsText } from './console_characters.js';


export class LineEditor {
  #echo;
  #line = '';
  // Lines not read yet, from #sentAt on; null marks the end of input. Taken
  // by an index: shift() copies a long array whole, a pasted million lines a
  // million times.
  #sent = [];
  #sentAt = 0;
  #sentAny = false; // a line or the end of input was ever sent
  #reader = null;

  constructor(echo) {
    this.#echo = echo;
  }

  // What xterm reports for one key, or for pasted text. Runs of plain
  // characters are taken whole and the echo is written once: a pasted line of
  // a megabyte is one write to the console, not a million.
  type(data) {
    if (data.startsWith('\x1b')) return; // arrows and function keys edit nothing here
    let echo = '';
    let previous = '';
    // A run of characters kept as typed (tab among them), or one control character.
    for (const [piece] of data.matchAll(PLAIN_RUN_OR_KEY_CONTROL)) {
      if (piece === '\r' || (piece === '\n' && previous !== '\r')) echo += this.#sendLine();
      else if (piece === '\x7f' || piece === '\b') echo += this.#eraseOne();
      else if (piece === '\x04') this.#endInput();
      else if (!KEY_CONTROL.test(piece)) {
        this.#line += piece;
        echo += shownAsText(piece);
      }
      previous = piece;
    }
    if (echo) this.#echo(echo);
  }

  // The next line, line feed included; null at the end of input.
  nextLine() {
    if (this.hasLines()) return Promise.resolve(this.#takeSent());
    return new Promise((resolve) => {
      this.#reader = resolve;
    });
  }

  // The next line sent, if one is waiting (not the end of input); else null.
  takeTypedLine() {
    return typeof this.#sent[this.#sentAt] === 'string' ? this.#takeSent() : null;
  }

  // Lines, or the end of input, sent and not read yet.
  hasLines() {
    return this.#sentAt < this.#sent.length;
  }

  isEmpty() {
    return !this.hasLines() && this.#line === '';
  }

  // Nothing sent yet, not even a line a read has taken and not yet looked at.
  sentNothing() {
    return !this.#sentAny;
  }

  // For a button that ends the input wherever the typing is: a line begun is
  // sent first, as Enter would, so that no answer typed is lost.
  endInputAfterLine() {
    if (this.#line !== '') this.#echo(this.#sendLine());
    this.#endInput();
  }

  // Anything typed that no read has taken, which a key wait takes as its key.
  takeTypeahead() {
    const any = this.hasLines() || this.#line !== '';
    this.#sent = [];
    this.#sentAt = 0;
    this.#line = '';
    return any;
  }

  // Takes back one character, however many UTF-16 units it takes (without
  // copying the line, so that erasing a long one stays quick); returns the
  // echo that takes it off the screen.
  #eraseOne() {
    if (this.#line === '') return '';
    const last = this.#line.codePointAt(this.#line.length - 2) ?? 0;
    this.#line = this.#line.slice(0, last > 0xffff ? -2 : -1);
    return '\b \b';
  }

  #sendLine() {
    this.#send(`${this.#line}\n`);
    this.#line = '';
    return '\r\n';
  }

  // Only at the start of a line, so every line the program gets ends with a line feed.
  #endInput() {
    if (this.#line === '') this.#send(null);
  }

  #takeSent() {
    const line = this.#sent[this.#sentAt];
    this.#sentAt += 1;
    if (this.#sentAt === this.#sent.length) {
      this.#sent = [];
      this.#sentAt = 0;
    }
    return line;
  }

  #send(line) {
    this.#sentAny = true;
    const reader = this.#reader;
    this.#reader = null;
    if (reader) reader(line);
    else this.#sent.push(line);
  }
}

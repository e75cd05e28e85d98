// The console's line editing, as a terminal does it for a program reading its
// standard input: typed characters are echoed, Backspace takes back the last
// one, Enter sends the line with its line feed, and Ctrl+D at the start of a
// line is the end of input. Lines sent before the program reads them wait in
// order, like a terminal's typeahead.
// A run of characters kept as typed (tab among them), or one control character.
const PLAIN_RUN_OR_CONTROL = /[^\x00-\x08\x0a-\x1f\x7f]+|[\x00-\x08\x0a-\x1f\x7f]/g;
const CONTROL = /^[\x00-\x08\x0a-\x1f\x7f]$/;

export class LineEditor {
  #echo;
  #line = '';
  #sent = []; // lines not read yet; null marks the end of input
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
    for (const [piece] of data.matchAll(PLAIN_RUN_OR_CONTROL)) {
      if (piece === '\r' || (piece === '\n' && previous !== '\r')) echo += this.#sendLine();
      else if (piece === '\x7f' || piece === '\b') echo += this.#eraseOne();
      else if (piece === '\x04') this.#endInput();
      else if (!CONTROL.test(piece)) {
        this.#line += piece;
        echo += piece;
      }
      previous = piece;
    }
    if (echo) this.#echo(echo);
  }

  // The next line, line feed included; null at the end of input.
  nextLine() {
    if (this.#sent.length > 0) return Promise.resolve(this.#sent.shift());
    return new Promise((resolve) => {
      this.#reader = resolve;
    });
  }

  // Lines, or the end of input, sent and not read yet.
  hasLines() {
    return this.#sent.length > 0;
  }

  isEmpty() {
    return this.#sent.length === 0 && this.#line === '';
  }

  // For a button that ends the input wherever the typing is: a line begun is
  // sent first, as Enter would, so that no answer typed is lost.
  endInputAfterLine() {
    if (this.#line !== '') this.#echo(this.#sendLine());
    this.#endInput();
  }

  // Anything typed that no read has taken, which a key wait takes as its key.
  takeTypeahead() {
    const any = this.#sent.length > 0 || this.#line !== '';
    this.#sent = [];
    this.#line = '';
    return any;
  }

  // Returns the echo that takes the character back off the screen.
  #eraseOne() {
    if (this.#line === '') return '';
    const characters = Array.from(this.#line);
    characters.pop();
    this.#line = characters.join('');
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

  #send(line) {
    const reader = this.#reader;
    this.#reader = null;
    if (reader) reader(line);
    else this.#sent.push(line);
  }
}

// The console's line editing, as a terminal does it for a program reading its
// standard input: typed characters are echoed, Backspace takes back the last
// one, Enter sends the line with its line feed, and Ctrl+D at the start of a
// line is the end of input. Lines sent before the program reads them wait in
// order, like a terminal's typeahead.
export class LineEditor {
  #echo;
  #line = '';
  #sent = []; // lines not read yet; null marks the end of input
  #reader = null;

  constructor(echo) {
    this.#echo = echo;
  }

  // What xterm reports for one key, or for pasted text.
  type(data) {
    if (data.startsWith('\x1b')) return; // arrows and function keys edit nothing here
    let previous = '';
    for (const character of data) {
      if (character === '\r' || (character === '\n' && previous !== '\r')) this.#sendLine();
      else if (character === '\x7f' || character === '\b') this.#eraseOne();
      else if (character === '\x04') this.#endInput();
      else if (character >= ' ' || character === '\t') this.#add(character);
      previous = character;
    }
  }

  // The next line, line feed included; null at the end of input.
  nextLine() {
    if (this.#sent.length > 0) return Promise.resolve(this.#sent.shift());
    return new Promise((resolve) => {
      this.#reader = resolve;
    });
  }

  // Anything typed that no read has taken, which a key wait takes as its key.
  takeTypeahead() {
    const any = this.#sent.length > 0 || this.#line !== '';
    this.#sent = [];
    this.#line = '';
    return any;
  }

  #add(character) {
    this.#line += character;
    this.#echo(character);
  }

  #eraseOne() {
    if (this.#line === '') return;
    const characters = Array.from(this.#line);
    characters.pop();
    this.#line = characters.join('');
    this.#echo('\b \b');
  }

  #sendLine() {
    this.#echo('\r\n');
    this.#send(this.#line + '\n');
    this.#line = '';
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

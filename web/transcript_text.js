// The run's transcript as text in an element, kept up to date as the program
// writes: the document a screen reader browses line by line (the console's
// rows hold only a screen's worth, and split long lines), and what is printed.
// Output is appended, never rewritten, so that a reader's place in it stays.
// Adding to a text copies all of it: once a text node is this long, the next
// line begins a new one, so that a long run is not copied at every write.
// Nodes end at line ends, and no line is split between two.
const NODE_LENGTH = 16 * 1024;

export class TranscriptText {
  #element;
  #decoder = new TextDecoder();
  #text = document.createTextNode('');

  constructor(element) {
    this.#element = element;
    element.replaceChildren(this.#text);
  }

  clear() {
    this.#decoder = new TextDecoder();
    this.#text = document.createTextNode('');
    this.#element.replaceChildren(this.#text);
  }

  // Bytes of the program's standard output; a character split between two
  // writes shows once it is whole.
  append(bytes) {
    const text = this.#decoder.decode(bytes, { stream: true });
    const linesEnd = text.lastIndexOf('\n') + 1;
    if (this.#text.length < NODE_LENGTH || linesEnd === 0) {
      this.#text.appendData(text);
      return;
    }
    this.#text.appendData(text.slice(0, linesEnd));
    this.#text = document.createTextNode(text.slice(linesEnd));
    this.#element.append(this.#text);
  }

  // The line being written: at a read, the prompt. (A node begins a line.)
  lastLine() {
    const { data } = this.#text;
    return data.slice(data.lastIndexOf('\n') + 1);
  }
}

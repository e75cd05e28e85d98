// The run's transcript as text in an element, kept up to date as the program
// writes: the document a screen reader browses line by line (the console's
// rows hold only a screen's worth, and split long lines), and what is printed.
// Output is appended, never rewritten, so that a reader's place in it stays.
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
    if (text) this.#text.appendData(text);
  }

  // The line being written: at a read, the prompt.
  lastLine() {
    const { data } = this.#text;
    return data.slice(data.lastIndexOf('\n') + 1);
  }
}

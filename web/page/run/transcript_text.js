// The run's transcript as text in an element, kept up to date as the program
// writes: the document a screen reader browses line by line (the console's
// rows hold only a screen's worth, and split long lines), and what is printed.
// Output is appended, never rewritten, so that a reader's place in it stays.
//
// Adding to a text node copies all of it, and the page lays the element out
// again after each change: what the program writes is gathered and added
// once a frame (or when asked for), so that a run of many short lines costs
// a copy a frame, not one a line. Once a node is this long, the text after
// its last line's end begins a new one: a node is never added to again after
// a long line, and no line is split between two.
const NODE_LENGTH = 16 * 1024;

export class TranscriptText {
  #element;
  #decoder = new TextDecoder();
  #text = document.createTextNode('');
  #pending = [];
  #frame = 0;

  constructor(element) {
    this.#element = element;
    element.replaceChildren(this.#text);
    // The printed page holds all of it.
    window.addEventListener('beforeprint', () => this.flush());
  }

  clear() {
    this.#cancelFrame();
    this.#pending = [];
    this.#decoder = new TextDecoder();
    this.#text = document.createTextNode('');
    this.#element.replaceChildren(this.#text);
  }

  // Bytes of the program's standard output; a character split between two
  // writes shows once it is whole.
  append(bytes) {
    const text = this.#decoder.decode(bytes, { stream: true });
    if (text === '') return;
    this.#pending.push(text);
    this.#frame ||= window.requestAnimationFrame(() => {
      this.#frame = 0;
      this.flush();
    });
  }

  // Puts what was written since the last frame into the element now.
  flush() {
    this.#cancelFrame();
    if (this.#pending.length === 0) return;
    const text = this.#pending.join('');
    this.#pending = [];
    // The line the node ends in is finished in it; the rest begins a new one.
    const lineEnd = this.#text.data.endsWith('\n') ? 0 : text.indexOf('\n') + 1;
    if (this.#text.length < NODE_LENGTH || (lineEnd === 0 && !this.#text.data.endsWith('\n'))) {
      this.#text.appendData(text);
      return;
    }
    if (lineEnd > 0) this.#text.appendData(text.slice(0, lineEnd));
    if (lineEnd === text.length) return;
    this.#text = document.createTextNode(text.slice(lineEnd));
    this.#element.append(this.#text);
  }

  // The line being written: at a read, the prompt. (A node begins a line.)
  lastLine() {
    this.flush();
    const { data } = this.#text;
    return data.slice(data.lastIndexOf('\n') + 1);
  }

  #cancelFrame() {
    if (this.#frame) window.cancelAnimationFrame(this.#frame);
    this.#frame = 0;
  }
}

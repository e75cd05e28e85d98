// One run of the program, the page's side of it: the console's lines for its
// reads, its output shown and kept byte for byte, its key wait, its records,
// and its outcome for the diagrams. The module reaches these only through
// module_contract.js.
import { LineEditor } from './line_editor.js';

export class ProgramRun {
  #terminal;
  #editor;
  #files;
  #onError;
  #onOutcome;
  #onKeyWait;
  #output = [];
  #lineLeft = null; // the part of a long line beyond the last read's room
  #keyPressed = null;

  constructor({ terminal, files, onError, onOutcome, onKeyWait }) {
    this.#terminal = terminal;
    this.#editor = new LineEditor((text) => terminal.write(text));
    this.#files = files;
    this.#onError = onError;
    this.#onOutcome = onOutcome;
    this.#onKeyWait = onKeyWait;
  }

  // A key at the console: the key wait's, or the line editor's.
  key(data) {
    const keyPressed = this.#keyPressed;
    this.#keyPressed = null;
    if (keyPressed) keyPressed();
    else this.#editor.type(data);
  }

  transcript() {
    return joinBytes(this.#output);
  }

  async readInput(room) {
    if (this.#lineLeft === null) {
      const line = await this.#editor.nextLine();
      if (line === null) return new Uint8Array(0);
      this.#lineLeft = new TextEncoder().encode(line);
    }
    const piece = this.#lineLeft.slice(0, room);
    this.#lineLeft = this.#lineLeft.length > room ? this.#lineLeft.slice(room) : null;
    return piece;
  }

  write(channel, bytes) {
    if (channel === 1) {
      this.#output.push(bytes);
      this.#terminal.write(bytes);
    } else {
      this.#onError(new TextDecoder().decode(bytes));
    }
  }

  showOutcome(jsonText) {
    this.#onOutcome(jsonText);
  }

  waitForKey() {
    this.#onKeyWait();
    if (this.#editor.takeTypeahead()) return Promise.resolve();
    return new Promise((resolve) => {
      this.#keyPressed = resolve;
    });
  }

  appendToFile(path, bytes) {
    return this.#files.append(path, bytes);
  }
}

export function joinBytes(pieces) {
  const joined = new Uint8Array(pieces.reduce((length, piece) => length + piece.length, 0));
  let offset = 0;
  for (const piece of pieces) {
    joined.set(piece, offset);
    offset += piece.length;
  }
  return joined;
}

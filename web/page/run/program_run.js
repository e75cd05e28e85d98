// One run of the program, the page's side of it: the console's lines for its
// reads, its output shown and kept byte for byte, its key wait, its records,
// and its outcome for the diagrams. The module reaches these only through
// module_contract.js.
import { ConsoleOutput, stillShown } from './console_characters.js';
import { entrySpaceClass } from './entry_space.js';
import { LineEditor } from './line_editor.js';

const UTF8 = new TextEncoder();

// The keys that scroll the console, as xterm reports them, and by how much.
// Shift+PageUp and Shift+PageDown xterm scrolls by itself, reporting nothing.
const SCROLL_KEYS = new Map([
  ['\x1b[5~', { pages: -1 }], // PageUp
  ['\x1b[6~', { pages: 1 }], // PageDown
  ['\x1b[1;2A', { lines: -1 }], // Shift+Up
  ['\x1b[1;2B', { lines: 1 }], // Shift+Down
]);

export class ProgramRun {
  #terminal;
  #editor;
  #files;
  #onError;
  #onOutcome;
  #onKeyWait;
  #onOutput;
  #onLineAwaited;
  #keepRecord;
  #output = [];
  #shown = new ConsoleOutput(); // the output as the console's text
  #lineLeft = null; // the part of a long line beyond the last read's room
  #lineLeftAt = 0;
  #keyPressed = null;
  #replay; // answers (a link's, the form's) typed one line at each read that finds none
  #reading = false; // a read waits for a line
  #answersRead = '';
  #spaceOnly; // a line of the program's white space alone, which holds no answer
  #leadingSpaceLines; // such lines at the start of a text

  // keepRecord: false when the run is only shown again (a reload), its record
  // saved when it first ran; the program is told its save went well.
  // entrySpace: the program's white space between answers (CompiledProgram's).
  constructor({ terminal, files, entrySpace, onError, onOutcome, onKeyWait, onOutput = () => {},
    onLineAwaited = () => {}, replay = '', keepRecord = true }) {
    this.#spaceOnly = new RegExp(`^${entrySpaceClass(entrySpace)}*$`);
    this.#leadingSpaceLines = new RegExp(`^(?:${entrySpaceClass(entrySpace, { lineFeed: false })}*\n)*`);
    this.#terminal = terminal;
    this.#editor = new LineEditor((text) => this.#show(text));
    this.#files = files;
    this.#onError = onError;
    this.#onOutcome = onOutcome;
    this.#onKeyWait = onKeyWait;
    this.#onOutput = onOutput;
    this.#onLineAwaited = onLineAwaited;
    this.#replay = replay;
    this.#keepRecord = keepRecord;
  }

  // A key at the console: one that scrolls it, whenever pressed; else the key
  // wait's, or the line editor's.
  key(data) {
    const scroll = SCROLL_KEYS.get(data);
    if (scroll?.pages) this.#terminal.scrollPages(scroll.pages);
    else if (scroll?.lines) this.#terminal.scrollLines(scroll.lines);
    if (scroll) return;
    const keyPressed = this.#keyPressed;
    this.#keyPressed = null;
    if (keyPressed) keyPressed();
    else this.#editor.type(data);
  }

  transcript() {
    return joinBytes(this.#output);
  }


  // What the run has read: its lines, and "\x04" once it read the end of input.
  answersRead() {
    return this.#answersRead;
  }

  // Nothing typed or sent yet: answers given now are its first (also before
  // the program reaches its first prompt).
  untouched() {
    return this.#replay === '' && this.#editor.sentNothing() && this.#editor.isEmpty();
  }

  waitingForKey() {
    return this.#keyPressed !== null;
  }

  // Answers typed in for the run, one line at each read, as a user would type them.
  typeAnswers(text) {
    this.#replay += text;
    if (this.#reading) this.#typeReplayedLine();
  }

  // The line typed so far is sent, then the end of input.
  endInput() {
    this.#editor.endInputAfterLine();
  }

  async readInput(room) {
    if (this.#lineLeft === null) {
      const lines = await this.#nextLines();
      this.#answersRead += lines ?? '\x04';
      if (lines === null) return new Uint8Array(0);
      this.#lineLeft = UTF8.encode(lines);
      // The transcript shows each typed line where the program read it, as
      // the console did.
      this.#onOutput(this.#lineLeft);
      this.#lineLeftAt = 0;
    }
    // The module copies the piece at once, so a view of the line will do.
    const piece = this.#lineLeft.subarray(this.#lineLeftAt, this.#lineLeftAt + room);
    this.#lineLeftAt += piece.length;
    if (this.#lineLeftAt === this.#lineLeft.length) this.#lineLeft = null;
    return piece;
  }

  write(channel, bytes) {
    if (channel === 1) {
      this.#output.push(bytes);
      this.#show(this.#shown.text(bytes));
      this.#onOutput(bytes);
    } else {
      this.#onError(new TextDecoder().decode(bytes));
    }
  }

  // Written as the console will show it. Its rows may grow before it takes
  // the text in: twice as many are kept.
  #show(text) {
    const { rows, options } = this.#terminal;
    this.#terminal.write(stillShown(text, 2 * rows + options.scrollback));
  }

  showOutcome(jsonText) {
    this.#onOutcome(jsonText);
  }

  waitForKey() {
    this.#replay = '';
    this.#onKeyWait();
    if (this.#editor.takeTypeahead()) return Promise.resolve();
    return new Promise((resolve) => {
      this.#keyPressed = resolve;
    });
  }

  appendToFile(path, bytes) {
    return this.#keepRecord ? this.#files.append(path, bytes) : null;
  }

  // The next line typed (null at the end of input), and the lines typed after
  // it while each one before holds white space alone: at a read the program
  // is on its way to its next answer, and skips such a line writing nothing,
  // so it takes them in one read as it would one by one (a link of a million
  // empty lines costs one read, not a million).
  async #nextLines() {
    this.#typeReplayedLine();
    if (!this.#editor.hasLines()) this.#onLineAwaited();
    this.#reading = true;
    let lines = await this.#editor.nextLine();
    this.#reading = false;
    if (lines === null) return null;
    for (let last = lines; this.#spaceOnly.test(last);) {
      this.#typeReplayedLine();
      last = this.#editor.takeTypedLine();
      if (last === null) break;
      lines += last;
    }
    return lines;
  }

  // The next line of a link's answers, or its end of input, as if typed now;
  // lines of white space alone go with the line after them.
  #typeReplayedLine() {
    if (this.#replay === '') return;
    if (this.#replay.startsWith('\x04')) {
      this.#editor.type('\x04');
      this.#replay = this.#replay.slice(1);
      return;
    }
    const spaceLines = this.#leadingSpaceLines.exec(this.#replay)[0].length;
    // The end of input stays for a read of its own.
    const end = this.#replay.startsWith('\x04', spaceLines) ? spaceLines
      : this.#replay.indexOf('\n', spaceLines) + 1 || this.#replay.length;
    this.#editor.type(this.#replay.slice(0, end));
    this.#replay = this.#replay.slice(end);
  }
}

function joinBytes(pieces) {
  const joined = new Uint8Array(pieces.reduce((length, piece) => length + piece.length, 0));
  let offset = 0;
  for (const piece of pieces) {
    joined.set(piece, offset);
    offset += piece.length;
  }
  return joined;
}

// What reaches the console is shown as text, never taken as a command. The
// console (xterm.js) acts on C0 control characters, DEL and the C1 controls
// U+0080 to U+009F (CSI, OSC, SOS...): text holding them could clear the
// screen, hide what follows, move the cursor over the results, or make the
// rest a link. Each such character is shown as one mark, a column wide like
// the character a Backspace takes back. The line feed stays (the program
// ends its lines with it), and so does a tab typed in an answer, which only
// moves the cursor on as a terminal's echo does. (The transcript, the record and what the program
// reads keep the characters as they are.)
export const CONTROL_MARK = '\ufffd';
const CONTROLS = /[\x00-\x08\x0b-\x1f\x7f-\x9f]/g;

export function shownAsText(text) {
  return text.replace(CONTROLS, CONTROL_MARK);
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

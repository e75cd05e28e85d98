// The page: the console, one run of the program after another, the buttons and
// the diagrams. The bundler starts here.
import { FitAddon } from '@xterm/addon-fit';
import { Terminal } from '@xterm/xterm';
import { answersOf, fragmentOf, LONGEST_LINK } from './answers_link.js';
import { readDescription } from './diagram_data.js';
import { DrawnBeam } from './diagram_scale.js';
import { drawDiagrams, problemTitle } from './diagrams.js';
import { downloadFile } from './download_file.js';
import { CompiledProgram } from './module_contract.js';
import { htmlElement } from './page_elements.js';
import { ProgramRun } from './program_run.js';
import { StoredFiles } from './stored_files.js';

const RECORD_FILE = 'data-values.dat';
// The program's lines are 80 columns wide (its figure needs them all); on a
// narrow screen the font shrinks down to a size still read with ease, and then
// the console scrolls sideways.
const COLUMNS = 80;
const LARGEST_FONT = 14;
const SMALLEST_FONT = 12;

const page = {
  // Few font names: each one the system lacks costs a slow lookup at start.
  // The screen reader mode gives the console's rows to the accessibility tree
  // and reads out new output.
  terminal: new Terminal({ convertEol: true, cursorBlink: true, scrollback: 5000,
    fontFamily: 'Menlo, Consolas, monospace', fontSize: LARGEST_FONT, cols: COLUMNS,
    screenReaderMode: true }),
  fit: new FitAddon(),
  files: new StoredFiles(() => window.localStorage),
  program: new CompiledProgram(),
  run: null, // the run shown: under way, or the last one
  running: false,
  status: document.getElementById('status'),
  errors: document.getElementById('errors'),
  diagrams: document.getElementById('diagrams'),
  runAgain: document.getElementById('run-again'),
  copyLink: document.getElementById('copy-link'),
  linkNote: document.getElementById('link-note'),
  printedTranscript: document.getElementById('printed-transcript'),
  printedProblem: document.getElementById('printed-problem'),
  printPending: false,
};

function setUpConsole() {
  const { terminal, fit } = page;
  const box = document.getElementById('console');
  terminal.loadAddon(fit);
  terminal.open(box);
  fitConsole();
  new ResizeObserver(fitConsole).observe(box);
  terminal.onCursorMove(showLinesFromStart);
  terminal.onData((data) => {
    if (page.running) page.run.key(data);
  });
  // Tab leaves the console for the buttons, so the keyboard reaches everything.
  terminal.attachCustomKeyEventHandler((event) => event.key !== 'Tab');
}

// Always 80 columns: the font as large as the console's width allows them
// (within its bounds), and as many rows as its height holds.
function fitConsole() {
  const { terminal, fit } = page;
  const screen = terminal.element.querySelector('.xterm-screen');
  const box = terminal.element.parentElement;
  const { paddingLeft, paddingRight } = window.getComputedStyle(box);
  const room = box.clientWidth - parseFloat(paddingLeft) - parseFloat(paddingRight);
  const font = terminal.options.fontSize;
  const width = screen.getBoundingClientRect().width * (COLUMNS / terminal.cols);
  if (width > 0) {
    const fitting = Math.floor(2 * font * (room / width)) / 2;
    const wanted = Math.max(SMALLEST_FONT, Math.min(LARGEST_FONT, fitting));
    if (wanted !== font) terminal.options.fontSize = wanted;
  }
  const rows = fit.proposeDimensions()?.rows;
  if (rows && (rows !== terminal.rows || terminal.cols !== COLUMNS)) terminal.resize(COLUMNS, rows);
}

// Where the console scrolls sideways, the browser scrolls it to keep the
// typing in view, and leaves it there; once the cursor is back within the
// console's width (at a new line, at the key wait), the lines show from their
// first column again.
function showLinesFromStart() {
  const { terminal } = page;
  const box = terminal.element.parentElement;
  if (box.scrollLeft === 0) return;
  const screen = terminal.element.querySelector('.xterm-screen');
  const cell = screen.getBoundingClientRect().width / terminal.cols;
  const room = box.clientWidth - parseFloat(window.getComputedStyle(box).paddingLeft);
  if ((terminal.buffer.active.cursorX + 1) * cell <= room) box.scrollLeft = 0;
}

// replay: the answers of a link, typed in as the run reads; notice: what the
// status says first.
async function startRun({ replay = '', notice = '' } = {}) {
  page.terminal.reset();
  page.errors.replaceChildren();
  page.errors.hidden = true;
  page.printedProblem.textContent = '';
  page.runAgain.hidden = true;
  if (!replay) showLink('');
  page.diagrams.replaceChildren(htmlElement('p', { class: 'waiting' },
    'The diagrams appear here once the program has solved the beam.'));
  page.status.textContent = `${notice}Type each answer and press Enter; several answers may ` +
    'share a line. Ctrl+D at the start of a line ends the input.';
  const run = new ProgramRun({
    terminal: page.terminal,
    files: page.files,
    replay,
    onError: showError,
    onOutcome: showDiagrams,
    onOutput: keepPrintedTranscript,
    onKeyWait: () => {
      page.status.textContent = 'Press any key in the console to end the run. PageUp, ' +
        'PageDown and Shift with the arrow keys scroll it.';
      showLink(fragmentOf(run.answersRead()));
    },
  });
  page.run = run;
  page.running = true;
  page.terminal.focus();
  let ending = 'The run has ended. Run again (after the console, with Tab) starts another.';
  try {
    await page.program.run(run);
  } catch (error) {
    ending = `The run stopped with an error: ${error}`;
  }
  page.running = false;
  updatePrintedTranscript();
  page.status.textContent = ending;
  // Run again does not take the focus: keys typed ahead of the run, or a paste
  // longer than it, must not start another run.
  page.runAgain.hidden = false;
}

// The address carries the run's answers (a link that replays the run), or
// none; Copy link offers it.
function showLink(fragment) {
  const kept = fragment.length <= LONGEST_LINK ? fragment : '';
  const address = `${window.location.pathname}${window.location.search}${kept}`;
  if (`${window.location.pathname}${window.location.search}${window.location.hash}` !== address) {
    window.history.replaceState(null, '', address);
  }
  page.copyLink.hidden = kept === '';
  page.linkNote.textContent = fragment !== '' && kept === ''
    ? 'These answers are too long to carry in a link.' : '';
}

async function copyLink() {
  const link = window.location.href;
  let copied = false;
  try {
    await navigator.clipboard.writeText(link);
    copied = true;
  } catch {
    copied = copyBySelection(link); // file:// pages and older browsers lack the clipboard's API
  }
  page.linkNote.textContent = copied
    ? 'Link copied: opening it runs the program with these answers.'
    : `Copy this link by hand: ${link}`;
}

function copyBySelection(text) {
  const field = htmlElement('textarea', { 'aria-hidden': 'true', class: 'copy-field' });
  field.value = text;
  // Selecting takes the focus; the keyboard's place is given back after.
  const focused = document.activeElement;
  document.body.append(field);
  field.select();
  let copied = false;
  try {
    copied = document.execCommand('copy');
  } catch {
    copied = false;
  }
  field.remove();
  focused?.focus();
  return copied;
}

// The transcript as text for printing (the console's rows are a screen's
// worth); brought up to date a moment after the output, and before a print.
function keepPrintedTranscript() {
  if (page.printPending) return;
  page.printPending = true;
  setTimeout(updatePrintedTranscript, 250);
}

function updatePrintedTranscript() {
  page.printPending = false;
  if (page.run) page.printedTranscript.textContent = page.run.consoleText();
}

// A failed save, in the program's own words (its standard error).
function showError(text) {
  page.errors.hidden = false;
  page.errors.append(text);
}

function showDiagrams(jsonText) {
  try {
    const description = readDescription(jsonText);
    page.printedProblem.textContent = description.curve ? problemTitle(new DrawnBeam(description, 0)) : '';
    drawDiagrams(page.diagrams, description,
      { readOut: (typed, x) => page.program.readOut(description, typed, x) });
  } catch (error) {
    // The run goes on whatever happens to its drawing.
    page.diagrams.replaceChildren(htmlElement('p', { class: 'reason' },
      `The diagrams could not be drawn: ${error}`));
  }
}

function setUpButtons() {
  page.runAgain.addEventListener('click', () => startRun());
  page.copyLink.addEventListener('click', copyLink);
  window.addEventListener('beforeprint', updatePrintedTranscript);
  document.getElementById('save-transcript').addEventListener('click', () =>
    downloadFile('transcript.txt', new Blob(page.run ? [page.run.transcript()] : [],
      { type: 'text/plain' })));
  document.getElementById('download-records').addEventListener('click', () =>
    downloadFile(RECORD_FILE, new Blob([page.files.read(RECORD_FILE)],
      { type: 'application/octet-stream' })));
  document.getElementById('clear-records').addEventListener('click', () => {
    if (window.confirm(`Remove every saved record from ${RECORD_FILE}?`)) {
      page.files.remove(RECORD_FILE);
    }
  });
}

(async function openPage() {
  // The browser compiles the program while the console is being set up.
  const compiled = page.program.prepare();
  setUpConsole();
  setUpButtons();
  try {
    await compiled;
  } catch (error) {
    page.status.textContent = `This browser cannot run the program: ${error}`;
    return;
  }
  const link = answersOf(window.location.hash);
  startRun({ replay: link.answers ?? '',
    notice: link.reason ? `This address's answers cannot be read: ${link.reason}. ` : '' });
})();

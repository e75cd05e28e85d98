// The page: the console, one run of the program after another, the buttons and
// the diagrams. The bundler starts here.
import { FitAddon } from '@xterm/addon-fit';
import { Terminal } from '@xterm/xterm';
import { drawDiagrams } from './diagrams.js';
import { CompiledProgram } from './module_contract.js';
import { htmlElement } from './page_elements.js';
import { ProgramRun } from './program_run.js';
import { StoredFiles } from './stored_files.js';

const RECORD_FILE = 'data-values.dat';

const page = {
  // Few font names: each one the system lacks costs a slow lookup at start.
  terminal: new Terminal({ convertEol: true, cursorBlink: true, scrollback: 5000,
    fontFamily: 'Menlo, Consolas, monospace', fontSize: 14 }),
  fit: new FitAddon(),
  files: new StoredFiles(() => window.localStorage),
  program: new CompiledProgram(),
  run: null, // the run shown: under way, or the last one
  running: false,
  status: document.getElementById('status'),
  errors: document.getElementById('errors'),
  diagrams: document.getElementById('diagrams'),
  runAgain: document.getElementById('run-again'),
};

function setUpConsole() {
  const { terminal, fit } = page;
  terminal.loadAddon(fit);
  terminal.open(document.getElementById('console'));
  fit.fit();
  new ResizeObserver(() => fit.fit()).observe(document.getElementById('console'));
  terminal.onData((data) => {
    if (page.running) page.run.key(data);
  });
  // Tab leaves the console for the buttons, so the keyboard reaches everything.
  terminal.attachCustomKeyEventHandler((event) => event.key !== 'Tab');
}

async function startRun() {
  page.terminal.reset();
  page.errors.replaceChildren();
  page.errors.hidden = true;
  page.runAgain.hidden = true;
  page.diagrams.replaceChildren(htmlElement('p', { class: 'waiting' },
    'The diagrams appear here once the program has solved the beam.'));
  page.status.textContent = 'Type each answer and press Enter; several answers may share a ' +
    'line. Ctrl+D at the start of a line ends the input.';
  const run = new ProgramRun({
    terminal: page.terminal,
    files: page.files,
    onError: showError,
    onOutcome: showDiagrams,
    onKeyWait: () => {
      page.status.textContent = 'Press any key in the console to end the run.';
    },
  });
  page.run = run;
  page.running = true;
  page.terminal.focus();
  let ending = 'The run has ended.';
  try {
    await page.program.run(run);
  } catch (error) {
    ending = `The run stopped with an error: ${error}`;
  }
  page.running = false;
  page.status.textContent = ending;
  page.runAgain.hidden = false;
  page.runAgain.focus();
}

// A failed save, in the program's own words (its standard error).
function showError(text) {
  page.errors.hidden = false;
  page.errors.append(text);
}

function showDiagrams(jsonText) {
  try {
    drawDiagrams(page.diagrams, JSON.parse(jsonText));
  } catch (error) {
    // The run goes on whatever happens to its drawing.
    page.diagrams.replaceChildren(htmlElement('p', { class: 'reason' },
      `The diagrams could not be drawn: ${error}`));
  }
}

function download(name, bytes, type) {
  const link = htmlElement('a', { download: name });
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

function setUpButtons() {
  page.runAgain.addEventListener('click', startRun);
  document.getElementById('save-transcript').addEventListener('click', () =>
    download('transcript.txt', page.run ? page.run.transcript() : new Uint8Array(0), 'text/plain'));
  document.getElementById('download-records').addEventListener('click', () =>
    download(RECORD_FILE, page.files.read(RECORD_FILE), 'application/octet-stream'));
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
  startRun();
})();

// The page: the console, one run of the program after another, the buttons and
// the diagrams. The bundler starts here.
import { FitAddon } from '@xterm/addon-fit';
import { Terminal } from '@xterm/xterm';
import { ANSWER_FIELDS, answerLines } from './run/answers_form.js';
import { answersOf, fragmentOf, LONGEST_LINK } from './run/answers_link.js';
import { readDescription } from './drawing/description.js';
import { drawDiagrams, problemTitle } from './drawing/diagrams.js';
import { downloadFile } from './dom/download_file.js';
import { CompiledProgram } from './run/module_contract.js';
import { htmlElement } from './dom/page_elements.js';
import { ProgramRun } from './run/program_run.js';
import { PageSettings } from './run/page_settings.js';
import { StoredFiles } from './run/stored_files.js';
import { TranscriptText } from './run/transcript_text.js';

const RECORD_FILE = 'data-values.dat';
// The program's lines are 80 columns wide (its figure needs them all); on a
// narrow screen the font shrinks down to a size still read with ease, and then
// the console scrolls sideways.
const COLUMNS = 80;
const LARGEST_FONT = 14;
const SMALLEST_FONT = 12;
const TOUCH = window.matchMedia('(pointer: coarse)');
const STILL = window.matchMedia('(prefers-reduced-motion: reduce)');
// The form below the console, as page.css lays it out.
const NARROW = window.matchMedia('(max-width: 60rem)');

const page = {
  // Few font names: each one the system lacks costs a slow lookup at start.
  // No screen reader mode: it gives readers only the rows on screen, long
  // lines split, and drops text inserted without keys (dictation); readers
  // get the whole transcript instead (#transcript), and short news (#news).
  terminal: new Terminal({ convertEol: true, cursorBlink: !STILL.matches, scrollback: 5000,
    fontFamily: 'Menlo, Consolas, monospace', fontSize: LARGEST_FONT, cols: COLUMNS }),
  fit: new FitAddon(),
  files: new StoredFiles(() => window.localStorage),
  settings: new PageSettings(() => window.localStorage),
  answersWanted: false, // Solve was pressed: the answers come into view when they are there
  program: new CompiledProgram(),
  run: null, // the run shown: under way, or the last one
  running: false,
  ended: Promise.resolve(), // settles when the run shown has ended
  opened: null, // settles once the opening run has begun (or the program cannot run)
  openingBegun: false,
  requests: null, // settles when the answers given last have been taken
  status: document.getElementById('status'),
  errors: document.getElementById('errors'),
  diagrams: document.getElementById('diagrams'),
  runAgain: document.getElementById('run-again'),
  endInput: document.getElementById('end-input'),
  copyLink: document.getElementById('copy-link'),
  linkNote: document.getElementById('link-note'),
  printedProblem: document.getElementById('printed-problem'),
  transcript: new TranscriptText(document.getElementById('transcript')),
  news: document.getElementById('news'),
  formNote: document.getElementById('form-note'),
};

function setUpConsole() {
  const { terminal, fit } = page;
  const box = document.getElementById('console');
  terminal.loadAddon(fit);
  terminal.open(box);
  fitConsole();
  new ResizeObserver(fitConsole).observe(box);
  // Once a frame at most: each look lays the page out, and a long line
  // written in many pieces moves the cursor at every piece.
  let cursorLook = 0;
  terminal.onCursorMove(() => {
    cursorLook ||= window.requestAnimationFrame(() => {
      cursorLook = 0;
      keepCursorInView();
    });
  });
  // The rows are for sighted users; the textarea that takes the keys stays.
  terminal.element.querySelector('.xterm-rows').setAttribute('aria-hidden', 'true');
  terminal.textarea.setAttribute('aria-label', 'Console: type the answers here');
  STILL.addEventListener('change', () => {
    terminal.options.cursorBlink = !STILL.matches;
  });
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

// Where the console scrolls sideways, the lines show from their first column
// while the cursor is within the console's width (at a new line, at the key
// wait); beyond it, the console scrolls to show the cursor, so that the end of
// a prompt and the typing are in view, on a phone from the opening on.
function keepCursorInView() {
  const { terminal } = page;
  const box = terminal.element.parentElement;
  const screen = terminal.element.querySelector('.xterm-screen');
  const cell = screen.getBoundingClientRect().width / terminal.cols;
  const { paddingLeft, paddingRight } = window.getComputedStyle(box);
  const cursorEnd = parseFloat(paddingLeft) + (terminal.buffer.active.cursorX + 1) * cell;
  const room = box.clientWidth - parseFloat(paddingRight);
  const wanted = cursorEnd <= room ? 0 : Math.ceil(cursorEnd + cell - box.clientWidth);
  if (box.scrollLeft !== wanted) box.scrollLeft = wanted;
}

// What to do now, in words for the keys of the screen in use: a touch screen
// has no Ctrl+D, and no PageUp.
function inputHint() {
  return TOUCH.matches
    ? 'Type each answer in the console and press Enter, or fill in the form and press Solve. ' +
      'End input ends the input early.'
    : 'Type each answer and press Enter; several answers may share a line. Ctrl+D at the ' +
      'start of a line ends the input.';
}

function keyWaitHint() {
  return TOUCH.matches
    ? 'Press any key in the console to end the run.'
    : 'Press any key in the console to end the run. PageUp, PageDown and Shift with the ' +
      'arrow keys scroll it.';
}

// replay: answers typed in as the run reads (a link's, the form's); notice:
// what the status says first; keepRecord: false when the run is only shown
// again; focusConsole: false when the keys are elsewhere (the form's).
function startRun({ replay = '', notice = '', keepRecord = true, focusConsole = true } = {}) {
  page.terminal.reset();
  page.transcript.clear();
  page.news.textContent = '';
  page.errors.replaceChildren();
  page.errors.hidden = true;
  page.printedProblem.textContent = '';
  page.runAgain.hidden = true;
  page.endInput.hidden = false;
  page.diagrams.replaceChildren(htmlElement('p', { class: 'waiting' },
    'The diagrams appear here once the program has solved the beam.'));
  page.status.textContent = `${notice}${inputHint()}`;
  const run = new ProgramRun({
    entrySpace: page.program.entrySpace(),
    terminal: page.terminal,
    files: page.files,
    replay,
    keepRecord,
    onError: showError,
    onOutcome: showDiagrams,
    onOutput: (bytes) => page.transcript.append(bytes),
    onLineAwaited: () => {
      page.news.textContent = page.transcript.lastLine().trim();
    },
    onKeyWait: () => {
      const endInputFocused = document.activeElement === page.endInput;
      page.endInput.hidden = true;
      if (endInputFocused) page.terminal.focus();
      page.status.textContent = `${keyWaitHint()}${keepRecord ? '' : ` ${notice.trim()}`}`;
      showLink(fragmentOf(run.answersRead()));
    },
  });
  page.run = run;
  page.running = true;
  if (focusConsole) page.terminal.focus();
  page.ended = (async () => {
    let ending = 'The run has ended. Run again (after the console, with Tab) starts another.';
    try {
      await page.program.run(run);
    } catch (error) {
      ending = `The run stopped with an error: ${error}`;
    }
    page.running = false;
    page.endInput.hidden = true;
    page.status.textContent = ending;
    // Run again does not take the focus: keys typed ahead of the run, or a paste
    // longer than it, must not start another run.
    page.runAgain.hidden = false;
  })();
  return page.ended;
}

// Answers given all at once (the form's, a link opened in the page) typed
// into the run at its first prompt, one line at each read, as a user would
// type them; at the key wait, or after the run, into a new run. False when the
// run has answers typed already: it is left to finish. Requests are taken one
// after another, once the opening run has begun, so that no two start runs on
// one module (two records for one link, a key wait that no key reaches).
function typeIntoRun(answers, options) {
  const taken = page.requests.then(() => typeIntoRunNow(answers, options));
  page.requests = taken.catch(() => {});
  return taken;
}

async function typeIntoRunNow(answers, { focusConsole = false } = {}) {
  if (page.running && page.run.untouched()) {
    page.run.typeAnswers(answers);
    return true;
  }
  if (page.running && !page.run.waitingForKey()) return false;
  if (page.running) {
    page.run.key('\r');
    await page.ended;
  }
  startRun({ replay: answers, focusConsole });
  return true;
}

async function solveFromForm(event) {
  event.preventDefault();
  // The program's white space tells its answers apart: known once it is ready.
  await page.opened;
  const fields = ANSWER_FIELDS.map(({ id }) => document.getElementById(id));
  for (const field of fields) field.removeAttribute('aria-invalid');
  const answers = answerLines(fields.map((field) => field.value), page.program.entrySpace() ?? ' ');
  page.formNote.textContent = answers.problem ?? '';
  if (answers.problem) {
    fields[answers.at].setAttribute('aria-invalid', 'true');
    fields[answers.at].focus();
    return;
  }
  showLink('');
  page.answersWanted = true;
  // On a narrow screen the form is below the console: the run is shown.
  page.terminal.element.scrollIntoView({ block: 'nearest' });
  if (!await typeIntoRun(answers.lines)) {
    page.formNote.textContent = "The console's run has answers typed already: finish it " +
      'there, or press End input, then Solve.';
  }
}

// A link opened while the page is open, when only its fragment differs,
// loads nothing: the browser tells of it here (the page's own changes of the
// address, by replaceState, are not told). It is a run asked for, as at opening.
async function openLinkInPage() {
  // Until the opening run begins, it is the one to take the address as it is then.
  if (!page.openingBegun) return;
  const link = answersOf(window.location.hash);
  let note = '';
  if (link.reason) note = `This address's answers cannot be read: ${link.reason}.`;
  else if (link.answers && !await typeIntoRun(link.answers, { focusConsole: true })) {
    note = "This address's answers are not typed in: the console's run has answers typed already.";
  }
  if (note) page.status.textContent = note;
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

// A failed save, in the program's own words (its standard error).
function showError(text) {
  page.errors.hidden = false;
  page.errors.append(text);
}

// The whole panel is not read out as it changes: the news says what it holds.
function showDiagrams(jsonText) {
  try {
    const description = readDescription(jsonText);
    page.printedProblem.textContent = description.curve ? problemTitle(description) : '';
    drawDiagrams(page.diagrams, description, {
      readOut: (typed, x) => page.program.readOut(typed, x),
      check: (id, typed) => page.program.check(id, typed),
      checkAtX: (x, typed, moment) => page.program.checkAtX(x, typed, moment),
      practiseFirst: page.settings.practiseFirst(),
      choose: (first) => page.settings.choosePractiseFirst(first),
    });
    // Solved from the form on a narrow screen: the answers (or the practice)
    // come into view, not 2,000 px below the form.
    if (page.answersWanted && NARROW.matches) page.diagrams.scrollIntoView({ block: 'start' });
    page.answersWanted = false;
    page.news.textContent = newsOf(description, page.settings.practiseFirst());
  } catch (error) {
    // The run goes on whatever happens to its drawing.
    const reason = `The diagrams could not be drawn: ${error}`;
    page.diagrams.replaceChildren(htmlElement('p', { class: 'reason' }, reason));
    page.news.textContent = reason;
  }
}

// The run's outcome in a few words, from the diagrams' description (its
// numbers' texts in the program's format, and its units words); a student
// who practises first is not told the reactions.
function newsOf(description, practiseFirst) {
  if (!description.curve) return description.reason;
  const force = description.units.force ? ` ${description.units.force}` : '';
  const drawn = description.reason ? description.reason : 'diagrams drawn';
  if (practiseFirst && !description.reason) return 'diagrams drawn; practise: type your values in the fields below';
  return `Ay = ${description.ay.text}${force}, By = ${description.by.text}${force}; ${drawn}`;
}

function setUpButtons() {
  page.runAgain.addEventListener('click', () => {
    showLink('');
    startRun();
  });
  page.endInput.addEventListener('click', () => {
    if (page.running) page.run.endInput();
  });
  document.getElementById('answers-form').addEventListener('submit', solveFromForm);
  // The handout: the transcript after the answers, or left out.
  const printTranscript = document.getElementById('print-transcript');
  printTranscript.addEventListener('change', () =>
    document.body.classList.toggle('print-without-transcript', !printTranscript.checked));
  window.addEventListener('hashchange', openLinkInPage);
  page.copyLink.addEventListener('click', copyLink);
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

// The address the page was opened at, before anything could change it.
const NAVIGATED_HASH = window.location.hash;

// One run begins at the opening, with the answers of the address as it is once
// the program is ready: a change of it while the program was still compiling
// is taken then, not as a second run.
async function openPage() {
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
  page.openingBegun = true;
  const opening = window.location.hash;
  const link = answersOf(opening);
  if (!link.answers) showLink('');
  // Keys already typed elsewhere (in the form, while the program compiled)
  // stay where they go.
  const focusConsole = !document.activeElement || document.activeElement === document.body;
  // A reload's address shows its run again; one changed since is a run asked for.
  if (link.answers && openedAgain() && opening === NAVIGATED_HASH) {
    startRun({ replay: link.answers, keepRecord: false, focusConsole,
      notice: 'Shown again as the page was reloaded: its record was saved when it first ran, ' +
        'and is not saved twice. ' });
  } else {
    startRun({ replay: link.answers ?? '', focusConsole,
      notice: link.reason ? `This address's answers cannot be read: ${link.reason}. ` : '' });
  }
}
page.opened = openPage();
page.requests = page.opened;

// A reload, or a tab the browser restores, shows the address's run again: no
// one asked for a new run, so it saves no record. Opening a link is a run asked for.
function openedAgain() {
  const type = window.performance.getEntriesByType('navigation')[0]?.type;
  return type === 'reload' || type === 'back_forward';
}

// The browser edition in headless Chromium or Firefox, against the console
// program: the answers are typed into the page's console as a user would type
// them. The saved transcript and data-values.dat must be the console program's
// bytes for the same answers on its standard input; one key must end the run;
// the diagram panel must show the reactions and the largest moment, or its reason.
// Environment (tests/browser/run.sh sets it): PARABEAM_CHROMIUM or
// PARABEAM_FIREFOX (the browser), PARABEAM_NATIVE
// (the console program), PARABEAM_PAGE (parabeam.html), PARABEAM_TEST_PACKAGES
// (where npm ci put puppeteer-core), PARABEAM_WORKED_ANSWERS (the worked
// example's ten answers, one line), PARABEAM_SCREENSHOT (a PNG to write of the
// page with the worked example).
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdirSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';

const require = createRequire(join(resolve(process.env.PARABEAM_TEST_PACKAGES), 'package.json'));
const puppeteer = require('puppeteer-core');
const NATIVE = resolve(process.env.PARABEAM_NATIVE);
const PAGE_URL = pathToFileURL(resolve(process.env.PARABEAM_PAGE)).href;
const WORKED = `${process.env.PARABEAM_WORKED_ANSWERS ?? assert.fail('no PARABEAM_WORKED_ANSWERS')}\n`;

const WORKED_EXAMPLE = '3 9 2 4 2 0 5 kN/m kN m\n';
const FIREFOX = Boolean(process.env.PARABEAM_FIREFOX);
const MISSING_ANSWERS = 'No diagrams: an answer could not be read as a number, or the input ' +
  'ended, before all seven values of the beam were given.';

// keys: "\n" is Enter, "\b" Backspace, "\x04" Ctrl+D; stdin: the same answers
// as the console program reads them from a file. form: the answers put in the
// form instead, then Solve; inserted: the keys' text inserted without key
// events (as dictation does), Enter pressed.
const CASES = [
  { name: 'Bx alone, all answers on one line (the worked example)',
    keys: WORKED, stdin: WORKED,
    largest: '21.7778 kN·m at x = 4.66667 m' },
  { name: 'the worked example from the form, one answer a line',
    form: WORKED_EXAMPLE.trim().split(' '), stdin: `${WORKED_EXAMPLE.trim().replace(/ /g, '\n')}\n`,
    largest: '21.7778 kN·m at x = 4.66667 m' },
  { name: 'the worked example inserted as text, without key events',
    keys: WORKED, stdin: WORKED, inserted: true,
    largest: '21.7778 kN·m at x = 4.66667 m' },
  // Largest moment: Ay^2 / (2 w) at x = Ay / w, Ay = 13.125 - 52.65625 / 7.
  { name: 'Ax alone, one answer a line, a Backspace correction',
    keys: '2.5\n7\n3\n7\b6\n1.25\n-4.5\n0\nN/m\nN\nfx\bt\n',
    stdin: '2.5\n7\n3\n6\n1.25\n-4.5\n0\nN/m\nN\nft\n', oneAnswerALine: true,
    largest: '12.556 N·ft at x = 4.48214 ft' },
  // Ay = 2212500, so 2212500^2 / 2400 at x = 1843.75.
  { name: 'Ax and Bx, answers over three lines',
    keys: '1500 4000\n10 800 1200 7\n-3 N/m N m\n', stdin: '1500 4000\n10 800 1200 7\n-3 N/m N m\n',
    largest: '2.03965e+009 N·m at x = 1843.75 m' },
  { name: 'neither force, L1 longer than L2',
    keys: '4 3 0 2 5 0 -0 lb/ft lb ft\n', stdin: '4 3 0 2 5 0 -0 lb/ft lb ft\n',
    reason: 'No diagrams: the triangular beam (L1) cannot be longer than the entire beam (L2).' },
  { name: 'a failed read', keys: '12abc\n', stdin: '12abc\n', reason: MISSING_ANSWERS },
  { name: 'Ctrl+D early', keys: '3 9\n\x04', stdin: '3 9\n', reason: MISSING_ANSWERS },
  { name: 'a failed save', keys: WORKED, stdin: WORKED, storageFull: true,
    largest: '21.7778 kN·m at x = 4.66667 m', saveError: "No space left in the browser's storage" },
];

let browser;
let darkBrowser = null; // Firefox's dark and still pages: it has no emulation of either
const work = mkdtempSync(join(tmpdir(), 'parabeam-browser-'));
// Firefox saves every page's downloads in one folder, set when it starts.
const FIREFOX_DOWNLOADS = join(work, 'downloads');

function launch({ dark = false } = {}) {
  mkdirSync(FIREFOX_DOWNLOADS, { recursive: true });
  return puppeteer.launch({ headless: true, userDataDir: join(work, dark ? 'profile-dark' : 'profile'),
    ...(FIREFOX ? { browser: 'firefox', executablePath: process.env.PARABEAM_FIREFOX, extraPrefsFirefox: {
      'browser.download.dir': FIREFOX_DOWNLOADS, 'browser.download.folderList': 2,
      'browser.download.always_ask_before_handling_new_types': false,
      ...(dark ? { 'layout.css.prefers-color-scheme.content-override': 0, 'ui.prefersReducedMotion': 1 } : {}) } }
      : { executablePath: process.env.PARABEAM_CHROMIUM,
        args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
          '--disable-background-networking', '--disable-component-update', '--disable-sync'] }),
  });
}

before(async () => {
  browser = await launch();
});

after(async () => {
  await browser?.close();
  await darkBrowser?.close();
  rmSync(work, { recursive: true, force: true });
});

// The console program in a fresh folder, without a terminal, once for each
// standard input given; its record file, or none when a folder stands in its way.
function runNative(stdinPerRun, { recordIsFolder = false } = {}) {
  const folder = mkdtempSync(join(work, 'native-'));
  if (recordIsFolder) mkdirSync(join(folder, 'data-values.dat'));
  const runs = stdinPerRun.map((stdin) => {
    const run = spawnSync('setsid', ['-w', NATIVE], { cwd: folder, input: stdin, timeout: 10000 });
    assert.equal(run.status, 0, `console program: ${run.stderr}`);
    return { transcript: run.stdout, errors: run.stderr.toString() };
  });
  const recordPath = join(folder, 'data-values.dat');
  const record = recordIsFolder ? Buffer.alloc(0) : readFileSync(recordPath);
  return { runs, record };
}

class PageSession {
  // downloads: the folder for downloads, which the browser has one of for all
  // its pages at a time; a new one when not given. failOnce: the first error
  // line the program writes throws inside the module, failing its run.
  // width: the viewport's, in CSS pixels; address: where the page is opened
  // (a link with answers, or a web server's address); dark: a dark theme and
  // reduced motion asked for.
  // beforeLoad: a function run in the page before its own scripts.
  static async open({ storageFull = false, timePrompt = false, downloads = null,
    failOnce = false, width = 1000, height = 1400, address = PAGE_URL, waitForPrompt = true,
    dark = false, beforeLoad = null } = {}) {
    const session = new PageSession();
    if (dark && FIREFOX) darkBrowser ??= await launch({ dark });
    session.page = await (dark && FIREFOX ? darkBrowser : browser).newPage();
    if (dark && !FIREFOX) {
      await session.page.emulateMediaFeatures([{ name: 'prefers-color-scheme', value: 'dark' },
        { name: 'prefers-reduced-motion', value: 'reduce' }]);
    }
    session.problems = [];
    session.page.on('pageerror', (error) => session.problems.push(`page error: ${error.message}`));
    session.page.on('console', (message) => {
      if (message.type() === 'error') session.problems.push(`console: ${message.text()}`);
    });
    session.page.on('request', (request) => {
      if (!/^(file|data|blob):/.test(request.url()) && request.url().split('#')[0] !== address.split('#')[0]) {
        session.problems.push(`request: ${request.url()}`);
      }
    });
    session.dialogsAnswered = 0;
    session.page.on('dialog', async (dialog) => {
      await (session.acceptDialogs ? dialog.accept() : dialog.dismiss());
      session.dialogsAnswered += 1;
    });
    if (beforeLoad) await session.page.evaluateOnNewDocument(beforeLoad);
    if (storageFull) {
      await session.page.evaluateOnNewDocument(() => {
        Storage.prototype.setItem = () => {
          throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
        };
      });
    }
    if (failOnce) {
      await session.page.evaluateOnNewDocument(() => {
        const decode = TextDecoder.prototype.decode;
        let failed = false;
        TextDecoder.prototype.decode = function decodeOrFail(...input) {
          const text = decode.apply(this, input);
          if (failed || !text.includes('data-values.dat')) return text;
          failed = true;
          throw new Error('the error line could not be shown');
        };
        // Each module the page makes is compiled and instantiated once.
        const instantiate = WebAssembly.instantiate;
        window.modulesMade = 0;
        WebAssembly.instantiate = (...input) => {
          window.modulesMade += 1;
          return instantiate.apply(WebAssembly, input);
        };
      });
    }
    if (timePrompt) {
      await session.page.evaluateOnNewDocument(() => {
        new MutationObserver((_, observer) => {
          if (!window.promptShownAt && document.querySelector('.xterm-rows')?.textContent.includes('(1) Enter')) {
            window.promptShownAt = performance.now();
          }
          if (document.getElementById('status')?.textContent.startsWith('Press any key')) {
            window.keyWaitAt = performance.now();
            observer.disconnect();
          }
        }).observe(document, { subtree: true, childList: true, characterData: true });
      });
    }
    if (FIREFOX) session.downloads = FIREFOX_DOWNLOADS;
    else {
      session.downloads = downloads ?? mkdtempSync(join(work, 'downloads-'));
      const cdp = await session.page.createCDPSession();
      await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: session.downloads });
    }
    await session.page.setViewport({ width, height });
    // A megabyte address is slow to pass through the browser's remote control
    // (up to 18 s in Firefox, while the page itself is ready in 2 s).
    await session.page.goto(address, { timeout: 60000 });
    if (waitForPrompt) await session.waitForConsole(/\(1\) Enter Value/);
    return session;
  }

  consoleText() {
    return this.page.$eval('.xterm-rows', (rows) => rows.textContent.replace(/\u00a0/g, ' '));
  }

  async waitForConsole(pattern) {
    await this.page.waitForFunction((source) =>
      new RegExp(source).test(document.querySelector('.xterm-rows')?.textContent ?? ''),
    { timeout: 10000, polling: 50 }, pattern.source);
  }

  async waitForStatus(text, timeout = 10000) {
    await this.page.waitForFunction((wanted) =>
      document.getElementById('status').textContent.includes(wanted),
    { timeout, polling: 50 }, text);
  }

  // inserted: characters arrive as text inserted without key events, as
  // dictation and some on-screen keyboards give them.
  async type(keys, { inserted = false } = {}) {
    for (const key of keys) {
      if (key === '\n') await this.page.keyboard.press('Enter');
      else if (inserted) await this.page.keyboard.sendCharacter(key);
      else if (key === '\b') await this.page.keyboard.press('Backspace');
      else if (key === '\x04') {
        await this.page.keyboard.down('Control');
        await this.page.keyboard.press('KeyD');
        await this.page.keyboard.up('Control');
      } else await this.page.keyboard.type(key);
    }
  }

  text(id) {
    return this.page.$eval(`#${id}`, (element) => element.innerText);
  }

  async download(buttonId, name) {
    const path = join(this.downloads, name);
    rmSync(path, { force: true });
    await this.page.click(`#${buttonId}`);
    // Firefox writes a download's bytes into NAME.part, then renames it;
    // Chromium into a .crdownload file, holding NAME empty meanwhile.
    const unfinished = () => existsSync(`${path}.part`) ||
      readdirSync(this.downloads).some((file) => file.endsWith('.crdownload'));
    // Both may also show NAME empty a moment before they begin: done once
    // it has stood, unchanged, with nothing unfinished beside it.
    let [last, steady] = [-1, 0];
    for (let waited = 0; steady < 4; waited += 50) {
      assert.ok(waited < 10000, `no download of ${name}`);
      await new Promise((done) => setTimeout(done, 50));
      const size = existsSync(path) && !unfinished() ? statSync(path).size : -1;
      steady = size >= 0 && size === last ? steady + 1 : 0;
      last = size;
    }
    return readFileSync(path);
  }

  // The answers put in the form's fields, in order, then Solve.
  async solveFromForm(answers) {
    const fields = await this.page.$$('#answers-form input');
    assert.equal(fields.length, answers.length);
    for (const [index, field] of fields.entries()) await field.type(answers[index]);
    await this.page.click('#solve');
  }

  // Clears data-values.dat, then goes back to the console, as a user would.
  async clearRecords() {
    this.acceptDialogs = true;
    const answered = this.dialogsAnswered;
    await this.page.click('#clear-records');
    // The confirmation is answered out of turn (with no records yet, waiting
    // for them to be gone is not enough): the records are gone once it is.
    for (let waited = 0; this.dialogsAnswered === answered; waited += 20) {
      assert.ok(waited < 10000, 'the confirmation was not answered');
      await new Promise((done) => setTimeout(done, 20));
    }
    await this.page.waitForFunction(() => Object.keys(window.localStorage)
      .every((key) => !key.startsWith('parabeam/')), { timeout: 10000, polling: 50 });
    await this.page.click('#console');
  }

  async close() {
    await this.page.close();
    assert.deepEqual(this.problems, []);
  }
}

function assertSameBytes(actual, expected, what) {
  if (actual.equals(expected)) return;
  let at = 0;
  while (at < actual.length && actual[at] === expected[at]) at += 1;
  assert.fail(`${what} differs from the console program's at byte ${at}: ` +
    `${JSON.stringify(actual.subarray(at, at + 60).toString())} instead of ` +
    `${JSON.stringify(expected.subarray(at, at + 60).toString())}`);
}

// "Ay = 9.33333 kN" and "By = ..." as the console program's result lines give them.
function reactionsOf(transcript) {
  return [...transcript.toString().matchAll(/^ --> {3}([AB]y = .*?) , Acting Upward/gm)]
    .map((match) => match[1]);
}

for (const row of CASES) {
  test(row.name, async () => {
    const native = runNative([row.stdin], { recordIsFolder: row.storageFull });
    const session = await PageSession.open({ storageFull: row.storageFull });
    await session.clearRecords();
    if (row.oneAnswerALine) {
      // Each prompt shows when the program reads, not before.
      assert.doesNotMatch(await session.consoleText(), /\(2\) Enter/);
      await session.type(row.keys.slice(0, row.keys.indexOf('\n') + 1));
      await session.waitForConsole(/\(2\) Enter/);
      assert.doesNotMatch(await session.consoleText(), /\(3\) Enter/);
      await session.type(row.keys.slice(row.keys.indexOf('\n') + 1));
    } else if (row.form) {
      await session.solveFromForm(row.form);
    } else {
      await session.type(row.keys, { inserted: row.inserted });
    }
    await session.waitForStatus('Press any key in the console to end the run.');
    if (row.form) {
      // The link is a typed run's: the lines the run read.
      assert.equal(await session.page.evaluate(() => window.location.hash),
        `#answers=v1:${Buffer.from(row.stdin).toString('base64url')}`);
      await session.page.click('#console');
    }
    const panel = await session.text('diagrams');
    if (process.env.PARABEAM_SCREENSHOT && row === CASES[0]) {
      await session.page.screenshot({ path: process.env.PARABEAM_SCREENSHOT, fullPage: true });
    }
    assert.equal(await session.page.$eval('#run-again', (button) => button.hidden), true);
    await session.page.keyboard.type('q');
    await session.waitForStatus('The run has ended.');
    assert.equal(await session.page.$eval('#run-again', (button) => button.hidden), false);

    const [nativeRun] = native.runs;
    assertSameBytes(await session.download('save-transcript', 'transcript.txt'),
      nativeRun.transcript, 'transcript');
    assertSameBytes(await session.download('download-records', 'data-values.dat'),
      native.record, 'data-values.dat');
    if (row.reason) {
      assert.equal(panel.trim().split('\n')[0], row.reason);
      assert.match(panel, /Nor is there any working by the method of sections/);
    } else {
      for (const reaction of reactionsOf(nativeRun.transcript)) assert.ok(panel.includes(reaction), reaction);
      assert.ok(panel.includes(`Largest sagging moment: ${row.largest} from Pt-A.`), panel);
    }
    if (row.saveError) {
      const line = nativeRun.errors.replace(/: [^:]*\n$/, `: ${row.saveError}`);
      assert.equal((await session.text('errors')).trim(), line);
    } else {
      assert.equal(nativeRun.errors, '');
      assert.equal(await session.page.$eval('#errors', (element) => element.hidden), true);
    }
    await session.close();
  });
}

// The moment prompt 1 is on the screen, taken inside the page, for the best of
// three loads (the machine may be busy with other work).
test('opens with the banner and prompt 1 waiting within a second', async (t) => {
  const times = [];
  for (let load = 0; load < 3; load += 1) {
    const session = await PageSession.open({ timePrompt: true });
    times.push(await session.page.evaluate(() => window.promptShownAt));
    const text = await session.consoleText();
    assert.match(text, /Zembrolin-!!!/);
    assert.doesNotMatch(text, /\(2\) Enter/);
    await session.close();
  }
  const best = Math.min(...times);
  t.diagnostic(`prompt 1 shown ${times.map(Math.round).join(', ')} ms after the page began to load`);
  assert.ok(best < 1000, `${best} ms`);
});

test('records accumulate across runs and reloads; clearing asks first', async () => {
  const answers = [WORKED, '2.5 7 3 6 1.25 -4.5 0 N/m N ft\n'];
  const native = runNative(answers);
  const session = await PageSession.open();
  await session.clearRecords();
  for (const [index, answer] of answers.entries()) {
    if (index > 0) {
      // Keyboard only: Run again follows the console, and the new run takes
      // the focus back.
      await session.page.keyboard.press('Tab');
      await session.page.keyboard.press('Enter');
      await session.waitForConsole(/\(1\) Enter Value/);
    }
    await session.type(answer);
    await session.waitForStatus('Press any key');
    await session.page.keyboard.press('Enter');
    await session.waitForStatus('The run has ended.');
  }
  // Opened anew without the answers (a reload would replay the last run).
  await session.page.goto(PAGE_URL);
  await session.waitForConsole(/\(1\) Enter Value/);
  assertSameBytes(await session.download('download-records', 'data-values.dat'), native.record,
    'data-values.dat after two runs and a reload');
  session.acceptDialogs = false;
  await session.page.click('#clear-records');
  assertSameBytes(await session.download('download-records', 'data-values.dat'), native.record,
    'data-values.dat after clearing was declined');
  await session.clearRecords();
  assert.equal((await session.download('download-records', 'data-values.dat')).length, 0);
  await session.close();
});

// Two pages of the same origin (two tabs) save at the same moment: each
// record is kept whole, after the one an earlier version of the page kept
// under its single key, and both pages read the same file.
test('two tabs saving at once keep both records, after the earlier single-key file', async () => {
  const answers = ['3 9 2 4 2 0 5 kN/m kN m\n', '2.5 7 3 6 1.25 -4.5 0 N/m N ft\n',
    '1500 4000 10 800 1200 7 -3 N/m N m\n'];
  const [earlier, first, second] = answers.map((answer) => runNative([answer]).record);
  // A tab in the background is not drawn, which clicks wait for: the tab
  // clicked or typed in is brought to the front first.
  const front = await PageSession.open();
  const tabs = [front, await PageSession.open({ downloads: front.downloads })];
  await tabs[0].page.bringToFront();
  await tabs[0].clearRecords();
  await tabs[0].page.evaluate((text) => localStorage.setItem('parabeam/data-values.dat', text),
    earlier.toString('latin1'));
  for (const [index, tab] of tabs.entries()) {
    await tab.page.bringToFront();
    await tab.type(answers[index + 1].trimEnd());
  }
  await Promise.all(tabs.map((tab) => tab.page.keyboard.press('Enter')));
  const eitherOrder = [Buffer.concat([earlier, first, second]), Buffer.concat([earlier, second, first])];
  for (const tab of tabs) {
    await tab.page.bringToFront();
    await tab.waitForStatus('Press any key');
    await tab.page.keyboard.press('Enter');
    await tab.waitForStatus('The run has ended.');
    const saved = await tab.download('download-records', 'data-values.dat');
    assert.ok(eitherOrder.some((expected) => saved.equals(expected)),
      `data-values.dat is not the earlier record and both new ones:\n${saved}`);
    assert.equal(await tab.page.$eval('#errors', (element) => element.hidden), true);
  }
  await tabs[1].clearRecords();
  await tabs[0].page.bringToFront();
  assert.equal((await tabs[0].download('download-records', 'data-values.dat')).length, 0);
  for (const tab of tabs) await tab.close();
});

// A run that fails inside the module (a call from it throws) says so and
// offers Run again, which gets a fresh module: its run is the console
// program's, byte for byte.
test('after a run that failed inside the module, the next run has a fresh module', async () => {
  const answers = '3 9 2 4 2 0 5 kN/m kN m\n';
  const native = runNative([answers], { recordIsFolder: true });
  const session = await PageSession.open({ storageFull: true, failOnce: true });
  await session.type(answers);
  await session.waitForStatus('The run stopped with an error: Error: the error line could not be shown');
  assert.equal(await session.page.$eval('#run-again', (button) => button.hidden), false);
  await session.page.keyboard.press('Tab'); // to Run again, which follows the console
  await session.page.keyboard.press('Enter');
  await session.waitForConsole(/\(1\) Enter Value/);
  assert.equal(await session.page.evaluate(() => window.modulesMade), 2);
  await session.type(answers);
  await session.waitForStatus('Press any key');
  await session.page.keyboard.press('Enter');
  await session.waitForStatus('The run has ended.');
  assertSameBytes(await session.download('save-transcript', 'transcript.txt'),
    native.runs[0].transcript, 'transcript of the run after the failed one');
  const line = native.runs[0].errors.replace(/: [^:]*\n$/, ": No space left in the browser's storage");
  assert.equal((await session.text('errors')).trim(), line);
  await session.close();
});

// The diagrams of awkward beams at desktop and phone widths: no label covers
// another or leaves its drawing, as Chromium lays out the text. Screenshots
// go to PARABEAM_DIAGRAM_SHOTS when it names a folder.
const DIAGRAM_CASES = [
  // Labels once lay on lines here at 390 px.
  { answers: '3 9 2 4 2 -7.5 5 kilonewtons-per-metre kilonewtons millimetres' },
  { answers: '3 9 2 4 2 0 5 kN/m kN m', shot: 'worked_example',
    labels: ['12 kN', '3 m', '6 kN', '7 m', 'L2 − L1 = 6 m', 'V = 0 at x = 4.66667 m',
      'largest sagging M = 21.7778 kN·m'] },
  // Both extremes and a point of contraflexure, each labelled and in the table.
  { answers: '4 8 1 -10 10 0 0 kN/m kN m', labels: ['largest sagging M = 27.2222 kN·m',
    'at x = 2.33333 m', 'largest hogging M = -3.62887 kN·m', 'at x = 6.36701 m',
    'M = 0 at x = 5.17157 m', 'V = 0 at x = 6.36701 m'],
  rows: [['V = 0', '2.33333', '0', '27.2222'], ['M = 0 (contraflexure)', '5.17157', '-6.66667', '0'],
    ['V = 0', '6.36701', '0', '-3.62887']] },
  { answers: '0.001 1000 2 1e6 1e-3 0 0 kN/m kN m', shot: 'tiny_triangle_large_weight',
    labels: ['1e+006 kN/m'] },
  { answers: '8.28388 8.545 1.89 8901.5 -4.8307 6.7 0.7 kN/m kN m', shot: 'close_points',
    labels: ['Ax = 6.7 kN', '4.8307 kN/m upward'] },
  { answers: '9e-6 9 2 4 2 0 0 kN/m kN m' }, // tiny L1
  { answers: '9 9 2 4 2 0 0 kN/m kN m' }, // L1 = L2
  { answers: '0 9 2 4 2 0 0 kN/m kN m' }, // L1 = 0
  { answers: '8 9 2 -40 3 0 0 kN/m kN m', downward: 'Ay = 91.9815 kN' },
  { answers: '3 9 2 4 2 -1.23456e7 9.87654e8 abcdefghijklmnopqrs ABCDEFGHIJKLMNOPQRS WWWWWWWWWWWWWWWWWWW' },
];

// Every label of the diagrams: its box, its SVG's box, its text.
function diagramTexts(page) {
  return page.$$eval('#diagrams svg', (svgs) => svgs.flatMap((svg) => {
    const outer = svg.getBoundingClientRect();
    return [...svg.querySelectorAll('text.label')].map((text) => {
      const { left, right, top, bottom } = text.getBoundingClientRect();
      // A label in several lines reads as its lines one after another.
      const lines = [...text.querySelectorAll('tspan')].map((line) => line.textContent);
      return { text: lines.length > 0 ? lines.join(' ') : text.textContent, box: { left, right, top, bottom },
        svg: { left: outer.left, right: outer.right, top: outer.top, bottom: outer.bottom } };
    });
  }));
}

test('diagram labels apart and inside at 1280, 390 and 320 px', async (t) => {
  const session = await PageSession.open();
  for (const row of DIAGRAM_CASES) {
    await t.test(row.answers, async () => {
      for (const width of [1280, 390, 320]) {
        await session.page.setViewport({ width, height: 900 });
        await session.page.evaluate(() => window.scrollTo(0, 0));
        if (await session.page.$eval('#run-again', (button) => !button.hidden)) {
          await session.page.click('#run-again');
          await session.waitForConsole(/\(1\) Enter Value/);
        }
        await session.page.click('#console');
        await session.type(`${row.answers}\n`);
        await session.waitForStatus('Press any key');
        await session.page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
        const texts = await diagramTexts(session.page);
        assert.ok(texts.length > 12, `${texts.length} labels`);
        const apart = (a, b) => a.right <= b.left + 0.5 || b.right <= a.left + 0.5 ||
          a.bottom <= b.top + 0.5 || b.bottom <= a.top + 0.5;
        texts.forEach(({ text, box, svg }, index) => {
          assert.ok(box.left >= svg.left - 0.5 && box.right <= svg.right + 0.5 &&
            box.top >= svg.top - 0.5 && box.bottom <= svg.bottom + 0.5,
          `${width} px: "${text}" leaves its drawing`);
          for (const other of texts.slice(index + 1)) {
            assert.ok(apart(box, other.box), `${width} px: "${text}" covers "${other.text}"`);
          }
        });
        // Nothing drawn lies under a label, as the browser finds it at points
        // across each label: shaded areas only (no line, no leader).
        const covered = await session.page.$$eval('#diagrams svg text.label', (labels) => labels.flatMap((label) => {
          const passable = new Set(['area', 'cursor', 'diagram has-cursor', 'diagram', 'paper']);
          label.scrollIntoView({ block: 'center', inline: 'center' }); // points off screen hit nothing
          const box = label.getBoundingClientRect();
          const found = [];
          for (let i = 1; i < 6; i += 1) {
            for (let j = 1; j < 4; j += 1) {
              const at = [box.left + box.width * i / 6, box.top + box.height * j / 4];
              for (const element of document.elementsFromPoint(...at)) {
                if (!element.closest('svg') || ['text', 'tspan', 'svg'].includes(element.tagName)) continue;
                const cls = element.closest('[class]')?.getAttribute('class') ?? '';
                if (!passable.has(cls)) found.push(`"${label.textContent}" on ${cls} ${element.tagName}`);
              }
            }
          }
          return [...new Set(found)];
        }));
        assert.deepEqual(covered, [], `${width} px`);
        // Long unit words and narrow screens: the table scrolls in its box, never the page.
        assert.ok(await session.page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth),
          `${width} px: the page scrolls sideways`);
        const svgWidth = await session.page.$eval('#diagrams svg', (svg) => svg.getBoundingClientRect().width);
        const panelWidth = await session.page.$eval('#diagrams', (panel) => panel.clientWidth);
        assert.ok(svgWidth >= panelWidth - 1, `${width} px: drawn ${svgWidth} px of ${panelWidth}`);
        const all = texts.map(({ text }) => text);
        for (const label of row.labels ?? []) {
          assert.ok(all.some((text) => text.includes(label)), `${width} px: no "${label}" in ${all}`);
        }
        if (row.downward) {
          assert.ok(all.some((text) => text.includes(row.downward) && text.includes('acting downward')));
          const downward = await session.page.$$eval('#diagrams svg g.arrow line',
            (lines) => lines.filter((line) => Number(line.getAttribute('y2')) > Number(line.getAttribute('y1'))).length);
          assert.ok(downward >= 1, 'a reaction arrow points down');
        }
        // Text alternatives: each drawing names its values; the table holds them too.
        const alternatives = await session.page.$$eval('#diagrams .drawings svg[role="img"] desc',
          (descs) => descs.map((desc) => desc.textContent));
        assert.equal(alternatives.length, 4);
        const table = await session.page.$eval('#diagrams table caption + thead th[scope="col"]',
          (th) => th.closest('table').innerText);
        for (const point of ['Pt-A', 'Pt-B', 'Largest (sagging|hogging) moment']) assert.match(table, new RegExp(point));
        // Where V or M is 0 by how the point was found, the table says 0, not rounding noise.
        const cells = await session.page.$$eval('#diagrams table tbody tr', (rows) =>
          rows.map((row) => [...row.cells].map((cell) => cell.textContent)));
        for (const cells_ of cells) assert.doesNotMatch(cells_.join(' '), /e-(0(09|[1-9]\d)|[1-9]\d\d)\b/);
        for (const row_ of row.rows ?? []) {
          assert.ok(cells.some((cells_) => cells_[0].includes(row_[0]) &&
            cells_.slice(1).join() === row_.slice(1).join()), `${row_} in ${cells.join(' | ')}`);
        }
        if (process.env.PARABEAM_DIAGRAM_SHOTS && row.shot && width !== 320) {
          const diagrams = await session.page.$('#diagrams');
          await diagrams.screenshot({ path: join(process.env.PARABEAM_DIAGRAM_SHOTS, `${row.shot}_${width}.png`) });
        }
        await session.page.keyboard.press('Enter');
        await session.waitForStatus('The run has ended.');
      }
    });
  }
  await session.close();
});

// ---- For every reader, on every screen, on paper, in a link, at the keys ----

async function runToKeyWait(session, keys) {
  await session.type(keys);
  await session.waitForStatus('Press any key in the console to end the run.');
}

function linesOf(bytes) {
  return bytes.toString().split('\n').map((line) => line.trimEnd());
}

// After a run with diagrams, in a light theme and in a dark one on a phone
// (its values table scrolling in its box), the page has no violation axe-core knows of. Screen readers have the whole transcript, lines
// whole (not the console's rows), and the live region gives the result in a
// few words; the console shows where the focus is. Asked for less motion, the
// cursor does not blink.
test('for every reader: the whole transcript, short news, no axe-core violations, a focus ring', async (t) => {
  const [{ transcript }] = runNative([WORKED_EXAMPLE]).runs;
  for (const dark of [false, true]) {
    await t.test(dark ? 'dark, less motion' : 'light', async () => {
      const session = await PageSession.open({ dark, width: dark ? 320 : 1000, height: dark ? 568 : 1400 });
      await session.page.click('#console');
      assert.equal(await session.page.evaluate(() => document.querySelector('.xterm-cursor-blink') !== null), !dark);
      await runToKeyWait(session, WORKED_EXAMPLE);
      const heard = await session.page.evaluate(() => {
        const heardAt = (element) => !element.closest('[aria-hidden="true"]') &&
          (element.checkVisibility() || element.closest('.transcript-panel') !== null);
        const transcript = document.getElementById('transcript');
        return { transcript: heardAt(transcript) && transcript.textContent,
          rows: heardAt(document.querySelector('.xterm-rows')), news: document.getElementById('news').textContent,
          live: [...document.querySelectorAll('[aria-live], [role="status"], [role="alert"]')].map(({ id }) => id),
          background: window.getComputedStyle(document.documentElement).backgroundColor };
      });
      // The transcript as the console showed it, the typed answers where they were read.
      const shown = transcript.toString().replace(/Above = /, `Above = ${WORKED_EXAMPLE}`);
      // Each practice value's verdict is announced where it is typed.
      heard.live = heard.live.filter((id) => !id.startsWith('verdict-'));
      assert.deepEqual(heard, { transcript: shown, rows: false,
        news: 'Ay = 9.33333 kN, By = 8.66667 kN; diagrams drawn',
        live: ['status', 'errors', 'link-note', 'news', 'form-note', 'read-out-value', 'download-note'],
        background: dark ? 'rgb(21, 23, 26)' : 'rgb(255, 255, 255)' });
      if (!FIREFOX) {
        // What Chromium gives screen readers (an inline text box is a part of its text): each line once.
        const names = (node) => [node.role === 'InlineTextBox' ? '' : node.name ?? '',
          ...(node.children ?? []).flatMap(names)];
        const all = names(await session.page.accessibility.snapshot({ interestingOnly: false })).join('\n');
        for (const line of [' (1) Enter Value For The Length(L1) Of The Triangular Beam(Shape) Above = ',
          ' -->   Ay = 9.33333 kN , Acting Upward']) assert.equal(all.split(line).length, 2, line);
      }
      const ring = await session.page.$eval('#console', (element) => {
        const style = window.getComputedStyle(element);
        return `${style.outlineStyle} ${style.outlineWidth}`;
      });
      assert.equal(ring, 'solid 3px');
      const axeSource = readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');
      await session.page.evaluate(axeSource);
      const violations = await session.page.evaluate(async () => (await window.axe.run(document))
        .violations.map((found) => `${found.id}: ${found.nodes.map((node) => node.target).join(', ')}`));
      assert.deepEqual(violations, []);
      await session.close();
    });
  }
});

// The console keeps the program's 80 columns: the banner's figure lines stand
// whole on the screen, a longer line breaks after exactly 80 characters, and
// a narrow screen scrolls the console sideways, back to the lines' start at
// the key wait. At the opening the cursor, at the end of prompt 1, is in view
// (on phones' screens too), and every button and field is a 44 px tap target.
const SCREENS = [
  { width: 1000, height: 900, scrolls: false },
  { width: 390, height: 844, scrolls: true },
  { width: 320, height: 568, scrolls: true },
];

test('on every screen: 80 columns, the figure whole, sideways scrolling where narrow', async (t) => {
  const [{ transcript }] = runNative(['']).runs;
  const banner = linesOf(transcript);
  const figure = banner.slice(banner.findIndex((line) => line.startsWith(' Pt-D')),
    banner.findIndex((line) => line.includes('Second Length(L2)')) + 1);
  const longLine = banner.find((line) => line.startsWith(' [1] A => '));
  assert.ok(figure.length > 15 && longLine.length > 80);
  for (const row of SCREENS) {
    await t.test(`${row.width} px`, async () => {
      const session = await PageSession.open({ width: row.width, height: row.height });
      assert.ok(await session.page.$eval('.xterm-rows .xterm-cursor', (cursor) => {
        const [box, inside] = [cursor.getBoundingClientRect(), document.getElementById('console').getBoundingClientRect()];
        return box.left >= inside.left && box.right <= inside.right && box.bottom <= window.innerHeight;
      }), 'the cursor is out of view');
      // A checkbox or radio button is tapped by its row, its label beside it.
      assert.deepEqual(await session.page.$$eval('button:not([hidden]), input', (targets) =>
        targets.filter((target) => (target.closest('.choice, .print-choice') ?? target)
          .getBoundingClientRect().height < 44).map(({ id }) => id)), []);
      const screen = await session.page.evaluate(() => {
        const box = document.getElementById('console');
        return {
          rows: [...document.querySelectorAll('.xterm-rows > div')]
            .map((rowElement) => rowElement.textContent.replace(/\u00a0/g, ' ').trimEnd()),
          scrolls: box.scrollWidth > box.clientWidth,
          font: parseFloat(window.getComputedStyle(document.querySelector('.xterm-rows')).fontSize),
        };
      });
      for (const line of figure) assert.ok(screen.rows.includes(line), `not whole: ${line}`);
      const start = screen.rows.find((text) => text.startsWith(' [1] A => '));
      if (start !== undefined) assert.equal(start, longLine.slice(0, 80).trimEnd());
      assert.equal(screen.scrolls, row.scrolls);
      assert.ok(screen.font >= 12, `font ${screen.font}px`);
      // Typing scrolls a narrow console sideways; at the key wait its lines
      // show from their first column again.
      await runToKeyWait(session, WORKED_EXAMPLE);
      assert.equal(await session.page.$eval('#console', (box) => box.scrollLeft), 0);
      await session.close();
    });
  }
});

// Printed after the worked example: the console program's whole transcript,
// on A4 and on Letter, then the diagrams, and no button. Compared without
// blanks and line ends, every other character in order and nothing between:
// a PDF keeps glyphs at positions, from which pdftotext guesses the blanks (a
// run of them may come back a column longer or shorter), and lines longer
// than the page's 80 columns break at a blank or after a hyphen.
test('on paper, a handout: the problem, the answers, V and M, the working, the table, then the transcript', async (t) => {
  const [{ transcript }] = runNative([WORKED_EXAMPLE]).runs;
  const withoutBlanks = (text) => text.replace(/\s+/g, '');
  // As the console showed it: the typed answers after the first prompt.
  const shown = transcript.toString().replace(/Above = /, `Above = ${WORKED_EXAMPLE}`);
  const expected = withoutBlanks(shown);
  const session = await PageSession.open();
  await runToKeyWait(session, WORKED_EXAMPLE);
  for (const format of ['A4', 'Letter']) {
    await t.test(format, async () => {
      const pdf = join(work, `printed-${format}.pdf`);
      writeFileSync(pdf, await session.page.pdf({ format }));
      const text = spawnSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' });
      assert.equal(text.status, 0, text.stderr);
      // Every page is numbered at its foot (Firefox numbers pages itself, in
      // its print dialog's footer, and has no @page margin boxes); the numbers
      // are left out of the comparison.
      if (!FIREFOX) assert.match(text.stdout, /Page 1 of \d+/);
      const printed = withoutBlanks(text.stdout).replace(/Page\d+of\d+/g, '');
      const start = printed.indexOf(expected.slice(0, 40));
      assert.ok(start >= 0, 'the transcript is not printed');
      assert.equal(printed.slice(start, start + expected.length), expected);
      // The handout's order, the transcript last.
      const places = ['Beam:L1=3m', 'Ay=9.33333kN,actingupward', 'ShearforceV(kN)', 'BendingmomentM(kN·m)',
        'Thewholebeam:thereactionsAyandBy', 'ShearforceVandbendingmomentMalongthebeam']
        .map((words) => [words, printed.indexOf(words)]);
      for (const [words, at] of places) assert.ok(at >= 0, `"${words}" is not printed`);
      assert.deepEqual(places.map(([words]) => words), places.toSorted((p, q) => p[1] - q[1]).map(([words]) => words));
      assert.ok(places.every(([, at]) => at < start), 'the transcript is not last');
      // The pages of the diagrams: no word under 8 pt.
      const boxes = spawnSync('pdftotext', ['-bbox', pdf, '-'], { encoding: 'utf8' }).stdout;
      const diagramPages = boxes.split('<page ').filter((page) => page.includes('>Shear<'));
      assert.ok(diagramPages.length > 0, 'no page of diagrams');
      for (const page of diagramPages) {
        for (const [, yMin, yMax, word] of page.matchAll(/yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</g)) {
          assert.ok(yMax - yMin >= 7.9, `"${word}" is ${(yMax - yMin).toFixed(1)} pt high`);
        }
      }
      assert.doesNotMatch(text.stdout, /Run again|Save transcript|Copy link/);
    });
  }
  await t.test('the transcript left out', async () => {
    await session.page.click('#print-transcript');
    const pdf = join(work, 'printed-without-transcript.pdf');
    writeFileSync(pdf, await session.page.pdf({ format: 'A4' }));
    const printed = withoutBlanks(spawnSync('pdftotext', [pdf, '-'], { encoding: 'utf8' }).stdout);
    assert.ok(printed.includes('BendingmomentM(kN·m)'));
    assert.ok(!printed.includes(expected.slice(0, 40)), 'the transcript is printed');
  });
  await session.close();
});

test('Download diagrams (SVG) saves one self-contained drawing', async () => {
  const session = await PageSession.open();
  await session.type('3 9 2 4 2 0 5 kN/m kN m\n');
  await session.waitForStatus('Press any key');
  const svg = (await session.download('download-diagrams-svg', 'diagrams.svg')).toString();
  assert.match(svg, /^<svg xmlns="http:\/\/www.w3.org\/2000\/svg"/);
  assert.doesNotMatch(svg, /href|url\(|<style|class="[^"]*"[^>]*>\s*$/);
  for (const label of ['12 kN', '7 m', 'largest sagging M = 21.7778 kN·m', 'L1 = 3 m, L2 = 9 m, H = 2 m',
    'Sign convention: sagging bending moments are positive', '>Where<', '>Largest sagging moment; V = 0<',
    '>4.66667<', '>21.7778<']) assert.ok(svg.includes(label), label);
  const png = await session.download('download-diagrams-png', 'diagrams.png');
  assert.equal(png.subarray(1, 4).toString(), 'PNG');
  await session.close();
});

// V and M at any x, by the program: typed in the field, or with the keys on
// the moment drawing; during the key wait, and after the run.
test('the read-out at any x', async () => {
  const session = await PageSession.open();
  await runToKeyWait(session, WORKED_EXAMPLE);
  const readOut = async (typed) => {
    await session.page.$eval('#read-out-x', (field) => { field.value = ''; });
    await session.page.type('#read-out-x', typed);
    return session.text('read-out-value');
  };
  for (const [typed, shown] of [['2.5', 'At x = 2.5 m: V = 4.33333 kN, M = 17.0833 kN·m.'],
    ['7.5', 'At x = 7.5 m: V = -7.16667 kN, M = 12.25 kN·m.'],
    ['12', 'x = 12 m is off the beam, which runs from Pt-A (x = 0) to Pt-B (x = 9 m).'],
    ['2,5', 'Type x as a number, such as 2.5: a distance from Pt-A, from 0 to 9 m.']]) {
    assert.equal(await readOut(typed), shown);
  }
  // A pointer on the largest moment's mark reads out its x, on the drawing's own scale.
  const mark = await (await session.page.$('#diagrams figure:last-of-type svg circle.mark')).boundingBox();
  await session.page.mouse.click(mark.x + mark.width / 2, mark.y + mark.height / 2);
  assert.match(await session.text('read-out-value'), /^At x = 4\.66\d* m: /);
  await session.page.$eval('#diagrams figure:last-of-type svg', (svg) => svg.focus());
  await session.page.keyboard.press('End');
  assert.equal(await session.text('read-out-value'), 'At x = 9 m: V = -8.66667 kN, M = 0 kN·m.');
  await session.page.keyboard.press('ArrowLeft');
  assert.equal(await session.text('read-out-value'), 'At x = 8.91 m: V = -8.66127 kN, M = 0.779838 kN·m.');
  // The values at the cursor itself, on both drawings.
  assert.deepEqual(await session.page.$$eval('#diagrams svg .cursor-values', (values) =>
    values.map((text) => text.textContent)), ['V = -8.66127 kN, M = 0.779838 kN·m',
    'V = -8.66127 kN, M = 0.779838 kN·m']);
  // PageUp and PageDown: the key points, Pt-E at 6 and V = 0 at 4.66667.
  for (const [key, at] of [['PageUp', 'At x = 6 m: V = -2.66667 kN, M = 20 kN·m.'],
    ['PageUp', 'At x = 4.66667 m: V = 0 kN, M = 21.7778 kN·m.'], ['PageUp', /^At x = 0 m: V = 9.33333 kN/],
    ['PageDown', 'At x = 4.66667 m: V = 0 kN, M = 21.7778 kN·m.']]) {
    await session.page.keyboard.press(key);
    if (typeof at === 'string') assert.equal(await session.text('read-out-value'), at, key);
    else assert.match(await session.text('read-out-value'), at, key);
  }
  await session.page.click('#console');
  await session.page.keyboard.press('Enter');
  await session.waitForStatus('The run has ended.');
  assert.equal(await readOut('2.5'), 'At x = 2.5 m: V = 4.33333 kN, M = 17.0833 kN·m.');
  await session.close();
});

// Answers at the ends of what a double holds, one a line: every run reaches
// the key wait, with no console error (PageSession.close checks) and no
// coordinate that is not a number. First those found to hang or break the
// drawing, then a sweep of combinations drawn from the same ends.
test('extreme answers never hang or break the page', async () => {
  const ends = ['0', '-0', '2.3e-308', '1e-300', '-1e-300', '1e-160', '1', '-2', '1e154', '1e155',
    '1e308', '-1e308', '1.7976931348623157e308'];
  let seed = 20261208;
  const pick = () => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return ends[seed % ends.length];
  };
  const cases = [['0', '2.3e-308', '0', '1', '1', '0', '0'],
    ['1e-160', '1', '-2', '1e154', '1.7976931348623157e308', '1e-160', '1e155'],
    ['-0', '2.3e-308', '0', '1e308', '-1e-300', '1e308', '-2'],
    ['1e154', '1e154', '2.3e-308', '1', '0', '-1e-300', '1e-160']];
  for (let index = 0; index < 12; index += 1) cases.push(Array.from({ length: 7 }, pick));
  const session = await PageSession.open();
  for (const numbers of cases) {
    if (await session.page.$eval('#run-again', (button) => !button.hidden)) {
      await session.page.click('#run-again');
      await session.waitForConsole(/\(1\) Enter Value/);
    }
    await session.page.click('#console');
    await session.type(`${[...numbers, 'u', 'v', 'w'].join('\n')}\n`);
    await session.waitForStatus('Press any key');
    const broken = await session.page.$$eval('#diagrams svg *', (elements) => elements.filter((element) =>
      [...element.attributes].some((attribute) => /NaN|Infinity/.test(attribute.value))).length);
    assert.equal(broken, 0, numbers.join(' '));
    const panel = await session.text('diagrams');
    assert.doesNotMatch(panel, /could not be drawn/, numbers.join(' '));
    await session.page.keyboard.press('Enter');
    await session.waitForStatus('The run has ended.');
  }
  await session.close();
});

// A link made by a run replays it: opened from the file or from a web server,
// the page types the answers the run read and stops at the key wait, with the
// console program's bytes. Its fragment holds those bytes in base64url.
// Opening a link saves the run's record; reloading it does not save it again.
const LINKS = [
  { name: 'the worked example, from the file, then reloaded', keys: WORKED_EXAMPLE, stdin: WORKED_EXAMPLE,
    reload: true },
  { name: 'the worked example, from a web server', keys: WORKED_EXAMPLE, stdin: WORKED_EXAMPLE,
    served: true },
  { name: 'answers corrected with Backspace, one a line, opened in the page already open',
    keys: '2.5\n7\n3\n7\b6\n1.25\n-4.5\n0\nN/m\nN\nft\n', stdin: '2.5\n7\n3\n6\n1.25\n-4.5\n0\nN/m\nN\nft\n',
    inPage: true },
  { name: 'Ctrl+D early', keys: '3 9\n\x04', stdin: '3 9\n', read: '3 9\n\x04' },
  // Lines of white space alone the replay hands over with the line after them.
  { name: 'empty and blank lines among the answers', keys: '\n  \n3 9\n\n \n2 4 2 0 5 kN/m kN m\n',
    stdin: '\n  \n3 9\n\n \n2 4 2 0 5 kN/m kN m\n' },
  { name: 'a long unit word', keys: `3 9 2 4 2 0 5 kN/m kN ${'furlong'.repeat(100)}\n`,
    stdin: `3 9 2 4 2 0 5 kN/m kN ${'furlong'.repeat(100)}\n` },
];

test('a link replays the run: the answers in the fragment, typed in up to the key wait', async (t) => {
  const server = createServer((request, response) => {
    response.setHeader('Content-Type', 'text/html; charset=utf-8');
    response.end(readFileSync(resolve(process.env.PARABEAM_PAGE)));
  });
  await new Promise((listening) => server.listen(0, '127.0.0.1', listening));
  try {
    for (const row of LINKS) {
      await t.test(row.name, async () => {
        const [nativeRun] = runNative([row.stdin]).runs;
        const home = row.served ? `http://127.0.0.1:${server.address().port}/parabeam.html` : PAGE_URL;
        const first = await PageSession.open({ address: home });
        await runToKeyWait(first, row.keys);
        const link = await first.page.evaluate(() => window.location.href);
        const fragment = Buffer.from(row.read ?? row.stdin).toString('base64url');
        assert.equal(link, `${home}#answers=v1:${fragment}`);
        await first.close();
        const replay = await PageSession.open({ address: row.inPage ? home : link, downloads: first.downloads,
          waitForPrompt: Boolean(row.inPage) });
        // Opened in the page already open: only the fragment changes.
        if (row.inPage) await replay.page.evaluate((hash) => { window.location.hash = hash; }, new URL(link).hash);
        await replay.waitForStatus('Press any key in the console to end the run.');
        assert.equal(await replay.page.evaluate(() => window.location.href), link);
        if (row.reload) {
          const saved = await replay.download('download-records', 'data-values.dat');
          assert.match(saved.toString(), /kN/);
          await replay.page.reload();
          await replay.waitForStatus('Press any key in the console to end the run.');
          assert.match(await replay.text('status'), /reloaded: its record was saved when it first ran/);
          assertSameBytes(await replay.download('download-records', 'data-values.dat'), saved,
            'data-values.dat after a reload');
          await replay.page.click('#console');
        }
        await replay.page.keyboard.press('q');
        await replay.waitForStatus('The run has ended.');
        assertSameBytes(await replay.download('save-transcript', 'transcript.txt'), nativeRun.transcript,
          'transcript of the replayed run');
        await replay.close();
      });
    }
  } finally {
    server.close();
  }
});

const UNREADABLE_LINKS = [
  ['#answers=v2:MyA5Cg', 'its answers are not in the form "v1:"'],
  ['#answers=v1:My%20A5', 'its answers are not base64url'],
  ['#answers=v1:_w', 'its answers are not UTF-8 text'],
  ['#answers=v1:G1tB', 'its answers hold ESC, which cannot be typed at the console'], // "\x1b[A"

  ['#somewhere', 'it does not begin with "#answers="'],
];

test('a link whose answers cannot be read says so and starts a normal run', async (t) => {
  for (const [fragment, reason] of UNREADABLE_LINKS) {
    await t.test(fragment, async () => {
      const session = await PageSession.open({ address: `${PAGE_URL}${fragment}` });
      await session.waitForStatus(`This address's answers cannot be read: ${reason}. Type each answer`);
      assert.equal(await session.page.evaluate(() => window.location.hash), '');
      await runToKeyWait(session, WORKED_EXAMPLE);
      await session.close();
    });
  }
});

// Copy link puts the address on the clipboard; where the clipboard's API
// refuses, the page copies a selection, and failing that shows the link.
const COPYING = [
  { clipboard: true, selection: false, note: 'Link copied' },
  { clipboard: false, selection: true, note: 'Link copied' },
  { clipboard: false, selection: false, note: 'Copy this link by hand: ' },
];

test('Copy link copies the address with the answers', async (t) => {
  const session = await PageSession.open();
  assert.equal(await session.page.$eval('#copy-link', (button) => button.hidden), true);
  await runToKeyWait(session, WORKED_EXAMPLE);
  const link = await session.page.evaluate(() => window.location.href);
  for (const row of COPYING) {
    await t.test(JSON.stringify(row), async () => {
      const copied = await session.page.evaluate(async ({ clipboard, selection }) => {
        const taken = [];
        Object.defineProperty(navigator, 'clipboard', { configurable: true, value: {
          writeText: async (text) => {
            if (!clipboard) throw new DOMException('refused', 'NotAllowedError');
            taken.push(text);
          } } });
        // What the copy would take: the text selected in the focused field.
        document.execCommand = (command) => {
          const field = document.activeElement;
          taken.push(`${command}: ${field.value?.slice(field.selectionStart, field.selectionEnd)}`);
          return selection;
        };
        document.getElementById('copy-link').click();
        await new Promise((done) => setTimeout(done, 50));
        return { taken, note: document.getElementById('link-note').textContent };
      }, row);
      assert.deepEqual(copied.taken, row.clipboard ? [link] : [`copy: ${link}`]);
      assert.ok(copied.note.startsWith(row.note), copied.note);
      if (!row.clipboard && !row.selection) assert.ok(copied.note.endsWith(link));
    });
  }
  await session.close();
});

// At the key wait these keys scroll the console and the run goes on; any
// other key ends it. Each row: the key, and the rows it scrolls (up < 0).
const SCROLLING = [
  { key: 'PageUp', by: 'page', up: true },
  { key: 'PageDown', by: 'page', up: false },
  { key: 'Shift+ArrowUp', by: 'line', up: true },
  { key: 'Shift+ArrowDown', by: 'line', up: false },
  { key: 'Shift+PageUp', by: 'page', up: true },
  { key: 'Shift+PageDown', by: 'page', up: false },
];

test('at the key wait, PageUp, PageDown and Shift with the arrows scroll; another key ends the run', async () => {
  const session = await PageSession.open({ height: 700 });
  await runToKeyWait(session, WORKED_EXAMPLE);
  const rows = () => session.page.$$eval('.xterm-rows > div', (elements) =>
    elements.map((element) => element.textContent));
  for (const { key, by, up } of SCROLLING) {
    const before = await rows();
    const [modifier, name] = key.includes('+') ? key.split('+') : [null, key];
    if (modifier) await session.page.keyboard.down(modifier);
    await session.page.keyboard.press(name);
    if (modifier) await session.page.keyboard.up(modifier);
    await session.page.waitForFunction((old) => [...document.querySelectorAll('.xterm-rows > div')]
      .some((element, index) => element.textContent !== old[index]), { timeout: 5000, polling: 50 }, before);
    const after = await rows();
    const shift = after.findIndex((text) => text === (up ? before[0] : before[before.length - 1]));
    if (by === 'line') assert.deepEqual(after.slice(up ? 1 : 0, up ? undefined : -1), before.slice(up ? 0 : 1, up ? -1 : undefined), key);
    else assert.ok(up ? shift > 1 : shift < before.length - 2, `${key}: moved to ${shift}`);
    assert.match(await session.text('status'), /Press any key/, key);
  }
  await session.page.keyboard.press('ArrowUp');
  await session.waitForStatus('The run has ended.');
  await session.close();
});

// Keys typed, or a line pasted, beyond what the run reads end its key wait;
// none of them starts another run. The pasted line of a megabyte reaches the
// key wait in a few seconds, and so does a link with the same answers, from
// the page's opening (about 2 s here; the bounds are generous for a busy
// machine). Firefox takes addresses of up to 1 MB: its link holds 700 KB.
test('input beyond the run ends it and never starts another; a pasted megabyte and its link are quick', async (t) => {
  const megabyte = `3 9 2 4 2 0 5 kN/m kN ${'x'.repeat(1 << 20)}\n`;
  const linked = FIREFOX ? `3 9 2 4 2 0 5 kN/m kN ${'x'.repeat(700 << 10)}\n` : megabyte;
  for (const row of [{ name: 'typed', keys: `${WORKED_EXAMPLE}${WORKED_EXAMPLE} \n` },
    { name: 'pasted', paste: `${megabyte}${WORKED_EXAMPLE}\n\n`, stdin: megabyte },
    { name: 'a link', link: `#answers=v1:${Buffer.from(linked).toString('base64url')}`, stdin: linked }]) {
    await t.test(row.name, async () => {
      const [nativeRun] = runNative([row.stdin ?? WORKED_EXAMPLE]).runs;
      const session = await PageSession.open(row.link
        ? { address: `${PAGE_URL}${row.link}`, timePrompt: true, waitForPrompt: false } : {});
      const started = Date.now();
      if (row.link) {
        await session.waitForStatus('Press any key', 60000);
        const seconds = await session.page.evaluate(() => window.keyWaitAt / 1000);
        t.diagnostic(`a link of ${linked.length} bytes: ${seconds} s from the page's opening to the key wait`);
        assert.ok(seconds < 10, `${seconds} s`);
        await session.page.click('#console');
        await session.page.keyboard.press('q');
      } else if (row.keys) await session.type(row.keys);
      else {
        await session.page.evaluate((text) => {
          const pasted = new DataTransfer();
          pasted.setData('text/plain', text);
          // Firefox takes the text from dataType and data, Chromium from clipboardData.
          document.querySelector('.xterm-helper-textarea').dispatchEvent(new ClipboardEvent('paste',
            { clipboardData: pasted, dataType: 'text/plain', data: text, bubbles: true, cancelable: true }));
        }, row.paste);
      }
      await session.waitForStatus('The run has ended.');
      if (row.paste) {
        const seconds = (Date.now() - started) / 1000;
        t.diagnostic(`a pasted megabyte: ${seconds} s to the end of the run`);
        assert.ok(seconds < 10, `${seconds} s`);
      }
      await new Promise((done) => setTimeout(done, 300));
      assert.match(await session.text('status'), /^The run has ended\./);
      assert.notEqual(await session.page.evaluate(() => document.activeElement.id), 'run-again');
      assertSameBytes(await session.download('save-transcript', 'transcript.txt'), nativeRun.transcript,
        'transcript');
      await session.close();
    });
  }
});

// Answers that would act on the console as commands (xterm reads U+0080 to
// U+009F as C1 controls): wipe it, swallow the rest, hide every row, make the
// rest a link, move the cursor up and write over the results. The program
// reads the bytes as they are (transcript and record are the console
// program's); the console shows each such character as a mark, and the
// results and the key wait stay in view.
const HOSTILE_UNITS = [
  ['kN/m', 'kN\u009b2J\u009b3J', 'm'],
  ['kN/m\u0098', 'kN', 'm'],
  ['kN/m', 'kN', '\u009b8m'],
  ['kN/m', 'kN\u009d8;;https://x.co\u009c', 'm'],
  ['kN/m', 'kN\u009b4A\u009b2KAy=0', 'm'],
];

test('nothing in the answers acts on the console', async (t) => {
  for (const units of HOSTILE_UNITS) {
    const answers = `3 9 2 4 2 0 5 ${units.join(' ')}\n`;
    const name = JSON.stringify(units).replace(/[\u0080-\u009f]/g,
      (control) => `\\u${control.charCodeAt(0).toString(16).padStart(4, '0')}`);
    await t.test(name, async () => {
      const native = runNative([answers]);
      const session = await PageSession.open({ waitForPrompt: false,
        address: `${PAGE_URL}#answers=v1:${Buffer.from(answers).toString('base64url')}` });
      await session.waitForStatus('Press any key in the console to end the run.');
      await session.page.click('#console');
      // The console's rows as drawn: the results and the key wait there, none hidden.
      const shown = await session.consoleText();
      assert.match(shown, /--> {3}By = 8\.66667 kN/);
      assert.match(shown, /--> {3}Ay = 9\.33333 kN/);
      assert.match(shown, / \.\.\.\.\.\.\.\.Press Any Key To Continue\.\.\.\.\.\.\.\. /);
      assert.equal(await session.page.$$eval('#console a', (links) => links.length), 0);
      await session.page.keyboard.press('q');
      await session.waitForStatus('The run has ended.');
      assertSameBytes(await session.download('save-transcript', 'transcript.txt'), native.runs[0].transcript,
        'transcript');
      const records = await session.download('download-records', 'data-values.dat');
      assertSameBytes(records.subarray(records.length - native.record.length), native.record, 'the record');
      await session.close();
    });
  }
});

// A unit word that XML cannot hold (U+FFFE, U+FFFF) is shown as a mark in the
// drawings, so that the saved SVG is well-formed XML; a PNG that cannot be
// made says why.
test('the saved drawings open whatever the unit words hold, and a PNG not made says why', async () => {
  const session = await PageSession.open({ beforeLoad: () => {
    HTMLCanvasElement.prototype.toBlob = (done) => setTimeout(() => done(null), 0);
  } });
  await runToKeyWait(session, '3 9 2 4 2 0 5 kN/m\uffff kN\ufffe m\n');
  const svg = (await session.download('download-diagrams-svg', 'diagrams.svg')).toString();
  const problem = await session.page.evaluate((text) => new DOMParser()
    .parseFromString(text, 'image/svg+xml').querySelector('parsererror')?.textContent ?? null, svg);
  assert.equal(problem, null);
  assert.ok(svg.includes('12 kN\ufffd'), 'the force unit with its mark');
  assert.ok(!/[\ufffe\uffff]/.test(svg), 'a character XML forbids');
  await session.page.click('#download-diagrams-png');
  await session.page.waitForFunction(() => document.getElementById('download-note')?.textContent !== '',
    { timeout: 10000, polling: 50 });
  assert.equal(await session.page.$eval('#download-note', (note) => note.textContent),
    'The PNG could not be made: the browser could not encode the picture as PNG.');
  await session.close();
});

// The address changes while the program is still compiling (held up here for
// two seconds): one run starts, with the answers of the address as it is then,
// and saves one record; a key ends its wait. Solve pressed meanwhile types
// nothing into that run, and says so.
test('however the address changes while the page loads, one run starts and saves one record', async (t) => {
  const slowCompile = () => {
    const compile = WebAssembly.compile;
    WebAssembly.compile = (...input) => new Promise((done) => setTimeout(done, 2000))
      .then(() => compile.apply(WebAssembly, input));
  };
  const link = (answers) => `#answers=v1:${Buffer.from(answers).toString('base64url')}`;
  const last = '2.5 7 3 6 1.25 -4.5 0 N/m N ft\n';
  for (const row of [
    { name: 'two changes of the fragment', changes: [link(WORKED_EXAMPLE), link(last)], stdin: last },
    { name: 'a change of the fragment, then Solve', changes: [link(last)], solve: WORKED_EXAMPLE,
      stdin: last }]) {
    await t.test(row.name, async () => {
      const native = runNative([row.stdin]);
      const session = await PageSession.open({ waitForPrompt: false, beforeLoad: slowCompile });
      await session.clearRecords();
      for (const hash of row.changes) {
        await session.page.evaluate((fragment) => { window.location.hash = fragment; }, hash);
      }
      if (row.solve) {
        // Filled in at once, as the program still compiles.
        await session.page.$$eval('#answers-form input', (fields, values) => fields.forEach((field, index) => {
          field.value = values[index];
        }), row.solve.trim().split(' '));
        await session.page.click('#solve');
      }
      await session.waitForStatus('Press any key in the console to end the run.', 20000);
      await new Promise((done) => setTimeout(done, 500));
      if (row.solve) assert.match(await session.text('form-note'), /^The console's run has answers typed already/);
      await session.page.click('#console');
      await session.page.keyboard.press('q');
      await session.waitForStatus('The run has ended.');
      assertSameBytes(await session.download('save-transcript', 'transcript.txt'), native.runs[0].transcript,
        'transcript');
      assertSameBytes(await session.download('download-records', 'data-values.dat'), native.record,
        'data-values.dat');
      await session.close();
    });
  }
});

// Practise first, the choice kept: the answers wait; each value is checked as
// it is typed, in words read out where it is typed; the answer and the working
// come when asked for, by keys alone; what was tried goes on the handout.
test('practise, then check: the verdicts, the answer and the working when asked, the handout', async (t) => {
  for (const width of [1280, 390]) {
    await t.test(`${width} px`, async () => {
      const session = await PageSession.open({ width, height: 900,
        // (Firefox runs this in the blank page first too, which has no storage.)
        beforeLoad: () => location.protocol === 'file:' && localStorage.setItem('parabeam-page/practise-first', 'yes') });
      await runToKeyWait(session, WORKED_EXAMPLE);
      assert.equal(await session.page.$eval('#answers', (answers) => getComputedStyle(answers).display), 'none');
      assert.equal(await session.page.$eval('#answers-practise', (radio) => radio.checked), true);
      assert.equal(await session.text('news'), 'diagrams drawn; practise: type your values in the fields below');
      for (const [id, typed, said] of [['ay', '9.33', /^✓ Right\.$/],
        ['by', '-8.67', /^The right size, but the wrong sign: upward forces count positive/],
        ['vE', '-2666.7', /^A factor of 1000 off: in other units\? The answers are in kN\.$/],
        ['mE', '25', /^Not yet\. Put x = L2 − L1 into M\(x\) of section 1\.$/],
        ['mB', '0.05', /^✓ Right\.$/], // a zero, within 0.5% of the largest M
        ['xZero1', '4,67', /^Type a number/]]) {
        await session.page.focus(`#practice-${id}`);
        await session.page.keyboard.type(typed);
        await session.page.keyboard.press('Tab');
        assert.match(await session.text(`verdict-${id}`), said, id);
        assert.equal(await session.page.$eval(`#verdict-${id}`, (verdict) => verdict.getAttribute('aria-live')),
          'polite');
      }
      // The student's own x: V and M at 7.5 (by hand: -7.16667 and 12.25).
      await session.page.focus('#practice-x');
      await session.page.keyboard.type('7.5');
      await session.page.focus('#practice-mAtX');
      await session.page.keyboard.type('12.25');
      await session.page.keyboard.press('Tab');
      assert.match(await session.text('verdict-mAtX'), /^✓ Right\.$/);
      // Keys alone: to the answer's button and the working's, and Enter.
      await session.page.focus('#practice-vE');
      await session.page.keyboard.press('Tab');
      await session.page.keyboard.press('Enter');
      assert.equal(await session.text('verdict-vE'), 'The answer: -2.66667 kN.');
      await session.page.keyboard.press('Tab');
      await session.page.keyboard.press('Enter');
      assert.match(await session.page.$eval('#practice-vE', (field) =>
        field.closest('.practice-value').querySelector('.practice-working').innerText), /Section 1: a cut at x/);
      if (!FIREFOX) {
        // What a screen reader gets: each field named by its quantity.
        const fields = (node) => [...(node.role === 'textbox' ? [node.name] : []),
          ...(node.children ?? []).flatMap(fields)];
        const named = fields(await session.page.accessibility.snapshot({ interestingOnly: false }));
        for (const name of ['Ay (kN)', 'V at Pt-E (kN)', 'M at your x (kN·m)']) {
          assert.ok(named.includes(name), `${name} in ${named}`);
        }
      }
      // On paper the answers show, and the student's values beside them.
      const pdf = join(work, `practised-${width}.pdf`);
      writeFileSync(pdf, await session.page.pdf({ format: 'A4' }));
      const printed = spawnSync('pdftotext', ['-layout', pdf, '-'], { encoding: 'utf8' }).stdout;
      assert.match(printed, /Your values beside the program's/);
      assert.match(printed, /By\s+-8\.67\s+wrong sign\s+8\.66667 kN/);
      assert.match(printed, /Largest sagging moment: 21\.7778 kN·m/);
      await session.page.click('#show-all-answers');
      assert.equal(await session.page.$eval('#answers', (answers) => getComputedStyle(answers).display), 'block');
      // The choice stays for the page's next run.
      await session.page.click('#console');
      await session.page.keyboard.press('q');
      await session.waitForStatus('The run has ended.');
      await session.page.click('#run-again');
      await runToKeyWait(session, WORKED_EXAMPLE);
      assert.equal(await session.page.$eval('#answers', (answers) => getComputedStyle(answers).display), 'none');
      await session.close();
    });
  }
});

// On a phone, Solve brings the answers into view once they are there; in the
// dark, the drawings are dark too (on paper they stay black on white).
test('on a phone the answers follow Solve; in the dark the drawings are dark', async () => {
  const session = await PageSession.open({ width: 390, height: 844, dark: true });
  await session.solveFromForm(WORKED_EXAMPLE.trim().split(' '));
  await session.waitForStatus('Press any key');
  await session.page.evaluate(() => new Promise((done) => requestAnimationFrame(done)));
  const top = await session.page.$eval('#diagrams', (panel) => panel.getBoundingClientRect().top);
  assert.ok(top >= -1 && top < 100, `the answers are ${top} px from the top of the screen`);
  const paper = await session.page.$eval('#diagrams svg .paper', (rect) => getComputedStyle(rect).fill);
  assert.notEqual(paper, 'rgb(255, 255, 255)');
  await session.close();
});

// Practise, then check: the student types their own values for the
// reactions, V and M at the key points, where V = 0 and the largest moment,
// and V and M at an x of their choice; the program checks each as it is
// typed (module_contract.js), and the page says right, the wrong sign, other
// units, or where to look, never the value. "Show the answer" shows one
// value, "Show the working" its step; what was tried is kept for the run,
// and the printed handout shows it beside the program's values.
import { htmlElement } from '../dom/page_elements.js';
import { readCheck, readReadOut } from './description.js';
import { stepElement } from './working.js';

const PAUSE = 500; // ms of no typing before a value is checked

const VERDICT_WORDS = { right: 'right', wrongSign: 'wrong sign', otherUnits: 'other units',
  off: 'not yet', notANumber: 'not a number' };

// description: description.js's; check(id, typed), checkAtX(x, typed,
// moment) and readOut(typed, x): the program's JSON answers, or null when it
// cannot answer.
export class Practice {
  #description;
  #check;
  #checkAtX;
  #readOut;
  // A value's name: { tries: [{ typed, verdict }], shown (its answer, once
  // shown), atX (where the student's own x was asked for) }.
  #tried = new Map();
  #record;

  constructor(description, { check, checkAtX, readOut }) {
    this.#description = description;
    this.#check = check;
    this.#checkAtX = checkAtX;
    this.#readOut = readOut;
    this.element = htmlElement('section', { class: 'practice', 'aria-labelledby': 'practice-heading' });
    this.element.append(htmlElement('h3', { id: 'practice-heading' },
      'Practise: work the values out, then check them here'),
    htmlElement('p', { class: 'practice-rule' }, description.practice.rule));
    const list = htmlElement('div', { class: 'practice-values' });
    for (const value of description.practice.values) list.append(this.#field(value));
    list.append(this.#atX());
    this.#record = htmlElement('table', { class: 'practice-record' });
    this.element.append(list, this.#record);
    this.#showRecord();
  }

  #unitOf(kind) {
    return this.#description.units[kind] ?? '';
  }

  #labelText(name, kind) {
    const unit = this.#unitOf(kind);
    return unit ? `${name} (${unit})` : name;
  }

  // A value's text in the program's format, with the unit of its kind.
  #withUnit(quantity, kind) {
    const unit = this.#unitOf(kind);
    return unit ? `${quantity.text} ${unit}` : quantity.text;
  }

  // A field to check, labelled by its quantity; its verdict, read out as it
  // changes; and what was tried in it.
  #checkedField(id, name, kind) {
    const field = htmlElement('input', { id: `practice-${id}`, type: 'text', inputmode: 'decimal',
      autocomplete: 'off', spellcheck: 'false', 'aria-describedby': `verdict-${id}` });
    return { label: htmlElement('label', { for: field.id }, this.#labelText(name, kind)), field,
      verdict: htmlElement('p', { id: `verdict-${id}`, class: 'verdict', 'aria-live': 'polite' }),
      tried: htmlElement('p', { class: 'tried' }) };
  }

  // One value: its labelled field, its verdict (announced), what was tried,
  // and the two buttons.
  #field({ id, name, kind, step, answer }) {
    const part = htmlElement('div', { class: 'practice-value' });
    const { label, field, verdict, tried } = this.#checkedField(id, name, kind);
    const buttons = htmlElement('div', { class: 'practice-buttons' });
    const showAnswer = htmlElement('button', { type: 'button', 'aria-label': `Show the answer: ${name}` },
      'Show the answer');
    const showWorking = htmlElement('button', { type: 'button', 'aria-expanded': 'false',
      'aria-label': `Show the working: ${name}` }, 'Show the working');
    buttons.append(showAnswer, showWorking);
    const working = htmlElement('div', { class: 'practice-working', hidden: '' });
    const workingStep = this.#description.working.find((candidate) => candidate.id === step);
    if (workingStep) working.append(stepElement(workingStep));
    part.append(label, field, verdict, tried, buttons, working);
    const judge = (keep) => this.#judge({ name, typed: field.value, verdict, tried, keep,
      ask: () => this.#check(id, field.value) });
    this.#whenTyped(field, judge);
    showAnswer.addEventListener('click', () => {
      verdict.className = 'verdict shown';
      verdict.textContent = `The answer: ${this.#withUnit(answer, kind)}.`;
      this.#entry(name).shown = answer.text;
      this.#showRecord();
    });
    showWorking.addEventListener('click', () => {
      working.hidden = !working.hidden;
      showWorking.setAttribute('aria-expanded', String(!working.hidden));
    });
    return part;
  }

  // V and M at an x of the student's own.
  #atX() {
    const part = htmlElement('fieldset', { class: 'practice-value practice-at-x' });
    part.append(htmlElement('legend', {}, 'V and M at an x of your choice'));
    const x = htmlElement('input', { id: 'practice-x', type: 'text', inputmode: 'decimal',
      autocomplete: 'off', spellcheck: 'false' });
    part.append(htmlElement('label', { for: x.id }, this.#labelText('Your x from Pt-A', 'length')), x);
    const judges = [];
    for (const [id, name, kind, moment] of [['vAtX', 'V at your x', 'force', false],
      ['mAtX', 'M at your x', 'moment', true]]) {
      const { label, field, verdict, tried } = this.#checkedField(id, name, kind);
      part.append(label, field, verdict, tried);
      const judge = (keep) => this.#judge({ name: `${name} (x = ${x.value.trim()})`, typed: field.value,
        verdict, tried, keep, ask: () => this.#checkAtX(x.value, field.value, moment),
        atX: { x: x.value, moment, kind } });
      this.#whenTyped(field, judge);
      judges.push(judge);
    }
    this.#whenTyped(x, (keep) => judges.forEach((judge) => judge(keep)));
    return part;
  }

  // Checked after a pause in the typing, and at once when the field is left
  // or Enter pressed; what was checked then is kept as tried.
  #whenTyped(field, judge) {
    let timer = 0;
    field.addEventListener('input', () => {
      clearTimeout(timer);
      timer = setTimeout(() => judge(false), PAUSE);
    });
    field.addEventListener('change', () => {
      clearTimeout(timer);
      judge(true);
    });
  }

  // keep: what is checked is kept as tried (the field left, or Enter).
  #judge({ name, typed, verdict, tried, keep, ask, atX = null }) {
    if (typed.trim() === '') {
      verdict.textContent = '';
      verdict.className = 'verdict';
      return;
    }
    // No answer while the module is not there; a reason when it holds no beam
    // (a fresh one, after a run that failed in the module).
    const answer = ask();
    const checked = answer === null ? { reason: 'The program is not ready to check yet.' } : readCheck(answer);
    if (checked.reason) {
      verdict.className = 'verdict';
      verdict.textContent = checked.reason;
      return;
    }
    verdict.className = `verdict ${checked.verdict}`;
    verdict.textContent = checked.verdict === 'right' ? `✓ ${checked.sentence}` : checked.sentence;
    if (!keep || (atX && checked.verdict === 'notANumber')) return;
    const entry = this.#entry(name);
    if (atX) entry.atX = atX;
    if (entry.tries.at(-1)?.typed !== typed.trim()) {
      entry.tries.push({ typed: typed.trim(), verdict: checked.verdict });
    }
    tried.textContent = `Tried: ${entry.tries.map((one) => `${one.typed} (${VERDICT_WORDS[one.verdict]})`)
      .join(', ')}`;
    this.#showRecord();
  }

  // The program's V or M at the student's x, by its read-out.
  #atXAnswer({ x, moment, kind }) {
    const answer = this.#readOut(x, 0);
    if (answer === null) return '—';
    const section = readReadOut(answer);
    if (section.reason) return '—';
    return this.#withUnit(moment ? section.moment : section.shear, kind);
  }

  #entry(name) {
    if (!this.#tried.has(name)) this.#tried.set(name, { tries: [], shown: null, atX: null });
    return this.#tried.get(name);
  }

  // For the handout: each value tried or shown, the student's beside the program's.
  #showRecord() {
    const answers = new Map(this.#description.practice.values.map(({ name, kind, answer }) =>
      [name, this.#withUnit(answer, kind)]));
    const rows = [...this.#tried].filter(([, { tries, shown }]) => tries.length > 0 || shown !== null);
    this.#record.replaceChildren();
    this.#record.hidden = rows.length === 0;
    if (rows.length === 0) return;
    this.#record.append(htmlElement('caption', {}, 'Your values beside the program\'s'));
    const head = htmlElement('tr');
    for (const text of ['Value', 'Yours', 'Checked', 'The program\'s']) {
      head.append(htmlElement('th', { scope: 'col' }, text));
    }
    this.#record.append(htmlElement('thead'));
    this.#record.tHead.append(head);
    const body = htmlElement('tbody');
    for (const [name, { tries, atX }] of rows) {
      const last = tries.at(-1);
      const row = htmlElement('tr');
      row.append(htmlElement('th', { scope: 'row' }, name),
        htmlElement('td', {}, tries.map((one) => one.typed).join(', ') || '—'),
        htmlElement('td', {}, last ? VERDICT_WORDS[last.verdict] : 'answer shown'),
        htmlElement('td', {}, answers.get(name) ?? this.#atXAnswer(atX)));
      body.append(row);
    }
    this.#record.append(body);
  }
}

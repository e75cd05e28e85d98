// The student's choices, kept by the page across runs and visits in the
// browser's storage, apart from the stored files (stored_files.js): whether
// the answers wait until the student has practised.
const PRACTISE_FIRST = 'parabeam-page/practise-first';

export class PageSettings {
  #storage;

  // storage: a function giving a Web Storage; it may throw where the browser
  // allows none, and then nothing is kept.
  constructor(storage) {
    this.#storage = storage;
  }

  practiseFirst() {
    try {
      return this.#storage().getItem(PRACTISE_FIRST) === 'yes';
    } catch {
      return false;
    }
  }

  choosePractiseFirst(first) {
    try {
      this.#storage().setItem(PRACTISE_FIRST, first ? 'yes' : 'no');
    } catch {
      // Not kept: the choice holds for this page only.
    }
  }
}

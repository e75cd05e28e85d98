// The program's files in the browser's storage (localStorage), kept across
// runs and reloads. Each append is stored under a key of its own,
// "parabeam/<name>/<time>-<random>", written once with one setItem: pages
// open at the same time never write the same key, so none overwrites
// another's record, and a record is stored whole or not at all. A file reads
// as what an earlier version of the page kept under "parabeam/<name>", then
// its appends, oldest first. Bytes are stored one per character (0 to 255),
// so whatever bytes a record holds come back exactly.
import { binaryBytes, binaryText } from './binary_text.js';

const PREFIX = 'parabeam/';
const TIME_DIGITS = 15; // Date.now() has 13 digits until the year 2286

export class StoredFiles {
  #storage;
  #now;
  #lastTime = 0;

  // storage: a Web Storage (window.localStorage), or a function giving it,
  // which may throw when the browser does not allow storage.
  constructor(storage, { now = Date.now } = {}) {
    this.#storage = typeof storage === 'function' ? storage : () => storage;
    this.#now = now;
  }

  // Appends; returns null when saved, or the reason for the program's error line.
  append(name, bytes) {
    try {
      this.#storage().setItem(this.#newKey(name), binaryText(bytes));
      return null;
    } catch (error) {
      return isQuotaError(error)
        ? "No space left in the browser's storage"
        : "The browser's storage is not available";
    }
  }

  read(name) {
    try {
      const storage = this.#storage();
      const pieces = [storage.getItem(PREFIX + name) ?? ''];
      for (const key of appendKeys(storage, name)) pieces.push(storage.getItem(key) ?? '');
      return binaryBytes(pieces.join(''));
    } catch {
      return new Uint8Array(0);
    }
  }

  remove(name) {
    try {
      const storage = this.#storage();
      for (const key of [PREFIX + name, ...appendKeys(storage, name)]) storage.removeItem(key);
    } catch {
      // Storage that cannot be reached holds nothing to remove.
    }
  }

  // The time orders a file's appends; within one page it never repeats or goes
  // back, and the random part keeps pages that save in the same millisecond apart.
  #newKey(name) {
    this.#lastTime = Math.max(this.#now(), this.#lastTime + 1);
    const suffix = [0, 0].map(() =>
      Math.floor(Math.random() * 2 ** 32).toString(16).padStart(8, '0')).join('');
    return `${PREFIX}${name}/${String(this.#lastTime).padStart(TIME_DIGITS, '0')}-${suffix}`;
  }
}

// A file's append keys, oldest first.
function appendKeys(storage, name) {
  const prefix = `${PREFIX}${name}/`;
  const keys = [];
  for (let index = 0; index < storage.length; index += 1) {
    const key = storage.key(index);
    if (key?.startsWith(prefix)) keys.push(key);
  }
  return keys.sort();
}

function isQuotaError(error) {
  return error instanceof DOMException &&
    (error.name === 'QuotaExceededError' || error.name === 'NS_ERROR_DOM_QUOTA_REACHED');
}

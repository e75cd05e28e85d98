// The program's files in the browser's storage (localStorage), kept across
// runs and reloads. A file's bytes are stored one per character (0 to 255), so
// whatever bytes a record holds come back exactly.
export class StoredFiles {
  static #prefix = 'parabeam/';
  #storage;

  // storage: a function giving the Web Storage, which may throw when the
  // browser does not allow storage.
  constructor(storage) {
    this.#storage = storage;
  }

  // Appends; returns null when saved, or the reason for the program's error line.
  append(name, bytes) {
    try {
      const storage = this.#storage();
      const key = StoredFiles.#prefix + name;
      storage.setItem(key, (storage.getItem(key) ?? '') + bytesToText(bytes));
      return null;
    } catch (error) {
      return isQuotaError(error)
        ? "No space left in the browser's storage"
        : "The browser's storage is not available";
    }
  }

  read(name) {
    try {
      return textToBytes(this.#storage().getItem(StoredFiles.#prefix + name) ?? '');
    } catch {
      return new Uint8Array(0);
    }
  }

  remove(name) {
    try {
      this.#storage().removeItem(StoredFiles.#prefix + name);
    } catch {
      // Storage that cannot be reached holds nothing to remove.
    }
  }
}

function isQuotaError(error) {
  return error instanceof DOMException &&
    (error.name === 'QuotaExceededError' || error.name === 'NS_ERROR_DOM_QUOTA_REACHED');
}

function bytesToText(bytes) {
  let text = '';
  for (const byte of bytes) text += String.fromCharCode(byte);
  return text;
}

function textToBytes(text) {
  return Uint8Array.from(text, (character) => character.charCodeAt(0));
}

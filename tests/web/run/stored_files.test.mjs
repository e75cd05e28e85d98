// The program's files in the browser's storage, on a storage kept in memory
// that behaves as localStorage does (keys in the order first set).
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { StoredFiles } from '../../../web/page/run/stored_files.js';

const FILE = 'data-values.dat';
const NO_SPACE = "No space left in the browser's storage";
const NOT_AVAILABLE = "The browser's storage is not available";

class MemoryStorage {
  items = new Map();
  failure = null; // the DOMException name setItem throws, if any

  get length() {
    return this.items.size;
  }
  key(index) {
    return [...this.items.keys()][index] ?? null;
  }
  getItem(key) {
    return this.items.has(key) ? this.items.get(key) : null;
  }
  setItem(key, value) {
    if (this.failure) throw new DOMException('refused', this.failure);
    this.items.set(key, String(value));
  }
  removeItem(key) {
    this.items.delete(key);
  }
}

const bytes = (text) => new TextEncoder().encode(text);
const text = (stored) => new TextDecoder().decode(stored);

// A page whose clock says `time` for every save.
const pageAt = (storage, time) => new StoredFiles(storage, { now: () => time });

test('records read back oldest first, after what the single key of earlier pages held', () => {
  const storage = new MemoryStorage();
  storage.setItem(`parabeam/${FILE}`, 'earlier\n');
  // Saved by a page whose clock is ahead first, then by one behind it.
  assert.equal(pageAt(storage, 2000).append(FILE, bytes('second\n')), null);
  assert.equal(pageAt(storage, 1000).append(FILE, bytes('first\n')), null);
  assert.equal(text(new StoredFiles(storage).read(FILE)), 'earlier\nfirst\nsecond\n');
});

test('saves in the same millisecond keep every record', () => {
  const storage = new MemoryStorage();
  const [tab, otherTab] = [pageAt(storage, 5000), pageAt(storage, 5000)];
  for (const record of ['a\n', 'b\n', 'c\n']) tab.append(FILE, bytes(record));
  otherTab.append(FILE, bytes('z\n'));
  const lines = text(tab.read(FILE)).split('\n');
  // One page's records in its own order; the other's anywhere among them.
  assert.deepEqual(lines.filter((line) => line !== 'z'), ['a', 'b', 'c', '']);
  assert.equal(lines.length, 5);
});

test('every byte value comes back as it was saved', () => {
  const storage = new MemoryStorage();
  const all = Uint8Array.from({ length: 256 }, (_, value) => value);
  new StoredFiles(storage).append(FILE, all);
  assert.deepEqual(new StoredFiles(storage).read(FILE), all);
});

test("a file's records are its own: other files and other keys are not read or removed", () => {
  const storage = new MemoryStorage();
  const files = new StoredFiles(storage);
  storage.setItem(`parabeam/${FILE}`, 'old\n');
  files.append(FILE, bytes('mine\n'));
  files.append(`${FILE}.bak`, bytes('backup\n'));
  storage.setItem('someone-else', 'theirs');
  assert.equal(text(files.read(FILE)), 'old\nmine\n');
  files.remove(FILE);
  assert.equal(files.read(FILE).length, 0);
  assert.equal(text(files.read(`${FILE}.bak`)), 'backup\n');
  assert.equal(storage.getItem('someone-else'), 'theirs');
});

// Each row: what goes wrong; the reason the program's error line gives.
const FAILURES = [
  { name: 'storage full', failure: 'QuotaExceededError', reason: NO_SPACE },
  { name: 'storage full (older Firefox)', failure: 'NS_ERROR_DOM_QUOTA_REACHED', reason: NO_SPACE },
  { name: 'storage refused', failure: 'SecurityError', reason: NOT_AVAILABLE },
  { name: 'storage not to be had at all', unreachable: true, reason: NOT_AVAILABLE },
];

test('a save that fails gives its reason and leaves the file as it was', async (t) => {
  for (const row of FAILURES) {
    await t.test(row.name, () => {
      const storage = new MemoryStorage();
      const files = new StoredFiles(() => {
        if (row.unreachable) throw new DOMException('no storage', 'SecurityError');
        return storage;
      });
      storage.setItem(`parabeam/${FILE}`, 'kept\n');
      storage.failure = row.failure ?? null;
      assert.equal(files.append(FILE, bytes('lost\n')), row.reason);
      assert.equal(text(files.read(FILE)), row.unreachable ? '' : 'kept\n');
      assert.equal(storage.length, 1);
    });
  }
});

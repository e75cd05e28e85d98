// A file the reader's browser saves, as a download of a link to it.
import { htmlElement } from './page_elements.js';

export function downloadFile(name, blob) {
  const link = htmlElement('a', { download: name });
  link.href = URL.createObjectURL(blob);
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Bytes as text of one character each (0 to 255), and back: the form that
// base64 (btoa, atob) and the browser's storage take, every byte kept.
// Plain loops, in pieces: Uint8Array.from with a mapping function, or a
// character added at a time, took most of a second for a megabyte.
const PIECE = 0x8000; // characters a call of String.fromCharCode takes at once

export function binaryText(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; at += PIECE) {
    text += String.fromCharCode(...bytes.subarray(at, at + PIECE));
  }
  return text;
}

export function binaryBytes(text) {
  const bytes = new Uint8Array(text.length);
  for (let at = 0; at < text.length; at += 1) bytes[at] = text.charCodeAt(at);
  return bytes;
}

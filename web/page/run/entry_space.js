// The program's white space between answers, as the module gives it
// (CompiledProgram's entrySpace()): a character class of a regular
// expression, with or without the line feed.
export function entrySpaceClass(entrySpace, { lineFeed = true } = {}) {
  const characters = lineFeed ? entrySpace : entrySpace.replace('\n', '');
  return `[${characters.replace(/[\\\]^-]/g, '\\$&')}]`;
}

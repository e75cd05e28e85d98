// Puts the page, its styles and its scripts (xterm.js, the compiled program,
// the page's own) into one HTML file that needs nothing else.
// Usage: node inline_page.mjs OUT TEMPLATE [--style FILE | --script FILE | --module FILE]...
// A --module is an ES module with one export, `export{local as Name}`; it
// becomes a classic script that declares Name, which later scripts can use.
import { readFileSync, writeFileSync } from 'node:fs';

const LARGEST_PAGE = 1024 * 1024;

const [output, template, ...pieces] = process.argv.slice(2);
const styles = [];
const scripts = [];
for (let i = 0; i < pieces.length; i += 2) {
  const [kind, file] = [pieces[i], pieces[i + 1]];
  const text = readFileSync(file, 'utf8');
  if (kind === '--style') styles.push(`<style>\n${text}\n</style>`);
  else if (kind === '--script') scripts.push(`<script>\n${scriptText(text, file)}\n</script>`);
  else if (kind === '--module') scripts.push(`<script>\n${scriptText(moduleAsScript(text, file), file)}\n</script>`);
  else throw new Error(`unknown piece ${kind}`);
}

const page = readFileSync(template, 'utf8')
  .replace('<!-- styles -->', () => styles.join('\n'))
  .replace('<!-- scripts -->', () => scripts.join('\n'));
const size = Buffer.byteLength(page);
if (size > LARGEST_PAGE) {
  console.error(`${output}: ${size} bytes, more than the ${LARGEST_PAGE} a page may have`);
  process.exit(1);
}
writeFileSync(output, page);
console.log(`${output}: ${size} bytes`);

// Scoped in a function, the module's names stay its own; parsed as a script,
// it also starts faster than the same code as a module.
function moduleAsScript(text, file) {
  const exports = [...text.matchAll(/\bexport\s*\{\s*(\w+)\s+as\s+(\w+)\s*\};?/g)];
  if (exports.length !== 1 || /\bexport\s+default\b|^\s*import\b/m.test(text)) {
    throw new Error(`${file}: expected one export{local as Name} and no import`);
  }
  const [statement, local, name] = exports[0];
  const body = text.replace(statement, '');
  return `const ${name} = (function () {\n${body}\nreturn ${local};\n})();`;
}

// An inline script ends at the first "</script", wherever it stands; "<\/" is
// the same text inside a string literal, where minified code keeps such words.
// A source map comment would name a file that is not there.
function scriptText(text, file) {
  const withoutMap = text.replace(/^\/\/# sourceMappingURL=\S+$/gm, '');
  if (/<!--/.test(withoutMap)) throw new Error(`${file}: "<!--" would upset the HTML parser`);
  return withoutMap.replace(/<\/script/gi, '<\\/script');
}

// Puts the page together: page/page.html with its styles (page/page.css and
// what it imports) and its script (page/page_main.js and what it imports, the
// compiled program included), each bundled by esbuild, inline, in one HTML
// file that needs nothing else. Also writes a depfile naming every file bundled.
// Usage: node build_page.mjs OUT --program PARABEAM_WEB_JS --packages FOLDER
// (FOLDER: where npm ci installed package-lock.json's packages)
import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { parseArgs } from 'node:util';

const LARGEST_PAGE = 1024 * 1024;
const here = dirname(fileURLToPath(import.meta.url));

const { positionals: [output], values: { program, packages } } = parseArgs({
  allowPositionals: true,
  options: { program: { type: 'string' }, packages: { type: 'string' } },
});
// esbuild as package-lock.json pins it, installed with the page's packages.
const esbuild = createRequire(join(resolve(packages), 'package.json'))('esbuild');

const result = await esbuild.build({
  entryPoints: [join(here, 'page', 'page_main.js'), join(here, 'page', 'page.css')],
  outdir: dirname(resolve(output)),
  bundle: true,
  write: false,
  metafile: true,
  // A classic script runs as soon as the parser reaches it; a module script
  // would wait for the whole document.
  format: 'iife',
  platform: 'browser',
  minify: true,
  legalComments: 'inline', // xterm.js's licence stays with its code
  nodePaths: [join(resolve(packages), 'node_modules')],
  // The module's JavaScript, and its WebAssembly (written next to it) as base64 text.
  alias: {
    'parabeam-compiled-program': resolve(program),
    'parabeam-compiled-program-wasm': resolve(program).replace(/\.js$/, '.wasm'),
  },
  loader: { '.wasm': 'base64' },
  logLevel: 'silent',
});
// The bundler's warnings fail the build too: each names something that may
// not work in the browser.
if (result.warnings.length > 0) {
  console.error(esbuild.formatMessagesSync(result.warnings, { kind: 'warning' }).join(''));
  process.exit(1);
}

const bundled = (extension) => result.outputFiles.find((file) => file.path.endsWith(extension)).text;
const page = readFileSync(join(here, 'page', 'page.html'), 'utf8')
  .replace('<!-- styles -->', () => `<style>\n${inlineText(bundled('.css'), '</style')}</style>`)
  .replace('<!-- scripts -->', () => `<script>\n${inlineText(bundled('.js'), '</script')}</script>`);
const size = Buffer.byteLength(page);
if (size > LARGEST_PAGE) {
  console.error(`${output}: ${size} bytes, more than the ${LARGEST_PAGE} a page may have`);
  process.exit(1);
}
writeFileSync(output, page);
writeFileSync(`${output}.d`, `${depfileName(output)}: ${Object.keys(result.metafile.inputs)
  .map((input) => depfileName(resolve(input))).join(' \\\n  ')}\n`);
console.log(`${output}: ${size} bytes`);

// An inline element ends at the first "</script" or "</style" in it, wherever
// it stands (esbuild writes such words in strings as "<\/script"), and "<!--"
// in a script changes how the HTML parser reads what follows.
function inlineText(text, end) {
  for (const word of [end, '<!--']) {
    if (text.toLowerCase().includes(word)) throw new Error(`the bundle holds "${word}"`);
  }
  return text;
}

function depfileName(path) {
  return path.replace(/[ #]/g, '\\$&').replace(/\$/g, '$$$$');
}

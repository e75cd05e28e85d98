// ESLint for parabeam's JavaScript (tools/js-lint.sh runs it): the page's
// modules run in the browser; its build script, tests and benchmarks in node.
// Patterns begin with ** as they are taken from the checkout's top.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { basePath: '../..', ignores: ['build/**', '**/node_modules/**'] },
  { basePath: '../..', ...js.configs.recommended },
  {
    basePath: '../..',
    files: ['**/web/page/**/*.js'],
    languageOptions: { ecmaVersion: 2024, sourceType: 'module', globals: globals.browser },
    rules: { 'no-shadow': 'error' },
  },
  {
    basePath: '../..',
    files: ['**/*.mjs'],
    languageOptions: { ecmaVersion: 2024, sourceType: 'module', globals: globals.node },
  },
  {
    // Functions these hand to the browser (page.evaluate) run in the page.
    basePath: '../..',
    files: ['**/tests/browser/**/*.mjs', '**/bench/page_link.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
  {
    basePath: '../..',
    rules: {
      eqeqeq: 'error',
      'no-var': 'error',
      'prefer-const': 'error',
      'no-unused-vars': ['error', { args: 'after-used', ignoreRestSiblings: true }],
      // The page's rules for control characters are regular expressions of them.
      'no-control-regex': 'off',
      'no-param-reassign': 'error',
      'consistent-return': 'error',
      'object-shorthand': 'error',
      'prefer-template': 'error',
    },
  },
];

// The program's own description of a beam (parabeam_describe, which CTest
// names in PARABEAM_DESCRIBE), read as the page reads the module's.
import { spawnSync } from 'node:child_process';
import { readDescription } from '../../../web/page/drawing/description.js';

// answers: L1 L2 H triangle-weight rectangle-weight Ax Bx, then the units, if any.
export function programBeam(answers) {
  const program = process.env.PARABEAM_DESCRIBE;
  if (!program) throw new Error('PARABEAM_DESCRIBE names no program (run these tests with ctest)');
  const described = spawnSync(program, { input: `${answers}\n`, encoding: 'utf8' });
  if (described.status !== 0) throw new Error(`${program}: ${described.stderr}`);
  return readDescription(described.stdout);
}

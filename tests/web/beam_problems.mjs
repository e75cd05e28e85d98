// Descriptions of beams as the module gives them (web/diagram_description.cpp),
// worked out here in doubles and written with six significant digits, for
// the layout tests: close enough to the program's texts to crowd the labels
// as they would.
import { tickText } from '../../web/diagram_scale.js';

// answers: L1 L2 H triangle-weight rectangle-weight Ax Bx, then the units.
export function beamProblem(answers) {
  const [numbers, units] = [answers.split(' ').slice(0, 7).map(Number), answers.split(' ').slice(7)];
  const [l1, l2, , wt, wr, ax, bx] = numbers;
  const [weight = '', force = '', length = ''] = units;
  const e = l2 - l1;
  const triangleForce = l1 * 0.5 * wt;
  const triangleArm = e + l1 / 3;
  const rectangleForce = wr * e;
  const by = -((-rectangleForce * (e / 2) - triangleForce * triangleArm) / l2);
  const ay = rectangleForce + triangleForce - by;
  const at = (x) => {
    if (x < e || (x === e && e <= l1)) return [x, ay - wr * x, ay * x - wr * x * x / 2];
    const u = l2 - x;
    if (!(u > 0)) return [x, -by, 0];
    const load = wt * (u / l1) * u / 2;
    return [x, load - by, by * u - load * u / 3];
  };
  const zeroShear = [];
  if (wr !== 0 && ay / wr > 0 && ay / wr < e) zeroShear.push(ay / wr);
  if (wt !== 0 && l1 > 0 && 2 * l1 * by / wt > 0 && Math.sqrt(2 * l1 * by / wt) < l1) {
    zeroShear.push(l2 - Math.sqrt(2 * l1 * by / wt));
  }
  const positions = [0, e, l2, ...zeroShear];
  for (let step = 1; step < 48; step += 1) positions.push(e * step / 48, e + l1 * step / 48);
  positions.sort((p, q) => p - q);
  const text = (value) => tickText(Number(value.toPrecision(6)));
  const section = ([x, shear, moment]) => ({ x: text(x), shear: text(shear), moment: text(moment) });
  const largest = [0, e, l2, ...zeroShear].map(at)
    .reduce((best, next) => (Math.abs(next[2]) > Math.abs(best[2]) ? next : best));
  return {
    units: { weight, force, length },
    span: text(l2), triangleLength: text(l1), triangleWeight: text(wt), rectangleWeight: text(wr),
    ay: text(ay), by: text(by), ax: text(ax), bx: text(bx),
    rectangleLength: text(e), rectangleForce: text(rectangleForce), rectangleArmFromA: text(e / 2),
    triangleForce: text(triangleForce), triangleArmFromA: text(triangleArm),
    pointA: section(at(0)), pointE: section(at(e)), pointB: section(at(l2)), largest: section(largest),
    zeroShear: zeroShear.map(text),
    curve: positions.map(at).map((point) => point.map(text)),
  };
}

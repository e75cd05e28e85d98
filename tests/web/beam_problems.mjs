// Descriptions of beams as the module gives them (web/diagram_description.cpp),
// worked out here in doubles and written with six significant digits, for
// the layout tests: close enough to the program's texts to crowd the labels
// as they would. Read as the page reads the module's.
import { readDescription } from '../../web/diagram_data.js';

// Six significant digits, trailing zeros dropped, a three-digit exponent below
// 1e-4 and from 1e6: the look of the program's numbers, for labels' widths.
function sixDigits(value) {
  if (value === 0) return '0';
  const [mantissa, exponentText] = value.toExponential(5).split('e');
  const exponent = Number(exponentText);
  const trimmed = (text) => (text.includes('.') ? text.replace(/\.?0+$/, '') : text);
  if (exponent < -4 || exponent >= 6) {
    const digits = String(Math.abs(exponent)).padStart(3, '0');
    return `${trimmed(mantissa)}e${exponent < 0 ? '-' : '+'}${digits}`;
  }
  return trimmed(value.toFixed(Math.max(0, 5 - exponent)));
}

// The x axis's steps as the module offers them: 1, 2, 2.5 and 5 times a power
// of ten, with at most 64 marks over the span.
function ticksOf(span) {
  const ticks = [];
  const first = Math.floor(Math.log10(span / 64));
  for (let power = first; power <= first + 3; power += 1) {
    for (const factor of [1, 2, 2.5, 5]) {
      const step = factor * 10 ** power;
      const count = Math.floor(span / step * (1 + 1e-9));
      if (count > 64 || count < 1) continue;
      const marks = Array.from({ length: count + 1 }, (_, index) => quantity(index * step));
      ticks.push({ step: quantity(step), marks });
    }
  }
  return ticks;
}

function quantity(value) {
  return { value, text: sixDigits(value) };
}

// answers: L1 L2 H triangle-weight rectangle-weight Ax Bx, then the units.
export function beamProblem(answers) {
  const [numbers, units] = [answers.split(' ').slice(0, 7).map(Number), answers.split(' ').slice(7)];
  const [l1, l2, h, wt, wr, ax, bx] = numbers;
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
  const text = quantity;
  const section = ([x, shear, moment]) => ({ x: text(x), shear: text(shear), moment: text(moment) });
  const largest = [0, e, l2, ...zeroShear].map(at)
    .reduce((best, next) => (Math.abs(next[2]) > Math.abs(best[2]) ? next : best));
  return readDescription(JSON.stringify({
    units: { weight, force, length },
    span: text(l2), triangleLength: text(l1), triangleWeight: text(wt), rectangleWeight: text(wr),
    ay: text(ay), by: text(by), ax: text(ax), bx: text(bx),
    rectangleLength: text(e), rectangleForce: text(rectangleForce), rectangleArmFromA: text(e / 2),
    triangleForce: text(triangleForce), triangleArmFromA: text(triangleArm), height: text(h),
    pointA: section(at(0)), pointE: section(at(e)), pointB: section(at(l2)), largest: section(largest),
    zeroShear: zeroShear.map((x) => section([x, 0, at(x)[2]])),
    contraflexure: [],
    sagging: largest[2] > 0 ? section(largest) : null,
    hogging: largest[2] < 0 ? section(largest) : null,
    working: [],
    curve: positions.map(at).map(section),
    ticks: ticksOf(l2),
  }));
}

// Where the diagrams put things: px of a drawing `width` wide, the beam from
// Pt-A at `left` to Pt-B at `right` in every drawing, so that the points line
// up from one to the next. Every number arrives as the program's own text; it
// is drawn at its value and labelled with its text.
export const FONT_SIZE = 12;

// The module's description of the diagrams, with its units for labels and
// the scale along the beam.
export class DrawnBeam {
  constructor(description, width) {
    Object.assign(this, description);
    this.zeroShear = description.zeroShear ?? [];
    this.force = description.units.force;
    this.length = description.units.length;
    this.moment = [this.force, this.length].filter((unit) => unit !== '').join('·');
    this.width = width;
    // Room beside the supports for the horizontal forces' arrows, or the supports alone.
    const side = Number(this.ax) !== 0 || Number(this.bx) !== 0 ? 52 : 24;
    this.left = side;
    this.right = width - side;
    this.scale = (this.right - this.left) / Number(description.span);
  }

  // x of a position along the beam, Pt-A being 0.
  x(position) {
    return this.left + Number(position) * this.scale;
  }

  // A value with its unit, as the transcript would show it.
  withUnit(text, unit) {
    return unit ? `${text} ${unit}` : text;
  }

  // The value without its sign, in the program's text.
  static size(text) {
    return text.replace(/^-/, '');
  }
}

// y of a value in a plot from `top` to `bottom` px: the range of `values`,
// widened to take in zero, fills it. All zero: the axis in the middle.
export function valueScale(values, top, bottom) {
  const numbers = values.map(Number);
  const high = Math.max(0, ...numbers);
  const low = Math.min(0, ...numbers);
  if (high === low) return () => (top + bottom) / 2;
  return (value) => top + (high - Number(value)) * (bottom - top) / (high - low);
}

// A tick value as the program writes its numbers: six significant digits,
// trailing zeros dropped, an exponent of three digits below 1e-4 and from 1e6.
export function tickText(value) {
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

// Round positions from 0 to `span`, one every `room` px or more of `pixels`.
export function tickPositions(span, pixels, room = 52) {
  const most = Math.max(2, Math.floor(pixels / room));
  const rough = span / most;
  const power = 10 ** Math.floor(Math.log10(rough));
  const step = [1, 2, 2.5, 5, 10].map((factor) => factor * power).find((s) => s >= rough);
  const positions = [];
  for (let index = 0; index * step <= span * (1 + 1e-9); index += 1) {
    positions.push(Number((index * step).toPrecision(12)));
  }
  return positions;
}

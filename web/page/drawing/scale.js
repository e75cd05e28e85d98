// Where the diagrams put things: px of a drawing `width` wide, the beam from
// Pt-A at `left` to Pt-B at `right` in every drawing, so that the points line
// up from one to the next. Every number of the description (description.js)
// is drawn at its value and labelled with its text.
export const FONT_SIZE = 12;
const TICK_ROOM = 52; // px from one tick mark to the next, at least

// The problem as the description gives it (description.js), and where it is
// drawn: the scale along the beam in a drawing `width` px wide. The
// description is read there once and kept whole, not copied field by field.
export class DrawnBeam {
  constructor(description, width) {
    this.problem = description;
    this.width = width;
    // Room beside the supports for the horizontal forces' arrows, or the supports alone.
    const side = description.ax.value !== 0 || description.bx.value !== 0 ? 52 : 24;
    this.left = side;
    this.right = width - side;
  }

  // The unit words for labels, as the description has them.
  get force() {
    return this.problem.units.force;
  }

  get length() {
    return this.problem.units.length;
  }

  get moment() {
    return this.problem.units.moment;
  }

  // x of a position along the beam (a value), Pt-A being 0: from its share of
  // the span, so that no span, however long or short, overflows the sums.
  x(position) {
    return this.left + (position / this.problem.span.value) * (this.right - this.left);
  }

  // The position along the beam (a value) at x px, within the beam.
  position(x) {
    const share = Math.min(1, Math.max(0, (x - this.left) / (this.right - this.left)));
    return share * this.problem.span.value;
  }

  // A value (a quantity, or a text) with its unit, as the transcript would show it.
  withUnit(value, unit) {
    const shown = typeof value === 'string' ? value : value.text;
    return unit ? `${shown} ${unit}` : shown;
  }

  // The marks of the x axis: the finest step of the description's that leaves
  // TICK_ROOM px or more between marks over `pixels`, and room for their
  // texts (measured at `size`) side by side; else the coarsest.
  tickMarks(pixels, measure, size) {
    const fits = ({ step, marks }) => {
      const apart = pixels * (step.value / this.problem.span.value);
      const widest = Math.max(...marks.map(({ text }) => measure(text, size).width));
      return apart >= TICK_ROOM && apart >= widest + 6;
    };
    return (this.problem.ticks.find(fits) ?? this.problem.ticks.at(-1))?.marks ?? [];
  }

  // The value without its sign, in the program's text.
  static size(quantity) {
    return quantity.text.replace(/^-/, '');
  }
}

// y of a value in a plot from `top` to `bottom` px: the range of `values`,
// widened to take in zero, fills it. All zero: the axis in the middle. The
// values are first divided by the largest size among them, so that neither
// a range near the largest double nor one of subnormals overflows or vanishes.
export function valueScale(values, top, bottom) {
  const size = Math.max(...values.map(Math.abs));
  if (!(size > 0)) return () => (top + bottom) / 2;
  const high = Math.max(0, ...values) / size;
  const low = Math.min(0, ...values) / size;
  return (value) => top + (high - value / size) * (bottom - top) / (high - low);
}

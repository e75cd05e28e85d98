// Where the diagrams put things: SVG user units, WIDTH wide, the beam from Pt-A
// at LEFT to Pt-B at RIGHT, larger values higher up. Every number arrives as
// the program's own text; it is drawn at its value.
export const WIDTH = 480;
export const LEFT = 50; // Pt-A
export const RIGHT = 430; // Pt-B

// The module's description of the diagrams, with its units for labels and
// the scale along the beam.
export class DrawnBeam {
  constructor(description) {
    Object.assign(this, description);
    this.force = description.units.force;
    this.length = description.units.length;
    this.moment = [this.force, this.length].filter((unit) => unit !== '').join('·');
    this.scale = (RIGHT - LEFT) / Number(description.span);
  }

  // x of a position along the beam, Pt-A being 0.
  x(position) {
    return LEFT + Number(position) * this.scale;
  }

  // A value with its unit, as the transcript would show it.
  withUnit(text, unit) {
    return unit ? `${text} ${unit}` : text;
  }
}

// y of a value, for values drawn from `axis`: the largest in size among
// `values` reaches `reach` above it (or below, when negative); all of them
// zero stay on the axis.
export function valueScale(values, axis, reach) {
  const largest = Math.max(0, ...values.map((value) => Math.abs(Number(value))));
  return (value) => axis - (largest > 0 ? reach * Number(value) / largest : 0);
}

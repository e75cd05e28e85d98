// Where a drawing's labels go, so that none covers another and all stay
// inside the drawing. Pure: it works on numbers, and measures text with the
// function it is given.
//
// A request: { text, size, candidates: [{ x, y, anchor }], point, fixed, optional }
//   text       one line, or an array of lines
//   size       font size in px
//   candidates where the label may go, best first; y is the first line's
//              baseline, anchor an SVG text-anchor
//   point      what the label names: a leader line runs to it when the label
//              has to go elsewhere (default: the first candidate)
//   optional   true: dropped rather than moved (tick values)
// Requests are placed in the order given: put the important ones first.
//
// A placed label: { lines, size, x, y, anchor, box, leader? }.

export const LINE_HEIGHT = 1.15; // in font sizes, for labels of several lines
const PADDING = 1.5; // px kept clear around each label's box
const SMALLER = 0.85; // a label that finds no room tries again at this size
// A label below with a leader tries places this many font sizes apart, in
// this many rows.
const LEADER_SHIFT = 1;
const LEADER_ROWS = 24;

// Width in px of text at `size`, never smaller than that of the common sans
// fonts: wide letters count as a full em, others as the widest of their kind.
export function estimateMeasure(text, size) {
  let ems = 0;
  for (const character of text) {
    if (/[mwMW@%]/.test(character)) ems += 1.0;
    else if (/[A-Z]/.test(character)) ems += 0.82;
    else if (character === ' ') ems += 0.34;
    else if (/[\x21-\x7e]/.test(character)) ems += 0.66;
    else ems += 1.0;
  }
  return { width: ems * size, ascent: 0.96 * size, descent: 0.26 * size };
}

export function labelBox({ lines, size, x, y, anchor }, measure) {
  const measured = lines.map((line) => measure(line, size));
  const width = Math.max(...measured.map((m) => m.width));
  const { ascent, descent } = measured[0];
  const left = anchor === 'start' ? x : anchor === 'end' ? x - width : x - width / 2;
  return {
    left: left - PADDING,
    right: left + width + PADDING,
    top: y - ascent - PADDING,
    bottom: y + (lines.length - 1) * size * LINE_HEIGHT + descent + PADDING,
  };
}

// Whether point (x, y) lies inside the polygon (even-odd rule).
function insidePolygon(points, x, y) {
  let inside = false;
  for (let i = 0, j = points.length - 1; i < points.length; j = i, i += 1) {
    const [xi, yi] = points[i];
    const [xj, yj] = points[j];
    if ((yi > y) !== (yj > y) && x < xj + (y - yj) * (xi - xj) / (yi - yj)) inside = !inside;
  }
  return inside;
}

// Whether a filled polygon and a box share any area: an edge crosses the box,
// or one holds a corner of the other.
function polygonMeetsBox(points, box) {
  const closed = [...points, points[0]];
  for (let i = 1; i < closed.length; i += 1) {
    const [[x1, y1], [x2, y2]] = [closed[i - 1], closed[i]];
    if (segmentCrossesBox({ x1, y1, x2, y2 }, box)) return true;
  }
  const [x, y] = points[0];
  return (x > box.left && x < box.right && y > box.top && y < box.bottom) ||
    insidePolygon(points, (box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

export function boxesOverlap(a, b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Whether segment {x1, y1, x2, y2} passes through the box (Liang-Barsky).
function segmentCrossesBox({ x1, y1, x2, y2 }, box) {
  let [from, to] = [0, 1];
  const [dx, dy] = [x2 - x1, y2 - y1];
  const edges = [[-dx, x1 - box.left], [dx, box.right - x1], [-dy, y1 - box.top],
    [dy, box.bottom - y1]];
  for (const [p, q] of edges) {
    if (p === 0) {
      if (q < 0) return false;
    } else {
      const t = q / p;
      if (p < 0) from = Math.max(from, t);
      else to = Math.min(to, t);
      if (from > to) return false;
    }
  }
  return true;
}

// Words of `text` in lines no wider than `room` px at `size`, where the words
// allow; a word wider than that is broken after its widest piece that fits.
export function wrapWords(text, size, room, measure) {
  const fits = (line) => measure(line, size).width <= room;
  const lines = [];
  for (let word of text.split(' ')) {
    const last = lines.length - 1;
    if (last >= 0 && fits(`${lines[last]} ${word}`)) {
      lines[last] += ` ${word}`;
      continue;
    }
    while (!fits(word) && Array.from(word).length > 1) {
      const characters = Array.from(word);
      let cut = characters.length - 1;
      while (cut > 1 && !fits(characters.slice(0, cut).join(''))) cut -= 1;
      lines.push(characters.slice(0, cut).join(''));
      word = characters.slice(cut).join('');
    }
    lines.push(word);
  }
  return lines;
}

// Lays out `requests` in a drawing `width` wide and at least `height` tall;
// obstacles: boxes {left, right, top, bottom}, segments {x1, y1, x2, y2} and
// filled polygons {points} that no label covers; smallestFont: px below which no label is
// made smaller to fit. Returns the labels placed and the height
// the drawing needs: labels that found no room go in rows below it.
export function placeLabels(requests, { width, height, obstacles: given = [], measure = estimateMeasure,
  smallestFont = 0 }) {
  let obstacles = given;
  const placed = [];
  let bottom = height;
  const crossesObstacle = (box) => obstacles.some((obstacle) => {
    if ('x1' in obstacle) return segmentCrossesBox(obstacle, box);
    if ('points' in obstacle) return polygonMeetsBox(obstacle.points, box);
    return boxesOverlap(obstacle, box);
  });
  const clearOfLabels = (box) => !placed.some((label) => boxesOverlap(label.box, box));
  const inside = (box) => box.left >= 0 && box.right <= width && box.top >= 0 &&
    box.bottom <= height;

  for (const request of requests) {
    const texts = Array.isArray(request.text) ? request.text : [request.text];
    const shapes = [];
    const sizes = [request.size, request.size * SMALLER].filter((size, index) =>
      index === 0 || size >= smallestFont);
    for (const size of sizes) {
      shapes.push({ lines: texts, size });
      const wrappedLines = texts.flatMap((line) => wrapWords(line, size, width - 8, measure));
      if (wrappedLines.length > texts.length) shapes.push({ lines: wrappedLines, size });
    }
    // A label never lies on what the drawing shows: where no candidate is
    // clear of it, the label goes below with a leader line.
    const attempt = () => {
      for (const shape of shapes) {
        for (const candidate of request.candidates) {
          const label = intoWidth({ ...shape, ...candidate }, width, measure);
          if (inside(label.box) && clearOfLabels(label.box) && !crossesObstacle(label.box)) return label;
        }
      }
      return null;
    };
    let label = attempt();
    if (!label && request.optional) continue;
    if (!label) {
      label = belowWithLeader(request, shapes, { width, bottom, placed, measure });
      bottom = Math.max(bottom, label.box.bottom);
      // Labels placed later keep off the leader too.
      if (label.leader) obstacles = [...obstacles, label.leader];
    }
    placed.push({ ...label, optional: Boolean(request.optional) });
  }
  // A leader runs over no label: an optional one it would cross is dropped
  // (the leaders' places were chosen clear of the others).
  const leaders = placed.filter((label) => label.leader).map((label) => label.leader);
  const kept = placed.filter((label) => !label.optional ||
    !leaders.some((leader) => segmentCrossesBox(leader, label.box)));
  return { labels: kept.map(({ optional, ...label }) => label), height: Math.ceil(bottom) };
}

// Where a label with no clear place goes: below everything placed, as near
// its point as the width allows, its leader line to the point crossing no
// label that must stay.
function belowWithLeader(request, shapes, { width, bottom, placed, measure }) {
  const point = request.point ?? request.candidates[0];
  const shape = shapes.find((s) => labelWidth(s, measure) <= width - 4) ?? shapes.at(-1);
  const leaderOf = (box) => ({ x1: Math.min(Math.max(point.x, box.left), box.right), y1: box.top,
    x2: point.x, y2: point.y });
  const crossesKept = (leader) => placed.some((label) => !label.optional &&
    segmentCrossesBox(leader, label.box));
  const clear = (box) => !placed.some((label) => boxesOverlap(label.box, box));
  // Narrow first, in more lines: labels below stay near their points, and
  // leave the leaders of those that follow a way past them.
  const narrower = [0.45, 0.7, 1].map((share) => ({ size: shape.size,
    lines: shape.lines.flatMap((line) => wrapWords(line, shape.size, (width - 8) * share, measure)) }));
  let fallback = null;
  for (const tried of narrower) {
    const { ascent } = measure(tried.lines[0], tried.size);
    const step = tried.size * LEADER_SHIFT;
    for (let y = bottom + ascent + 4, rows = 0; rows < LEADER_ROWS; y += tried.size, rows += 1) {
      // Straight under the point first, then sideways either way.
      for (let shift = 0; shift <= width; shift += step) {
        for (const x of shift === 0 ? [point.x] : [point.x - shift, point.x + shift]) {
          const label = intoWidth({ ...tried, x, y, anchor: 'middle' }, width, measure);
          if (!clear(label.box)) continue;
          label.leader = leaderOf(label.box);
          if (!crossesKept(label.leader)) return label;
          fallback ??= label;
        }
      }
    }
  }
  if (fallback) return fallback;
  const { ascent } = measure(shape.lines[0], shape.size);
  // Every place near is taken: further down, straight under the point.
  for (let y = bottom + ascent + 4 + LEADER_ROWS * shape.size; ; y += shape.size) {
    const label = intoWidth({ ...shape, x: point.x, y, anchor: 'middle' }, width, measure);
    if (clear(label.box)) return { ...label, leader: leaderOf(label.box) };
  }
}

function labelWidth({ lines, size }, measure) {
  return Math.max(...lines.map((line) => measure(line, size).width)) + 2 * PADDING;
}

// The label moved sideways into the drawing, when it sticks out of it.
function intoWidth(label, width, measure) {
  const box = labelBox(label, measure);
  // A hair further in than the edge, so that no rounding of the sums puts it out again.
  const EDGE = 1e-6;
  const shift = box.left < 0 ? EDGE - box.left : box.right > width ? width - box.right - EDGE : 0;
  return { ...label, x: label.x + shift, box: { ...box, left: box.left + shift, right: box.right + shift } };
}

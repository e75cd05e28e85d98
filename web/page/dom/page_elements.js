// SVG and HTML elements with their attributes and text, made in one call.
const SVG_NAMESPACE = 'http://www.w3.org/2000/svg';

// XML forbids some characters that a unit word may hold (U+FFFE, U+FFFF, most
// C0 controls): an SVG holding one is no XML, and opens nowhere. In drawings
// they are shown as a mark, so that a saved drawing always opens.
const NOT_XML = /[\x00-\x08\x0b\x0c\x0e-\x1f\ufffe\uffff]|[\ud800-\udbff](?![\udc00-\udfff])|(?<![\ud800-\udbff])[\udc00-\udfff]/g;
const NOT_XML_MARK = '\ufffd';

export function svgElement(name, attributes = {}, text = '') {
  const xml = (value) => String(value).replace(NOT_XML, NOT_XML_MARK);
  const xmlAttributes = Object.fromEntries(Object.entries(attributes)
    .map(([key, value]) => [key, xml(value)]));
  return filled(document.createElementNS(SVG_NAMESPACE, name), xmlAttributes, xml(text));
}

export function htmlElement(name, attributes = {}, text = '') {
  return filled(document.createElement(name), attributes, text);
}

function filled(element, attributes, text) {
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (text) element.textContent = text;
  return element;
}

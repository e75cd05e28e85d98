// SVG and HTML elements with their attributes and text, made in one call.
const SVG_NAMESPACE = 'http://www.w3.org/2000/svg';

export function svgElement(name, attributes = {}, text = '') {
  return filled(document.createElementNS(SVG_NAMESPACE, name), attributes, text);
}

export function htmlElement(name, attributes = {}, text = '') {
  return filled(document.createElement(name), attributes, text);
}

function filled(element, attributes, text) {
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  if (text) element.textContent = text;
  return element;
}

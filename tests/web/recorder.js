// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Run before the page's own scripts where the browser's driver can do so,
// else once the page has loaded: what the player and a screen reader
// would notice, recorded for the tests. Every focus change; every change
// that reaches the accessibility tree (an attribute a screen reader reads,
// or text outside what is hidden from it), with the value it replaced;
// every write of a drawn text; and every error that the page reports or
// lets through, for a browser whose driver keeps no console log.
window.heard = { focus: [], changes: [], drawn: [], errors: [] };
for (const kind of ['error', 'unhandledrejection'])
  window.addEventListener(kind, (event) => heard.errors.push(String(event.message || event.reason)));
console.error = ((report) => (...parts) => {
  heard.errors.push(parts.join(' '));
  report.apply(console, parts);
})(console.error);
document.addEventListener('focusin', (event) => {
  const target = event.target;
  heard.focus.push(target.getAttribute('aria-label') || target.textContent || target.id || target.tagName);
}, true);
new MutationObserver((records) => {
  for (const record of records) {
    const target = record.target.nodeType === 1 ? record.target : record.target.parentElement;
    if (!target)
      continue;
    if (target.closest('[aria-hidden="true"]')) {
      heard.drawn.push(record.type === 'characterData' ? [record.oldValue, record.target.data]
        : [record.removedNodes[0]?.textContent, record.addedNodes[0]?.textContent]);
    } else if (record.type !== 'attributes' || /^(aria-|role$|disabled$|hidden$)/.test(record.attributeName)) {
      const now = record.type === 'attributes' ? target.getAttribute(record.attributeName) : target.textContent;
      heard.changes.push([target.getAttribute('aria-label') || target.id, record.attributeName, record.oldValue, now]);
    }
  }
}).observe(document, { subtree: true, childList: true, characterData: true, attributes: true,
                       attributeOldValue: true, characterDataOldValue: true });

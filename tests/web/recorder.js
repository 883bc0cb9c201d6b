// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Run before the page's own scripts: what the player and a screen reader
// would notice, recorded for the tests. Every focus change; every change
// that reaches the accessibility tree (an attribute a screen reader reads,
// or text outside what is hidden from it), with the value it replaced; and
// every write of a drawn text.
window.heard = { focus: [], changes: [], drawn: [] };
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
      heard.drawn.push([record.removedNodes[0]?.textContent, record.addedNodes[0]?.textContent]);
    } else if (record.type !== 'attributes' || /^(aria-|role$|disabled$|hidden$)/.test(record.attributeName)) {
      const now = record.type === 'attributes' ? target.getAttribute(record.attributeName) : target.textContent;
      heard.changes.push([target.getAttribute('aria-label') || target.id, record.attributeName, record.oldValue, now]);
    }
  }
}).observe(document, { subtree: true, childList: true, characterData: true, attributes: true,
                       attributeOldValue: true, characterDataOldValue: true });

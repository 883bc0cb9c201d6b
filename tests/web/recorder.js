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

// What the tests read of the page. The controls by name: role,
// description, box (CSS pixels), text drawn, whether enabled and focused,
// and the text's colour and face, as the DOM has them.
window.probe = {
  controls: () => {
    const form = document.getElementById('form');
    return Object.fromEntries(form ? [form, ...form.querySelectorAll('.control')].map((e) => [
      e === form ? 'form' : e.getAttribute('aria-label'), {
        role: e.getAttribute('role') || e.tagName.toLowerCase(), description: e.getAttribute('aria-description') || '',
        box: e.getBoundingClientRect().toJSON(), text: e.textContent, enabled: !e.disabled,
        focused: document.activeElement === e, color: getComputedStyle(e).color,
        face: getComputedStyle(e).fontFamily.split(',')[0].replace(/"/g, '')}]) : []);
  },
  // What a screen reader is told: [role, name, description, its states] of
  // each node shown, where no driver reads the accessibility tree: the ARIA
  // attributes that the page writes stand for it, in Chromium's words. What
  // is hidden, aria-hidden, or behind a modal dialog is left out, as a
  // browser leaves it out.
  tree: () => {
    const modal = document.querySelector('dialog:modal'), nodes = [];
    const text = (ids) => (ids || '').split(' ').map((id) => document.getElementById(id)?.textContent || '')
      .join(' ').trim();
    const visit = (node) => {
      if (node.nodeType === Node.TEXT_NODE && node.textContent.trim())
        nodes.push(['StaticText', node.textContent.trim(), '', {}]);
      if (node.nodeType !== Node.ELEMENT_NODE || node.getAttribute('aria-hidden') === 'true'
          || !node.checkVisibility() || (modal && !modal.contains(node) && !node.contains(modal)))
        return;
      const role = node.getAttribute('role') || (node.tagName === 'BUTTON' ? 'button' : '');
      if (role) {
        const states = {};
        if (node === document.activeElement) states.focused = true;
        if (node.disabled) states.disabled = true;
        nodes.push([role === 'img' ? 'image' : role, node.getAttribute('aria-label')
                    || text(node.getAttribute('aria-labelledby')) || (role === 'button' ? node.textContent.trim() : ''),
                    node.getAttribute('aria-description') || text(node.getAttribute('aria-describedby')), states]);
      }
      node.childNodes.forEach(visit);
    };
    visit(document.body);
    return nodes;
  },
  // What the page keeps in the browser.
  stored: async () => ({ cookies: document.cookie, local: localStorage.length, session: sessionStorage.length,
                         databases: (await indexedDB.databases()).length }),
};

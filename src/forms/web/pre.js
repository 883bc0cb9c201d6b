// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The page's end, in place of the form: the section of that id, with the
// report if it has a place for one, and a button that starts a new game.
function formsShowEnd(id, report) {
  document.getElementById('loading').hidden = true;
  const form = document.getElementById('form');
  if (form)
    form.remove();
  const ended = document.getElementById(id);
  const text = ended.querySelector('.report');
  if (text)
    text.textContent = report;
  ended.hidden = false;
  const again = ended.querySelector('button');
  again.addEventListener('click', () => location.reload());
  again.focus();
}

// Before the program: if it cannot start or stops on a fault of its own
// (its file damaged, memory exhausted), the page says so rather than stand
// still.
Module['onAbort'] = function() {
  formsShowEnd('failed', '');
};

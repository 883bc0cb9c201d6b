// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The program stopped on an error of its own (a trap, or memory): its form
// goes, and the page says so.
Module['onAbort'] = function() {
  const form = document.getElementById('form');
  if (form)
    form.remove();
  Module['forms'].end(false, '');
};

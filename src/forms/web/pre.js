// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Before the program: if it cannot start or stops on a fault of its own
// (its file damaged, memory exhausted), the page says so rather than stand
// still.
Module['onAbort'] = function() {
  const loading = document.getElementById('loading');
  if (loading)
    loading.hidden = true;
  const form = document.getElementById('form');
  if (form)
    form.remove();
  const failed = document.getElementById('failed');
  if (failed) {
    failed.hidden = false;
    failed.querySelector('button').addEventListener('click', () => location.reload());
  }
};

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Before the program: the service worker that keeps the page's own files,
// so that the game, once loaded, plays with the network off.
if ('serviceWorker' in navigator && window.isSecureContext)
  navigator.serviceWorker.register('service-worker.js').catch(() => {});

// The program could not start or stopped on a fault of its own (its file
// damaged, memory exhausted): the page says so rather than stand still.
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

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The page's own texts in the first of the player's languages that the
// catalogues translate: pageTexts, which the build puts before this script,
// holds each language's translations. The title stays the game's name.

// A text of the page: the element it is in, after "page:", and its English.
function pageText(context, text) {
  return [context, text];
}

const pageEnglish = [
  pageText('page:loading', 'Loading Vantu...'),
  pageText('page:ended-text', 'The game is over.'),
  pageText('page:ended-again', 'New game'),
  pageText('page:failed-text', 'The game stopped on an error.'),
  pageText('page:failed-again', 'New game'),
];

(function() {
  let language = 'en';
  for (const name of navigator.languages || [navigator.language || 'en']) {
    const tag = name.replace(/-/g, '_');
    const found = [tag, tag.split('_')[0]].find((candidate) => candidate === 'en' || pageTexts[candidate]);
    if (found) {
      language = found;
      break;
    }
  }
  const texts = pageTexts[language] || {};
  document.documentElement.lang = language.replace(/_/g, '-');
  for (const [context, english] of pageEnglish) {
    const element = document.getElementById(context.slice('page:'.length));
    element.textContent = texts[context + '\u0004' + english] || english;
  }
})();

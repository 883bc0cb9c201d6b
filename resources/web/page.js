// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The page's own texts in the player's language: pageTexts, which the build
// puts before this script, holds each language's translations. The title
// stays the game's name. The program chooses the language, by the rule it
// chooses its own texts' by (Module.forms.language); until it runs, the
// loading text is in the first of the browser's languages that has its
// translation, as written or without its region.

// A text of the page: the element it is in, after "page:", and its English.
function pageText(context, text) {
  return [context, text];
}

const pageEnglish = [
  // TRANSLATORS: shown while the game's program downloads.
  pageText('page:loading', 'Loading Vantu...'),
  // TRANSLATORS: shown in place of the game once the player has run out of
  // coins and closed the message.
  pageText('page:ended-text', 'The game is over.'),
  // TRANSLATORS: the button under it, which starts a new game.
  pageText('page:ended-again', 'New game'),
  // TRANSLATORS: shown in place of the game when it stopped on an error,
  // above the error's report, which stays in English.
  pageText('page:failed-text', 'The game stopped on an error.'),
  // TRANSLATORS: the button under it, which starts a new game.
  pageText('page:failed-again', 'New game'),
];

// What the page hands the program's forms: the place of the form, what
// shows while it loads, the message box, and how the page ends (the game
// over, or stopped on an error with its report), in place of the form.
var Module = {
  forms: {
    stage: document.getElementById('stage'),
    loading: document.getElementById('loading'),
    message: document.getElementById('message'),
    messageTitle: document.getElementById('message-title'),
    messageText: document.getElementById('message-text'),
    // The page's own texts, and its lang, in a language as gettext names
    // it ("zh_TW", "sr@latin", "en").
    language: function(language) {
      const texts = pageTexts[language] || {};
      document.documentElement.lang = language.replace('@latin', '-Latn').replace(/_/g, '-');
      for (const [context, english] of pageEnglish) {
        const element = document.getElementById(context.slice('page:'.length));
        element.textContent = texts[context + '\u0004' + english] || english;
      }
    },
    end: function(ended, report) {
      document.getElementById('loading').hidden = true;
      const section = document.getElementById(ended ? 'ended' : 'failed');
      const text = section.querySelector('.report');
      if (text)
        text.textContent = report;
      section.hidden = false;
      const again = section.querySelector('button');
      again.addEventListener('click', () => location.reload());
      again.focus();
    },
  },
};

Module.forms.language((navigator.languages || [navigator.language || 'en']).map((name) => {
  const tag = name.replace(/-/g, '_');
  return [tag, tag.split('_')[0]].find((candidate) => candidate === 'en' || pageTexts[candidate]);
}).find((found) => found) || 'en');

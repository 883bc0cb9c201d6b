// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The DOM side of the web backend, linked into the program's JavaScript. It
// builds and changes its own elements as the C++ side tells it, in the
// places that the page hands it (Module.forms), and
// queues what the player does (clicks, the focus moving) for the C++ side
// to take, which it does only from its own event loop or DoEvents: nothing
// here ever calls into the program, so nothing re-enters it while it waits.

mergeInto(LibraryManager.library, {
  $Forms: {
    // The C string at ptr in the program's memory, decoded from UTF-8.
    text: function(ptr) {
      let end = ptr;
      while (HEAPU8[end])
        ++end;
      if (!Forms.decoder)
        Forms.decoder = new TextDecoder();
      return Forms.decoder.decode(HEAPU8.subarray(ptr, end));
    },
    decoder: null,
    faces: null,
    form: null,
    elements: [],
    moving: false,
    queue: [],
    waiting: null,
    // The numbers of the events that the program takes, as it gave them.
    event: null,
    // The event queue: each event its kind and the element's id.
    post: function(kind, id) {
      Forms.queue.push([kind, id]);
      if (Forms.waiting) {
        const wake = Forms.waiting;
        Forms.waiting = null;
        wake();
      }
    },
    // The view changed: its size, the browser's zoom, the screen's ratio,
    // or the forced colours. The program lays the form out and colours it
    // again; its corner, wherever the page centres it, goes on a device
    // pixel.
    changed: function() {
      if (!Forms.form)
        return;
      Forms.post(Forms.event.view, 0);
      Forms.snap();
    },
    // The form's corner, wherever the page centres it, on a device pixel.
    snap: function() {
      const form = Forms.form;
      if (!form || !form.isConnected)
        return;
      const ratio = window.devicePixelRatio || 1;
      form.style.left = form.style.top = '0px';
      const box = form.getBoundingClientRect();
      const snap = (at) => (Math.round(at * ratio) - at * ratio) / ratio + 'px';
      form.style.left = snap(box.left + window.scrollX);
      form.style.top = snap(box.top + window.scrollY);
    },
    watch: function() {
      // The ratio changes with the browser's zoom and when the window
      // moves to another screen; the size when the window or the phone
      // turns.
      const ratio = window.matchMedia('(resolution: ' + window.devicePixelRatio + 'dppx)');
      ratio.addEventListener('change', () => { Forms.changed(); Forms.watch(); }, { once: true });
    },
    // Return clicks the focused button once however long it is held, as
    // Space does. Tab and Shift+Tab are the form's: the program moves the
    // focus round its enabled buttons, as in a desktop window.
    keydown: function(event) {
      const button = event.target;
      if (!(button instanceof HTMLButtonElement) || !Forms.form.contains(button))
        return;
      if (event.key === 'Enter') {
        event.preventDefault();
        if (!event.repeat)
          button.click();
      } else if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey) {
        event.preventDefault();
        Forms.post(event.shiftKey ? Forms.event.shiftTab : Forms.event.tab, 0);
      }
    },
  },

  forms_web_create_form__deps: ['$Forms'],
  forms_web_create_form: function(click, focus, view, tab, shiftTab, title, background, font) {
    Forms.event = { click, focus, view, tab, shiftTab };
    document.title = Forms.text(title);
    const form = document.createElement('div');
    form.id = 'form';
    form.className = 'form';
    // A landmark named after the form: not an application, in which a
    // screen reader would no longer let the player read the controls that
    // take no focus.
    form.setAttribute('role', 'region');
    form.setAttribute('aria-label', Forms.text(title));
    form.style.backgroundColor = Forms.text(background);
    form.style.fontFamily = Forms.text(font);
    form.addEventListener('keydown', Forms.keydown);
    // The player moved the focus (Tab, a click); where the program moves
    // it, the program knows already.
    form.addEventListener('focusin', (event) => {
      const id = Forms.elements.indexOf(event.target);
      if (id >= 0 && !Forms.moving)
        Forms.post(Forms.event.focus, id);
    });
    Forms.form = form;
    window.addEventListener('resize', Forms.changed);
    Forms.watch();
    // Forced colours (a high-contrast theme) on or off: the program colours
    // the form's texts again.
    window.matchMedia('(forced-colors: active)').addEventListener('change', Forms.changed);
  },

  // The view the form is shown in: the device pixels to a CSS pixel, its
  // width and height in CSS pixels, and 1 on a touch screen, else 0; four
  // doubles at out.
  forms_web_view: function(out) {
    const root = document.documentElement;
    HEAPF64.set([window.devicePixelRatio || 1, root.clientWidth, root.clientHeight,
                 window.matchMedia('(pointer: coarse)').matches ? 1 : 0], out / 8);
  },

  // The form is laid out at dpi dots per inch of device pixels: the CSS
  // lengths of a device pixel and of a design pixel.
  forms_web_scale__deps: ['$Forms'],
  forms_web_scale: function(dpi) {
    const ratio = window.devicePixelRatio || 1;
    const root = document.documentElement.style;
    root.setProperty('--dp', 1 / ratio + 'px');
    root.setProperty('--u', dpi / 96 / ratio + 'px');
    Forms.snap();
  },

  // Places the control (id -1: the form) in device pixels, with its lines,
  // its font's size and its text's inset.
  forms_web_place__deps: ['$Forms'],
  forms_web_place: function(id, left, top, width, height, line, size, inset) {
    const style = (id < 0 ? Forms.form : Forms.elements[id]).style;
    style.setProperty('--left', left);
    style.setProperty('--top', top);
    style.setProperty('--width', width);
    style.setProperty('--height', height);
    style.setProperty('--line', line);
    style.setProperty('--size', size);
    style.setProperty('--inset', inset);
  },

  // A control: a button, or an element of the ARIA role given. Returns its
  // id. A label's
  // text is drawn, not read: what a screen reader hears of any control is
  // its name and its description, which the form composes when it is at
  // rest, so the text that changes many times a second while the reels
  // spin never reaches the accessibility tree.
  forms_web_add__deps: ['$Forms'],
  forms_web_add: function(role, look, text, name, description) {
    const button = Forms.text(role) === 'button';
    const element = document.createElement(button ? 'button' : 'div');
    const id = Forms.elements.length;
    element.className = 'control ' + Forms.text(look);
    if (button) {
      element.type = 'button';
      element.addEventListener('click', () => Forms.post(Forms.event.click, id));
    } else {
      element.setAttribute('role', Forms.text(role));
    }
    const face = document.createElement('span');
    face.className = 'face';
    face.setAttribute('aria-hidden', 'true');
    face.textContent = Forms.text(text);
    element.appendChild(face);
    element.setAttribute('aria-label', Forms.text(name));
    const told = Forms.text(description);
    if (told)
      element.setAttribute('aria-description', told);
    Forms.elements.push(element);
    Forms.form.appendChild(element);
    return id;
  },

  forms_web_style__deps: ['$Forms'],
  forms_web_style: function(id, property, value) {
    const style = (id === -2 ? document.documentElement : id === -1 ? Forms.form : Forms.elements[id]).style;
    const name = Forms.text(property);
    const text = Forms.text(value);
    if (style.getPropertyValue(name) !== text)
      style.setProperty(name, text);
  },

  // A new text: the form's view tells only of a change. A text that stays
  // a text keeps its node and changes only its characters: a form that
  // animates its labels changes several of them every frame, and a new
  // node for each would cost the browser more at every one.
  forms_web_set_text__deps: ['$Forms'],
  forms_web_set_text: function(id, text) {
    const face = Forms.elements[id].firstChild;
    const value = Forms.text(text);
    if (face.firstChild && value)
      face.firstChild.data = value;
    else
      face.textContent = value;
  },

  forms_web_set_enabled__deps: ['$Forms'],
  forms_web_set_enabled: function(id, enabled) {
    Forms.elements[id].disabled = !enabled;
  },

  // A name or a description: the form's view tells only of a change.
  forms_web_tell__deps: ['$Forms'],
  forms_web_tell: function(id, attribute, text) {
    const element = Forms.elements[id];
    const name = Forms.text(attribute);
    const value = Forms.text(text);
    if (value === '')
      element.removeAttribute(name);
    else
      element.setAttribute(name, value);
  },

  // The focus to the button, or with id -1 to the form itself.
  forms_web_focus__deps: ['$Forms'],
  forms_web_focus: function(id) {
    Forms.moving = true;
    if (id >= 0) {
      Forms.elements[id].focus();
    } else if (Forms.form.contains(document.activeElement)) {
      Forms.form.tabIndex = -1;
      Forms.form.focus();
    }
    Forms.moving = false;
  },

  forms_web_show__deps: ['$Forms'],
  forms_web_show: function() {
    const page = Module['forms'];
    page.loading.hidden = true;
    page.stage.appendChild(Forms.form);
    Forms.snap();
    performance.mark('form shown');
    // The service worker that keeps the page's own files, so that the game,
    // loaded once, plays with the network off: registered a while after the
    // form is shown, not to slow the first load, and so that a player who
    // reloads or leaves at once does not register it. WebKitGTK's
    // registration, if its page goes away while it runs, stays stuck for
    // good: no later register() or unregister() of the folder completes,
    // and that player would never play offline.
    if ('serviceWorker' in navigator && window.isSecureContext) {
      setTimeout(() => navigator.serviceWorker.register('service-worker.js', { updateViaCache: 'none' })
        .catch(() => {}), 2000);
    }
  },

  // The next queued event's kind, with its element's id at id; or 0.
  forms_web_next_event__deps: ['$Forms'],
  forms_web_next_event: function(id) {
    if (!Forms.queue.length)
      return 0;
    const [kind, element] = Forms.queue.shift();
    HEAP32[id / 4] = element;
    return kind;
  },

  // Returns once an event is queued: the page takes no time while the
  // player does nothing.
  forms_web_wait__deps: ['$Forms'],
  forms_web_wait: function() {
    Asyncify.handleSleep((wake) => {
      if (Forms.queue.length)
        wake();
      else
        Forms.waiting = wake;
    });
  },

  // Lets the browser draw and deliver input once: returns at its next
  // frame, so a loop that yields here runs once per frame drawn.
  forms_web_yield: function() {
    Asyncify.handleSleep((wake) => requestAnimationFrame(() => wake()));
  },

  // A modal message: the title, the icon by name, the text and OK, as an
  // alert dialog.
  // Returns once the player has closed it.
  forms_web_message__deps: ['$Forms'],
  forms_web_message: function(title, text, icon) {
    const page = Module['forms'];
    const dialog = page.message;
    page.messageTitle.textContent = Forms.text(title);
    page.messageText.textContent = Forms.text(text);
    dialog.dataset.icon = Forms.text(icon);
    Asyncify.handleSleep((wake) => {
      dialog.addEventListener('close', () => wake(), { once: true });
      dialog.showModal();
    });
  },

  // The program has ended: its form goes, and the page says how it ended,
  // with the error's report after a fatal error.
  forms_web_end__deps: ['$Forms'],
  forms_web_end: function(status, report) {
    window.removeEventListener('resize', Forms.changed);
    if (Forms.form)
      Forms.form.remove();
    Forms.form = null;
    Forms.queue.length = 0;
    Module['forms'].end(status === 0, Forms.text(report));
  },

  // Which face of the page's own stands for a face the design names: the
  // body's data-faces maps each to a family of its @font-face rules.
  forms_web_face__deps: ['$Forms'],
  forms_web_face: function(face, out, size) {
    if (!Forms.faces)
      Forms.faces = JSON.parse(document.body.dataset.faces || '{}');
    const own = new TextEncoder().encode(Forms.faces[Forms.text(face)] || '');
    if (!own.length || own.length >= size)
      return 0;
    HEAPU8.set(own, out);
    HEAPU8[out + own.length] = 0;
    return 1;
  },

  forms_web_forced_color__deps: ['$Forms'],
  forms_web_forced_color: function(name) {
    if (!window.matchMedia('(forced-colors: active)').matches)
      return -1;
    const probe = document.createElement('span');
    probe.style.color = Forms.text(name);
    document.body.appendChild(probe);
    const [r, g, b] = getComputedStyle(probe).color.match(/\d+/g).map(Number);
    probe.remove();
    return r | g << 8 | b << 16;
  },

  forms_web_language__deps: ['$Forms'],
  forms_web_language: function(language) {
    Module['forms'].language(Forms.text(language));
  },

  forms_web_languages: function(out, size) {
    const list = new TextEncoder().encode((navigator.languages || [navigator.language || '']).join(','));
    if (list.length >= size)
      return 0;
    HEAPU8.set(list, out);
    HEAPU8[out + list.length] = 0;
    return 1;
  },
});

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The page's side of the web backend (library_forms.js). Strings are UTF-8;
// lengths are in device pixels; a control is known by the id that
// forms_web_add gave it.

#include <cstddef>

extern "C" {

// The form, and the numbers of the events that the page queues for it.
void forms_web_create_form(int click, int focus, int view, int tab, int shiftTab, const char* title,
    const char* background, const char* font);
// A control: a button for role "button", else an element of that ARIA
// role. look: the element's CSS classes. Returns its id.
int forms_web_add(const char* role, const char* look, const char* text, const char* name, const char* description);
// The view: device pixels to a CSS pixel, its width and height in CSS
// pixels, and 1 on a touch screen, else 0.
void forms_web_view(double* facts);
// The form is laid out at dpi dots per inch of device pixels.
void forms_web_scale(int dpi);
// The control's box (id -1: the form's size), its lines' width, its font's
// size and how far its text lies inside it.
void forms_web_place(int id, int left, int top, int width, int height, int line, int fontPixels, int inset);
// A style property of the control (id -1: the form, -2: the whole page).
void forms_web_style(int id, const char* property, const char* value);
void forms_web_set_text(int id, const char* text);
void forms_web_set_enabled(int id, int enabled);
void forms_web_tell(int id, const char* attribute, const char* text);
void forms_web_focus(int id);
void forms_web_show();
// The kind of the next event the page queued, and in id the control's id;
// 0 if there is none.
int forms_web_next_event(int* id);
// Suspend the program (Asyncify) until the page has an event queued, or for
// one frame, or until the player closed the message.
void forms_web_wait();
void forms_web_yield();
// icon: "error", "question", "warning", "information", or "".
void forms_web_message(const char* title, const char* text, const char* icon);
void forms_web_end(int exitStatus, const char* report);
// Under the browser's forced colours, the colour (0x00BBGGRR) that it gives
// the CSS system colour `name`; -1 when colours are not forced.
int forms_web_forced_color(const char* name);
// The family of the page's own that stands for `face`, in out; 0 if none.
int forms_web_face(const char* face, char* out, std::size_t size);
// The browser's languages, most preferred first, separated by ',', in out;
// 0 if they do not fit.
int forms_web_languages(char* out, std::size_t size);
// The language of the program's texts, as gettext names it ("zh_TW", "en"):
// the page's own texts follow it.
void forms_web_language(const char* language);
}

namespace forms::web {

inline constexpr int kEventClick = 1;
inline constexpr int kEventFocus = 2;
inline constexpr int kEventView = 3; // the view or the forced colours changed
inline constexpr int kEventTab = 4; // Tab in the form
inline constexpr int kEventShiftTab = 5;

} // namespace forms::web

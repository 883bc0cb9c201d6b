// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The page's side of the web backend (library_forms.js). Strings are UTF-8;
// lengths are in device pixels; a control is known by the id that
// forms_web_add gave it.

#include <cstddef>

extern "C" {

void forms_web_create_form(const char* title, const char* background, const char* font);
// kind: 0 a label, 1 a button, 2 a shape. look: the element's CSS classes.
int forms_web_add(int kind, const char* look, const char* text, const char* name, const char* description);
// The view: device pixels to a CSS pixel, its width and height in CSS
// pixels, and 1 on a touch screen, else 0.
void forms_web_view(double* facts);
// The form is laid out at dpi dots per inch of device pixels.
void forms_web_scale(int dpi);
// The control's box (id -1: the form's size), its lines' width, its font's
// size and how far its text lies inside it.
void forms_web_place(int id, int left, int top, int width, int height, int line, int fontPixels, int inset);
void forms_web_style(int id, const char* property, const char* value);
void forms_web_set_text(int id, const char* text);
void forms_web_set_enabled(int id, int enabled);
void forms_web_tell(int id, const char* attribute, const char* text);
void forms_web_focus(int id);
void forms_web_show();
// The next event the page queued, or 0: its kind times 65536 plus the
// control's id.
int forms_web_next_event();
// Suspend the program (Asyncify) until the page has an event queued, or for
// one frame, or until the player closed the message.
void forms_web_wait();
void forms_web_yield();
void forms_web_message(const char* title, const char* text, int icon);
void forms_web_end(int exitStatus, const char* report);
// Under the browser's forced colours, the colour (0x00BBGGRR) that it gives
// the CSS system colour `name`; -1 when colours are not forced.
int forms_web_forced_color(const char* name);
// The family of the page's own that stands for `face`, in out; 0 if none.
int forms_web_face(const char* face, char* out, std::size_t size);
// The browser's languages, most preferred first, separated by ',', in out;
// 0 if they do not fit.
int forms_web_languages(char* out, std::size_t size);
}

namespace forms::web {

inline constexpr int kEventClick = 1;
inline constexpr int kEventFocus = 2;
inline constexpr int kEventLook = 3; // the view or the forced colours changed
inline constexpr int kEventTab = 4; // Tab in the form
inline constexpr int kEventShiftTab = 5;

} // namespace forms::web

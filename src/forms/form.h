// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "controls.h"
#include "runtime.h"
#include "values.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace forms {

// The window's own properties as the form's stored design gives them.
struct FormDesign {
    std::string_view Caption;
    int ClientWidth, ClientHeight; // twips
    Color BackColor;
    const StdFont* Font;
    const char* const* Icon; // XPM lines
};

// A form: one top-level window with its controls. A form of the game derives
// from it, declares its controls as members, registers them and applies its
// design; the renderer walks Controls() to build the window.
class Form {
public:
    explicit Form(Runtime& runtime)
        : runtime_(runtime)
    {
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form() = default;

    std::string Caption;
    int ClientWidth = 0, ClientHeight = 0;
    Color BackColor = 0x8000000F;
    const StdFont* Font = nullptr;
    const char* const* Icon = nullptr;

    virtual void Form_Load() { }
    // Runs once an event has been handled in full (the load, or a click and
    // everything it set going) and the controls are still: the place to
    // bring what the controls tell assistive technology up to date, without
    // a flood of updates while they change.
    virtual void ControlsAtRest() { }

    // The controls in the order they were registered.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The control of that name and index (-1 for one outside a control array).
    Control* FindControl(std::string_view name, int index) const;
    // The font of a control's text: its own, else the form's; null for a
    // control that shows no text, or where neither names one (the toolkit's
    // own font, of kDefaultFontSize points).
    const StdFont* FontOf(const Control& control) const;

protected:
    void Register(Control& control) { controls_.push_back(&control); }
    template <typename T, int Count>
    void Register(ControlArray<T, Count>& array)
    {
        for (T& item : array)
            Register(item);
    }
    // Sets the form's and every registered control's design properties.
    // Each control must be named by exactly one row, and each row must name a
    // registered control: a design that does not fit its form is a
    // programming error (std::logic_error).
    void ApplyDesign(const FormDesign& form, std::span<const ControlDesign> controls);

    // The platform services as the game's code calls them.
    void DoEvents() { runtime_.DoEvents(); }
    void Randomize() { runtime_.Randomize(); }
    Double Rnd() { return runtime_.Rnd(); }
    int MsgBox(const std::string& prompt, int style, const std::string& title)
    {
        return runtime_.MsgBox(prompt, style, title);
    }
    [[noreturn]] void End() { runtime_.End(); }

private:
    Runtime& runtime_;
    std::vector<Control*> controls_;
};

} // namespace forms

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A form rendered in the browser's DOM: one element for the form and one for
// each control, placed in design pixels, which show what the form's view
// tells them; the page's clicks and focus changes become the form's events.

#include "forms/view.h"

#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

namespace forms::web {

class FormPage : public FormView {
public:
    FormPage(Form& form, Runtime& runtime);
    FormPage(const FormPage&) = delete;
    FormPage& operator=(const FormPage&) = delete;
    ~FormPage() = default;

    // Puts the form on the page.
    void Show() override;
    // An event that the page queued for the control of that id.
    void Handle(int kind, int id);
    // Runs the first call that the view posted (PostFocus) and has not yet
    // run; false if there is none.
    bool RunPosted();

private:
    // What the form's view tells the page: each a write to one element, or
    // an event posted to the program's own queue.
    void MoveFocus(CommandButton* button) override;
    void PostFocus(CommandButton& button) override;
    void TellName(Control& control) override;
    void TellDescription(Control& control) override;
    void ShowCaption(TextControl& control) override;
    void ShowEnabled(CommandButton& button) override;
    void ShowBackColor(Shape& shape) override;

    int Create(Control& control);
    // Places the form and its controls at the page's density.
    void Layout();
    // The labels' text in the colours that stay legible over their own
    // backgrounds, in the browser's forced colours too.
    void Colour();
    int IdOf(const Control& control) const { return ids_.at(&control); }

    std::deque<CommandButton*> posted_;
    std::vector<Control*> controls_; // by id
    std::unordered_map<const Control*, int> ids_;
};

} // namespace forms::web

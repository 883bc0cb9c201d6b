// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// What a form's window does whatever toolkit draws it: it follows every
// property write of the form's controls, keeps the keyboard focus among the
// buttons, and has the window show, and assistive technology hear, only
// what changed. A backend's
// window derives from it, reports what its toolkit did (the window shown, a
// button focused by Tab or a click) and carries out what it is told.

#include "form.h"
#include "runtime.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace forms {

class FormView : private ControlObserver {
public:
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    // The buttons in tab order: by TabIndex, in the form's order where two
    // share one. The other controls take no focus.
    const std::vector<CommandButton*>& TabOrder() const { return tabOrder_; }
    // The button that has the form's focus, kept while the window is in the
    // background; null when none has it (the form itself has it).
    CommandButton* Focus() const { return focus_; }
    // The focus goes to the first enabled button in tab order, as when the
    // form is first shown.
    void FocusFirstButton();
    // The enabled button after `from` in tab order (before it, going back),
    // round past the end; `from` itself if it is the only one enabled, null
    // if none is. From a control that takes no focus, the first or last.
    CommandButton* NextButton(const Control* from, bool forward) const;
    // Puts the window on the screen.
    virtual void Show() = 0;

protected:
    FormView(Form& form, Runtime& runtime);
    ~FormView();

    Form& ViewedForm() const { return form_; }
    Runtime& ViewedRuntime() const { return runtime_; }

    // The toolkit gave the focus to the control: Tab, or a click.
    void FocusTaken(const Control& control);
    // The player pressed Tab (forward) or Shift+Tab in the form: the focus
    // goes from the focused button to NextButton, where the toolkit leaves
    // that to the form.
    void Tab(bool forward);
    // What PostFocus posted has come.
    void FocusArrived(CommandButton& button);

    // A label's or a button's Caption, a button's Enabled, a shape's
    // BackColor changed: shown as they now are.
    virtual void ShowCaption(TextControl& control) = 0;
    virtual void ShowEnabled(CommandButton& button) = 0;
    virtual void ShowBackColor(Shape& shape) = 0;
    // The control's AccessibleName or AccessibleDescription changed: tell
    // assistive technology.
    virtual void TellName(Control& control) = 0;
    virtual void TellDescription(Control& control) = 0;
    // Gives the focus to the button, or to the form itself when it is null;
    // in a window in the background, when the window comes forward.
    virtual void MoveFocus(CommandButton* button) = 0;
    // Calls FocusArrived(button) once the event in hand, and all it set
    // going, has been handled in full; never once the window is gone.
    virtual void PostFocus(CommandButton& button) = 0;

private:
    // What the window shows and assistive technology heard of a control.
    struct Shown {
        std::string Caption, Name, Description;
        bool Enabled = false;
        Color BackColor = 0;
    };

    void PropertyChanged(Control& control, PropertyId which) override;
    void Enable(CommandButton& button);
    void GiveFocus(CommandButton* button);

    Form& form_;
    Runtime& runtime_;
    std::vector<CommandButton*> tabOrder_;
    std::unordered_map<const Control*, Shown> shown_;
    CommandButton* focus_ = nullptr;
};

} // namespace forms

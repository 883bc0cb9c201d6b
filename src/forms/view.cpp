// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "view.h"

#include <algorithm>

namespace forms {

namespace {

bool IsEnabled(const CommandButton* button)
{
    return button->Enabled;
}

} // namespace

FormView::FormView(Form& form, Runtime& runtime)
    : form_(form)
    , runtime_(runtime)
{
    for (Control* control : form.Controls()) {
        if (auto* button = dynamic_cast<CommandButton*>(control))
            tabOrder_.push_back(button);
        told_.emplace(control, Told { control->AccessibleName, control->AccessibleDescription });
        control->SetObserver(this);
    }
    std::stable_sort(tabOrder_.begin(), tabOrder_.end(),
        [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
}

FormView::~FormView()
{
    for (Control* control : form_.Controls())
        control->SetObserver(nullptr);
}

void FormView::FocusFirstButton()
{
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(), IsEnabled);
    GiveFocus(first == tabOrder_.end() ? nullptr : *first);
}

void FormView::FocusTaken(const Control& control)
{
    const auto button = std::find(tabOrder_.begin(), tabOrder_.end(), &control);
    if (button != tabOrder_.end())
        focus_ = *button;
}

void FormView::FocusArrived(CommandButton& button)
{
    if (button.Enabled && focus_ == nullptr && !runtime_.Ended())
        GiveFocus(&button);
}

void FormView::GiveFocus(CommandButton* button)
{
    focus_ = button;
    MoveFocus(button);
}

void FormView::Enable(CommandButton& button)
{
    if (!button.Enabled) {
        // The focus leaves a button before the button is disabled, so that
        // the toolkit tells assistive technology where it went: on to the
        // next enabled button in tab order, or with none, to the form.
        if (focus_ == &button) {
            const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), &button);
            const auto next = std::find_if(at + 1, tabOrder_.end(), IsEnabled);
            const auto wrapped = std::find_if(tabOrder_.begin(), at, IsEnabled);
            GiveFocus(next != tabOrder_.end() ? *next : wrapped != at ? *wrapped : nullptr);
        }
        ShowEnabled(button);
        return;
    }
    ShowEnabled(button);
    // With no button focused, the next one enabled takes the focus, so the
    // game can always be played from the keyboard. It takes it once the
    // event that enabled it has been handled in full, so that a screen
    // reader, which speaks the button as the focus lands, hears what the
    // form has since told of it.
    if (focus_ == nullptr)
        PostFocus(button);
}

void FormView::PropertyChanged(Control& control, PropertyId which)
{
    switch (which) {
    case PropertyId::Caption:
        ShowCaption(control);
        break;
    case PropertyId::Enabled:
        Enable(static_cast<CommandButton&>(control));
        break;
    case PropertyId::BackColor:
        ShowBackColor(static_cast<Shape&>(control));
        break;
    // Every write is reported; assistive technology hears only a change.
    case PropertyId::AccessibleName:
        if (std::string& told = told_.at(&control).Name; control.AccessibleName.Get() != told) {
            told = control.AccessibleName;
            TellName(control);
        }
        break;
    case PropertyId::AccessibleDescription:
        if (std::string& told = told_.at(&control).Description; control.AccessibleDescription.Get() != told) {
            told = control.AccessibleDescription;
            TellDescription(control);
        }
        break;
    }
}

} // namespace forms

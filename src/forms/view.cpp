// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "view.h"

#include <algorithm>
#include <cstddef>

namespace forms {

namespace {

bool IsEnabled(const CommandButton* button)
{
    return button->Enabled;
}

// Keeps what a property now holds, if it differs from what was kept: whether
// it changed.
template <typename T>
bool Changed(T& kept, const T& now)
{
    if (kept == now)
        return false;
    kept = now;
    return true;
}

} // namespace

FormView::FormView(Form& form, Runtime& runtime)
    : form_(form)
    , runtime_(runtime)
{
    for (Control* control : form.Controls()) {
        Shown& shown = shown_[control];
        shown.Name = control->AccessibleName;
        shown.Description = control->AccessibleDescription;
        if (const auto* text = dynamic_cast<const TextControl*>(control))
            shown.Caption = text->Caption;
        if (auto* button = dynamic_cast<CommandButton*>(control)) {
            tabOrder_.push_back(button);
            shown.Enabled = button->Enabled;
        }
        if (const auto* shape = dynamic_cast<const Shape*>(control))
            shown.BackColor = shape->BackColor;
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

CommandButton* FormView::NextButton(const Control* from, bool forward) const
{
    const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
    const auto at = std::find(tabOrder_.begin(), tabOrder_.end(), from) - tabOrder_.begin();
    // Off the order, the walk starts just outside it, so that the first step
    // lands on its first (or, going back, its last) button.
    const std::ptrdiff_t start = at < count ? at : forward ? count - 1 : 0;
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((start + (forward ? step : -step)) % count + count) % count;
        if (IsEnabled(tabOrder_[static_cast<std::size_t>(i)]))
            return tabOrder_[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

void FormView::Tab(bool forward)
{
    if (CommandButton* next = NextButton(focus_, forward))
        GiveFocus(next);
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
            CommandButton* next = NextButton(&button, true);
            GiveFocus(next != &button ? next : nullptr);
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
    // Every write is reported, many of them of what is already shown (the
    // spin writes every cell on each sweep): only a change reaches the
    // window, and assistive technology.
    Shown& shown = shown_.at(&control);
    switch (which) {
    case PropertyId::Caption:
        if (auto& text = static_cast<TextControl&>(control); Changed(shown.Caption, text.Caption.Get()))
            ShowCaption(text);
        break;
    case PropertyId::Enabled:
        if (auto& button = static_cast<CommandButton&>(control); Changed(shown.Enabled, button.Enabled.Get()))
            Enable(button);
        break;
    case PropertyId::BackColor:
        if (auto& shape = static_cast<Shape&>(control); Changed(shown.BackColor, shape.BackColor.Get()))
            ShowBackColor(shape);
        break;
    case PropertyId::AccessibleName:
        if (Changed(shown.Name, control.AccessibleName.Get()))
            TellName(control);
        break;
    case PropertyId::AccessibleDescription:
        if (Changed(shown.Description, control.AccessibleDescription.Get()))
            TellDescription(control);
        break;
    }
}

} // namespace forms

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A form rendered with Qt Widgets: one top-level window with one widget per
// control, which shows what the form's view tells it and turns the player's
// clicks, keys and the closing of the window into the form's events.

#include "forms/view.h"

#include <QWidget>

#include <unordered_map>

namespace forms::qt {

class FormWindow : public QWidget, public FormView {
public:
    FormWindow(Form& form, Runtime& runtime);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void Show() override { show(); }
    // The widget that shows the control.
    QWidget* WidgetOf(const Control& control) const;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowCaption(TextControl& control) override;
    void ShowEnabled(CommandButton& button) override;
    void ShowBackColor(Shape& shape) override;
    void TellName(Control& control) override;
    void TellDescription(Control& control) override;
    void MoveFocus(CommandButton* button) override;
    void PostFocus(CommandButton& button) override;

    QWidget* Create(Control& control);
    // The widget with the control's text, in its font.
    template <typename Widget>
    Widget* Texted(Widget* widget, const TextControl& control) const;
    // Gives the labels their colours in the desktop's current colour scheme.
    void ApplyLabelColors();

    std::unordered_map<const Control*, QWidget*> widgets_;
    QMetaObject::Connection focusChanges_;
};

} // namespace forms::qt

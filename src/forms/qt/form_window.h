// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A form rendered with Qt Widgets: one top-level window with one widget per
// control, which follows every property write and turns the player's clicks,
// keys and the closing of the window into the form's events.

#include "forms/form.h"
#include "forms/runtime.h"

#include <QWidget>

#include <unordered_map>
#include <vector>

namespace forms::qt {

class FormWindow : public QWidget, private ControlObserver {
public:
    FormWindow(Form& form, Runtime& runtime);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The widget that shows the control.
    QWidget* WidgetOf(const Control& control) const;
    // Gives the keyboard focus to the first enabled button in tab order, as
    // a form does when it is first shown.
    void FocusFirstButton();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PropertyChanged(Control& control, PropertyId which) override;
    QWidget* Create(Control& control);
    // Gives the labels their colours in the desktop's current colour scheme.
    void ApplyLabelColors();

    Form& form_;
    Runtime& runtime_;
    std::unordered_map<const Control*, QWidget*> widgets_;
    std::vector<QWidget*> tabOrder_; // the focusable widgets, by TabIndex
};

} // namespace forms::qt

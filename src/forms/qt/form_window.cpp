// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form_window.h"

#include "conversions.h"
#include "widgets.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPointer>

#include <algorithm>

namespace forms::qt {

namespace {

Qt::Alignment ToQtAlignment(TextAlign alignment)
{
    // Labels put their text at the top.
    switch (alignment) {
    case TextAlign::RightJustify:
        return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Center:
        return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::LeftJustify:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

} // namespace

FormWindow::FormWindow(Form& form, Runtime& runtime)
    : QWidget(nullptr,
        Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , form_(form)
    , runtime_(runtime)
{
    setWindowTitle(ToQString(form.Caption));
    setFixedSize(TwipsToPixels(form.ClientWidth), TwipsToPixels(form.ClientHeight));
    if (form.Icon != nullptr)
        setWindowIcon(QPixmap(form.Icon));
    if (form.Font != nullptr)
        setFont(ToQFont(*form.Font));
    QPalette background = palette();
    background.setColor(QPalette::Window, ToQColor(form.BackColor, background));
    setPalette(background);
    setAutoFillBackground(true);

    std::vector<Control*> byTabIndex;
    for (Control* control : form.Controls()) {
        QWidget* widget = Create(*control);
        // Controls never move or resize. A fixed size also spares the window
        // a layout request each time a caption changes.
        widget->setGeometry(PixelRect(*control));
        widget->setFixedSize(widget->size());
        // With a name of its own a label no longer announces each change of
        // its text; what a screen reader hears is what the form composes.
        widget->setAccessibleName(ToQString(control->AccessibleName));
        widget->setAccessibleDescription(ToQString(control->AccessibleDescription));
        widgets_.emplace(control, widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            byTabIndex.push_back(control);
        control->SetObserver(this);
    }
    std::stable_sort(byTabIndex.begin(), byTabIndex.end(),
        [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    for (const Control* control : byTabIndex)
        tabOrder_.push_back(widgets_.at(control));
    for (std::size_t i = 1; i < tabOrder_.size(); ++i)
        setTabOrder(tabOrder_[i - 1], tabOrder_[i]);
    ApplyLabelColors();
}

FormWindow::~FormWindow()
{
    for (Control* control : form_.Controls())
        control->SetObserver(nullptr);
}

QWidget* FormWindow::Create(Control& control)
{
    const QPalette base = palette();
    if (auto* label = dynamic_cast<Label*>(&control)) {
        auto* widget = new QLabel(this);
        widget->setAutoFillBackground(true);
        if (label->BorderStyle == Border::FixedSingle)
            widget->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        widget->setAlignment(ToQtAlignment(label->Alignment));
        // A framed QLabel indents its text by half an "x"; these do not.
        widget->setIndent(0);
        if (label->Font != nullptr)
            widget->setFont(ToQFont(*label->Font));
        widget->setFocusPolicy(Qt::NoFocus);
        widget->setText(ToQString(label->Caption));
        return widget;
    }
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        auto* widget = new ButtonWidget(this);
        if (button->Font != nullptr)
            widget->setFont(ToQFont(*button->Font));
        widget->setText(ToQString(button->Caption));
        widget->setEnabled(button->Enabled);
        connect(widget, &QPushButton::clicked, this, [this, button] { runtime_.Click(*button); });
        return widget;
    }
    if (auto* shape = dynamic_cast<Shape*>(&control)) {
        const bool round = shape->Kind == ShapeKind::Circle || shape->Kind == ShapeKind::Oval;
        auto* widget = new ShapeWidget(this, round, ToQColor(shape->BorderColor, base));
        if (shape->BackStyle == Fill::Opaque)
            widget->SetFill(ToQColor(shape->BackColor, base));
        return widget;
    }
    // Every control class of the runtime is handled above.
    Q_UNREACHABLE();
}

void FormWindow::ApplyLabelColors()
{
    // System colours come from the desktop's scheme, not from this window's
    // palette, whose Window is the form's own background.
    const QPalette scheme = QGuiApplication::palette();
    for (const auto& [control, widget] : widgets_) {
        if (const auto* label = dynamic_cast<const Label*>(control)) {
            QPalette colors = widget->palette();
            colors.setColor(QPalette::Window, ToQColor(label->BackColor, scheme));
            colors.setColor(QPalette::WindowText, ToQTextColor(label->ForeColor, label->BackColor, scheme));
            widget->setPalette(colors);
        }
    }
}

QWidget* FormWindow::WidgetOf(const Control& control) const
{
    const auto found = widgets_.find(&control);
    return found == widgets_.end() ? nullptr : found->second;
}

void FormWindow::FocusFirstButton()
{
    const auto first = std::find_if(tabOrder_.begin(), tabOrder_.end(),
        [](const QWidget* w) { return w->isEnabled(); });
    if (first != tabOrder_.end())
        (*first)->setFocus(Qt::OtherFocusReason);
}

void FormWindow::PropertyChanged(Control& control, PropertyId which)
{
    QWidget* widget = widgets_.at(&control);
    switch (which) {
    case PropertyId::Caption:
        if (auto* label = dynamic_cast<Label*>(&control))
            static_cast<QLabel*>(widget)->setText(ToQString(label->Caption));
        else if (auto* button = dynamic_cast<CommandButton*>(&control))
            static_cast<QPushButton*>(widget)->setText(ToQString(button->Caption));
        break;
    case PropertyId::Enabled: {
        const bool enabled = static_cast<CommandButton&>(control).Enabled;
        widget->setEnabled(enabled);
        // Disabling the focused button moves the focus on to the next
        // enabled one; with none left, Qt leaves the window without focus
        // and would not give it back. The next button enabled takes it, so
        // the game can always be played from the keyboard. (In a window in
        // the background, it takes the focus when the window comes forward.)
        // It takes it once the event that enabled it has been handled in
        // full, so that a screen reader, which speaks the button as the
        // focus lands, hears the description the form has brought up to date.
        if (enabled && focusWidget() == nullptr) {
            QMetaObject::invokeMethod(
                this,
                [this, button = QPointer<QWidget>(widget)] {
                    if (button != nullptr && button->isEnabled() && focusWidget() == nullptr && !runtime_.Ended())
                        button->setFocus(Qt::OtherFocusReason);
                },
                Qt::QueuedConnection);
        }
        break;
    }
    case PropertyId::BackColor: {
        auto& shape = static_cast<Shape&>(control);
        if (shape.BackStyle == Fill::Opaque)
            static_cast<ShapeWidget*>(widget)->SetFill(ToQColor(shape.BackColor, palette()));
        break;
    }
    // Qt tells assistive technology of every accessible name or
    // description set, also an unchanged one; only a change is passed on.
    case PropertyId::AccessibleName:
        if (const QString name = ToQString(control.AccessibleName); name != widget->accessibleName())
            widget->setAccessibleName(name);
        break;
    case PropertyId::AccessibleDescription:
        if (const QString text = ToQString(control.AccessibleDescription); text != widget->accessibleDescription())
            widget->setAccessibleDescription(text);
        break;
    }
}

void FormWindow::changeEvent(QEvent* event)
{
    // The desktop switched its colour scheme while the game runs.
    if (event->type() == QEvent::PaletteChange)
        ApplyLabelColors();
    QWidget::changeEvent(event);
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    // The game has no say in its window's closing: it ends the program.
    runtime_.Close();
    event->accept();
}

} // namespace forms::qt

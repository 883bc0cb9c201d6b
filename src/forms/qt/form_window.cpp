// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "form_window.h"

#include "conversions.h"
#include "widgets.h"

#include "forms/geometry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPixmap>

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

// A fixed single border: a title bar with the system menu, minimise and
// close, and no maximise.
constexpr Qt::WindowFlags kFormFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

FormWindow::FormWindow(Form& form, Runtime& runtime)
    : QWidget(nullptr, kFormFlags)
    , FormView(form, runtime)
{
    setWindowTitle(ToQString(form.Caption));
    setFixedSize(TwipsToPixels(form.ClientWidth, kDesignDpi), TwipsToPixels(form.ClientHeight, kDesignDpi));
    if (form.Icon != nullptr)
        setWindowIcon(QPixmap(form.Icon));
    if (form.Font != nullptr)
        setFont(ToQFont(*form.Font));
    QPalette background = palette();
    background.setColor(QPalette::Window, ToQColor(form.BackColor, background));
    setPalette(background);
    setAutoFillBackground(true);

    for (Control* control : form.Controls()) {
        QWidget* widget = Create(*control);
        // Controls never move or resize. A fixed size also spares the window
        // a layout request each time a caption changes.
        widget->setGeometry(PixelRect(*control));
        widget->setFixedSize(widget->size());
        // With a name of its own a label no longer announces each change of
        // its text; what a screen reader hears is what the form composes.
        widget->setAccessibleName(ToQString(control->AccessibleName.Get()));
        widget->setAccessibleDescription(ToQString(control->AccessibleDescription.Get()));
        widgets_.emplace(control, widget);
    }
    for (std::size_t i = 1; i < TabOrder().size(); ++i)
        setTabOrder(WidgetOf(*TabOrder()[i - 1]), WidgetOf(*TabOrder()[i]));
    // Tab and the mouse move the focus among the buttons.
    focusChanges_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        for (const CommandButton* button : TabOrder()) {
            if (WidgetOf(*button) == now)
                FocusTaken(*button);
        }
    });
    ApplyLabelColors();
}

FormWindow::~FormWindow()
{
    // The widgets go after the view: the focus leaving them is not the form's.
    disconnect(focusChanges_);
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
        // A framed QLabel indents its text by half an "x"; these do not: the
        // text area is the frame's inside (TextInset), where a QLabel
        // centres a line wider than the area on both sides alike.
        widget->setIndent(0);
        widget->setFocusPolicy(Qt::NoFocus);
        return Texted(widget, *label);
    }
    if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        auto* widget = new ButtonWidget(this);
        widget->setEnabled(button->Enabled);
        connect(widget, &QPushButton::clicked, this, [this, button] { ViewedRuntime().Click(*button); });
        return Texted(widget, *button);
    }
    if (auto* shape = dynamic_cast<Shape*>(&control)) {
        auto* widget = new ShapeWidget(this, shape->Round(), ToQColor(shape->BorderColor, base));
        if (shape->Filled())
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

template <typename Widget>
Widget* FormWindow::Texted(Widget* widget, const TextControl& control) const
{
    if (const StdFont* font = ViewedForm().FontOf(control))
        widget->setFont(ToQFont(*font));
    widget->setText(ToQString(control.Caption.Get()));
    return widget;
}

void FormWindow::ShowCaption(TextControl& control)
{
    QWidget* widget = WidgetOf(control);
    if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(ToQString(control.Caption.Get()));
    else
        static_cast<QAbstractButton*>(widget)->setText(ToQString(control.Caption.Get()));
}

void FormWindow::ShowEnabled(CommandButton& button)
{
    WidgetOf(button)->setEnabled(button.Enabled);
}

void FormWindow::ShowBackColor(Shape& shape)
{
    if (shape.Filled())
        static_cast<ShapeWidget*>(WidgetOf(shape))->SetFill(ToQColor(shape.BackColor, palette()));
}

void FormWindow::TellName(Control& control)
{
    WidgetOf(control)->setAccessibleName(ToQString(control.AccessibleName.Get()));
}

void FormWindow::TellDescription(Control& control)
{
    WidgetOf(control)->setAccessibleDescription(ToQString(control.AccessibleDescription.Get()));
}

void FormWindow::MoveFocus(CommandButton* button)
{
    // In a window in the background, Qt gives the focus when the window
    // comes forward.
    if (button != nullptr)
        WidgetOf(*button)->setFocus(Qt::OtherFocusReason);
    else if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void FormWindow::PostFocus(CommandButton& button)
{
    const auto arrive = [this, &button] { FocusArrived(button); };
    QMetaObject::invokeMethod(this, arrive, Qt::QueuedConnection);
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
    ViewedRuntime().Close();
    event->accept();
}

} // namespace forms::qt

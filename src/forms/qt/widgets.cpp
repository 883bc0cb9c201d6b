// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "widgets.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace forms::qt {

namespace {

bool IsEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

QAccessibleInterface* ShapeAccessible(const QString&, QObject* object)
{
    if (auto* shape = dynamic_cast<ShapeWidget*>(object))
        return new QAccessibleWidget(shape, QAccessible::Graphic);
    return nullptr;
}

} // namespace

ButtonWidget::ButtonWidget(QWidget* parent)
    : QPushButton(parent)
{
    // Outside a dialog a push button ignores Return; it is handled below.
    setAutoDefault(false);
    setDefault(false);
}

void ButtonWidget::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterKey(event)) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    // Space presses the button and its release clicks; QAbstractButton
    // already ignores the repeats of a held Space.
    QPushButton::keyPressEvent(event);
}

void ButtonWidget::keyReleaseEvent(QKeyEvent* event)
{
    if (IsEnterKey(event)) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

ShapeWidget::ShapeWidget(QWidget* parent, bool round, QColor outline)
    : QWidget(parent)
    , round_(round)
    , outline_(outline)
{
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(&ShapeAccessible);
        return true;
    }();
    setFocusPolicy(Qt::NoFocus);
}

void ShapeWidget::SetFill(QColor fill)
{
    if (fill == fill_)
        return;
    fill_ = fill;
    update();
}

void ShapeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, round_);
    painter.setPen(QPen(outline_, 1));
    painter.setBrush(fill_.isValid() ? QBrush(fill_) : QBrush(Qt::NoBrush));
    // The outline's centre runs half a pixel inside the widget's edge.
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (round_)
        painter.drawEllipse(bounds);
    else
        painter.drawRect(bounds);
}

} // namespace forms::qt

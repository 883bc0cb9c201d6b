// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The widgets that stand for the controls whose Qt counterparts behave
// differently from the forms runtime's.

#include <QColor>
#include <QPushButton>
#include <QWidget>

namespace forms::qt {

// A push button that Space, Return and Enter click, as on the desktop the
// game was designed for. A key held down clicks once.
class ButtonWidget : public QPushButton {
public:
    explicit ButtonWidget(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

// A filled shape, a circle or a rectangle, with a one-pixel outline. To
// assistive technology it is a graphic.
class ShapeWidget : public QWidget {
public:
    ShapeWidget(QWidget* parent, bool round, QColor outline);

    QColor Fill() const { return fill_; }
    void SetFill(QColor fill); // an invalid colour: transparent inside

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool round_;
    QColor outline_;
    QColor fill_;
};

} // namespace forms::qt

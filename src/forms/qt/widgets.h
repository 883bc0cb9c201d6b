// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The widgets that stand for the controls whose Qt counterparts behave
// differently from the forms runtime's.

#include <QColor>
#include <QLabel>
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

// A label of plain text, put at the top of its text area `inset` pixels
// inside its frame and wrapped at word boundaries, and clipped only at its
// own edges: a line wider than the area overflows it as the alignment puts
// it, on both sides alike when centred, where a QLabel would cut it at the
// area's edge.
class LabelWidget : public QLabel {
public:
    LabelWidget(QWidget* parent, int inset);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int inset_;
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

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "device_pixel_frames.h"

#include <QApplication>
#include <QFrame>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace forms::qt {

namespace {

// Qt gives a widget the device pixels from its left (top) edge to its right
// (bottom) edge, each edge rounded half up; the frame's edges are rounded
// the same way, so they meet the widget's own and each other's exactly.
int Snap(double device)
{
    return static_cast<int>(std::floor(device + 0.5));
}

QRect Snap(const QRectF& device)
{
    return { QPoint(Snap(device.left()), Snap(device.top())),
        QPoint(Snap(device.right()) - 1, Snap(device.bottom()) - 1) };
}

// One line of a panel, between its outer and inner rectangles: the bottom
// and right sides own the two corners they share with the others, as in
// qDrawWinShades, so at a scale of 1 the result is the style's own.
void FillBand(QPainter& painter, const QRect& outer, const QRect& inner, const QColor& topLeft,
    const QColor& bottomRight)
{
    const int right = outer.right() - inner.right(), bottom = outer.bottom() - inner.bottom();
    painter.fillRect(outer.right() - right + 1, outer.top(), right, outer.height(), bottomRight);
    painter.fillRect(outer.left(), outer.bottom() - bottom + 1, outer.width(), bottom, bottomRight);
    painter.fillRect(outer.left(), outer.top(), outer.width() - right, inner.top() - outer.top(), topLeft);
    painter.fillRect(outer.left(), outer.top(), inner.left() - outer.left(), outer.height() - bottom, topLeft);
}

class DevicePixelFrameStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element != CE_ShapedFrame || frame == nullptr || frame->frameShape != QFrame::WinPanel) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // The panel's two lines, each one logical pixel wide, in device pixels.
        const QTransform toDevice = painter->deviceTransform();
        const qreal line = toDevice.m11();
        const QRectF area = toDevice.mapRect(QRectF(option->rect));
        const QRect edges[3] = { Snap(area), Snap(area.adjusted(line, line, -line, -line)),
            Snap(area.adjusted(2 * line, 2 * line, -2 * line, -2 * line)) };
        const QPalette& colours = option->palette;
        const bool sunken = option->state.testFlag(State_Sunken);
        painter->save();
        painter->setWorldTransform(toDevice.inverted() * painter->worldTransform());
        FillBand(*painter, edges[0], edges[1], sunken ? colours.dark().color() : colours.light().color(),
            sunken ? colours.light().color() : colours.shadow().color());
        FillBand(*painter, edges[1], edges[2], sunken ? colours.shadow().color() : colours.button().color(),
            sunken ? colours.midlight().color() : colours.dark().color());
        painter->restore();
    }
};

} // namespace

void UseDevicePixelFrames()
{
    // With no base style given, the proxy wraps the desktop's default one.
    QApplication::setStyle(new DevicePixelFrameStyle);
}

} // namespace forms::qt

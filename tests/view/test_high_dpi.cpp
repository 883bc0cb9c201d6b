// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The window at the scale factor that QT_SCALE_FACTOR sets (1 without it):
// its size in device pixels, and the sunken frames of the coin counter and
// of a reel cell on whole device pixels, every edge there and sharp.

#include "forms/qt/conversions.h"
#include "forms/qt/device_pixel_frames.h"
#include "game_window.h"
#include "scripted_platform.h"

#include <QtTest>

#include <cmath>

class TestHighDpi : public QObject {
    Q_OBJECT

private slots:
    void frameEdges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("coin counter") << "labCoins" << -1;
        QTest::newRow("middle reel, bottom cell") << "labMid" << 2;
    }
    void frameEdges()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        forms::qt::RegisterFontSubstitutes();
        forms::qt::UseDevicePixelFrames();
        const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        const auto snap = [factor](double logical) { return static_cast<int>(std::floor(logical * factor + 0.5)); };
        GameWindow<ScriptedPlatform> game;
        game.Start();
        const QImage screen = game.window.grab().toImage();
        QCOMPARE(screen.size(), QSize(snap(174), snap(214)));
        const QWidget* label = game.window.WidgetOf(*game.form.FindControl(name.toStdString(), index));
        const QRect box = label->geometry();
        const QPalette& colours = label->palette();
        // Across each side, from the logical pixel outside it inwards: the
        // window, the outer line, the inner line, each from its logical edge
        // times the factor, rounded, to the next.
        const auto side = [&](bool across, int edge, int step, QColor outer, QColor inner) {
            const int middle = snap(across ? box.center().y() : box.center().x());
            QStringList seen, expected;
            for (int band = -1; band < 2; ++band) {
                const int a = snap(edge + band * step), b = snap(edge + (band + 1) * step);
                for (int d = std::min(a, b); d < std::max(a, b); ++d) {
                    expected << (band < 0 ? game.window.palette().window().color() : band == 0 ? outer : inner).name();
                    seen << QColor(across ? screen.pixel(d, middle) : screen.pixel(middle, d)).name();
                }
            }
            QCOMPARE(seen, expected);
        };
        side(true, box.left(), 1, colours.dark().color(), colours.shadow().color());
        side(false, box.top(), 1, colours.dark().color(), colours.shadow().color());
        side(true, box.right() + 1, -1, colours.light().color(), colours.midlight().color());
        side(false, box.bottom() + 1, -1, colours.light().color(), colours.midlight().color());
    }
};

QTEST_MAIN(TestHighDpi)
#include "test_high_dpi.moc"

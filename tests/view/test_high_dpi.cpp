// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The window at the scale factor that QT_SCALE_FACTOR sets (1 without it):
// its size in device pixels, and the sunken frames of the coin counter and
// of reel cells on whole device pixels, every edge there and sharp.

#include "forms/qt/conversions.h"
#include "forms/qt/device_pixel_frames.h"
#include "game_window.h"
#include "scripted_platform.h"

#include <QtTest>

#include <cmath>

namespace {

int Snap(double device) { return static_cast<int>(std::floor(device + 0.5)); }

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        forms::qt::RegisterFontSubstitutes();
        forms::qt::UseDevicePixelFrames();
    }
    void frameEdges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("coin counter") << "labCoins" << -1;
        QTest::newRow("left reel, top cell") << "labLeft" << 0;
        QTest::newRow("right reel, bottom cell") << "labRight" << 2;
    }
    void frameEdges()
    {
        QFETCH(QString, name);
        QFETCH(int, index);
        const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        GameWindow<ScriptedPlatform> game;
        game.Start();
        const QImage screen = game.window.grab().toImage();
        QCOMPARE(screen.size(), QSize(Snap(174 * factor), Snap(214 * factor)));
        const QWidget* label = game.window.WidgetOf(*game.form.FindControl(name.toStdString(), index));
        const QRect box = label->geometry();
        const QPalette& colours = label->palette();
        const QColor background = game.window.palette().color(QPalette::Window);
        // Across each side, from the logical pixel outside it inwards: the
        // window, the outer line, the inner line, each from its logical edge
        // times the factor, rounded, to the next.
        const auto side = [&](bool across, int edge, int step, QColor outer, QColor inner) {
            const int middle = Snap((across ? box.center().y() : box.center().x()) * factor);
            QStringList seen, expected;
            for (int band = -1; band < 2; ++band) {
                const int a = Snap((edge + band * step) * factor), b = Snap((edge + (band + 1) * step) * factor);
                for (int d = std::min(a, b); d < std::max(a, b); ++d) {
                    expected << (band < 0 ? background : band == 0 ? outer : inner).name();
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

// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The window on the offscreen platform with the real platform services and
// an accessibility listener, as when a screen reader runs: every control
// against the design in one pass, also at high-density scale factors, and
// how much a screen reader hears of a play by real clicks.

#include "forms/qt/application.h"
#include "qt_game.h"

#include <QtTest>

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

static long events = 0; // the accessibility events heard

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        forms::qt::ConfigureApplication({ kAppName, kAppVersion, kAppId });
        QAccessible::installUpdateHandler([](QAccessibleEvent*) { ++events; });
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    void design()
    {
        // Run at the scale factor that QT_SCALE_FACTOR sets, 1 without it.
        // Logical pixel p covers the device pixels from snap(p) to snap(p + 1).
        const double factor = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();
        const auto snap = [factor](int p) { return static_cast<int>(std::floor(p * factor + 0.5)); };
        const auto logical = [factor](int device) { return static_cast<int>(std::ceil((device + 0.5) / factor)) - 1; };
        PlayQt([&](QtGame& g) {
            // Each control's pixels, a colour inside it below any text, and its font.
            using Row = std::tuple<const forms::Control&, QRect, QRgb, QString, int>;
            std::vector<Row> rows { { g.f.cmdGo, QRect(142, 19, 25, 111), 0, "IPAPGothic", 16 },
                { g.f.labCoins, QRect(11, 176, 153, 27), qRgb(0, 0, 128), "Liberation Sans", 19 } };
            for (int i = 0; i < 3; ++i) {
                const auto column = static_cast<std::size_t>(i);
                rows.push_back({ *std::array<forms::Control*, 3> { &g.f.cmdLeft, &g.f.cmdMid, &g.f.cmdRight }[column], QRect(25 + 32 * i, 144, 21, 19), 0, "IPAPGothic", 16 });
                for (int row = 0; row < 3; ++row)
                    rows.push_back({ (*std::array { &g.f.labLeft, &g.f.labMid, &g.f.labRight }[column])(row), QRect(std::array { 22, 53, 85 }[column], 15 + 39 * row, 28, 36), qRgb(255, 192, 192), "Liberation Sans", 29 });
            }
            for (int k = 0; k < 5; ++k)
                rows.push_back({ g.f.shpReach(k), QRect(119, std::array { 3, 27, 63, 104, 129 }[static_cast<std::size_t>(k)], 14, 14), qRgb(128, 128, 128), "", 0 });
            QCOMPARE(g.window.windowTitle() + QString::number(g.window.windowIcon().availableSizes().contains(QSize(32, 32))), "Vantu1");
            QCOMPARE(std::pair(g.window.minimumSize(), g.window.maximumSize()), std::pair(QSize(174, 214), QSize(174, 214)));
            QCOMPARE(g.window.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
            // The window as painted at a scale of 1, and on the screen.
            QImage plain(g.window.size(), QImage::Format_RGB32);
            g.window.render(&plain);
            const QImage screen = g.window.grab().toImage();
            QCOMPARE(std::pair(plain.pixel(3, 3), screen.size()), std::pair(qRgb(192, 192, 255), QSize(snap(174), snap(214))));
            QRegion covered;
            for (const auto& [control, pixels, colour, face, size] : rows) {
                // Each comparison names the control on both sides.
                const QString name = QString::fromStdString(control.Name + std::to_string(control.Index));
                const QWidget* widget = g[control];
                const QFontInfo font(widget->font());
                QCOMPARE(std::tuple(name, widget->geometry(), covered.intersects(pixels)), std::tuple(name, pixels, false));
                if (colour != 0) QCOMPARE(std::pair(name, plain.pixel(pixels.center().x(), pixels.bottom() - 3)), std::pair(name, colour));
                if (!face.isEmpty()) QCOMPARE(std::tuple(name, font.family(), font.pixelSize(), font.bold()), std::tuple(name, face, size, size != 16));
                covered += pixels;
                // A label's sunken frame lies on whole device pixels: each device
                // pixel of it, and of the logical pixel around it, has the colour
                // of the logical pixel it falls in.
                const QRect ring = pixels.adjusted(-1, -1, 1, 1), inside = ring.adjusted(3, 3, -3, -3);
                for (int y = snap(ring.top()); y < snap(ring.bottom() + 1) && qobject_cast<const QLabel*>(widget); ++y)
                    for (int x = snap(ring.left()); x < snap(ring.right() + 1); ++x)
                        if (const QPoint p(logical(x), logical(y)); !inside.contains(p) && screen.pixel(x, y) != plain.pixel(p))
                            QFAIL(qPrintable(QStringLiteral("%1: device pixel %2,%3 is not as logical pixel %4,%5").arg(name).arg(x).arg(y).arg(p.x()).arg(p.y())));
            }
            const auto* counter = static_cast<QLabel*>(g[g.f.labCoins]);
            const auto* middle = static_cast<QLabel*>(g[g.f.labMid(1)]);
            QCOMPARE(counter->text() + counter->palette().color(QPalette::WindowText).name(), "500#ffffc0");
            QCOMPARE(std::pair(counter->alignment(), middle->alignment()), std::pair(Qt::AlignRight | Qt::AlignTop, Qt::AlignHCenter | Qt::AlignTop));
            // Every symbol whole in its cell: the ink it puts there is all the
            // ink it puts on a strip wide enough for any glyph, in the same face.
            forms::Label& cell = g.f.labLeft(0);
            QWidget* widget = g[cell];
            const auto ink = [](const QImage& a, const QImage& b) {
                qint64 sum = 0;
                for (int y = 0; y < a.height(); ++y)
                    for (int x = 0; x < a.width(); ++x)
                        sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
                return sum;
            };
            const auto shown = [&](const QString& text) {
                cell.Caption = text.toStdString();
                QImage image(widget->size(), QImage::Format_RGB32);
                widget->render(&image);
                return image;
            };
            const auto drawn = [&](const QString& text) {
                QImage image(300, widget->height(), QImage::Format_RGB32);
                image.fill(qRgb(255, 192, 192));
                QPainter painter(&image);
                painter.setFont(widget->font());
                painter.drawText(image.rect(), Qt::AlignHCenter | Qt::AlignTop, text);
                return image;
            };
            for (const QChar symbol : QStringLiteral("$*-#7C?=+%")) {
                const qint64 whole = ink(drawn({}), drawn(symbol)), inCell = ink(shown({}), shown(symbol));
                QVERIFY2(whole > 0 && inCell >= whole * 98 / 100, qPrintable(QStringLiteral("%1: ink %2 in the cell, %3 whole").arg(symbol).arg(inCell).arg(whole)));
            }
        });
    }

    // However long the reels spin, a play sends a screen reader a few dozen
    // events. (The end-to-end tests read every control.)
    void screenReader()
    {
        PlayQt([](QtGame& g) {
            (void)QTest::qWaitForWindowActive(&g.window); // the check of the focus fails if it never comes
            events = 0;
            // A play by real clicks that stops the reels after 5,000 sweeps, on
            // sevens along the middle row: the lamp and the balance tell of a win.
            g.f.ReelPos(1) = 5, g.f.ReelPos(2) = 7, g.f.ReelPos(3) = 6;
            g.platform.onDoEvents = [&g](int sweep) {
                for (auto* stop : { &g.f.cmdLeft, &g.f.cmdMid, &g.f.cmdRight })
                    if (sweep == 5000) QTest::mouseClick(g[*stop], Qt::LeftButton);
            };
            QTest::mouseClick(g[g.f.cmdGo], Qt::LeftButton);
            QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == g[g.f.cmdGo]; }));
            QVERIFY2(events <= 40, qPrintable(QString::number(events)));
        });
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"

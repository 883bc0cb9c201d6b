// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// How fast the reels turn, and what one sweep of the spin loop costs: in
// the plain forms runtime, and in the Qt backend on the offscreen platform.
// Prints figures; asserts nothing about speed.

#include "allocation_count.h"
#include "event_counter.h"
#include "forms/qt/application.h"
#include "machine.h"
#include "qt_game.h"
#include "version.h"
#include "window/frmMain.h"

#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Plays once, stopping all three reels after `sweeps` sweeps; returns the
// time from the first sweep's events to the last's.
template <typename Platform>
double TimeSweeps(Platform& platform, forms::Runtime& runtime, frmMain& form, int sweeps, long* allocated)
{
    Clock::time_point start;
    Clock::duration elapsed {};
    long allocationsAtStart = 0;
    platform.onDoEvents = [&](int count) {
        if (count == 1) {
            allocationsAtStart = allocationCount.load();
            start = Clock::now();
        }
        if (count == sweeps + 1) {
            elapsed = Clock::now() - start;
            *allocated = allocationCount.load() - allocationsAtStart;
            runtime.Click(form.cmdLeft);
            runtime.Click(form.cmdMid);
            runtime.Click(form.cmdRight);
        }
    };
    runtime.Click(form.cmdGo);
    platform.onDoEvents = nullptr;
    return Seconds(elapsed);
}

void PlainRuntime()
{
    ScriptedPlatform platform;
    forms::Runtime runtime(platform, "Vantu");
    frmMain form(runtime);
    runtime.Load(form);
    constexpr int kSweeps = 2'000'000;
    long allocated = 0;
    const double seconds = TimeSweeps(platform, runtime, form, kSweeps, &allocated);
    std::printf("plain runtime:  %10.0f sweeps/s  %8.1f ns/sweep  %ld allocations in %d sweeps\n", kSweeps / seconds,
        1e9 * seconds / kSweeps, allocated, kSweeps);

    // The judgement of every stop combination.
    constexpr int kRounds = 200;
    Clock::duration judging {};
    for (int round = 0; round < kRounds; ++round)
        for (int p = 0; p < 1000; ++p) {
            form.ReelPos(1) = p / 100 + 1;
            form.ReelPos(2) = p / 10 % 10 + 1;
            form.ReelPos(3) = p % 10 + 1;
            form.ShowReels();
            form.Coins = 500;
            const auto start = Clock::now();
            form.JudgeLines();
            judging += Clock::now() - start;
        }
    std::printf("JudgeLines:     %10.1f ns/call over %d calls\n", 1e9 * Seconds(judging) / (kRounds * 1000),
        kRounds * 1000);
}

long accessibilityEvents = 0;
void CountAccessibilityEvent(QAccessibleEvent*)
{
    ++accessibilityEvents;
}

// With `listening`, as when a screen reader listens: Qt's accessibility is
// on and its events go to a handler that counts them.
void QtBackend(bool listening)
{
    if (listening) {
        QAccessible::installUpdateHandler(&CountAccessibilityEvent);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    forms::qt::ConfigureApplication({ kAppName, kAppVersion, kAppId });
    PlayQt([listening](QtGame& game) {
        forms::qt::FormWindow& window = game.window;
        frmMain& form = game.f;
        QApplication::processEvents();

        EventCounter counter;
        window.installEventFilter(&counter);
        for (auto* cells : { &form.labLeft, &form.labMid, &form.labRight })
            for (auto& cell : *cells)
                window.WidgetOf(cell)->installEventFilter(&counter);

        constexpr int kSweeps = 20'000;
        long allocated = 0;
        accessibilityEvents = 0;
        const double seconds = TimeSweeps(game.platform, game.runtime, form, kSweeps, &allocated);
        const long paints = counter.TotalPaints();
        std::printf("Qt offscreen, %s:  %8.0f sweeps/s  %6.1f us/sweep  %.2f paints/sweep (9 cells change each sweep)  "
                    "%.2f layout requests/sweep  %ld accessibility events in the play\n",
            listening ? "accessibility listening    " : "no accessibility listening ", kSweeps / seconds,
            1e6 * seconds / kSweeps, static_cast<double>(paints) / kSweeps,
            static_cast<double>(counter.layoutRequests) / kSweeps, accessibilityEvents);
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PlainRuntime();
    QtBackend(false);
    QtBackend(true);
    return 0;
}

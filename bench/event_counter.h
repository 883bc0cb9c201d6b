// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// Counts the paint events of each widget it watches, and the layout
// requests they receive: what one sweep of the spin loop costs the window.

#include <QEvent>
#include <QObject>

#include <map>

class EventCounter : public QObject {
public:
    std::map<QObject*, long> paints;
    long layoutRequests = 0;

    long TotalPaints() const
    {
        long total = 0;
        for (const auto& [object, count] : paints)
            total += count;
        return total;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        else if (event->type() == QEvent::LayoutRequest)
            ++layoutRequests;
        return QObject::eventFilter(watched, event);
    }
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

// For the start-up benchmark: when MORVANE_BENCH_SHOWN is set, prints the wall-clock time in
// nanoseconds once the window has been painted for the first time, then ends the program.
class ShownProbe : public QObject
{
    Q_OBJECT
public:
    // Does nothing unless the variable is set.
    static void attach(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    bool m_done = false;
};

// SPDX-License-Identifier: MIT
#include "platform/ShownProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

void ShownProbe::attach(QWidget* window)
{
    if (qEnvironmentVariableIsEmpty("MORVANE_BENCH_SHOWN"))
        return;
    window->installEventFilter(new ShownProbe(window));
}

bool ShownProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_done && event->type() == QEvent::Paint) {
        m_done = true;
        // Stamp after this paint has been handled.
        QTimer::singleShot(0, this, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("shown %lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    }
    return QObject::eventFilter(watched, event);
}

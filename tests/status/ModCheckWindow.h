// SPDX-License-Identifier: MIT
#pragma once

#include "status/TModChkForm.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

// Runs open (a click that may show the mod check's modal result window) and returns the mods the
// window listed, closing it with its button; nothing when no window came up.
inline QStringList modsListedBy(const std::function<void()>& open)
{
    QStringList listed;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* form = qobject_cast<TModChkForm*>(QApplication::activeModalWidget())) {
            for (int i = 0; i < form->MODList()->count(); ++i)
                listed << form->MODList()->item(i)->text();
            form->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        }
    });
    poll.start(10);
    open();
    return listed;
}

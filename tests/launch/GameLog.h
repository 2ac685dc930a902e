// SPDX-License-Identifier: MIT
#pragma once

#include "launch/StateInfo.h"

#include <QApplication>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <sys/types.h>

// The records the stand-in game appends to MORVANE_FAKE_GAME_LOG, one per run.
struct GameRun
{
    QString cwd;
    QStringList arguments;
};

inline QList<GameRun> readGameLog(const QString& path)
{
    QList<GameRun> runs;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return runs;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (line == "run")
            runs.append(GameRun());
        else if (line.startsWith("cwd=") && !runs.isEmpty())
            runs.last().cwd = QString::fromLocal8Bit(line.mid(4));
        else if (line.startsWith("arg=") && !runs.isEmpty())
            runs.last().arguments << QString::fromLocal8Bit(line.mid(4));
    }
    return runs;
}

// The status windows on screen now.
inline QList<TStateInfoForm*> visibleStatusWindows()
{
    QList<TStateInfoForm*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<TStateInfoForm*>(w); form && form->isVisible())
            out << form;
    }
    return out;
}

inline bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(pid_t(pid), 0) == -1 && errno == ESRCH;
}

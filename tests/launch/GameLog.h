// SPDX-License-Identifier: MIT
#pragma once

#include "launch/TStateInfoForm.h"

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
    qint64 pid = 0;
    QString cwd;
    QStringList arguments;
    QList<QByteArray> modsSet; // the lines of "modsset.txt" when the run started
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
        else if (line.startsWith("pid=") && !runs.isEmpty())
            runs.last().pid = line.mid(4).toLongLong();
        else if (line.startsWith("cwd=") && !runs.isEmpty())
            runs.last().cwd = QString::fromLocal8Bit(line.mid(4));
        else if (line.startsWith("arg=") && !runs.isEmpty())
            runs.last().arguments << QString::fromLocal8Bit(line.mid(4));
        else if (line.startsWith("mods=") && !runs.isEmpty())
            runs.last().modsSet << line.mid(5);
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

// Gone, or dead and waiting to be reaped: a grandchild or an orphan is reaped by whoever adopted it,
// which may be nobody in a container.
inline bool processIsGone(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(pid_t(pid), 0) == -1 && errno == ESRCH)
        return true;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) S ...": the state follows the last parenthesis.
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close >= 0 && line.mid(close + 2, 1) == "Z";
}

// SPDX-License-Identifier: MIT
// Elsewhere than Windows: the game runs directly or through Wine, in a process group of its own.
#include "platform/GameProcess.h"

#include "platform/Errors.h"
#include "platform/Executables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace gameprocess {

namespace {

bool isWindowsProgram(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(2) == QByteArrayLiteral("MZ");
}

// The runner named in the settings: a path is taken as it is, a bare name is looked up on PATH.
QString findRunner(const QString& exe, const QString& runner)
{
    if (runner.isEmpty()) {
        const QString wine = executables::findOnPath(QStringLiteral("wine"));
        if (wine.isEmpty())
            throw UserError(cannotStart(
                exe, QCoreApplication::translate("gameprocess", "Windows のプログラムを動かす Wine が見つかりません。"
                                                                "Wine をインストールしてください。")));
        return wine;
    }
    const QString found = runner.contains(QLatin1Char('/')) ? runner : executables::findOnPath(runner);
    const QFileInfo info(found);
    if (found.isEmpty() || !info.isFile() || !info.isExecutable())
        throw UserError(cannotStart(
            exe,
            QCoreApplication::translate("gameprocess", "ゲームを動かすプログラム %1 が見つからないか、実行できません。")
                .arg(QDir::toNativeSeparators(runner))));
    return found;
}

} // namespace

Command command(const QString& executable, const QString& mode, const QString& argument, const QString& runner)
{
    Command c;
    c.executable = executable;
    const QFileInfo info(c.executable);
    if (!info.exists())
        throw UserError(
            cannotStart(c.executable, QCoreApplication::translate("gameprocess", "ファイルが見つかりません。")));
    if (!info.isFile())
        throw UserError(cannotStart(
            c.executable, QCoreApplication::translate("gameprocess", "プログラムのファイルではありません。")));
    if (executables::isNativeExecutable(c.executable)) {
        c.program = c.executable;
    } else if (isWindowsProgram(c.executable)) {
        c.program = findRunner(c.executable, runner);
        c.arguments << c.executable;
    } else {
        throw UserError(cannotStart(
            c.executable, QCoreApplication::translate("gameprocess", "実行できるプログラムではありません。")));
    }
    // The game reads its arguments one by one; an empty mode or argument is no argument at all.
    if (!mode.isEmpty())
        c.arguments << mode;
    if (!argument.isEmpty())
        c.arguments << argument;
    return c;
}

void prepareForSystem(QProcess& process, const Command& command)
{
    process.setArguments(command.arguments);
    // Runs in the child between fork and exec, where only async-signal-safe calls are allowed.
    process.setChildProcessModifier([] { ::setsid(); });
}

void sendEnd(QProcess& process, qint64 group, bool kill)
{
    Q_UNUSED(process);
    // The group outlives its leader while anything of the game runs, and its id is not given to
    // another process before the whole group is gone.
    if (group > 0)
        ::kill(-pid_t(group), kill ? SIGKILL : SIGTERM);
}

} // namespace gameprocess

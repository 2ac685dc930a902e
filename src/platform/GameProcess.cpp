// SPDX-License-Identifier: MIT
#include "platform/GameProcess.h"

#include "platform/Errors.h"
#include "platform/Executables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

#ifdef Q_OS_WIN
#include <memory>
#include <string>
#endif

namespace gameprocess {

namespace {

QString cannotStart(const QString& file, const QString& reason)
{
    return QStringLiteral("%1 を起動できません。\n%2").arg(QDir::toNativeSeparators(file), reason);
}

#ifndef Q_OS_WIN
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
            throw UserError(cannotStart(exe, QStringLiteral("Windows のプログラムを動かす Wine が見つかりません。"
                                                            "Wine をインストールしてください。")));
        return wine;
    }
    const QString found = runner.contains(QLatin1Char('/')) ? runner : executables::findOnPath(runner);
    const QFileInfo info(found);
    if (found.isEmpty() || !info.isFile() || !info.isExecutable())
        throw UserError(
            cannotStart(exe, QStringLiteral("ゲームを動かすプログラム %1 が見つからないか、実行できません。")
                                 .arg(QDir::toNativeSeparators(runner))));
    return found;
}
#endif

} // namespace

Command command(const QString& executable, const QString& mode, const QString& argument, const QString& runner)
{
    Command c;
#ifdef Q_OS_WIN
    Q_UNUSED(runner);
    c.executable = QDir::toNativeSeparators(executable);
    if (!QFileInfo(c.executable).isFile())
        throw UserError(cannotStart(c.executable, QStringLiteral("ファイルが見つかりません。")));
    c.program = c.executable;
    c.nativeArguments = mode + QLatin1Char(' ') + argument;
#else
    c.executable = executable;
    const QFileInfo info(c.executable);
    if (!info.exists())
        throw UserError(cannotStart(c.executable, QStringLiteral("ファイルが見つかりません。")));
    if (!info.isFile())
        throw UserError(cannotStart(c.executable, QStringLiteral("プログラムのファイルではありません。")));
    if (executables::isNativeExecutable(c.executable)) {
        c.program = c.executable;
    } else if (isWindowsProgram(c.executable)) {
        c.program = findRunner(c.executable, runner);
        c.arguments << c.executable;
    } else {
        throw UserError(cannotStart(c.executable, QStringLiteral("実行できるプログラムではありません。")));
    }
    // The game reads its arguments one by one; an empty mode or argument is no argument at all.
    if (!mode.isEmpty())
        c.arguments << mode;
    if (!argument.isEmpty())
        c.arguments << argument;
#endif
    return c;
}

void prepare(QProcess& process, const Command& command)
{
    process.setProgram(command.program);
    // Not the game folder: the game has always been started from this program's own folder.
    process.setWorkingDirectory(QDir::currentPath());
    // Nobody reads the game's output, and an unread pipe would stall Wine's chatter once it is full.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
#ifdef Q_OS_WIN
    process.setNativeArguments(command.nativeArguments);
    // Qt would quote the path and add blanks of its own; the game gets the line it always got, and
    // the module is named explicitly so that an unquoted path with blanks cannot start another file.
    constexpr unsigned long CreateDefaultErrorMode = 0x04000000;
    auto module = std::make_shared<std::wstring>(command.program.toStdWString());
    auto line =
        std::make_shared<std::wstring>((command.program + QLatin1Char(' ') + command.nativeArguments).toStdWString());
    process.setCreateProcessArgumentsModifier([module, line](QProcess::CreateProcessArguments* args) {
        args->applicationName = module->c_str();
        args->arguments = line->data();
        args->flags |= CreateDefaultErrorMode;
    });
#else
    process.setArguments(command.arguments);
#ifdef Q_OS_UNIX
    // Runs in the child between fork and exec, where only async-signal-safe calls are allowed.
    process.setChildProcessModifier([] { ::setsid(); });
#endif
#endif
}

void start(QProcess& process, const Command& command)
{
    process.start();
    if (process.waitForStarted(-1))
        return;
    throw UserError(cannotStart(command.executable,
                                QStringLiteral("プログラムを開始できませんでした（%1）。").arg(process.errorString())));
}

namespace {

// Holds a game that is being ended until it has ended and its grace is over.
class GameEnd : public QObject
{
public:
    GameEnd(QProcess* process, qint64 pid, std::chrono::milliseconds grace, QObject* owner)
        : QObject(owner), m_process(process), m_group(pid)
    {
        process->setParent(this);
        m_ended = process->state() == QProcess::NotRunning;
        connect(process, &QProcess::finished, this, [this] {
            m_ended = true;
            deleteIfDone();
        });
        send(false);
        QTimer::singleShot(grace, this, [this] {
            // Wine or the runner may have gone while the game it started goes on.
            send(true);
            m_graceOver = true;
            deleteIfDone();
        });
    }

    ~GameEnd() override
    {
        if (m_graceOver)
            return;
        send(true);
        // Killed, it ends at once; collected here, its object goes without a warning.
        m_process->waitForFinished(5000);
    }

private:
    void send(bool kill)
    {
#ifdef Q_OS_UNIX
        // The group outlives its leader while anything of the game runs, and its id is not given
        // to another process before the whole group is gone.
        if (m_group > 0)
            ::kill(-pid_t(m_group), kill ? SIGKILL : SIGTERM);
#else
        Q_UNUSED(kill);
        m_process->kill();
#endif
    }

    void deleteIfDone()
    {
        if (m_ended && m_graceOver)
            deleteLater();
    }

    QProcess* const m_process;
    const qint64 m_group;
    bool m_ended = false;
    bool m_graceOver = false;
};

} // namespace

void endGame(QProcess* process, qint64 pid, std::chrono::milliseconds grace, QObject* owner)
{
    new GameEnd(process, pid, grace, owner);
}

} // namespace gameprocess

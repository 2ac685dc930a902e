// SPDX-License-Identifier: MIT
#include "platform/GameProcess.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

namespace gameprocess {

QString cannotStart(const QString& file, const QString& reason)
{
    return QCoreApplication::translate("gameprocess", "%1 を起動できません。\n%2")
        .arg(QDir::toNativeSeparators(file), reason);
}

void prepare(QProcess& process, const Command& command)
{
    process.setProgram(command.program);
    // Not the game folder: the game has always been started from this program's own folder.
    process.setWorkingDirectory(QDir::currentPath());
    // Nobody reads the game's output, and an unread pipe would stall Wine's chatter once it is full.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    prepareForSystem(process, command);
}

void start(QProcess& process, const Command& command)
{
    process.start();
    if (process.waitForStarted(-1))
        return;
    throw UserError(cannotStart(command.executable,
                                QCoreApplication::translate("gameprocess", "プログラムを開始できませんでした（%1）。")
                                    .arg(process.errorString())));
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
    void send(bool kill) { sendEnd(*m_process, m_group, kill); }

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

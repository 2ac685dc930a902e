// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>

class GameInstallation;
class ProcessWaiter;
class Prompter;
class QWidget;

// How the game is started: a plain start, joining a host, creating a host to play on, or creating a
// dedicated host.
enum class LaunchMode
{
    Plain,
    Join,
    Host,
    Dedicated
};

// The game's own command-line switch for a mode: "", "-client", "-server" or "-autoserve".
QString launchSwitch(LaunchMode mode);

// The one way the game is started: joining a host, creating a host or a dedicated host, or a plain
// start. Each run shows its own status window with a cancel button and waits in a local event
// loop, so the main window and every other handler keep running; a dedicated host is started again
// while the auto-restart box is ticked when it ends, unless it keeps ending right after its start.
// Only the cancel button ends a game: the end of this program leaves it running.
class GameLauncher : public QObject
{
    Q_OBJECT
public:
    // The game is started from the installation's folder at the moment of each launch.
    GameLauncher(Prompter& prompter, const GameInstallation& game, QObject* parent = nullptr);

    // Where the values come from at the moment of each launch. Unset sources read as empty or false.
    void setAutoRestartSource(std::function<bool()> source) { m_autoRestart = std::move(source); }
    // The program that runs a Windows game here ("GameRunner" in [Path] of Morvane.ini); empty
    // means "wine" on PATH. Not used on Windows.
    void setGameRunner(const QString& runner) { m_runner = runner; }
    const QString& gameRunner() const { return m_runner; }
    // The owner of the status windows (the main window). A modal dialog that is up when a launch
    // starts owns the window instead, or its cancel button could not be clicked.
    void setWindowParent(QWidget* parent) { m_windowParent = parent; }

    // The status window's text for a mode; a join names what is joined (the host's name, or the
    // address when it was typed).
    static QString statusText(LaunchMode mode, const QString& joined = {});

    // Starts the game with the mode's switch and the argument and shows statusText while it runs.
    // Returns when the game has ended or was cancelled, and after the last run of a restart chain.
    // A game that cannot be started is reported in a message box. Does nothing once the program
    // is ending.
    void LaunchGame(LaunchMode mode, const QString& argument, const QString& statusText);

    // Runs of the game going on now; launches may nest while a game runs.
    int runningCount() const { return m_running; }

    // The program is ending: every wait for a game ends at once, its status window closes and its
    // game goes on running; no restart chain goes on and no new launch starts. (A wait that the
    // end of the main loop cuts short ends the same way.)
    void programEnding();

    // How long a cancelled game may take to end before it is killed.
    void setCancelGrace(std::chrono::milliseconds grace) { m_cancelGrace = grace; }
    // A dedicated host that ends within `within` of its start `times` times in a row ends the
    // restart chain (normally 10 s and 3 times; tests use shorter times).
    void setQuickEndRule(std::chrono::milliseconds within, int times)
    {
        m_quickEndWithin = within;
        m_quickEndTimes = times;
    }

public slots:
    // BitBtn1 "Ghost Recon起動" and the notification-area item of the same name: a plain start.
    void BtnStartGRClick();

signals:
    // A run has started (pid of the started process) or has ended, whichever way.
    void gameStarted(qint64 pid);
    void gameEnded();

private:
    enum class RunEnd
    {
        Ended,     // the game ended by itself
        Cancelled, // the user cancelled; the game is being ended
        Left,      // the program is ending; the game goes on
        NotStarted
    };
    struct Run
    {
        RunEnd end = RunEnd::NotStarted;
        std::chrono::milliseconds length{0}; // from the start to the game's own end
    };
    Run runOnce(LaunchMode mode, const QString& argument, const QString& statusText);
    QWidget* statusWindowParent() const;
    QString quickEndMessage() const;

    Prompter& m_prompter;
    const GameInstallation& m_game;
    std::function<bool()> m_autoRestart;
    QString m_runner;
    QPointer<QWidget> m_windowParent;
    int m_running = 0;
    bool m_ending = false;
    QList<ProcessWaiter*> m_waits; // innermost last
    std::chrono::milliseconds m_cancelGrace;
    std::chrono::milliseconds m_quickEndWithin{10000};
    int m_quickEndTimes = 3;
};

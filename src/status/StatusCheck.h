// SPDX-License-Identifier: MIT
#pragma once

#include "status/HostCheckSteps.h"
#include "status/QueryRunner.h"
#include "status/StatusSettings.h"

#include <QPointer>
#include <QString>

#include <functional>

class HostChkThread;
class HostGridModel;
class ProfileFile;
class Prompter;
class QAction;
class QActionGroup;
class QColor;
class QPushButton;

// The status check button BtnStatus above the host grid and the check it starts and stops. The
// button's caption tells what a click does; its font is blue exactly while no check runs.
class StatusCheck : public HostCheckSteps
{
    Q_OBJECT
public:
    enum class State
    {
        Idle,     // "ﾁｪｯｸ開始", blue
        Started,  // "ﾁｪｯｸ停止", red
        Querying, // "ﾁｪｯｸ...", red
        Waiting,  // "ﾁｪｯｸ停止", red
        Stopping, // "停止中..", disabled
    };
    Q_ENUM(State)

    static constexpr quint32 DefaultInterval = 10000;

    // button is the caller's (it lays out the host tab); this sets it up and handles its clicks.
    StatusCheck(Prompter& prompter, HostGridModel& hosts, QString programFolder, QPushButton* button,
                QObject* parent = nullptr);
    // Stops a running check and waits for it.
    ~StatusCheck() override;

    QPushButton* button() const { return m_button; }
    State state() const { return m_state; }
    bool isIdle() const { return m_state == State::Idle; }

    // The check interval in ms, as the settings store it. A running check keeps the one it began with.
    quint32 interval() const { return m_interval; }
    // The items of "ホストチェック間隔" (NI10 ... NI300): checkable, exclusive, data() the interval in ms.
    QList<QAction*> intervalActions() const;
    // Sets the interval without touching the items (the next check uses it).
    void setInterval(quint32 ms) { m_interval = ms; }

    // Morvane.ini: CheckHostInterval. The item named after the interval is ticked when there is one;
    // an interval without an item of its own keeps the ticks where they were.
    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;
    // "稼働中ホストを優先して並べる" (N22), read after each result line.
    void setSortLiveHostsFirst(std::function<bool()> option) { m_sortLiveHostsFirst = std::move(option); }
    // For tests and measurements: the longest a status run may take before it is ended.
    void setQueryTimeoutMs(int ms) { m_queryTimeoutMs = ms; }

    // What went wrong inside the query program at the last cycle, and the hosts it cannot be asked
    // about; empty when nothing did. It shows in the button's tooltip too.
    QString queryProblem() const { return m_problem; }

    // Shutdown: ends a running check in order (stop asked, a running query program ended, the
    // thread joined) while the window still stands; its closing steps run meanwhile.
    void stopAndWait();

public slots:
    void BtnStatusClick();
    void HostCheckIntervalClick(QAction* item);

signals:
    // false when a check starts, true when it has ended: the host editing commands and the
    // move buttons are enabled only while idle.
    void checkIdleChanged(bool idle);
    void stateChanged(StatusCheck::State state);
    // After each cycle's results have reached the grid.
    void resultsApplied();
    void queryProblemChanged(const QString& problem);

public:
    // The synchronised steps; the check thread runs them on this object's thread.
    void ShowCheckRunning() override;
    // Writes the hosts the query program can take; the others are named by ShowQueryRun.
    int WriteHostAddressFile() override;
    void ShowQueryRun(const QString& problem) override;
    // Results of the hosts sent, spread back over all hosts.
    void ApplyStatusResults(const QList<QByteArray>& results) override;
    void ShowCheckWaiting() override;
    void ShowCheckStopped(const QString& error) override;

private:
    // caption and hint are source texts, translated here.
    void show(State state, const char* caption, const QColor* colour, const char* hint, bool enabled);
    void setProblem(const QString& problem);
    void updateToolTip();

    Prompter& m_prompter;
    HostGridModel& m_hosts;
    const QString m_programFolder;
    QPushButton* m_button;
    QActionGroup* m_intervalGroup;
    QPointer<HostChkThread> m_thread;
    std::function<bool()> m_sortLiveHostsFirst;
    quint32 m_interval = DefaultInterval;
    StatusSettings m_settings;
    int m_queryTimeoutMs = queryrunner::QueryTimeoutMs;
    State m_state = State::Idle;
    bool m_focusParked = false;
    QString m_hint;
    QString m_problem;
    QList<int> m_sentHosts; // the hosts of the address file, in its order
    QString m_rejectedText; // the hosts left out of it
};

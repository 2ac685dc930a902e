// SPDX-License-Identifier: MIT
// Measures the status check:
//   1. CPU time of the whole program while a check waits between cycles (target < 0.1 % of a core);
//   2. from the query program's exit to the grid showing the results of 50 hosts (target < 5 ms),
//      without watched hosts and with all 50 watched (their rules weighed after each cycle, as the
//      host tab does, and half of them firing every other cycle), in alternating blocks of cycles;
//   3. from a click on "ﾁｪｯｸ停止" during the wait to "ﾁｪｯｸ開始" (target < 5 ms).
// Usage: bench_status [seconds of the idle measurement, default 60] [cycles per mode, default 50]
#include "SilentPrompter.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostWatches.h"
#include "status/QueryFiles.h"
#include "status/StatusCheck.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

qint64 monotonicNs()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

qint64 cpuNs()
{
    timespec t = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Runs the event loop until done() or the time runs out.
bool spin(const std::function<bool()>& done, int ms = 30000)
{
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    return true;
}

void summary(const char* what, QList<double> ms, double target)
{
    std::sort(ms.begin(), ms.end());
    const double median = ms.at(ms.size() / 2);
    const double p90 = ms.at(std::min<qsizetype>(ms.size() - 1, ms.size() * 9 / 10));
    std::printf("%-44s n=%lld median %.3f ms, p90 %.3f ms, max %.3f ms (target < %.1f ms) %s\n", what,
                static_cast<long long>(ms.size()), median, p90, ms.last(), target, median < target ? "OK" : "OVER");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int idleSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const int cycles = argc > 2 ? std::max(3, std::atoi(argv[2])) : 50;

    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("program"));
    QDir().mkpath(program);
    const QString qstat = program + QStringLiteral("/qstat");
    QFile::copy(QStringLiteral(MORVANE_FAKE_QSTAT), qstat);
    QFile::setPermissions(qstat, QFile::permissions(qstat) | QFile::ExeOwner);
    const QString scenario = root.filePath(QStringLiteral("scenario.txt"));
    const QString stamp = root.filePath(QStringLiteral("exit-stamp"));
    qputenv("MORVANE_FAKE_QSTAT_SCENARIO", QFile::encodeName(scenario));
    queryfiles::WriteQueryTemplates(program);

    HostGridModel hosts;
    // Two answer sets taken in turn: in the second every answering host is full, so the "free slot"
    // rules of the watched run fire every other cycle.
    QByteArray answers[2];
    for (QByteArray& a : answers)
        a = "exit-stamp " + QFile::encodeName(stamp) + "\n";
    for (int i = 0; i < HostGridModel::MaxHostCount; ++i) {
        const QByteArray address = "10.0." + QByteArray::number(i / 250) + "." + QByteArray::number(i % 250) + ":2346";
        hosts.appendHost("Host " + QByteArray::number(i), address);
        // Every third host is silent, every other answering one is not dedicated.
        if (i % 3 == 2)
            continue;
        const QByteArray dedicated = i % 2 ? "No" : "Yes";
        answers[0] += "host " + address + " " + QByteArray::number(i % 16) + " 16 00:25:00 " + dedicated + "\n";
        answers[1] += "host " + address + " 16 16 00:25:00 " + dedicated + "\n";
    }
    int answerSet = 0;
    const auto writeScenario = [&] {
        QFile f(scenario);
        f.open(QIODevice::WriteOnly);
        f.write(answers[answerSet]);
    };
    writeScenario();

    HostWatches watches;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new QPushButton(&window);
    auto* view = new HostGridView(&hosts, &window);
    view->setWatches(&watches);
    layout->addWidget(button);
    layout->addWidget(view);
    window.resize(400, 300);
    window.show();

    SilentPrompter prompter;
    StatusCheck check(prompter, hosts, program, button);
    check.setSortLiveHostsFirst([] { return true; });

    // 2. Query program's exit to the grid showing the results, cycle after cycle, in alternating
    // blocks without and with watched hosts.
    bool watching = false;
    int notifications = 0;
    QList<double> showMs[2];
    QList<double> applyMs[2];
    // Connected first, so that it runs inside the measured span, as the host tab's evaluation does.
    QObject::connect(&check, &StatusCheck::resultsApplied, &check, [&] {
        if (watching)
            notifications += int(watches.evaluate(hosts, QDateTime::currentDateTime()).size());
    });
    QObject::connect(&check, &StatusCheck::resultsApplied, &check, [&] {
        const qint64 applied = monotonicNs();
        view->viewport()->repaint(); // the paint the event loop would do next, done now
        const qint64 shown = monotonicNs();
        QFile s(stamp);
        if (!s.open(QIODevice::ReadOnly))
            return;
        const qint64 exited = s.readAll().toLongLong();
        s.close();
        QFile::remove(stamp);
        applyMs[watching] << (applied - exited) / 1e6;
        showMs[watching] << (shown - exited) / 1e6;
        answerSet = 1 - answerSet;
        writeScenario();
    });
    const auto watchAll = [&](bool on) {
        watching = on;
        for (int i = 0; i < hosts.hostCount(); ++i)
            watches.setRule(hosts.host(i).address,
                            on ? hostwatch::WatchRule{i % 2 == 0, i % 2 ? 8 : 0} : hostwatch::WatchRule{});
    };
    check.setInterval(0);
    const int block = std::max(1, cycles / 2);
    for (int round = 0; round < 4; ++round) {
        watchAll(round % 2 == 1);
        const qsizetype target = showMs[watching].size() + block;
        button->click();
        if (!spin([&] { return showMs[watching].size() >= target; }, 120000)) {
            std::fprintf(stderr, "the check did not cycle\n");
            return 1;
        }
        check.stopAndWait();
    }
    summary("exit of qstat -> results in the model", applyMs[0], 5);
    summary("exit of qstat -> grid repainted (50 hosts)", showMs[0], 5);
    summary("  the same, 50 watched: results + rules", applyMs[1], 5);
    summary("  the same, 50 watched: grid repainted", showMs[1], 5);
    std::printf("%-44s %d in %lld watched cycles\n", "  notifications raised", notifications,
                static_cast<long long>(showMs[1].size()));
    watchAll(false);

    // 3. "ﾁｪｯｸ停止" during the wait to "ﾁｪｯｸ開始".
    QList<double> stopMs;
    check.setInterval(3600 * 1000);
    for (int i = 0; i < cycles; ++i) {
        button->click();
        if (!spin([&] { return check.state() == StatusCheck::State::Waiting; })) {
            std::fprintf(stderr, "the check did not reach its wait\n");
            return 1;
        }
        QElapsedTimer t;
        t.start();
        button->click();
        spin([&] { return check.state() == StatusCheck::State::Idle; });
        stopMs << t.nsecsElapsed() / 1e6;
    }
    summary("stop click during the wait -> idle", stopMs, 5);

    // 1. CPU time of the program while a check waits.
    button->click();
    spin([&] { return check.state() == StatusCheck::State::Waiting; });
    const qint64 cpuStart = cpuNs();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(idleSeconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const double cpuMs = (cpuNs() - cpuStart) / 1e6;
    const double wallMs = wall.nsecsElapsed() / 1e6;
    const double share = 100.0 * cpuMs / wallMs;
    std::printf("%-44s %.3f ms CPU in %.1f s = %.2f ms per minute, %.4f %% of a core (target < 0.1 %%) %s\n",
                "waiting between cycles", cpuMs, wallMs / 1000, cpuMs * 60000 / wallMs, share,
                share < 0.1 ? "OK" : "OVER");
    std::fflush(stdout);
    check.stopAndWait();
    return 0;
}

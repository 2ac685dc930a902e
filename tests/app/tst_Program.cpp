// SPDX-License-Identifier: MIT
// The program as a real process: one copy per user, a stale socket or lock, the end by SIGTERM, and a
// game started from it that outlives it. A test plugin (tests/helpers/ProgramDriver.cpp) plays the
// user inside the program.
#include "launch/GameLog.h"
#include "support/LoopbackHttpServer.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <csignal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestProgram : public QObject
{
    Q_OBJECT
private slots:
    void secondCopyEndsAtOnceAndWritesNothing();
    void staleSocketDoesNotStopTheStart();
    void gameOutlivesExit();
    void gameOutlivesTerminationOfTheProgramsGroup();
    void lockOfACrashedCopyIsTakenOver();
    void networkLibraryOnlyForAFetch_data();
    void networkLibraryOnlyForAFetch();

private:
    struct Run
    {
        TestFolders folders;
        QString runtime;
        QProcessEnvironment env;
    };
    void prepare(Run& run);
    // Lets the driver plugin play steps inside the program; the stand-in game waits until ended
    // and records its runs in gameLog.
    static void drive(Run& run, const QStringList& steps, const QString& gameLog);
    static bool answers(const QString& socket);
    // Starts the program with the run's folders; false when it could not start.
    static bool start(QProcess& program, const Run& run);
    static qint64 gamePid(const QString& gameLog);
};

namespace {

// A game left running by a failed check is not left for the next test.
struct KillAtEnd
{
    qint64 pid = 0;
    ~KillAtEnd()
    {
        if (pid > 0)
            ::kill(pid_t(pid), SIGKILL);
    }
};

} // namespace

void TestProgram::prepare(Run& run)
{
    run.runtime = run.folders.path(QStringLiteral("runtime"));
    QDir().mkpath(run.runtime);
    QFile::setPermissions(run.runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TestFolders::writeFile(run.folders.program(QStringLiteral("Morvane.ini")),
                           QByteArrayLiteral("[Path]\r\nGhostReconPath=") + run.folders.gameFolder().toUtf8() +
                               QByteArrayLiteral("\r\n"));
    TestFolders::writeFile(run.folders.program(QStringLiteral("hostlist.txt")),
                           QByteArrayLiteral("[HostList]\r\nHostname1=A\r\nHostIP1=127.0.0.1:2346\r\n"));
    run.env = QProcessEnvironment::systemEnvironment();
    run.env.insert(QStringLiteral("MORVANE_HOME"), run.folders.programFolder());
    run.env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run.runtime);
    run.env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
}

void TestProgram::drive(Run& run, const QStringList& steps, const QString& gameLog)
{
    run.env.insert(QStringLiteral("QT_PLUGIN_PATH"),
                   QFileInfo(QStringLiteral(MORVANE_FAKE_GAME)).absolutePath() + QStringLiteral("/plugins"));
    run.env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("morvanedriver"));
    run.env.insert(QStringLiteral("MORVANE_DRIVER_STEPS"), steps.join(QLatin1Char(';')));
    run.env.insert(QStringLiteral("MORVANE_FAKE_GAME_MODE"), QStringLiteral("wait"));
    run.env.insert(QStringLiteral("MORVANE_FAKE_GAME_LOG"), gameLog);
}

qint64 TestProgram::gamePid(const QString& gameLog)
{
    const QList<GameRun> runs = readGameLog(gameLog);
    return runs.isEmpty() ? 0 : runs.first().pid;
}

bool TestProgram::start(QProcess& program, const Run& run)
{
    program.setProcessEnvironment(run.env);
    program.start(QStringLiteral(MORVANE_PROGRAM), {});
    return program.waitForStarted();
}

bool TestProgram::answers(const QString& socket)
{
    QLocalSocket s;
    s.connectToServer(socket);
    return s.waitForConnected(200);
}

void TestProgram::secondCopyEndsAtOnceAndWritesNothing()
{
    Run run;
    prepare(run);
    const QString socket = run.runtime + QStringLiteral("/Morvane_Mutex");
    QProcess first;
    QVERIFY(start(first, run));
    QTRY_VERIFY_WITH_TIMEOUT(answers(socket), 20000);
    // The query template is the last file start-up writes.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(run.folders.program(QStringLiteral("Template.dat"))), 20000);

    const QStringList before = QDir(run.folders.programFolder()).entryList(QDir::Files);
    const QByteArray iniBefore = TestFolders::readFile(run.folders.program(QStringLiteral("Morvane.ini")));
    QProcess second;
    QVERIFY(start(second, run));
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(QDir(run.folders.programFolder()).entryList(QDir::Files), before);
    QCOMPARE(TestFolders::readFile(run.folders.program(QStringLiteral("Morvane.ini"))), iniBefore);
    QCOMPARE(first.state(), QProcess::Running);

    // The end asked for by the session runs the normal shutdown: the settings are written.
    ::kill(static_cast<pid_t>(first.processId()), SIGTERM);
    QVERIFY(first.waitForFinished(20000));
    QCOMPARE(first.exitStatus(), QProcess::NormalExit);
    QCOMPARE(first.exitCode(), 0);
    const QByteArray ini = TestFolders::readFile(run.folders.program(QStringLiteral("Morvane.ini")));
    QVERIFY2(ini.contains(QByteArrayLiteral("\r\n[Morvane]\r\nInTray=0\r\n")), ini.constData());
    QVERIFY(ini.contains(QByteArrayLiteral("CheckHostInterval=10000\r\n")));
}

void TestProgram::staleSocketDoesNotStopTheStart()
{
    Run run;
    prepare(run);
    const QByteArray socket = (run.runtime + QStringLiteral("/Morvane_Mutex")).toLocal8Bit();
    // What a crashed copy leaves behind: a bound socket file that nobody listens on.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un addr = {};
    addr.sun_family = AF_UNIX;
    QVERIFY(static_cast<std::size_t>(socket.size()) < sizeof addr.sun_path);
    std::memcpy(addr.sun_path, socket.constData(), static_cast<std::size_t>(socket.size()));
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    QVERIFY(QFile::exists(QString::fromLocal8Bit(socket)));

    QProcess first;
    QVERIFY(start(first, run));
    QTRY_VERIFY_WITH_TIMEOUT(answers(QString::fromLocal8Bit(socket)), 20000);
    ::kill(static_cast<pid_t>(first.processId()), SIGINT);
    QVERIFY(first.waitForFinished(20000));
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
}

void TestProgram::gameOutlivesExit()
{
    Run run;
    prepare(run);
    const QString log = run.folders.path(QStringLiteral("game.log"));
    const QString go = run.folders.path(QStringLiteral("go"));
    drive(run, {QStringLiteral("click BitBtn1"), QStringLiteral("wait-file ") + go, QStringLiteral("trigger Exit1")},
          log);
    QProcess program;
    QVERIFY(start(program, run));
    KillAtEnd game;
    QTRY_VERIFY_WITH_TIMEOUT((game.pid = gamePid(log)) > 0, 20000);

    // "終了(&X)" while the game runs: the program ends, the game plays on.
    TestFolders::writeFile(go, {});
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!processIsGone(game.pid));
    // A session of its own: a Ctrl-C or hang-up meant for the program's group is not the game's.
    QCOMPARE(::getsid(pid_t(game.pid)), pid_t(game.pid));
    QCOMPARE(readGameLog(log).size(), 1);
    QVERIFY(TestFolders::readFile(run.folders.program(QStringLiteral("Morvane.ini")))
                .contains(QByteArrayLiteral("CheckHostInterval=")));
}

void TestProgram::gameOutlivesTerminationOfTheProgramsGroup()
{
    Run run;
    prepare(run);
    const QString log = run.folders.path(QStringLiteral("game.log"));
    // A dedicated host with the restart box ticked: the way out must not start it again either.
    drive(run, {QStringLiteral("check CheckBox1"), QStringLiteral("click btnCreateDedicatedHost")}, log);
    QProcess program;
    // In a group of its own, as a program started from a terminal is.
    program.setChildProcessModifier([] { ::setsid(); });
    QVERIFY(start(program, run));
    KillAtEnd game;
    QTRY_VERIFY_WITH_TIMEOUT((game.pid = gamePid(log)) > 0, 20000);
    QCOMPARE(readGameLog(log).first().arguments, QStringList{QStringLiteral("-autoserve")});

    QCOMPARE(::kill(-pid_t(program.processId()), SIGTERM), 0);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!processIsGone(game.pid));
    QCOMPARE(readGameLog(log).size(), 1);
}

void TestProgram::lockOfACrashedCopyIsTakenOver()
{
    Run run;
    prepare(run);
    const QString socket = run.runtime + QStringLiteral("/Morvane_Mutex");
    QProcess crashed;
    QVERIFY(start(crashed, run));
    QTRY_VERIFY_WITH_TIMEOUT(answers(socket), 20000);
    crashed.kill();
    QVERIFY(crashed.waitForFinished(20000));
    // What it leaves behind: its lock and its socket.
    QVERIFY(QFile::exists(run.runtime + QStringLiteral("/Morvane_Mutex.lock")));
    QVERIFY(QFile::exists(socket));

    QProcess next;
    QVERIFY(start(next, run));
    QTRY_VERIFY_WITH_TIMEOUT(answers(socket), 20000);
    QCOMPARE(next.state(), QProcess::Running);
    ::kill(pid_t(next.processId()), SIGTERM);
    QVERIFY(next.waitForFinished(20000));
    QCOMPARE(next.exitCode(), 0);
    QVERIFY(!QFile::exists(run.runtime + QStringLiteral("/Morvane_Mutex.lock")));
}

void TestProgram::networkLibraryOnlyForAFetch_data()
{
    QTest::addColumn<bool>("fetchAtStart");
    QTest::newRow("no fetch") << false;
    QTest::newRow("the public address at start-up") << true;
}

void TestProgram::networkLibraryOnlyForAFetch()
{
    QFETCH(bool, fetchAtStart);
    LoopbackHttpServer server;
    server.serve("/ip", "198.51.100.23");
    Run run;
    prepare(run);
    const QString ini = run.folders.program(QStringLiteral("Morvane.ini"));
    TestFolders::writeFile(ini, TestFolders::readFile(ini) + "[StartUp]\r\nGetIP=" + (fetchAtStart ? "1" : "0") +
                                    "\r\n[Network]\r\nAddressEchoURL=" + server.url("/ip") + "\r\n");
    QProcess program;
    QVERIFY(start(program, run));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(run.folders.program(QStringLiteral("Template.dat"))), 20000);
    if (fetchAtStart)
        QTRY_VERIFY_WITH_TIMEOUT(!server.requests().isEmpty(), 20000);
    const QByteArray maps = TestFolders::readFile(QStringLiteral("/proc/%1/maps").arg(program.processId()));
    QCOMPARE(maps.contains("libQt6Network"), fetchAtStart);
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_Program.moc"

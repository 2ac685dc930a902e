// SPDX-License-Identifier: MIT
// The program as a real process: one copy per user, a stale socket, the end by SIGTERM.
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

private:
    struct Run
    {
        TestFolders folders;
        QString runtime;
        QProcessEnvironment env;
    };
    void prepare(Run& run);
    static bool answers(const QString& socket);
};

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
    first.setProcessEnvironment(run.env);
    first.start(QStringLiteral(MORVANE_PROGRAM), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(answers(socket), 20000);
    // The query template is the last file start-up writes.
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(run.folders.program(QStringLiteral("Template.dat"))), 20000);

    const QStringList before = QDir(run.folders.programFolder()).entryList(QDir::Files);
    const QByteArray iniBefore = TestFolders::readFile(run.folders.program(QStringLiteral("Morvane.ini")));
    QProcess second;
    second.setProcessEnvironment(run.env);
    second.start(QStringLiteral(MORVANE_PROGRAM), {});
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
    first.setProcessEnvironment(run.env);
    first.start(QStringLiteral(MORVANE_PROGRAM), {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(answers(QString::fromLocal8Bit(socket)), 20000);
    ::kill(static_cast<pid_t>(first.processId()), SIGINT);
    QVERIFY(first.waitForFinished(20000));
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
}

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"

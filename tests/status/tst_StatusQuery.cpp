// SPDX-License-Identifier: MIT
#include "FakeQstatSetup.h"
#include "platform/Errors.h"
#include "platform/QueryProgram.h"
#include "status/QueryFiles.h"
#include "status/QueryRunner.h"
#include "status/StatusQuery.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <memory>

using Outcome = StatusQuery::Outcome;

namespace {

void writeAddressFile(const TestFolders& f, const QByteArray& lines)
{
    TestFolders::writeFile(f.program(QStringLiteral("HostIPList.dat")), lines);
}

void makeScript(const QString& path, const QByteArray& body)
{
    TestFolders::writeFile(path, body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
}

} // namespace

class TestStatusQuery : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void foundInTheProgramFolder_data();
    void foundInTheProgramFolder();
    void windowsProgramPassedOverForPath();
    void pathOrder();
    void notFoundSaysWhereItLooked();

    void statusRunUsesTheFixedCommandLine();
    void duplicateAddressesKeepTheirLines();
    void handEditedTemplateIsUsed();
    void outputLineEnds_data();
    void outputLineEnds();
    void noOutputMeansNoHostAnswered_data();
    void noOutputMeansNoHostAnswered();
    void garbageOutputIsBounded();
    void hungProgramIsEnded_data();
    void hungProgramIsEnded();
    void abortFromAnotherThreadEndsTheRun();
    void programThatCannotStart();
    void noHostsRunsNothing();

    void runQueryProgramWaitsAndWrites();
    void runQueryProgramDropsAnOlderAnswer();
    void runQueryProgramEndsAHungRun();
    void runQueryProgramReportsAMissingProgram();
    void runQueryProgramCutShortByTheEndIsNoAnswer();
    void statusRunCutShortIsNoAnswer();

private:
    QByteArray m_path;
};

void TestStatusQuery::initTestCase() { m_path = qgetenv("PATH"); }

void TestStatusQuery::cleanup() { qputenv("PATH", m_path); }

void TestStatusQuery::foundInTheProgramFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("qstat") << QStringLiteral("qstat");
    QTest::newRow("qstat.exe") << QStringLiteral("qstat.exe");
    QTest::newRow("other case") << QStringLiteral("QStat.EXE");
}

void TestStatusQuery::foundInTheProgramFolder()
{
    QFETCH(QString, name);
    TestFolders f;
    FakeQstatSetup fake(f.programFolder(), name);
    QCOMPARE(queryprogram::find(f.programFolder()), fake.programPath());
}

void TestStatusQuery::windowsProgramPassedOverForPath()
{
    TestFolders f;
    TestFolders::writeFile(f.program(QStringLiteral("qstat.exe")), QByteArrayLiteral("MZ\x90\x00"));
    QFile::setPermissions(f.program(QStringLiteral("qstat.exe")), QFile::ReadOwner | QFile::ExeOwner);
    const QString bin = f.path(QStringLiteral("bin"));
    makeScript(bin + QStringLiteral("/quakestat"), "#!/bin/sh\nexit 0\n");
    qputenv("PATH", QFile::encodeName(bin));
    QCOMPARE(queryprogram::find(f.programFolder()), bin + QStringLiteral("/quakestat"));
}

void TestStatusQuery::pathOrder()
{
    TestFolders f;
    const QString bin = f.path(QStringLiteral("bin"));
    makeScript(bin + QStringLiteral("/qstat"), "#!/bin/sh\nexit 0\n");
    qputenv("PATH", QFile::encodeName(bin));
    QCOMPARE(queryprogram::find(f.programFolder()), bin + QStringLiteral("/qstat"));
    makeScript(bin + QStringLiteral("/quakestat"), "#!/bin/sh\nexit 0\n");
    QCOMPARE(queryprogram::find(f.programFolder()), bin + QStringLiteral("/quakestat"));
    // The program folder's own copy comes before the system's.
    FakeQstatSetup fake(f.programFolder());
    QCOMPARE(queryprogram::find(f.programFolder()), fake.programPath());
}

void TestStatusQuery::notFoundSaysWhereItLooked()
{
    TestFolders f;
    qputenv("PATH", QFile::encodeName(f.path(QStringLiteral("empty"))));
    QCOMPARE(queryprogram::find(f.programFolder()), QString());
    StatusQuery query(f.programFolder());
    QList<QByteArray> results = {"stale"};
    QCOMPARE(query.run(results, 3), Outcome::NotFound);
    QCOMPARE(results, QList<QByteArray>{});
    const QString text = query.errorText();
    QVERIFY2(text.contains(QStringLiteral("qstat が見つかりません")), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(f.program(QStringLiteral("qstat")))), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("quakestat")), qPrintable(text));
}

void TestStatusQuery::statusRunUsesTheFixedCommandLine()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS 10.0.0.1:2346\r\nGRS 10.0.0.2\r\nGRS 10.0.0.3:9\r\n");
    fake.setScenario("host 10.0.0.1:2346 3 16 25 Yes\nhost 10.0.0.3:9 3 16 25 No\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 3), Outcome::Done);
    QCOMPARE(results, (QList<QByteArray>{"3/16[25]Yes", "-", "3/16[25]No"}));
    QCOMPARE(fake.runs().size(), 1);
    QCOMPARE(fake.runs().first().join(QLatin1Char(' ')),
             QStringLiteral("-Ts Template.dat -tsw -sort l -of qout.dat -allowserverdups -f HostIPList.dat"));
    QCOMPARE(QDir(fake.workingFolders().first()).canonicalPath(), QDir(f.programFolder()).canonicalPath());
}

void TestStatusQuery::duplicateAddressesKeepTheirLines()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    // The second and third entries are one host to qstat (no port is its default port).
    writeAddressFile(f, "GRS 10.0.0.1\r\nGRS 10.0.0.2:2346\r\nGRS 10.0.0.2\r\nGRS 10.0.0.3\r\n");
    fake.setScenario("host 10.0.0.3 1 8 5 Yes\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 4), Outcome::Done);
    QCOMPARE(results, (QList<QByteArray>{"-", "-", "-", "1/8[5]Yes"}));
}

void TestStatusQuery::handEditedTemplateIsUsed()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    TestFolders::writeFile(f.program(QStringLiteral("template.dat")), "$PLAYERS of $MAXPLAYERS]$(RULE:dedicated)\n");
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\n");
    fake.setScenario("host a 2 8 5 No\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 1), Outcome::Done);
    QCOMPARE(results, QList<QByteArray>{"2 of 8]No"});
    QCOMPARE(fake.runs().first().at(1), QStringLiteral("template.dat"));
    QVERIFY(!QFile::exists(f.program(QStringLiteral("Template.dat"))));
}

void TestStatusQuery::outputLineEnds_data()
{
    QTest::addColumn<QByteArray>("eol");
    QTest::newRow("lf") << QByteArray("lf");
    QTest::newRow("crlf") << QByteArray("crlf");
    QTest::newRow("cr") << QByteArray("cr");
}

void TestStatusQuery::outputLineEnds()
{
    QFETCH(QByteArray, eol);
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\nGRS b\r\nGRS c\r\n");
    fake.setScenario("eol " + eol + "\nline a 1/8[5]Yes\nline b /[]\nline c x/8[5]No\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 3), Outcome::Done);
    QCOMPARE(results, (QList<QByteArray>{"1/8[5]Yes", "-", "x/8[5]No"}));
}

void TestStatusQuery::noOutputMeansNoHostAnswered_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::newRow("no file") << QByteArray("nofile\n");
    QTest::newRow("no file, error exit") << QByteArray("nofile\nexit 1\n");
    QTest::newRow("empty file") << QByteArray("garbage 0\n");
}

void TestStatusQuery::noOutputMeansNoHostAnswered()
{
    QFETCH(QByteArray, scenario);
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\nGRS b\r\n");
    // An earlier cycle's answer must not be taken for this one's.
    TestFolders::writeFile(f.program(QStringLiteral("qout.dat")), "1/8[5]Yes\n2/8[5]Yes\n");
    fake.setScenario(scenario);
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 2), Outcome::Done);
    QCOMPARE(results, QList<QByteArray>{});
}

void TestStatusQuery::garbageOutputIsBounded()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\nGRS b\r\nGRS c\r\n");
    fake.setScenario("garbage 300000\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 3), Outcome::Done);
    QVERIFY(results.size() <= 3);
    for (const QByteArray& line : results)
        QVERIFY(line.size() <= 4096);
}

void TestStatusQuery::hungProgramIsEnded_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::newRow("writes nothing") << QByteArray("hang\n");
    QTest::newRow("writes, then hangs") << QByteArray("hang-after-write\nhost a 1 8 5 Yes\n");
}

void TestStatusQuery::hungProgramIsEnded()
{
    QFETCH(QByteArray, scenario);
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\n");
    fake.setScenario(scenario);
    StatusQuery query(f.programFolder(), 300);
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 1), Outcome::TimedOut);
    QCOMPARE(results, QList<QByteArray>{});
    QVERIFY(!QFile::exists(f.program(QStringLiteral("qout.dat"))));

    // The next run is a run like any other.
    fake.setScenario("host a 1 8 5 Yes\n");
    QCOMPARE(query.run(results, 1), Outcome::Done);
    QCOMPARE(results, QList<QByteArray>{"1/8[5]Yes"});
}

void TestStatusQuery::abortFromAnotherThreadEndsTheRun()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\n");
    const QString started = fake.path(QStringLiteral("started"));
    fake.setScenario("started " + QFile::encodeName(started) + "\nhang\n");
    // A time-out far beyond the test's own: only the abort can end this run.
    StatusQuery query(f.programFolder(), 3600 * 1000);
    Outcome outcome = Outcome::Done;
    QList<QByteArray> results = {"stale"};
    std::unique_ptr<QThread> thread(QThread::create([&] { outcome = query.run(results, 1); }));
    thread->start();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 10000);
    query.abort();
    QVERIFY(thread->wait(10000));
    QCOMPARE(outcome, Outcome::Aborted);
    QCOMPARE(results, QList<QByteArray>{});
    // Once aborted, no further run starts.
    QCOMPARE(query.run(results, 1), Outcome::Aborted);
    QCOMPARE(fake.runs().size(), 1);
}

void TestStatusQuery::programThatCannotStart()
{
    TestFolders f;
    makeScript(f.program(QStringLiteral("qstat")), "#!/nonexistent/interpreter\n");
    writeAddressFile(f, "GRS a\r\n");
    StatusQuery query(f.programFolder());
    QList<QByteArray> results;
    QCOMPARE(query.run(results, 1), Outcome::FailedToStart);
    QVERIFY2(query.errorText().contains(QStringLiteral("を起動できません")), qPrintable(query.errorText()));
    QVERIFY2(query.errorText().contains(QDir::toNativeSeparators(f.program(QStringLiteral("qstat")))),
             qPrintable(query.errorText()));
}

void TestStatusQuery::noHostsRunsNothing()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    StatusQuery query(f.programFolder());
    QList<QByteArray> results = {"stale"};
    QCOMPARE(query.run(results, 0), Outcome::Done);
    QCOMPARE(results, QList<QByteArray>{});
    QCOMPARE(fake.runs().size(), 0);
}

void TestStatusQuery::runQueryProgramWaitsAndWrites()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    fake.setScenario("delay 100\nsingle Fake<>Yes<>3<>16\n");
    QVERIFY(queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(QStringLiteral("a b:1"))));
    QCOMPARE(TestFolders::readFile(f.program(QStringLiteral("hostinfo.dat"))), QByteArrayLiteral("Fake<>Yes<>3<>16\n"));
    QCOMPARE(fake.runs().first().last(), QStringLiteral("a b:1"));
    QCOMPARE(QDir(fake.workingFolders().first()).canonicalPath(), QDir(f.programFolder()).canonicalPath());
}

void TestStatusQuery::runQueryProgramDropsAnOlderAnswer()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    TestFolders::writeFile(f.program(QStringLiteral("players.dat")), "GRS{::}other host\n");
    fake.setScenario("nofile\n");
    QVERIFY(queryrunner::RunQueryProgram(f.programFolder(), queryfiles::playersArguments(QStringLiteral("a"), false)));
    QVERIFY(!QFile::exists(f.program(QStringLiteral("players.dat"))));
}

void TestStatusQuery::runQueryProgramEndsAHungRun()
{
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    fake.setScenario("hang-after-write\n");
    QVERIFY(!queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(QStringLiteral("a")), 300));
    QVERIFY(!QFile::exists(f.program(QStringLiteral("hostinfo.dat"))));
}

void TestStatusQuery::runQueryProgramReportsAMissingProgram()
{
    TestFolders f;
    qputenv("PATH", QFile::encodeName(f.path(QStringLiteral("empty"))));
    try {
        queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(QStringLiteral("a")));
        QFAIL("no error for a missing query program");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("qstat が見つかりません")), qPrintable(e.text()));
    }
    makeScript(f.program(QStringLiteral("qstat")), "#!/nonexistent/interpreter\n");
    QVERIFY_THROWS_EXCEPTION(
        UserError, queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(QStringLiteral("a"))));
}

void TestStatusQuery::runQueryProgramCutShortByTheEndIsNoAnswer()
{
    // The program quits while a host information query waits (a handler run from the main loop):
    // what the query program wrote so far is no answer, and the program does not run on.
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    const QString started = fake.path(QStringLiteral("started"));
    fake.setScenario("started " + QFile::encodeName(started) + "\nhang-after-write\n");
    const QString output = f.program(QStringLiteral("hostinfo.dat"));
    bool ran = false;
    bool answered = true;
    QTimer::singleShot(0, [&] {
        answered = queryrunner::RunQueryProgram(f.programFolder(), queryfiles::hostInfoArguments(QStringLiteral("a")));
        ran = true;
    });
    QTimer written;
    QObject::connect(&written, &QTimer::timeout, [&] {
        if (QFile::exists(started) && QFile::exists(output))
            QCoreApplication::exit(0);
    });
    written.start(10);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    limit.start(20000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(ran);
    QVERIFY(!answered);
    QVERIFY(!QFile::exists(output));
    const qint64 pid = TestFolders::readFile(started).trimmed().toLongLong();
    QVERIFY(pid > 0);
    QVERIFY(::kill(pid_t(pid), 0) == -1 && errno == ESRCH);
}

void TestStatusQuery::statusRunCutShortIsNoAnswer()
{
    // The event loop the check thread waits in is ended from outside (as the end of a thread's
    // loop does): the run has no results, and its half-done output is not left for the next one.
    TestFolders f;
    FakeQstatSetup fake(f.programFolder());
    queryfiles::WriteQueryTemplates(f.programFolder());
    writeAddressFile(f, "GRS a\r\n");
    fake.setScenario("host a 1 8 5 Yes\nhang-after-write\n");
    StatusQuery query(f.programFolder(), 3600 * 1000);
    Outcome outcome = Outcome::Done;
    QList<QByteArray> results = {"stale"};
    std::unique_ptr<QThread> thread(QThread::create([&] { outcome = query.run(results, 1); }));
    thread->start();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(f.program(QStringLiteral("qout.dat"))), 10000);
    thread->quit();
    QVERIFY(thread->wait(10000));
    QCOMPARE(outcome, Outcome::Aborted);
    QCOMPARE(results, QList<QByteArray>{});
    QVERIFY(!QFile::exists(f.program(QStringLiteral("qout.dat"))));
}

QTEST_GUILESS_MAIN(TestStatusQuery)
#include "tst_StatusQuery.moc"

// SPDX-License-Identifier: MIT
#include "FakeQstatSetup.h"
#include "platform/Errors.h"
#include "status/HostCheckSteps.h"
#include "status/HostChkThread.h"
#include "status/QueryFiles.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QPointer>
#include <QTest>

namespace {

// Records the synchronised steps in the order they ran, and on which thread.
class RecordingSteps : public HostCheckSteps
{
public:
    QStringList events;
    int hostCount = 2;
    QString writeError;
    QString programFolder;
    bool allOnThisThread = true;

    void ShowCheckRunning() override { record(QStringLiteral("running")); }
    int WriteHostAddressFile() override
    {
        record(QStringLiteral("write"));
        if (!writeError.isEmpty())
            throw UserError(writeError);
        QByteArray lines;
        for (int i = 0; i < hostCount; ++i)
            lines += "GRS h" + QByteArray::number(i) + "\r\n";
        if (hostCount > 0)
            TestFolders::writeFile(programFolder + QStringLiteral("/HostIPList.dat"), lines);
        return hostCount;
    }
    void ApplyStatusResults(const QList<QByteArray>& results) override
    {
        record(QStringLiteral("apply:") + QString::fromLatin1(results.join(',')));
    }
    void ShowCheckWaiting() override { record(QStringLiteral("waiting")); }
    void ShowCheckStopped(const QString& error) override { record(QStringLiteral("stopped:") + error); }

    int count(const QString& prefix) const
    {
        int n = 0;
        for (const QString& e : events)
            n += e.startsWith(prefix) ? 1 : 0;
        return n;
    }

private:
    void record(const QString& e)
    {
        allOnThisThread = allOnThisThread && QThread::currentThread() == thread();
        events << e;
    }
};

} // namespace

class TestHostChkThread : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void waitLength_data();
    void waitLength();
    void cyclesRunTheirStepsInOrder();
    void stopDuringTheWaitEndsTheWait();
    void stopDuringAQueryShowsThatCyclesResults();
    void missingProgramEndsTheCheckWithAMessage();
    void failingAddressFileEndsTheCheck();
    void abortEndsAHungQuery();
    void hungQueryCountsAsNoAnswerAndTheCheckGoesOn();
    void emptyListStillCycles();

private:
    HostChkThread* start(quint32 interval, int queryTimeoutMs = 60000);
    bool finished(const QPointer<HostChkThread>& t) { return !t || t->isFinished(); }

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<FakeQstatSetup> m_fake;
    std::unique_ptr<RecordingSteps> m_steps;
};

void TestHostChkThread::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_fake = std::make_unique<FakeQstatSetup>(m_folders->programFolder());
    queryfiles::WriteQueryTemplates(m_folders->programFolder());
    m_steps = std::make_unique<RecordingSteps>();
    m_steps->programFolder = m_folders->programFolder();
}

void TestHostChkThread::cleanup()
{
    m_steps.reset();
    m_fake.reset();
    m_folders.reset();
}

HostChkThread* TestHostChkThread::start(quint32 interval, int queryTimeoutMs)
{
    auto* thread = new HostChkThread(*m_steps, {interval, m_folders->programFolder(), queryTimeoutMs});
    thread->begin();
    return thread;
}

void TestHostChkThread::waitLength_data()
{
    QTest::addColumn<quint32>("interval");
    QTest::addColumn<qint64>("ms");
    QTest::newRow("10 s: 1001 ticks") << quint32(10000) << qint64(10010);
    QTest::newRow("5 min") << quint32(300000) << qint64(300010);
    QTest::newRow("zero") << quint32(0) << qint64(10);
    QTest::newRow("under a tick") << quint32(9) << qint64(10);
    QTest::newRow("one tick") << quint32(10) << qint64(20);
    QTest::newRow("largest") << quint32(0xFFFFFFFFu) << qint64(4294967300);
}

void TestHostChkThread::waitLength()
{
    QFETCH(quint32, interval);
    QFETCH(qint64, ms);
    QCOMPARE(HostChkThread::waitLength(interval).count(), ms);
}

void TestHostChkThread::cyclesRunTheirStepsInOrder()
{
    m_fake->setScenario("host h0 1 8 5 Yes\n");
    QPointer<HostChkThread> thread = start(0);
    QTRY_VERIFY_WITH_TIMEOUT(m_steps->count(QStringLiteral("apply")) >= 2, 20000);
    QCOMPARE(thread->priority(), QThread::LowestPriority);
    thread->requestStop();
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000); // it frees itself

    const QStringList cycle = {QStringLiteral("running"), QStringLiteral("write"), QStringLiteral("apply:1/8[5]Yes,-"),
                               QStringLiteral("waiting")};
    const QStringList& e = m_steps->events;
    QCOMPARE(e.last(), QStringLiteral("stopped:"));
    QCOMPARE((e.size() - 1) % 4, 0);
    for (int i = 0; i + 1 < e.size(); ++i)
        QCOMPARE(e.at(i), cycle.at(i % 4));
    QVERIFY(m_steps->allOnThisThread);
    QCOMPARE(m_fake->runs().size(), m_steps->count(QStringLiteral("apply")));
}

void TestHostChkThread::stopDuringTheWaitEndsTheWait()
{
    // An hour's wait: only the stop can end it within the test's time.
    QPointer<HostChkThread> thread = start(3600 * 1000);
    QTRY_COMPARE_WITH_TIMEOUT(m_steps->count(QStringLiteral("waiting")), 1, 20000);
    thread->requestStop();
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events,
             (QStringList{QStringLiteral("running"), QStringLiteral("write"), QStringLiteral("apply:-,-"),
                          QStringLiteral("waiting"), QStringLiteral("stopped:")}));
}

void TestHostChkThread::stopDuringAQueryShowsThatCyclesResults()
{
    const QString started = m_fake->path(QStringLiteral("started"));
    const QString release = m_fake->path(QStringLiteral("release"));
    m_fake->setScenario("started " + QFile::encodeName(started) + "\nwait-for " + QFile::encodeName(release) +
                        "\nhost h1 2 8 5 No\n");
    QPointer<HostChkThread> thread = start(0);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
    thread->requestStop();
    QVERIFY(thread->stopRequested());
    TestFolders::writeFile(release, "go");
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events,
             (QStringList{QStringLiteral("running"), QStringLiteral("write"), QStringLiteral("apply:-,2/8[5]No"),
                          QStringLiteral("waiting"), QStringLiteral("stopped:")}));
}

void TestHostChkThread::missingProgramEndsTheCheckWithAMessage()
{
    QFile::remove(m_fake->programPath());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_folders->path(QStringLiteral("empty"))));
    QPointer<HostChkThread> thread = start(0);
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    qputenv("PATH", path);
    QCOMPARE(m_steps->events.size(), 3);
    QCOMPARE(m_steps->events.mid(0, 2), (QStringList{QStringLiteral("running"), QStringLiteral("write")}));
    QVERIFY2(m_steps->events.at(2).startsWith(QStringLiteral("stopped:")), qPrintable(m_steps->events.at(2)));
    QVERIFY2(m_steps->events.at(2).contains(QStringLiteral("qstat が見つかりません")),
             qPrintable(m_steps->events.at(2)));
}

void TestHostChkThread::failingAddressFileEndsTheCheck()
{
    m_steps->writeError = QStringLiteral("HostIPList.dat に書き込めません");
    QPointer<HostChkThread> thread = start(0);
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events, (QStringList{QStringLiteral("running"), QStringLiteral("write"),
                                           QStringLiteral("stopped:HostIPList.dat に書き込めません")}));
    QCOMPARE(m_fake->runs().size(), 0);
}

void TestHostChkThread::abortEndsAHungQuery()
{
    const QString started = m_fake->path(QStringLiteral("started"));
    m_fake->setScenario("started " + QFile::encodeName(started) + "\nhang\n");
    QPointer<HostChkThread> thread = start(0, 3600 * 1000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
    thread->abort();
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events,
             (QStringList{QStringLiteral("running"), QStringLiteral("write"), QStringLiteral("stopped:")}));
}

void TestHostChkThread::hungQueryCountsAsNoAnswerAndTheCheckGoesOn()
{
    m_fake->setScenario("hang-after-write\nhost h0 1 8 5 Yes\n");
    QPointer<HostChkThread> thread = start(0, 200);
    QTRY_VERIFY_WITH_TIMEOUT(m_steps->count(QStringLiteral("apply")) >= 2, 20000);
    thread->requestStop();
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events.at(2), QStringLiteral("apply:"));
    QCOMPARE(m_steps->events.at(6), QStringLiteral("apply:"));
    QCOMPARE(m_steps->events.last(), QStringLiteral("stopped:"));
}

void TestHostChkThread::emptyListStillCycles()
{
    m_steps->hostCount = 0;
    QPointer<HostChkThread> thread = start(0);
    QTRY_VERIFY_WITH_TIMEOUT(m_steps->count(QStringLiteral("waiting")) >= 2, 20000);
    thread->requestStop();
    QTRY_VERIFY_WITH_TIMEOUT(!thread, 20000);
    QCOMPARE(m_steps->events.at(2), QStringLiteral("apply:"));
    QVERIFY(!QFile::exists(m_folders->program(QStringLiteral("HostIPList.dat"))));
    QCOMPARE(m_fake->runs().size(), 0);
}

QTEST_GUILESS_MAIN(TestHostChkThread)
#include "tst_HostChkThread.moc"

// SPDX-License-Identifier: MIT
#include "platform/InstanceLock.h"
#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// Run with MORVANE_PROBE_KEY set, this test program is a copy that wants to run: it says "ready",
// waits for a line on its input, tries to become the one copy and says "first" or "second". The
// first copy then holds on until its input ends.
int runProbe(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::puts("ready");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 2;
    SingleInstance instance(qEnvironmentVariable("MORVANE_PROBE_KEY"));
    const bool first = instance.start();
    std::puts(first ? "first" : "second");
    std::fflush(stdout);
    if (!first)
        return 0;
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buf[64];
        if (::read(0, buf, sizeof buf) <= 0)
            QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}

QByteArray readLine(QProcess& p)
{
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(10000))
            return {};
    }
    return p.readLine().trimmed();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void secondCopyAsksTheFirstToComeForward();
    void keysAreSeparate();
    void copiesStartedTogetherLeaveOne();
    void lockPassesOnWhenLetGo();

private:
    QTemporaryDir m_runtime;
};

void TestSingleInstance::init()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
}

void TestSingleInstance::secondCopyAsksTheFirstToComeForward()
{
    SingleInstance first(QStringLiteral("Morvane_Mutex"));
    QVERIFY(first.start());
    QSignalSpy activated(&first, &SingleInstance::activationRequested);
    SingleInstance second(QStringLiteral("Morvane_Mutex"));
    QVERIFY(!second.start());
    QTRY_COMPARE(activated.count(), 1);
    QCOMPARE(SingleInstance::socketName(QStringLiteral("Morvane_Mutex")),
             m_runtime.filePath(QStringLiteral("Morvane_Mutex")));
}

void TestSingleInstance::keysAreSeparate()
{
    SingleInstance a(QStringLiteral("Morvane_Mutex"));
    SingleInstance b(QStringLiteral("Other_Mutex"));
    QVERIFY(a.start());
    QVERIFY(b.start());
}

void TestSingleInstance::copiesStartedTogetherLeaveOne()
{
    // The race is between one copy finding nobody and starting to listen; each round releases
    // four copies at the same moment.
    for (int round = 0; round < 8; ++round) {
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("MORVANE_PROBE_KEY"), QStringLiteral("Morvane_Mutex"));
        std::vector<std::unique_ptr<QProcess>> copies;
        for (int i = 0; i < 4; ++i) {
            copies.push_back(std::make_unique<QProcess>());
            copies.back()->setProcessEnvironment(env);
            copies.back()->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            copies.back()->start(QCoreApplication::applicationFilePath(), {});
        }
        for (auto& copy : copies)
            QCOMPARE(readLine(*copy), QByteArrayLiteral("ready"));
        // Each write goes out at once, microseconds after the one before.
        for (auto& copy : copies) {
            copy->write("go\n");
            copy->waitForBytesWritten(1000);
        }
        int firsts = 0;
        for (auto& copy : copies) {
            const QByteArray answer = readLine(*copy);
            QVERIFY2(answer == "first" || answer == "second", answer.constData());
            firsts += answer == "first";
        }
        for (auto& copy : copies) {
            copy->closeWriteChannel();
            QVERIFY(copy->waitForFinished(10000));
            QCOMPARE(copy->exitCode(), 0);
        }
        QCOMPARE(firsts, 1);
    }
}

void TestSingleInstance::lockPassesOnWhenLetGo()
{
    const QString path = m_runtime.filePath(QStringLiteral("Morvane_Mutex.lock"));
    auto holder = std::make_unique<InstanceLock>(path);
    QCOMPARE(holder->tryTake(), InstanceLock::Result::Taken);
    InstanceLock next(path);
    QCOMPARE(next.tryTake(), InstanceLock::Result::HeldByOther);
    holder.reset();
    QVERIFY(!QFile::exists(path));
    // The next one takes the name's new file, and holds it against a third.
    QCOMPARE(next.tryTake(), InstanceLock::Result::Taken);
    QVERIFY(QFile::exists(path));
    QCOMPARE(InstanceLock(path).tryTake(), InstanceLock::Result::HeldByOther);
    QCOMPARE(InstanceLock(m_runtime.filePath(QStringLiteral("missing/x.lock"))).tryTake(),
             InstanceLock::Result::Unavailable);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("MORVANE_PROBE_KEY"))
        return runProbe(argc, argv);
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SingleInstance.moc"

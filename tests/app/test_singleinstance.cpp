// SPDX-License-Identifier: MIT
#include "platform/SingleInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void secondCopyAsksTheFirstToComeForward();
    void keysAreSeparate();

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

QTEST_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"

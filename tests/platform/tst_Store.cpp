// SPDX-License-Identifier: MIT
#include "platform/Errors.h"
#include "platform/Store.h"
#include "support/ScriptedPrompter.h"

#include <QTest>

class TestStore : public QObject
{
    Q_OBJECT
private slots:
    void writtenOnlyWhenRead_data();
    void writtenOnlyWhenRead();
};

void TestStore::writtenOnlyWhenRead_data()
{
    QTest::addColumn<QList<bool>>("loads"); // each load in turn: succeeds or throws
    QTest::addColumn<bool>("unload");
    QTest::addColumn<bool>("written");
    QTest::newRow("read") << QList<bool>{true} << false << true;
    QTest::newRow("never read") << QList<bool>{} << false << false;
    QTest::newRow("unreadable") << QList<bool>{false} << false << false;
    QTest::newRow("read, then another file unreadable") << QList<bool>{true, false} << false << false;
    QTest::newRow("unreadable, then another file read") << QList<bool>{false, true} << false << true;
    QTest::newRow("read, then given up") << QList<bool>{true} << true << false;
}

void TestStore::writtenOnlyWhenRead()
{
    QFETCH(QList<bool>, loads);
    QFETCH(bool, unload);
    QFETCH(bool, written);
    ScriptedPrompter prompter;
    bool next = true;
    int saves = 0;
    Store store(
        prompter,
        [&] {
            if (!next)
                throw UserError(QStringLiteral("x を読み込めません"));
        },
        [&] { ++saves; });
    int failures = 0;
    for (bool ok : loads) {
        next = ok;
        QCOMPARE(store.load(), ok);
        failures += ok ? 0 : 1;
    }
    if (unload)
        store.unload();
    QCOMPARE(store.save(), written);
    QCOMPARE(saves, written ? 1 : 0);
    // Each failed read was shown once, with its own text.
    QCOMPARE(prompter.asked.size(), failures);
    for (const auto& q : prompter.asked)
        QCOMPARE(q.text, QStringLiteral("x を読み込めません"));
}

QTEST_GUILESS_MAIN(TestStore)
#include "tst_Store.moc"

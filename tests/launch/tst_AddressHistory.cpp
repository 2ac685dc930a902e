// SPDX-License-Identifier: MIT
#include "launch/AddressHistory.h"
#include "platform/Errors.h"
#include "support/TestFolders.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

class TestAddressHistory : public QObject
{
    Q_OBJECT
private slots:
    void elevenInsertsKeepTheTenNewest();
    void typedInsertSkipsDuplicatesInAnyCase_data();
    void typedInsertSkipsDuplicatesInAnyCase();
    void typedInsertSkipsTheDefaultText();
    void dialogInsertAlwaysGoesToTheTop();
    void clearEmptiesTheList();
    void modelPassesTheTester();
    void saveWritesCrLfLines();
    void saveOfEmptyHistoryWritesEmptyFile();
    void saveKeepsLineStructureOfPastedLineEnds();
    void loadSplitsAtEveryLineEnd_data();
    void loadSplitsAtEveryLineEnd();
    void loadCutsALongFileToTen();
    void binaryBytesSurviveLoadAndSave();
    void missingFileLeavesHistoryEmpty();
    void unwritableFileThrows();
};

static QStringList numbered(int from, int to)
{
    QStringList out;
    for (int i = from; i >= to; --i)
        out << QStringLiteral("10.0.0.%1:2346").arg(i);
    return out;
}

void TestAddressHistory::elevenInsertsKeepTheTenNewest()
{
    AddressHistory history;
    for (int i = 1; i <= 11; ++i)
        QVERIFY(history.insertTyped(QStringLiteral("10.0.0.%1:2346").arg(i)));
    QCOMPARE(history.count(), 10);
    QCOMPARE(history.texts(), numbered(11, 2));
}

void TestAddressHistory::typedInsertSkipsDuplicatesInAnyCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("same") << QStringLiteral("host.example:2346");
    QTest::newRow("mixed") << QStringLiteral("Host.Example:2346");
}

void TestAddressHistory::typedInsertSkipsDuplicatesInAnyCase()
{
    QFETCH(QString, text);
    AddressHistory history;
    history.insertTyped(QStringLiteral("1.1.1.1:1"));
    history.insertTyped(QStringLiteral("host.example:2346"));
    history.insertTyped(QStringLiteral("2.2.2.2:2"));
    const QStringList before = history.texts();
    QVERIFY(!history.insertTyped(text));
    // Not moved to the top either.
    QCOMPARE(history.texts(), before);
}

void TestAddressHistory::typedInsertSkipsTheDefaultText()
{
    AddressHistory history;
    QVERIFY(!history.insertTyped(QStringLiteral("000.000.000.000:0000")));
    QCOMPARE(history.count(), 0);
    // Only the exact default is skipped; the dialog's own default is an ordinary text.
    QVERIFY(history.insertTyped(QStringLiteral("000.000.000.000")));
    QCOMPARE(history.count(), 1);
}

void TestAddressHistory::dialogInsertAlwaysGoesToTheTop()
{
    AddressHistory history;
    history.insertTyped(QStringLiteral("a:1"));
    history.insertTyped(QStringLiteral("b:2"));
    history.insertAtTop(QStringLiteral("a:1"));
    QCOMPARE(history.texts(), (QStringList{QStringLiteral("a:1"), QStringLiteral("b:2"), QStringLiteral("a:1")}));
    history.insertAtTop(QStringLiteral("000.000.000.000:0000"));
    QCOMPARE(history.text(0), QStringLiteral("000.000.000.000:0000"));
    for (int i = 0; i < 20; ++i)
        history.insertAtTop(QStringLiteral("x"));
    QCOMPARE(history.count(), 10);
}

void TestAddressHistory::clearEmptiesTheList()
{
    AddressHistory history;
    history.insertTyped(QStringLiteral("a:1"));
    history.insertTyped(QStringLiteral("b:2"));
    QSignalSpy removed(&history, &QAbstractItemModel::rowsRemoved);
    history.clear();
    QCOMPARE(history.count(), 0);
    QCOMPARE(removed.count(), 1);
    QVERIFY(history.insertTyped(QStringLiteral("a:1")));
}

void TestAddressHistory::modelPassesTheTester()
{
    AddressHistory history;
    QAbstractItemModelTester tester(&history, QAbstractItemModelTester::FailureReportingMode::QtTest);
    for (int i = 0; i < 12; ++i)
        history.insertTyped(QStringLiteral("h%1").arg(i));
    history.insertAtTop(QStringLiteral("h3"));
    history.setEntries({QByteArrayLiteral("x"), QByteArrayLiteral("y")});
    QCOMPARE(history.data(history.index(1), Qt::DisplayRole).toString(), QStringLiteral("y"));
    QCOMPARE(history.data(history.index(0), Qt::EditRole).toString(), QStringLiteral("x"));
    history.clear();
}

void TestAddressHistory::saveWritesCrLfLines()
{
    TestFolders folders;
    AddressHistory history;
    for (int i = 1; i <= 11; ++i)
        history.insertTyped(QStringLiteral("10.0.0.%1:2346").arg(i));
    history.insertAtTop(QStringLiteral("日本語ホスト:2346"));
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    history.saveFile(path);
    QByteArray expected = QByteArrayLiteral("\x93\xfa\x96\x7b\x8c\xea\x83\x7a\x83\x58\x83\x67:2346\r\n");
    for (int i = 11; i >= 3; --i)
        expected += QStringLiteral("10.0.0.%1:2346\r\n").arg(i).toLatin1();
    QCOMPARE(TestFolders::readFile(path), expected);

    AddressHistory again;
    again.loadFile(path);
    QCOMPARE(again.texts(), history.texts());
}

void TestAddressHistory::saveOfEmptyHistoryWritesEmptyFile()
{
    TestFolders folders;
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    TestFolders::writeFile(path, QByteArrayLiteral("old\r\n"));
    AddressHistory history;
    history.loadFile(path);
    history.clear();
    history.saveFile(path);
    QVERIFY(QFile::exists(path));
    QCOMPARE(TestFolders::readFile(path), QByteArray());
}

void TestAddressHistory::saveKeepsLineStructureOfPastedLineEnds()
{
    TestFolders folders;
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    AddressHistory history;
    history.insertAtTop(QStringLiteral("b:2"));
    history.insertAtTop(QStringLiteral("1.2.3.4:2346\r\n"));
    history.saveFile(path);
    QCOMPARE(TestFolders::readFile(path), QByteArrayLiteral("1.2.3.4:2346  \r\nb:2\r\n"));
    AddressHistory again;
    again.loadFile(path);
    QCOMPARE(again.count(), 2);
}

void TestAddressHistory::loadSplitsAtEveryLineEnd_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    // The line-end rules are the text file reader's own table; one mixed file here.
    QTest::newRow("mixed") << QByteArrayLiteral("a\rb\nc\r\n")
                           << QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("empty lines kept") << QByteArrayLiteral("a\r\n\r\nc\r\n")
                                      << QStringList{QStringLiteral("a"), QString(), QStringLiteral("c")};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("blanks kept") << QByteArrayLiteral(" a b \r\n") << QStringList{QStringLiteral(" a b ")};
}

void TestAddressHistory::loadSplitsAtEveryLineEnd()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    TestFolders folders;
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    TestFolders::writeFile(path, bytes);
    AddressHistory history;
    history.loadFile(path);
    QCOMPARE(history.texts(), entries);
}

void TestAddressHistory::loadCutsALongFileToTen()
{
    TestFolders folders;
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    QByteArray bytes;
    for (int i = 20; i >= 1; --i)
        bytes += QStringLiteral("10.0.0.%1:2346\r\n").arg(i).toLatin1();
    TestFolders::writeFile(path, bytes);
    AddressHistory history;
    history.loadFile(path);
    QCOMPARE(history.texts(), numbered(20, 11));
    // With the list at ten, a new entry pushes out the oldest one as usual.
    history.insertTyped(QStringLiteral("new:1"));
    QCOMPARE(history.count(), 10);
    QCOMPARE(history.text(0), QStringLiteral("new:1"));
    QCOMPARE(history.text(9), QStringLiteral("10.0.0.12:2346"));
}

void TestAddressHistory::binaryBytesSurviveLoadAndSave()
{
    TestFolders folders;
    const QString path = folders.program(QStringLiteral("iphistory.txt"));
    const QByteArray bytes = QByteArrayLiteral("\x00\x01\xff\xfe\x80\r\n\x81\r\n\x5c\x7c\x82\xa0\r\n");
    TestFolders::writeFile(path, bytes);
    AddressHistory history;
    history.loadFile(path);
    QCOMPARE(history.count(), 3);
    QCOMPARE(history.entries().at(0), QByteArrayLiteral("\x00\x01\xff\xfe\x80"));
    // A lone lead byte at the end of a line is kept as it is.
    QCOMPARE(history.entries().at(1), QByteArrayLiteral("\x81"));
    QCOMPARE(history.text(2), QStringLiteral("\\|あ"));
    const QString out = folders.program(QStringLiteral("out.txt"));
    history.saveFile(out);
    QCOMPARE(TestFolders::readFile(out), bytes);
}

void TestAddressHistory::missingFileLeavesHistoryEmpty()
{
    TestFolders folders;
    AddressHistory history;
    history.insertTyped(QStringLiteral("a:1"));
    history.loadFile(folders.program(QStringLiteral("iphistory.txt")));
    QCOMPARE(history.count(), 0);
}

void TestAddressHistory::unwritableFileThrows()
{
    TestFolders folders;
    AddressHistory history;
    history.insertTyped(QStringLiteral("a:1"));
    const QString path = folders.program(QStringLiteral("no/such/folder/iphistory.txt"));
    try {
        history.saveFile(path);
        QFAIL("no error for a file that cannot be written");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("に書き込めません")), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestAddressHistory)
#include "tst_AddressHistory.moc"

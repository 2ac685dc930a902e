// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "hosts/THostList.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QPersistentModelIndex>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray addressOf(int n)
{
    return QByteArrayLiteral("10.0.0.") + QByteArray::number(n) + QByteArrayLiteral(":2346");
}

void fill(HostGridModel& hosts, int count)
{
    for (int n = 1; n <= count; ++n)
        QVERIFY(hosts.appendHost(QByteArrayLiteral("h") + QByteArray::number(n), addressOf(n)));
}

// The names of the listed hosts, in row order, as "h1 h2 ...".
QByteArray order(const HostGridModel& hosts)
{
    QList<QByteArray> names;
    for (int i = 0; i < hosts.hostCount(); ++i)
        names << hosts.host(i).name;
    return names.join(' ');
}

} // namespace

class TestHostGridModel : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void appendUpToFifty();
    void emptyAddressNeverEntersTheList_data();
    void emptyAddressNeverEntersTheList();
    void fileValuesTheReaderUnquotesSurvive_data();
    void fileValuesTheReaderUnquotesSurvive();
    void namesAndAddressesKeepTheirBytes();
    void onlyHostRowsAreSelectable();
    void moveHostRow_data();
    void moveHostRow();
    void moveFollowsPersistentIndexes();
    void moveOutsideTheListDoesNothing_data();
    void moveOutsideTheListDoesNothing();
    void removeHostKeepsFiftySlots();
    void statusOnlyOnHosts();
    void tester();
};

void TestHostGridModel::init()
{
    // Covers the checkIndex() warnings a bad index or a wrong move destination gives.
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
}

void TestHostGridModel::appendUpToFifty()
{
    HostGridModel hosts;
    QSignalSpy counts(&hosts, &HostGridModel::hostCountChanged);
    fill(hosts, 50);
    QCOMPARE(hosts.hostCount(), 50);
    QVERIFY(hosts.isFull());
    QCOMPARE(counts.size(), 50);
    QCOMPARE(counts.last().at(0).toInt(), 50);
    QVERIFY(!hosts.appendHost("h51", addressOf(51)));
    QCOMPARE(hosts.hostCount(), 50);
    QCOMPARE(hosts.rowCount(), 50);
    QCOMPARE(counts.size(), 50);
    QCOMPARE(hosts.host(49).name, QByteArray("h50"));
}

void TestHostGridModel::emptyAddressNeverEntersTheList_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<bool>("usable");   // as a typed answer
    QTest::addColumn<bool>("accepted"); // by the model
    QTest::newRow("empty") << QByteArray() << false << false;
    QTest::newRow("blanks") << QByteArray(" \t ") << false << true;
    QTest::newRow("empty double quotes") << QByteArray("\"\"") << false << true;
    QTest::newRow("empty single quotes") << QByteArray(" '' ") << false << true;
    QTest::newRow("address") << QByteArray("1.2.3.4:2346") << true << true;
    QTest::newRow("domain without port") << QByteArray("gr.example.org") << true << true;
    QTest::newRow("one quote") << QByteArray("\"") << true << true;
    QTest::newRow("quoted blank") << QByteArray("\" \"") << true << true;
}

void TestHostGridModel::emptyAddressNeverEntersTheList()
{
    QFETCH(QByteArray, address);
    QFETCH(bool, usable);
    QFETCH(bool, accepted);
    QCOMPARE(HostGridModel::isUsableAddress(address), usable);

    HostGridModel hosts;
    QCOMPARE(hosts.appendHost("name", address), accepted);
    QCOMPARE(hosts.hostCount(), accepted ? 1 : 0);

    HostGridModel edited;
    QVERIFY(edited.appendHost("name", "1.2.3.4"));
    QCOMPARE(edited.setHost(0, "other", address), accepted);
    QCOMPARE(edited.host(0).address, accepted ? address : QByteArray("1.2.3.4"));
    QCOMPARE(edited.host(0).name, accepted ? QByteArray("other") : QByteArray("name"));
}

void TestHostGridModel::fileValuesTheReaderUnquotesSurvive_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("address");
    QTest::newRow("quotes around a pair of quotes") << QByteArray("HostIP1=\"\"\"\"") << QByteArray("\"\"");
    QTest::newRow("quotes around blanks") << QByteArray("HostIP1=\"   \"") << QByteArray("   ");
    QTest::newRow("single quotes around a pair") << QByteArray("HostIP1='\"\"'") << QByteArray("\"\"");
}

void TestHostGridModel::fileValuesTheReaderUnquotesSurvive()
{
    // Such a value is not empty as the reader gives it, so it is a host; refusing it would end the
    // list there and the next save would empty every slot after it.
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, address);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(THostList::fileName());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[HostList]\r\nHostname1=odd\r\n" + line + "\r\nHostname2=next\r\nHostIP2=2.2.2.2\r\n");
    file.close();

    HostGridModel hosts;
    QCOMPARE(THostList(hosts).LoadHostList(path), 2);
    QCOMPARE(hosts.host(0).address, address);
    QCOMPARE(hosts.host(1).name, QByteArray("next"));
    THostList(hosts).SaveHostList(path);
    HostGridModel again;
    QCOMPARE(THostList(again).LoadHostList(path), 2);
    QCOMPARE(again.host(0).address, address);
    QCOMPARE(again.host(1).address, QByteArray("2.2.2.2"));
}

void TestHostGridModel::namesAndAddressesKeepTheirBytes()
{
    HostGridModel hosts;
    // A lone lead byte and bytes that code page 932 has no character for.
    const QByteArray name = QByteArray::fromHex("8120fdfeff5c");
    const QByteArray address = QByteArray::fromHex("83755c3a32333436");
    QVERIFY(hosts.appendHost(name, address));
    QCOMPARE(hosts.host(0).name, name);
    QCOMPARE(hosts.host(0).address, address);
    QVERIFY(hosts.setHost(0, name, address));
    QCOMPARE(hosts.host(0).name, name);
}

void TestHostGridModel::onlyHostRowsAreSelectable()
{
    HostGridModel hosts;
    fill(hosts, 2);
    QVERIFY(hosts.flags(hosts.index(1, HostGridModel::NameColumn)) & Qt::ItemIsSelectable);
    QVERIFY(hosts.flags(hosts.index(1, HostGridModel::NameColumn)) & Qt::ItemIsEnabled);
    QVERIFY(!(hosts.flags(hosts.index(1, HostGridModel::NameColumn)) & Qt::ItemIsEditable));
    QVERIFY(!(hosts.flags(hosts.index(2, HostGridModel::NameColumn)) & Qt::ItemIsSelectable));
    QVERIFY(!(hosts.flags(hosts.index(2, HostGridModel::NameColumn)) & Qt::ItemIsEnabled));
    QCOMPARE(hosts.data(hosts.index(2, HostGridModel::NameColumn)).toString(), QString());
    QCOMPARE(hosts.data(hosts.index(1, HostGridModel::AddressColumn)).toString(), QStringLiteral("10.0.0.2:2346"));
}

void TestHostGridModel::moveHostRow_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("down one") << 1 << 2 << QByteArray("h1 h3 h2 h4 h5");
    QTest::newRow("up one") << 2 << 1 << QByteArray("h1 h3 h2 h4 h5");
    QTest::newRow("first to last") << 0 << 4 << QByteArray("h2 h3 h4 h5 h1");
    QTest::newRow("last to first") << 4 << 0 << QByteArray("h5 h1 h2 h3 h4");
    QTest::newRow("down two") << 1 << 3 << QByteArray("h1 h3 h4 h2 h5");
    QTest::newRow("up three") << 4 << 1 << QByteArray("h1 h5 h2 h3 h4");
    QTest::newRow("onto itself") << 2 << 2 << QByteArray("h1 h2 h3 h4 h5");
}

void TestHostGridModel::moveHostRow()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QByteArray, expected);
    HostGridModel hosts;
    QAbstractItemModelTester tester(&hosts, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(hosts, 5);
    hosts.setStatus(from, QStringLiteral("3/16[25]"));
    QSignalSpy moved(&hosts, &QAbstractItemModel::rowsMoved);
    hosts.moveHostRow(from, to);
    QCOMPARE(order(hosts), expected);
    QCOMPARE(moved.size(), from == to ? 0 : 1);
    // The whole row moves, the status with it.
    QCOMPARE(hosts.host(to).status, QStringLiteral("3/16[25]"));
    QCOMPARE(hosts.data(hosts.index(to, HostGridModel::StatusColumn)).toString(), QStringLiteral("3/16[25]"));
    QCOMPARE(hosts.hostCount(), 5);
    QCOMPARE(hosts.rowCount(), 50);
}

void TestHostGridModel::moveFollowsPersistentIndexes()
{
    HostGridModel hosts;
    fill(hosts, 5);
    const QPersistentModelIndex moving(hosts.index(4, HostGridModel::NameColumn));
    const QPersistentModelIndex passed(hosts.index(1, HostGridModel::AddressColumn));
    const QPersistentModelIndex before(hosts.index(0, HostGridModel::NameColumn));
    const QPersistentModelIndex slot(hosts.index(7, HostGridModel::NameColumn));
    hosts.moveHostRow(4, 1);
    QCOMPARE(moving.row(), 1);
    QCOMPARE(moving.data().toString(), QStringLiteral("h5"));
    QCOMPARE(passed.row(), 2);
    QCOMPARE(passed.data().toString(), QStringLiteral("10.0.0.2:2346"));
    QCOMPARE(before.row(), 0);
    QCOMPARE(slot.row(), 7);

    hosts.moveHostRow(1, 3);
    QCOMPARE(moving.row(), 3);
    QCOMPARE(moving.data().toString(), QStringLiteral("h5"));
    QCOMPARE(passed.row(), 1);
}

void TestHostGridModel::moveOutsideTheListDoesNothing_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("above the first") << 0 << -1;
    QTest::newRow("below the last host") << 2 << 3;
    QTest::newRow("from an empty slot") << 10 << 0;
    QTest::newRow("past the slots") << 0 << 50;
}

void TestHostGridModel::moveOutsideTheListDoesNothing()
{
    QFETCH(int, from);
    QFETCH(int, to);
    HostGridModel hosts;
    fill(hosts, 3);
    QSignalSpy moved(&hosts, &QAbstractItemModel::rowsMoved);
    hosts.moveHostRow(from, to);
    QCOMPARE(order(hosts), QByteArray("h1 h2 h3"));
    QCOMPARE(moved.size(), 0);
}

void TestHostGridModel::removeHostKeepsFiftySlots()
{
    HostGridModel hosts;
    fill(hosts, 4);
    hosts.setStatus(3, QStringLiteral("1/8[3]"));
    const QPersistentModelIndex below(hosts.index(2, HostGridModel::NameColumn));
    hosts.removeHost(1);
    QCOMPARE(order(hosts), QByteArray("h1 h3 h4"));
    QCOMPARE(hosts.rowCount(), 50);
    QCOMPARE(below.row(), 1);
    QCOMPARE(hosts.host(2).status, QStringLiteral("1/8[3]"));
    // The freed slot at the end is empty, status included.
    QCOMPARE(hosts.host(3).name, QByteArray());
    QCOMPARE(hosts.host(3).address, QByteArray());
    QCOMPARE(hosts.host(3).status, QString());
    hosts.removeHost(3); // an empty slot
    QCOMPARE(hosts.hostCount(), 3);
}

void TestHostGridModel::statusOnlyOnHosts()
{
    HostGridModel hosts;
    fill(hosts, 2);
    hosts.setStatus(5, QStringLiteral("1/8[3]"));
    QCOMPARE(hosts.host(5).status, QString());
    QVERIFY(!hosts.isLive(5));
    hosts.setStatus(1, QStringLiteral("1/8[3]"));
    QVERIFY(hosts.isLive(1));
    QVERIFY(!hosts.isLive(0));
    hosts.clearStatuses();
    QVERIFY(!hosts.isLive(1));
}

void TestHostGridModel::tester()
{
    HostGridModel hosts;
    QAbstractItemModelTester tester(&hosts, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(hosts, 12);
    hosts.moveHostRow(0, 11);
    hosts.moveHostRow(11, 0);
    hosts.moveHostRow(3, 4);
    hosts.moveHostRow(4, 3);
    hosts.setStatus(5, QStringLiteral("2/16[10]"));
    hosts.moveHostRow(5, 0);
    hosts.removeHost(0);
    hosts.removeHost(10);
    QVERIFY(hosts.setHost(2, "renamed", "1.1.1.1"));
    hosts.clearStatuses();
    hosts.clear();
    QCOMPARE(hosts.hostCount(), 0);
    fill(hosts, 2);
    hosts.moveHostRow(1, 0);
    QCOMPARE(order(hosts), QByteArray("h2 h1"));
}

QTEST_GUILESS_MAIN(TestHostGridModel)
#include "tst_HostGridModel.moc"

// SPDX-License-Identifier: MIT
#include "status/PlayerListModel.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>
#include <QTest>

using hostinfo::PlayerEntry;

namespace {

QStringList column(const PlayerListModel& m, int c, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int r = 0; r < m.rowCount(); ++r)
        texts << m.index(r, c).data(role).toString();
    return texts;
}

void fill(PlayerListModel& m, const QList<PlayerEntry>& players)
{
    m.clear();
    for (const PlayerEntry& p : players)
        m.addPlayer(p);
}

const QList<PlayerEntry> Players = {{"charlie", "2"}, {"Alpha", "1"}, {"bravo", "5"}, {"delta", "1"}};

} // namespace

class TestPlayerListModel : public QObject
{
    Q_OBJECT
private slots:
    void oneDirectionFlagForBothColumns();
    void teamsSortByTheirRawValue();
    void shownTextIsTheDisplayText();
    void selectionFollowsItsPlayer();
};

void TestPlayerListModel::oneDirectionFlagForBothColumns()
{
    PlayerListModel m;
    QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(m, Players);
    m.columnClicked(PlayerListModel::NameColumn);
    QVERIFY(m.isDescending());
    // The team heading takes the flag as the name heading left it, and flips it.
    m.columnClicked(PlayerListModel::TeamColumn);
    QVERIFY(!m.isDescending());
    QCOMPARE(column(m, PlayerListModel::TeamColumn, PlayerListModel::TeamValueRole),
             (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("5")}));
    // A fetch sorts by name again, in the direction the last click left.
    m.setSortColumn(PlayerListModel::NameColumn);
    fill(m, Players);
    QCOMPARE(column(m, 0), (QStringList{QStringLiteral("Alpha"), QStringLiteral("bravo"), QStringLiteral("charlie"),
                                        QStringLiteral("delta")}));
}

void TestPlayerListModel::teamsSortByTheirRawValue()
{
    PlayerListModel m;
    m.setSortColumn(PlayerListModel::TeamColumn);
    fill(m, {{"a", "2"}, {"b", "1"}, {"c", "10"}, {"d", "x"}, {"e", "X"}});
    // "Team 2" (raw 1) before "Team 1" (raw 2); values compare as texts, with regard to case.
    QCOMPARE(column(m, 0), (QStringList{QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("a"),
                                        QStringLiteral("e"), QStringLiteral("d")}));
}

void TestPlayerListModel::shownTextIsTheDisplayText()
{
    PlayerListModel m;
    fill(m, {{"\x83\x5C\x83\x8D", "1"}, {"w", "5"}, {"z", "odd"}});
    QCOMPARE(column(m, 0), (QStringList{QStringLiteral("w"), QStringLiteral("z"), QStringLiteral("ソロ")}));
    QCOMPARE(column(m, 1), (QStringList{QStringLiteral("待機中"), QStringLiteral("odd"), QStringLiteral("Team 2")}));
    QCOMPARE(m.index(2, 1).data(PlayerListModel::TeamColourRole).toUInt(), 0xFF0000u);
    QCOMPARE(m.index(2, 1).data(PlayerListModel::TeamValueRole).toString(), QStringLiteral("1"));
}

void TestPlayerListModel::selectionFollowsItsPlayer()
{
    PlayerListModel m;
    fill(m, Players);
    const QPersistentModelIndex bravo = m.index(1, 0);
    m.columnClicked(PlayerListModel::NameColumn);
    QCOMPARE(bravo.row(), 2);
    QCOMPARE(bravo.data().toString(), QStringLiteral("bravo"));
}

QTEST_GUILESS_MAIN(TestPlayerListModel)
#include "tst_PlayerListModel.moc"

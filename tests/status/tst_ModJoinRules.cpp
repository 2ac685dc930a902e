// SPDX-License-Identifier: MIT
#include "status/ModJoinRules.h"

#include "platform/Cp932.h"

#include <QTest>

using namespace modjoin;
using Step = JoinPlan::Step;
using Mods = QList<QByteArray>;

Q_DECLARE_METATYPE(modjoin::JoinPlan::Step)
Q_DECLARE_METATYPE(modjoin::Journal)

class TestModJoinRules : public QObject
{
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
    void knownModList_data();
    void knownModList();
    void journalRoundTrip_data();
    void journalRoundTrip();
    void damagedJournal_data();
    void damagedJournal();
};

void TestModJoinRules::plan_data()
{
    QTest::addColumn<QByteArray>("hostMods");
    QTest::addColumn<Mods>("active");
    QTest::addColumn<Step>("step");
    QTest::addColumn<Mods>("loadOrder");
    QTest::addColumn<Mods>("missing");

    // Installed here: a, b, c (and whatever stands in the active list).
    QTest::newRow("switch, host's order kept")
        << QByteArray(" origmiss; c; a;") << Mods{"a"} << Step::Switch << Mods{"c", "a"} << Mods{};
    QTest::newRow("same mods, other order")
        << QByteArray(" origmiss; a; b;") << Mods{"b", "a"} << Step::Switch << Mods{"a", "b"} << Mods{};
    QTest::newRow("equal, letter case aside")
        << QByteArray(" origmiss; A; b;") << Mods{"a", "B"} << Step::JustJoin << Mods{"A", "b"} << Mods{};
    QTest::newRow("only the game's own content")
        << QByteArray(" origmiss;") << Mods{} << Step::JustJoin << Mods{} << Mods{};
    QTest::newRow("vanilla host, mods active here")
        << QByteArray(" Origmiss;") << Mods{"a"} << Step::Switch << Mods{} << Mods{};
    QTest::newRow("one missing") << QByteArray(" origmiss; a; zz; b;") << Mods{} << Step::ShowMissing
                                 << Mods{"a", "zz", "b"} << Mods{"zz"};
    QTest::newRow("active but not installed counts as present")
        << QByteArray(" ghost;") << Mods{"ghost"} << Step::JustJoin << Mods{"ghost"} << Mods{};
    QTest::newRow("name cut off at the length limit is no entry")
        << QByteArray(" origmiss; a; b; cut-off-na") << Mods{} << Step::Switch << Mods{"a", "b"} << Mods{};
}

void TestModJoinRules::plan()
{
    QFETCH(QByteArray, hostMods);
    QFETCH(Mods, active);
    QFETCH(Step, step);
    QFETCH(Mods, loadOrder);
    QFETCH(Mods, missing);
    const Mods installed{"a", "b", "c"};
    const JoinPlan p = planJoin(hostMods, active, [&](QByteArrayView name) {
        for (const QByteArray& m : installed + active) {
            if (cp932::equalsIgnoreCase(m, name))
                return true;
        }
        return false;
    });
    QCOMPARE(p.step, step);
    QCOMPARE(p.loadOrder, loadOrder);
    QCOMPARE(p.missing, missing);
}

void TestModJoinRules::knownModList_data()
{
    QTest::addColumn<QByteArray>("mods");
    QTest::addColumn<bool>("known");
    QTest::newRow("reported") << QByteArray(" origmiss; a;") << true;
    QTest::newRow("game's content only") << QByteArray(" origmiss;") << true;
    QTest::newRow("answer cut before its mods") << QByteArray() << false;
    QTest::newRow("blanks only") << QByteArray("   ") << false;
}

void TestModJoinRules::knownModList()
{
    QFETCH(QByteArray, mods);
    QFETCH(bool, known);
    QCOMPARE(isModListKnown(mods), known);
}

void TestModJoinRules::journalRoundTrip_data()
{
    QTest::addColumn<Journal>("journal");
    QTest::newRow("plain") << Journal{"/games/Ghost Recon", "10.0.0.1:2346", {"heavyarms", "japanmap"}};
    QTest::newRow("empty active list") << Journal{"/g", "h", {}};
    // Values the profile reader would change without quotes, and code-page-932 trail bytes 0x5C.
    QTest::newRow("values needing quotes")
        << Journal{"/g/\x83\x5C\x83\x8D ", " spaced:1 ", {"\"quoted\"", " lead", "\x95\x5C", ""}};
}

void TestModJoinRules::journalRoundTrip()
{
    QFETCH(Journal, journal);
    const QByteArray bytes = formatJournal(journal);
    QVERIFY(bytes.endsWith("\r\n"));
    const std::optional<Journal> read = parseJournal(bytes);
    QVERIFY(read);
    QCOMPARE(*read, journal);
}

void TestModJoinRules::damagedJournal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no count") << QByteArray("[ModJoin]\r\nGameFolder=/g\r\nMod1=a\r\n");
    QTest::newRow("no game folder") << QByteArray("[ModJoin]\r\nCount=0\r\n");
    QTest::newRow("cut short") << QByteArray("[ModJoin]\r\nGameFolder=/g\r\nCount=3\r\nMod1=a\r\nMod2=b\r\n");
    QTest::newRow("negative count") << QByteArray("[ModJoin]\r\nGameFolder=/g\r\nCount=-1\r\n");
    QTest::newRow("other file") << QByteArray("[HostList]\r\nHostname1=a\r\n");
}

void TestModJoinRules::damagedJournal()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!parseJournal(bytes));
}

QTEST_APPLESS_MAIN(TestModJoinRules)
#include "tst_ModJoinRules.moc"

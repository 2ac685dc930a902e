// SPDX-License-Identifier: MIT
#include "status/HostInfoFiles.h"
#include "status/HostInfoRules.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QTest>

using namespace hostinfo;

namespace {

// "text@position|text@position..." for comparing a split in one line.
QString describe(const QList<Field>& fields)
{
    QStringList parts;
    for (const Field& f : fields)
        parts << QString::fromLatin1(f.text.toPercentEncoding(" <>{}:;.")) + QLatin1Char('@') +
                     QString::number(f.position);
    return parts.join(QLatin1Char('|'));
}

// The shown rows of a record: name, players, mods, patch, map, mission, mode, type.
QStringList shown(const TQStatData& r)
{
    return {QString::fromLatin1(r.ServerName), playersText(r),
            QString::fromLatin1(r.Mods),       QString::fromLatin1(r.Patch),
            QString::fromLatin1(r.Map),        QString::fromLatin1(r.Mission),
            QString::fromLatin1(r.GameMode),   QString::fromLatin1(r.MissionType)};
}

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromLatin1(t);
    return list;
}

} // namespace

class TestHostInfoFiles : public QObject
{
    Q_OBJECT
private slots:
    void splitFields_data();
    void splitFields();
    void hostInfo_data();
    void hostInfo();
    void modListCutAtACharacterBoundary();
    void missingOrUnreadableFile();
    void players_data();
    void players();
};

void TestHostInfoFiles::splitFields_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("separator");
    QTest::addColumn<bool>("keepEmpty");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("a<>b<>c") << QByteArray("<>") << false << QStringLiteral("a@1|b@4|c@7");
    QTest::newRow("front blanks count in positions")
        << QByteArray("  a <> b") << QByteArray("<>") << false << QStringLiteral("a@3|b@7");
    QTest::newRow("empty pieces dropped")
        << QByteArray("<>a<><>b<>") << QByteArray("<>") << false << QStringLiteral("a@3|b@8");
    QTest::newRow("empty pieces kept") << QByteArray("<>a<><>b<>") << QByteArray("<>") << true
                                       << QStringLiteral("@1|a@3|@6|b@8");
    QTest::newRow("a blank piece is kept, trimmed")
        << QByteArray("a<> <>b") << QByteArray("<>") << false << QStringLiteral("a@1|@4|b@7");
    QTest::newRow("nothing but blanks") << QByteArray(" \t\r ") << QByteArray("<>") << false << QString();
    QTest::newRow("no separator") << QByteArray(" whole ") << QByteArray("{::}") << false << QStringLiteral("whole@2");
    // 0x83 0x7B is a double-byte character ending in '{': no separator begins inside it.
    QTest::newRow("separator inside a double-byte character")
        << QByteArray("\x83{::}x{::}y") << QByteArray("{::}") << false << QStringLiteral("%83{::}x@1|y@11");
}

void TestHostInfoFiles::splitFields()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, separator);
    QFETCH(bool, keepEmpty);
    QFETCH(QString, expected);
    QCOMPARE(describe(SplitFields(text, separator, keepEmpty ? EmptyFields::Keep : EmptyFields::Drop)), expected);
}

void TestHostInfoFiles::hostInfo_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("answered");
    QTest::addColumn<QStringList>("rows");

    const QStringList none = {QString(), QStringLiteral("1/1"), {}, {}, {}, {}, {}, {}};
    QTest::newRow("dedicated")
        << QByteArray("Fake<>Yes<>3<>16<> origmiss; mp1;<>1.4<>Castle<>No Mission<>TEAM<>LMS\r\n") << true
        << strings({"Fake", "3/16", "origmiss; mp1;", "1.4", "Castle", "No Mission", "TEAM", "LMS"});
    QTest::newRow("not dedicated counts the hosting player in both")
        << QByteArray("Peer<>No<>3<>16<>m;<>1.3<>Map<>M<>COOP<>T\n") << true
        << strings({"Peer", "4/17", "m;", "1.3", "Map", "M", "COOP", "T"});
    QTest::newRow("full host that is not dedicated") << QByteArray("P<>No<>7<>7<>m;<>1.3<>Map<>M<>COOP<>T") << true
                                                     << strings({"P", "8/8", "m;", "1.3", "Map", "M", "COOP", "T"});
    QTest::newRow("an empty field keeps the later ones in place")
        << QByteArray("Fake<>Yes<>3<>16<><>1.4<>Castle<><>TEAM<>LMS") << true
        << strings({"Fake", "3/16", "", "1.4", "Castle", "", "TEAM", "LMS"});
    QTest::newRow("nine fields leave the type empty")
        << QByteArray("Fake<>Yes<>3<>16<>m;<>1.4<>Castle<>M<>TEAM") << true
        << strings({"Fake", "3/16", "m;", "1.4", "Castle", "M", "TEAM", ""});
    QTest::newRow("a count that is no number ends the parse")
        << QByteArray("Fake<>Yes<>3<>x16<>m;<>1.4") << true << strings({"Fake", "3/0", "", "", "", "", "", ""});
    QTest::newRow("only the first line counts") << QByteArray("Fake<>Yes<>1<>2\nOther<>No<>5<>6<>m;") << true
                                                << strings({"Fake", "1/2", "", "", "", "", "", ""});
    QTest::newRow("silent host") << QByteArray("TIMEOUT<><><><><><><><><>\n") << false
                                 << strings({"TIMEOUT", "1/1", "", "", "", "", "", ""});
    QTest::newRow("refused host") << QByteArray("DOWN<><><><><><><><><>\n") << false
                                  << strings({"DOWN", "1/1", "", "", "", "", "", ""});
    QTest::newRow("name that does not resolve") << QByteArray("HOSTNOTFOUND<><><><><><><><><>\n") << false
                                                << strings({"HOSTNOTFOUND", "1/1", "", "", "", "", "", ""});
    QTest::newRow("one field") << QByteArray("Lonely\n") << false << strings({"Lonely", "1/1", "", "", "", "", "", ""});
    QTest::newRow("empty file") << QByteArray() << false << none;
    QTest::newRow("empty first line") << QByteArray("\r\nFake<>Yes<>3<>16") << false << none;
}

void TestHostInfoFiles::hostInfo()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, answered);
    QFETCH(QStringList, rows);
    TQStatData record;
    QCOMPARE(parseHostInfo(bytes, record), answered ? HostInfoRead::Answered : HostInfoRead::NoAnswer);
    QCOMPARE(shown(record), rows);
}

void TestHostInfoFiles::modListCutAtACharacterBoundary()
{
    TQStatData record;
    const QByteArray mods(600, 'm');
    QCOMPARE(parseHostInfo("H<>Yes<>1<>2<>" + mods + "<>1.4", record), HostInfoRead::Answered);
    QCOMPARE(record.Mods, mods.left(510));
    QCOMPARE(record.Patch, QByteArray("1.4"));

    // A double-byte character across the limit goes as a whole.
    const QByteArray japanese = QByteArray(509, 'm') + "\x83\x5C" + "tail";
    QCOMPARE(parseHostInfo("H<>Yes<>1<>2<>" + japanese, record), HostInfoRead::Answered);
    QCOMPARE(record.Mods, QByteArray(509, 'm'));
}

void TestHostInfoFiles::missingOrUnreadableFile()
{
    TestFolders f;
    TQStatData record;
    QCOMPARE(ReadHostInfoFile(f.program(QStringLiteral("hostinfo.dat")), record), HostInfoRead::Missing);
    QVERIFY(QDir().mkpath(f.program(QStringLiteral("players.dat"))));
    QVERIFY(!readPlayersFile(f.program(QStringLiteral("players.dat"))));
    TestFolders::writeFile(f.program(QStringLiteral("hostinfo.dat")), "Fake<>Yes<>3<>16");
    QCOMPARE(ReadHostInfoFile(f.program(QStringLiteral("hostinfo.dat")), record), HostInfoRead::Answered);
    QCOMPARE(record.MaxPlayers, 16);
}

void TestHostInfoFiles::players_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected"); // name=team, bytes as Latin-1

    const QByteArray head = "GRS{::}1.2.3.4:2346{::}Host{::}Map{::}16{::}2{::}40{::}0\n";
    QTest::newRow("heading only") << head << QStringList();
    QTest::newRow("players and qstat's closing empty line") << head + "Bravo{::}1{::}5\nalpha{::}0{::}2\n\n"
                                                            << strings({"Bravo=5", "alpha=2"});
    QTest::newRow("empty name skipped") << head + "{::}0{::}1\nx{::}0{::}3\n" << strings({"x=3"});
    QTest::newRow("no team") << head + "lone{::}0\nbare\n" << strings({"lone=", "bare="});
    QTest::newRow("team keeps what follows") << head + "n{::}0{::}1{::}9\r\n" << strings({"n=1{::}9"});
    QTest::newRow("double-byte name ending in a brace") << head + "\x83{::}{::}0{::}4\n"
                                                        << QStringList{QString::fromLatin1("\x83{::}=4")};
    QTest::newRow("nothing at all") << QByteArray() << QStringList();
}

void TestHostInfoFiles::players()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    QStringList got;
    for (const PlayerEntry& p : parsePlayers(bytes))
        got << QString::fromLatin1(p.name + '=' + p.team);
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestHostInfoFiles)
#include "tst_HostInfoFiles.moc"

// SPDX-License-Identifier: MIT
#include "status/HostInfoRules.h"

#include "platform/Cp932.h"

#include <QTest>

using namespace hostinfo;

namespace {

QByteArray repeat(const char* piece, int times) { return QByteArray(piece).repeated(times); }

QList<QByteArray> bytesList(std::initializer_list<const char*> items)
{
    QList<QByteArray> list;
    for (const char* i : items)
        list << QByteArray(i);
    return list;
}

} // namespace

class TestHostInfoRules : public QObject
{
    Q_OBJECT
private slots:
    void wrap_data();
    void wrap();
    void wrappedLinesStayWithinTheLimit();
    void team_data();
    void team();
    void modList_data();
    void modList();
    void missing_data();
    void missing();
};

void TestHostInfoRules::wrap_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("short text unchanged") << QByteArray("origmiss; mp1;") << QByteArray("origmiss; mp1;");
    QTest::newRow("exactly 48 columns") << QByteArray(48, 'x') << QByteArray(48, 'x');
    QTest::newRow("break after the last blank")
        << repeat("aaaaaaaaa ", 5) + "tail" << repeat("aaaaaaaaa ", 4) + "\r\n" + "aaaaaaaaa tail";
    QTest::newRow("break after a hyphen")
        << QByteArray(40, 'a') + "-bbbbbbbbbbbb" << QByteArray(40, 'a') + "-\r\nbbbbbbbbbbbb";
    QTest::newRow("break after a full stop")
        << QByteArray(30, 'a') + ".bbbbbbbbbbbbbbbbbbbbbbbb" << QByteArray(30, 'a') + ".\r\nbbbbbbbbbbbbbbbbbbbbbbbb";
    QTest::newRow("break after a tab") << QByteArray(30, 'a') + "\tbbbbbbbbbbbbbbbbbbbbbbbb"
                                       << QByteArray(30, 'a') + "\t\r\nbbbbbbbbbbbbbbbbbbbbbbbb";
    QTest::newRow("a blank at column 49 is at the limit, not before it")
        << QByteArray(20, 'a') + " " + QByteArray(27, 'b') + " c"
        << QByteArray(20, 'a') + " \r\n" + QByteArray(27, 'b') + " c";
    QTest::newRow("no break character: the line runs on to the first one")
        << QByteArray(60, 'a') + " b" << QByteArray(60, 'a') + " \r\nb";
    QTest::newRow("none at the very end") << QByteArray(48, 'a') + " " << QByteArray(48, 'a') + " ";
    QTest::newRow("none where a line break follows")
        << QByteArray(50, 'a') + " \r\nb" << QByteArray(50, 'a') + " \r\nb";
    QTest::newRow("an existing line break starts a new line")
        << QByteArray(30, 'a') + "\r\n" + QByteArray(30, 'b') + " c"
        << QByteArray(30, 'a') + "\r\n" + QByteArray(30, 'b') + " c";
    QTest::newRow("quoted text is never broken")
        << QByteArray("x \"") + repeat("q q ", 15) + "\" y" << QByteArray("x \r\n\"") + repeat("q q ", 15) + "\" \r\ny";
    QTest::newRow("single quotes too") << QByteArray(40, 'a') + " '" + repeat("b ", 10) + "'"
                                       << QByteArray(40, 'a') + " \r\n'" + repeat("b ", 10) + "'";
    // Double-byte characters take two columns; one that would straddle the limit moves down whole.
    QTest::newRow("double-byte characters")
        << QByteArray("a ") + repeat("\x83\x5C", 23) + "\x83\x5C" << QByteArray("a \r\n") + repeat("\x83\x5C", 24);
    QTest::newRow("a double-byte character across the limit")
        << QByteArray("a ") + repeat("\x83\x5C", 22) + "b\x83\x5C"
        << QByteArray("a \r\n") + repeat("\x83\x5C", 22) + "b\x83\x5C";
    QTest::newRow("the byte after a lead byte is no hyphen") << QByteArray(30, 'a') + "\x81\x2D" + QByteArray(20, 'b')
                                                             << QByteArray(30, 'a') + "\x81\x2D" + QByteArray(20, 'b');
    QTest::newRow("mod list") << QByteArray("origmiss; heavyarms; japanmap; urbanops; testrange; desertsiege;")
                              << QByteArray("origmiss; heavyarms; japanmap; urbanops; \r\ntestrange; desertsiege;");
}

void TestHostInfoRules::wrap()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(wrapText(text, 48), expected);
}

void TestHostInfoRules::wrappedLinesStayWithinTheLimit()
{
    // A 510-byte list of ordinary mod names: every line fits, and nothing of the text is lost.
    QByteArray mods;
    for (int i = 0; mods.size() < 510; ++i)
        mods += "mod" + QByteArray::number(i * 7919 % 100000) + "; ";
    mods.truncate(510);
    const QByteArray wrapped = wrapText(mods);
    QCOMPARE(QByteArray(wrapped).replace("\r\n", ""), mods);
    for (const QByteArray& line : wrapped.split('\n'))
        QVERIFY2(line.chopped(line.endsWith('\r') ? 1 : 0).size() <= 48, line.constData());
}

void TestHostInfoRules::team_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("rgb");

    QTest::newRow("1") << QByteArray("1") << QStringLiteral("Team 2") << 0xFF0000u;
    QTest::newRow("2") << QByteArray("2") << QStringLiteral("Team 1") << 0x00FFFFu;
    QTest::newRow("3") << QByteArray("3") << QStringLiteral("Team 3") << 0x00FF00u;
    QTest::newRow("4") << QByteArray("4") << QStringLiteral("Team 4") << 0xFFFF00u;
    QTest::newRow("0") << QByteArray("0") << QStringLiteral("Team 0") << 0xFFFFFFu;
    QTest::newRow("negative") << QByteArray("-2") << QStringLiteral("Team -2") << 0xFFFFFFu;
    QTest::newRow("5 waits") << QByteArray("5") << QStringLiteral("待機中") << 0xFFFFFFu;
    QTest::newRow("large") << QByteArray("123456789012") << QStringLiteral("待機中") << 0xFFFFFFu;
    QTest::newRow("not a number") << QByteArray("red") << QStringLiteral("red") << 0xFFFFFFu;
    QTest::newRow("empty") << QByteArray() << QString() << 0xFFFFFFu;
    QTest::newRow("number and more") << QByteArray("1{::}9") << QStringLiteral("1{::}9") << 0xFFFFFFu;
}

void TestHostInfoRules::team()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, text);
    QFETCH(quint32, rgb);
    const TeamShown shown = teamShown(value);
    QCOMPARE(shown.text, text);
    QCOMPARE(shown.rgb, rgb);
}

void TestHostInfoRules::modList_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("entries");

    QTest::newRow("as qstat writes it") << QByteArray(" origmiss; mp1; nothere;")
                                        << bytesList({"origmiss", "mp1", "nothere"});
    QTest::newRow("a; b;") << QByteArray("a; b;") << bytesList({"a", "b"});
    QTest::newRow("without blanks") << QByteArray("a;b;") << bytesList({"a", "b"});
    QTest::newRow("order kept") << QByteArray("zeta; alpha; mid;") << bytesList({"zeta", "alpha", "mid"});
    QTest::newRow("a name cut off at the end is none") << QByteArray("a; b; longna") << bytesList({"a", "b"});
    QTest::newRow("no semicolon") << QByteArray(" origmiss mp1") << QList<QByteArray>();
    QTest::newRow("empty entries left out") << QByteArray(";; a;  ;") << bytesList({"a"});
    QTest::newRow("double-byte names") << QByteArray("\x83\x5C\x83\x8D; b;") << bytesList({"\x83\x5C\x83\x8D", "b"});
    QTest::newRow("empty") << QByteArray() << QList<QByteArray>();
}

void TestHostInfoRules::modList()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, entries);
    QCOMPARE(SplitModList(text), entries);
}

void TestHostInfoRules::missing_data()
{
    QTest::addColumn<QByteArray>("mods");
    QTest::addColumn<QList<QByteArray>>("installed");
    QTest::addColumn<QList<QByteArray>>("missing");

    QTest::newRow("a installed lists b") << QByteArray("a; b;") << bytesList({"a"}) << bytesList({"b"});
    QTest::newRow("letter case ignored") << QByteArray("HeavyArms; mp1;") << bytesList({"heavyarms", "MP1"})
                                         << QList<QByteArray>();
    QTest::newRow("the game's own content always counts")
        << QByteArray("origmiss; ORIGMISS; Origmiss; nothere;") << QList<QByteArray>() << bytesList({"nothere"});
    QTest::newRow("order kept") << QByteArray("z; a; m;") << QList<QByteArray>() << bytesList({"z", "a", "m"});
}

void TestHostInfoRules::missing()
{
    QFETCH(QByteArray, mods);
    QFETCH(QList<QByteArray>, installed);
    QFETCH(QList<QByteArray>, missing);
    const ModPresence present = [&](QByteArrayView name) {
        return std::any_of(installed.cbegin(), installed.cend(),
                           [&](const QByteArray& i) { return cp932::equalsIgnoreCase(i, name); });
    };
    QCOMPARE(missingMods(SplitModList(mods), present), missing);
}

QTEST_GUILESS_MAIN(TestHostInfoRules)
#include "tst_HostInfoRules.moc"

// SPDX-License-Identifier: MIT
// The active-mod file, the set files, short names and name comparison, on bytes.
#include "mods/ModRules.h"
#include "mods/ModsSettings.h"
#include "platform/ProfileFile.h"

#include <QTest>

using Entries = QList<QByteArray>;

class TestModRules : public QObject
{
    Q_OBJECT
private slots:
    void parseModsSet_data();
    void parseModsSet();
    void formatModsSet_data();
    void formatModsSet();
    void setFiles_data();
    void setFiles();
    void clipboardText_data();
    void clipboardText();
    void sameMod_data();
    void sameMod();
    void namesModFolder_data();
    void namesModFolder();
    void settings_data();
    void settings();
};

void TestModRules::parseModsSet_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Entries>("entries");
    const QByteArray header = QByteArrayLiteral("// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM\r\n");
    QTest::newRow("as the game writes it") << header + "\"\\mods\\mp1\"\r\n\"\\mods\\mp2\"\r\n"
                                           << Entries{"mp1", "mp2"};
    QTest::newRow("header only") << header << Entries{};
    QTest::newRow("empty file") << QByteArray() << Entries{};
    QTest::newRow("without the header the first mod is lost")
        << QByteArrayLiteral("\"\\mods\\mp1\"\r\n\"\\mods\\mp2\"\r\n") << Entries{"mp2"};
    QTest::newRow("a line without a backslash keeps its first quote") << header + "\"mp1\"\r\n" << Entries{"\"mp1"};
    QTest::newRow("only the last quote goes") << header + "\"\\mods\\a\"b\"\r\n" << Entries{"a\"b"};
    QTest::newRow("the last backslash counts") << header + "\"c:\\game\\mods\\x\\y\"" << Entries{"y"};
    QTest::newRow("LF only") << QByteArrayLiteral("h\n\"\\mods\\a\"\n\"\\mods\\b\"") << Entries{"a", "b"};
    QTest::newRow("an empty line is an empty entry") << header + "\r\n\"\\mods\\a\"\r\n" << Entries{"", "a"};
    QTest::newRow("a NUL ends the text") << header +
                                                QByteArrayLiteral("\"\\mods\\a\"\r\n\"\\mo\0ds\\b\"\r\n\"\\mods\\c\"")
                                         << Entries{"a", "mo"};
    // 0x95 0x5C is one character whose second byte is a backslash: the name keeps it whole.
    QTest::newRow("trail byte 0x5C at the end of a name") << header + "\"\\mods\\\x95\x5c\"\r\n" << Entries{"\x95\x5c"};
    QTest::newRow("trail byte 0x5C inside a name") << header + "\"\\mods\\a\x95\x5c"
                                                               "b\"\r\n"
                                                   << Entries{"a\x95\x5c"
                                                              "b"};
    QTest::newRow("a real backslash after a trail byte 0x5C") << header + "\"\\mods\\\x95\x5c\\x\"\r\n" << Entries{"x"};
    QTest::newRow("capitals are read as they stand") << header + "\"\\MODS\\MP1\"\r\n" << Entries{"MP1"};
}

void TestModRules::parseModsSet()
{
    QFETCH(QByteArray, file);
    QFETCH(Entries, entries);
    QCOMPARE(modrules::parseModsSet(file), entries);
}

void TestModRules::formatModsSet_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QByteArray>("file");
    const QByteArray header = QByteArrayLiteral("// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM\r\n");
    QTest::newRow("empty list") << Entries{} << header;
    QTest::newRow("two mods") << Entries{"mp1", "extra"} << header + "\"\\mods\\mp1\"\r\n\"\\mods\\extra\"\r\n";
    QTest::newRow("capitals written small")
        << Entries{"MP1", "Mappack S1"} << header + "\"\\mods\\mp1\"\r\n\"\\mods\\mappack s1\"\r\n";
    // 0x83 0x41 is katakana A; its trail byte 0x41 is 'A' and must not be lowered to 0x61.
    QTest::newRow("double-byte characters untouched")
        << Entries{"X\x83\x41\x95\x5cY"} << header + "\"\\mods\\x\x83\x41\x95\x5cy\"\r\n";
    QTest::newRow("full-width capitals untouched") << Entries{"\x82\x60"} << header + "\"\\mods\\\x82\x60\"\r\n";
}

void TestModRules::formatModsSet()
{
    QFETCH(Entries, entries);
    QFETCH(QByteArray, file);
    QCOMPARE(modrules::formatModsSet(entries), file);
}

void TestModRules::setFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("empty") << QByteArray() << Entries{} << QByteArray();
    QTest::newRow("as written") << QByteArrayLiteral("mp1\r\nMP2\r\n") << Entries{"mp1", "MP2"}
                                << QByteArrayLiteral("mp1\r\nMP2\r\n");
    QTest::newRow("mixed line ends, no last end") << QByteArrayLiteral("a\rb\nc\r\nd") << Entries{"a", "b", "c", "d"}
                                                  << QByteArrayLiteral("a\r\nb\r\nc\r\nd\r\n");
    QTest::newRow("trail byte 0x5C and quotes kept")
        << QByteArrayLiteral("\"\\mods\\\x95\x5c\"\r\n") << Entries{"\"\\mods\\\x95\x5c\""}
        << QByteArrayLiteral("\"\\mods\\\x95\x5c\"\r\n");
}

void TestModRules::setFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(Entries, entries);
    QFETCH(QByteArray, written);
    QCOMPARE(modrules::parseSetFile(file), entries);
    QCOMPARE(modrules::formatSetFile(entries), written);
}

void TestModRules::clipboardText_data()
{
    QTest::addColumn<Entries>("active");
    QTest::addColumn<QString>("text");
    QTest::newRow("the known names") << Entries{"mp1", "mp2", "mappack s1", "extra"}
                                     << QStringLiteral("\"DS\",\"IT\",\"SOAF1\",\"EXTRA\"");
    QTest::newRow("empty list") << Entries{} << QString();
    QTest::newRow("the table is case-sensitive") << Entries{"MP1"} << QStringLiteral("\"MP1\"");
    QTest::newRow("other letters upper-cased, kana kept")
        << Entries{"caf\x82\x81", "\x83\x41x"} << QStringLiteral("\"CAFＡ\",\"アX\"");
}

void TestModRules::clipboardText()
{
    QFETCH(Entries, active);
    QFETCH(QString, text);
    QCOMPARE(modrules::clipboardText(active), text);
}

void TestModRules::sameMod_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("case") << QByteArray("MP1") << QByteArray("mp1") << true;
    QTest::newRow("whole names only") << QByteArray("mp1") << QByteArray("mp10") << false;
    QTest::newRow("full-width letters") << QByteArray("\x82\x60") << QByteArray("\x82\x81") << true;
    // 0x83 0x41 (katakana A) and 0x83 0x61 (katakana TI): their trail bytes differ only as 'A' and 'a'.
    QTest::newRow("trail bytes are no letters") << QByteArray("\x83\x41") << QByteArray("\x83\x61") << false;
    QTest::newRow("damaged bytes told apart") << QByteArray("\x81\x20") << QByteArray("\x82\x20") << false;
}

void TestModRules::sameMod()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(modrules::sameMod(a, b), same);
    QCOMPARE(modrules::foldKey(a) == modrules::foldKey(b), same);
}

void TestModRules::namesModFolder_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<bool>("names");
    QTest::newRow("plain") << QByteArray("mp1") << true;
    QTest::newRow("trail byte 0x5C") << QByteArray("\x95\x5c") << true;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("parent") << QByteArray("..") << false;
    QTest::newRow("slash") << QByteArray("../etc") << false;
    QTest::newRow("backslash") << QByteArray("a\\b") << false;
    QTest::newRow("drive") << QByteArray("c:x") << false;
}

void TestModRules::namesModFolder()
{
    QFETCH(QByteArray, entry);
    QFETCH(bool, names);
    QCOMPARE(modrules::namesModFolder(entry), names);
}

void TestModRules::settings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("written"); // the tick at the end
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("absent, unchanged") << QByteArray() << false << false
                                       << QByteArrayLiteral("[Morvane]\r\nSortModList=0\r\n");
    QTest::newRow("absent, ticked") << QByteArray() << false << true
                                    << QByteArrayLiteral("[Morvane]\r\nSortModList=1\r\n");
    QTest::newRow("2 kept as it was") << QByteArrayLiteral("[morvane]\r\nsortmodlist = 2 \r\n") << true << true
                                      << QByteArrayLiteral("[morvane]\r\nsortmodlist = 2 \r\n");
    QTest::newRow("garbage kept while unchanged") << QByteArrayLiteral("[Morvane]\r\nSortModList=yes\r\n") << false
                                                  << false << QByteArrayLiteral("[Morvane]\r\nSortModList=yes\r\n");
    QTest::newRow("changed is written") << QByteArrayLiteral("[Morvane]\r\nSortModList=0x1\r\n") << true << false
                                        << QByteArrayLiteral("[Morvane]\r\nSortModList=0\r\n");
}

void TestModRules::settings()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, read);
    QFETCH(bool, written);
    QFETCH(QByteArray, after);
    const ModsSettings s = ModsSettings::read(ProfileFile::fromBytes(file));
    QCOMPARE(s.sortModList.value(), read);
    ProfileFile ini = ProfileFile::fromBytes(file);
    s.write(ini, written);
    QCOMPARE(ini.bytes(), after);
}

QTEST_GUILESS_MAIN(TestModRules)
#include "tst_ModRules.moc"

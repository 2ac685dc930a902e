// SPDX-License-Identifier: MIT
#include "platform/Cp932.h"

#include <QTest>

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void singleBytesRoundTrip();
    void firstUnencodable_data();
    void firstUnencodable();
    void charLength_data();
    void charLength();
    void boundaryAtOrBefore_data();
    void boundaryAtOrBefore();
    void asciiLower_data();
    void asciiLower();
    void equalsIgnoreCase_data();
    void equalsIgnoreCase();
    void lastBackslash_data();
    void lastBackslash();
};

namespace {

QString chars(std::initializer_list<char16_t> units)
{
    QString s;
    for (const char16_t u : units)
        s += QChar(u);
    return s;
}

} // namespace

void TestCp932::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    // The eight single bytes where ICU's table and Windows disagree; Windows' answer is the one we want.
    QTest::newRow("all eight between text")
        << QByteArray("a\x1A\x1C\x7F\x80\xA0\xFD\xFE\xFFz")
        << chars({u'a', 0x1A, 0x1C, 0x7F, 0x80, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3, u'z'});

    QTest::newRow("ascii") << QByteArray("Ghost Recon 1.4") << QStringLiteral("Ghost Recon 1.4");
    QTest::newRow("backslash and tilde stay ASCII") << QByteArray("C:\\~") << QStringLiteral("C:\\~");
    QTest::newRow("half-width katakana") << QByteArray("\xB1\xDF") << chars({0xFF71, 0xFF9F});
    // Trail bytes 0x5C and 0x7C are '\' and '|' on their own; inside a character they are not.
    QTest::newRow("so (83 5C)") << QByteArray("\x83\x5C") << chars({0x30BD});
    QTest::newRow("hyou (95 5C)") << QByteArray("\x95\x5C") << chars({0x8868});
    QTest::newRow("juu (8F 5C)") << QByteArray("\x8F\x5C") << chars({0x5341});
    QTest::newRow("po (83 7C)") << QByteArray("\x83\x7C") << chars({0x30DD});
    QTest::newRow("full-width minus (81 7C)") << QByteArray("\x81\x7C") << chars({0xFF0D});
    QTest::newRow("horizontal bar (81 5C)") << QByteArray("\x81\x5C") << chars({0x2015});
    QTest::newRow("path with so") << QByteArray("C:\\\x83\x5C\x83\x74\x83\x67\\x") << QStringLiteral(u"C:\\ソフト\\x");
    QTest::newRow("NEC row 13") << QByteArray("\x87\x40") << chars({0x2460});
    QTest::newRow("IBM extension, trail 0x5C") << QByteArray("\xFA\x5C") << chars({0x7E8A});
    QTest::newRow("user-defined area") << QByteArray("\xF0\x40") << chars({0xE000});
    QTest::newRow("corrected byte after a character") << QByteArray("\x83\x5C\xA0") << chars({0x30BD, 0xF8F0});

    // Damaged text: one replacement character for the damaged part, its neighbours unharmed.
    QTest::newRow("lead byte at the end") << QByteArray("a\x81") << chars({u'a', 0xFFFD});
    QTest::newRow("lead byte before a blank") << QByteArray("\x81 b") << chars({0xFFFD, u' ', u'b'});
    QTest::newRow("lead byte before 0x7F") << QByteArray("\x81\x7F") << chars({0xFFFD, 0x007F});
    QTest::newRow("lead byte before 0xFD") << QByteArray("\x81\xFD") << chars({0xFFFD, 0xF8F1});
    QTest::newRow("undefined pair") << QByteArray("a\x85\x40\x83\x5C") << chars({u'a', 0xFFFD, 0x30BD});
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestCp932::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(cp932::toUnicode(bytes), text);
}

void TestCp932::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("the eight corrected single bytes")
        << chars({u'a', 0x1A, 0x1C, 0x7F, 0x80, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3, u'z'})
        << QByteArray("a\x1A\x1C\x7F\x80\xA0\xFD\xFE\xFFz");
    QTest::newRow("corrected among text")
        << QStringLiteral(u"ソ\u001A表\uF8F0x") << QByteArray("\x83\x5C\x1A\x95\x5C\xA0x");

    QTest::newRow("so hyou po") << QStringLiteral(u"ソ表ポ") << QByteArray("\x83\x5C\x95\x5C\x83\x7C");
    QTest::newRow("ascii") << QStringLiteral("Morvane.ini") << QByteArray("Morvane.ini");
    QTest::newRow("half-width katakana") << QStringLiteral(u"ｱﾟ") << QByteArray("\xB1\xDF");
    QTest::newRow("user-defined area") << chars({0xE000}) << QByteArray("\xF0\x40");
    // Characters with two codes: Windows writes one fixed code for each.
    QTest::newRow("U+7E8A as IBM extension") << chars({0x7E8A}) << QByteArray("\xFA\x5C");
    QTest::newRow("U+2252 as JIS") << chars({0x2252}) << QByteArray("\x81\xE0");
    QTest::newRow("U+FFE2 as JIS") << chars({0xFFE2}) << QByteArray("\x81\xCA");
    QTest::newRow("U+2235 as JIS") << chars({0x2235}) << QByteArray("\x81\xE6");
    QTest::newRow("U+2170 as IBM extension") << chars({0x2170}) << QByteArray("\xFA\x40");

    // What code page 932 cannot hold becomes one '?', never ICU's 0xFC 0xFC.
    QTest::newRow("euro sign") << QStringLiteral(u"a€b") << QByteArray("a?b");
    QTest::newRow("replacement character") << chars({0xFFFD}) << QByteArray("?");
    QTest::newRow("outside the BMP") << QStringLiteral(u"x\U0001F600y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << chars({u'x', 0xD800, u'y'}) << QByteArray("x?y");
    // Some converters write these as a backslash and a tilde, which read back as other characters.
    QTest::newRow("yen sign and overline") << chars({u'a', 0x00A5, 0x203E, u'b'}) << QByteArray("a??b");
    QTest::newRow("hangul between kana") << QStringLiteral(u"ア한ア") << QByteArray("\x83\x41?\x83\x41");
    QTest::newRow("empty") << QString() << QByteArray();
    // Other systems' spellings of characters code page 932 holds under another code point.
    QTest::newRow("wave dash") << chars({0x301C}) << QByteArray("\x81\x60");
    QTest::newRow("minus sign") << chars({0x2212}) << QByteArray("\x81\x7C");
    QTest::newRow("cent and pound") << chars({0x00A2, 0x00A3}) << QByteArray("\x81\x91\x81\x92");
}

void TestCp932::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp932::fromUnicode(text), bytes);
}

void TestCp932::singleBytesRoundTrip()
{
    // Every byte that is a character on its own must come back unchanged, the eight corrected ones too.
    for (int b = 0; b < 256; ++b) {
        if (cp932::isLeadByte(uchar(b)))
            continue;
        const QByteArray one(1, char(b));
        const QString text = cp932::toUnicode(one);
        QCOMPARE(text.size(), 1);
        QVERIFY2(text[0].unicode() != 0xFFFD, qPrintable(QString::number(b, 16)));
        QCOMPARE(cp932::fromUnicode(text), one);
    }
}

void TestCp932::firstUnencodable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("found"); // the code point, or -1
    QTest::newRow("japanese") << QStringLiteral(u"ソ表ﾏﾙﾁ〜?") << -1;
    QTest::newRow("accented letter") << QStringLiteral(u"/home/andré/gr") << 0xE9;
    QTest::newRow("euro after a question mark") << QStringLiteral(u"10.0.0.1?€") << 0x20AC;
    QTest::newRow("outside the BMP") << QStringLiteral(u"a\U0001F600") << 0x1F600;
    QTest::newRow("empty") << QString() << -1;
}

void TestCp932::firstUnencodable()
{
    QFETCH(QString, text);
    QFETCH(int, found);
    const std::optional<char32_t> c = cp932::firstUnencodable(text);
    QCOMPARE(c ? int(*c) : -1, found);
    QCOMPARE(cp932::unencodableMessage(text).isEmpty(), found < 0);
}

void TestCp932::charLength_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("length");

    QTest::newRow("ascii") << QByteArray("ab") << 0 << 1;
    QTest::newRow("lead byte") << QByteArray("\x83\x5C") << 0 << 2;
    QTest::newRow("lead byte E0-FC range") << QByteArray("\xFC\x40") << 0 << 2;
    QTest::newRow("trail position as such") << QByteArray("\x83\x5C") << 1 << 1;
    QTest::newRow("half-width katakana") << QByteArray("\xB1\x83") << 0 << 1;
    QTest::newRow("0xA0 is no lead byte") << QByteArray("\xA0\x40") << 0 << 1;
    QTest::newRow("0xFD is no lead byte") << QByteArray("\xFD\x40") << 0 << 1;
    QTest::newRow("lead byte at the end") << QByteArray("a\x83") << 1 << 1;
}

void TestCp932::charLength()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pos);
    QFETCH(int, length);
    QCOMPARE(cp932::charLength(bytes, pos), qsizetype(length));
}

void TestCp932::boundaryAtOrBefore_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("boundary");

    QTest::newRow("inside a character") << QByteArray("ab\x83\x5C") << 3 << 2;
    QTest::newRow("after a character") << QByteArray("ab\x83\x5C") << 4 << 4;
    QTest::newRow("beyond the end") << QByteArray("ab") << 10 << 2;
    QTest::newRow("zero") << QByteArray("ab") << 0 << 0;
    QTest::newRow("negative") << QByteArray("ab") << -1 << 0;
    // 0x5C 0x83 looks like a trail plus a lead when read backwards; only a walk from the start knows.
    QTest::newRow("pairs back to back") << QByteArray("\x83\x5C\x83\x5C\x83\x5C") << 5 << 4;
    QTest::newRow("lead byte at the end") << QByteArray("a\x83") << 2 << 2;
}

void TestCp932::boundaryAtOrBefore()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, max);
    QFETCH(int, boundary);
    QCOMPARE(cp932::boundaryAtOrBefore(bytes, max), qsizetype(boundary));
}

void TestCp932::asciiLower_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("lower");

    QTest::newRow("ascii") << QByteArray("HostList9") << QByteArray("hostlist9");
    // 83 41 is a katakana character whose trail byte reads as 'A' alone; lowering it would make 83 61.
    QTest::newRow("trail byte A") << QByteArray("\x83\x41Z") << QByteArray("\x83\x41z");
    QTest::newRow("trail byte Z") << QByteArray("Z\x83\x5A") << QByteArray("z\x83\x5A");
    QTest::newRow("high single bytes untouched") << QByteArray("\xC1\xA0") << QByteArray("\xC1\xA0");
}

void TestCp932::asciiLower()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, lower);
    QCOMPARE(cp932::asciiLower(bytes), lower);
}

void TestCp932::equalsIgnoreCase_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("equal");

    QTest::newRow("case differs") << QByteArray("HostList") << QByteArray("hOSTLIST") << true;
    QTest::newRow("different") << QByteArray("HostList") << QByteArray("HostLisp") << false;
    QTest::newRow("length differs") << QByteArray("Host") << QByteArray("Hosts") << false;
    QTest::newRow("same double-byte") << QByteArray("\x83\x5Cx") << QByteArray("\x83\x5CX") << true;
    QTest::newRow("trail bytes differ in case only") << QByteArray("\x83\x41") << QByteArray("\x83\x61") << false;
    QTest::newRow("@ and ` are no letters") << QByteArray("@") << QByteArray("`") << false;
    QTest::newRow("empty") << QByteArray() << QByteArray() << true;
}

void TestCp932::equalsIgnoreCase()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, equal);
    QCOMPARE(cp932::equalsIgnoreCase(a, b), equal);
    QCOMPARE(cp932::equalsIgnoreCase(b, a), equal);
}

void TestCp932::lastBackslash_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("index");

    QTest::newRow("plain path") << QByteArray("C:\\Games\\GhostRecon.exe") << 8;
    QTest::newRow("so at the end") << QByteArray("C:\\Games\\\x83\x5C") << 8;
    QTest::newRow("only trail bytes") << QByteArray("\x83\x5C\x95\x5C") << -1;
    QTest::newRow("backslash after so") << QByteArray("\x83\x5C\\x") << 2;
    QTest::newRow("none") << QByteArray("abc") << -1;
    QTest::newRow("trailing backslash") << QByteArray("C:\\") << 2;
}

void TestCp932::lastBackslash()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, index);
    QCOMPARE(cp932::lastBackslash(bytes), qsizetype(index));
}

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_Cp932.moc"

// SPDX-License-Identifier: MIT
#include "platform/ProfileFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Reading profile files as Windows reads them: input bytes in, value out.
class TestProfileRead : public QObject
{
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void readInt_data();
    void readInt();
    void readBool_data();
    void readBool();
    void missingFile();
    void directoryAsFile();
    void fromDisk();
};

namespace {

const QByteArray Default = QByteArrayLiteral("<default>");

QByteArray repeated(char c, int n) { return QByteArray(n, c); }

} // namespace

void TestProfileRead::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");

    // Line ends.
    QTest::newRow("CR LF") << QByteArray("[S]\r\na=1\r\nk=v\r\n") << QByteArray("S") << QByteArray("k")
                           << QByteArray("v");
    QTest::newRow("lone CR") << QByteArray("[S]\ra=1\rk=v\r") << QByteArray("S") << QByteArray("k") << QByteArray("v");
    QTest::newRow("lone LF") << QByteArray("[S]\na=1\nk=v\n") << QByteArray("S") << QByteArray("k") << QByteArray("v");
    QTest::newRow("mixed") << QByteArray("[S]\ra=1\nk=v\r\n") << QByteArray("S") << QByteArray("k") << QByteArray("v");
    QTest::newRow("no final line end") << QByteArray("[S]\r\nk=v") << QByteArray("S") << QByteArray("k")
                                       << QByteArray("v");
    QTest::newRow("CR does not join the next line")
        << QByteArray("[S]\rk=v\r[T]\rk=w") << QByteArray("S") << QByteArray("k") << QByteArray("v");

    // Section headers.
    QTest::newRow("blanks inside brackets")
        << QByteArray("[ HostList ]\r\nk=v") << QByteArray("HostList") << QByteArray("k") << QByteArray("v");
    QTest::newRow("blanks before bracket")
        << QByteArray("  \t[HostList]\r\nk=v") << QByteArray("HostList") << QByteArray("k") << QByteArray("v");
    QTest::newRow("name ends at first bracket")
        << QByteArray("[x]y]\r\nk=v") << QByteArray("x") << QByteArray("k") << QByteArray("v");
    QTest::newRow("not the whole bracketed text")
        << QByteArray("[x]y]\r\nk=v") << QByteArray("x]y") << QByteArray("k") << Default;
    QTest::newRow("junk after header") << QByteArray("[x] junk\r\nk=v") << QByteArray("x") << QByteArray("k")
                                       << QByteArray("v");
    QTest::newRow("no closing bracket") << QByteArray("[NoClose\r\nk=v") << QByteArray("NoClose") << QByteArray("k")
                                        << QByteArray("v");
    QTest::newRow("section case") << QByteArray("[hostLIST]\r\nk=v") << QByteArray("HostList") << QByteArray("k")
                                  << QByteArray("v");
    QTest::newRow("missing section") << QByteArray("[S]\r\nk=v") << QByteArray("T") << QByteArray("k") << Default;
    QTest::newRow("key of the next section")
        << QByteArray("[S]\r\n[T]\r\nk=v") << QByteArray("S") << QByteArray("k") << Default;
    QTest::newRow("duplicate section, later key")
        << QByteArray("[S]\r\na=1\r\n[T]\r\n[s]\r\nk=v") << QByteArray("S") << QByteArray("k") << Default;
    QTest::newRow("duplicate section, first key")
        << QByteArray("[S]\r\nk=1\r\n[S]\r\nk=2") << QByteArray("S") << QByteArray("k") << QByteArray("1");
    QTest::newRow("keys before first section")
        << QByteArray("k=v\r\n[S]\r\na=1") << QByteArray("S") << QByteArray("k") << Default;
    QTest::newRow("keys before first section, empty name")
        << QByteArray("k=v\r\n[S]") << QByteArray() << QByteArray("k") << Default;

    // Comments and other lines.
    QTest::newRow("comment is no key") << QByteArray("[S]\r\n;k=v") << QByteArray("S") << QByteArray(";k") << Default;
    QTest::newRow("comment with blanks") << QByteArray("[S]\r\n   ;k=v") << QByteArray("S") << QByteArray("k")
                                         << Default;
    QTest::newRow("hash is a key") << QByteArray("[S]\r\n#k=v") << QByteArray("S") << QByteArray("#k")
                                   << QByteArray("v");
    QTest::newRow("line without equals") << QByteArray("[S]\r\nk v\r\nk") << QByteArray("S") << QByteArray("k")
                                         << Default;
    QTest::newRow("semicolon inside value")
        << QByteArray("[S]\r\nk=v ; note") << QByteArray("S") << QByteArray("k") << QByteArray("v ; note");

    // Keys and values.
    QTest::newRow("blanks around") << QByteArray("[S]\r\n  k  =  v  ") << QByteArray("S") << QByteArray("k")
                                   << QByteArray("v");
    QTest::newRow("tabs around") << QByteArray("[S]\r\n\tk\t=\tv\t") << QByteArray("S") << QByteArray("k")
                                 << QByteArray("v");
    QTest::newRow("inner blanks kept") << QByteArray("[S]\r\nmy key=a  b") << QByteArray("S") << QByteArray("my key")
                                       << QByteArray("a  b");
    QTest::newRow("split at first equals")
        << QByteArray("[S]\r\nk=a=b") << QByteArray("S") << QByteArray("k") << QByteArray("a=b");
    QTest::newRow("key case") << QByteArray("[S]\r\nHOSTNAME1=v") << QByteArray("S") << QByteArray("Hostname1")
                              << QByteArray("v");
    QTest::newRow("first of two keys") << QByteArray("[S]\r\nk=1\r\nK=2") << QByteArray("S") << QByteArray("k")
                                       << QByteArray("1");
    QTest::newRow("empty value") << QByteArray("[S]\r\nk=") << QByteArray("S") << QByteArray("k") << QByteArray();
    QTest::newRow("missing key") << QByteArray("[S]\r\nk=v") << QByteArray("S") << QByteArray("x") << Default;
    QTest::newRow("empty file") << QByteArray() << QByteArray("S") << QByteArray("k") << Default;

    // Quotes.
    QTest::newRow("double quotes") << QByteArray("[S]\r\nk=\"  v  \"") << QByteArray("S") << QByteArray("k")
                                   << QByteArray("  v  ");
    QTest::newRow("single quotes") << QByteArray("[S]\r\nk='v'") << QByteArray("S") << QByteArray("k")
                                   << QByteArray("v");
    QTest::newRow("quotes after trimming")
        << QByteArray("[S]\r\nk=  \"v\"  ") << QByteArray("S") << QByteArray("k") << QByteArray("v");
    QTest::newRow("opening quote only") << QByteArray("[S]\r\nk=\"v") << QByteArray("S") << QByteArray("k")
                                        << QByteArray("\"v");
    QTest::newRow("closing quote only") << QByteArray("[S]\r\nk=v\"") << QByteArray("S") << QByteArray("k")
                                        << QByteArray("v\"");
    QTest::newRow("inner quote") << QByteArray("[S]\r\nk=\"a\"b\"") << QByteArray("S") << QByteArray("k")
                                 << QByteArray("a\"b");
    QTest::newRow("mixed quotes") << QByteArray("[S]\r\nk='v\"") << QByteArray("S") << QByteArray("k")
                                  << QByteArray("'v\"");
    QTest::newRow("one pair only") << QByteArray("[S]\r\nk=\"\"v\"\"") << QByteArray("S") << QByteArray("k")
                                   << QByteArray("\"v\"");
    QTest::newRow("empty quotes") << QByteArray("[S]\r\nk=\"\"") << QByteArray("S") << QByteArray("k") << QByteArray();
    QTest::newRow("a lone quote") << QByteArray("[S]\r\nk=\"") << QByteArray("S") << QByteArray("k")
                                  << QByteArray("\"");

    // Length.
    QTest::newRow("2047 bytes") << QByteArray("[S]\r\nk=" + repeated('a', 2047)) << QByteArray("S") << QByteArray("k")
                                << repeated('a', 2047);
    QTest::newRow("2048 bytes") << QByteArray("[S]\r\nk=" + repeated('a', 2048)) << QByteArray("S") << QByteArray("k")
                                << repeated('a', 2047);
    QTest::newRow("5000 bytes") << QByteArray("[S]\r\nk=" + repeated('a', 5000) + "\r\nj=1") << QByteArray("S")
                                << QByteArray("k") << repeated('a', 2047);
    QTest::newRow("cut before a double-byte character") << QByteArray("[S]\r\nk=" + repeated('a', 2046) + "\x83\x5C")
                                                        << QByteArray("S") << QByteArray("k") << repeated('a', 2046);
    QTest::newRow("double-byte character that fits")
        << QByteArray("[S]\r\nk=" + repeated('a', 2045) + "\x83\x5C") << QByteArray("S") << QByteArray("k")
        << QByteArray(repeated('a', 2045) + "\x83\x5C");
    QTest::newRow("quoted long value") << QByteArray("[S]\r\nk=\"" + repeated('a', 3000) + "\"") << QByteArray("S")
                                       << QByteArray("k") << repeated('a', 2047);

    // Byte-order mark: not recognised, so it spoils the first line only.
    QTest::newRow("BOM spoils the first header")
        << QByteArray("\xEF\xBB\xBF[S]\r\nk=v") << QByteArray("S") << QByteArray("k") << Default;
    QTest::newRow("BOM, later sections read")
        << QByteArray("\xEF\xBB\xBF[S]\r\nk=v\r\n[T]\r\nk=w") << QByteArray("T") << QByteArray("k") << QByteArray("w");

    // Code page 932 text.
    QTest::newRow("double-byte value") << QByteArray("[S]\r\nk=\x83\x5C\x95\x5C\x83\x7C") << QByteArray("S")
                                       << QByteArray("k") << QByteArray("\x83\x5C\x95\x5C\x83\x7C");
    QTest::newRow("quoted double-byte value")
        << QByteArray("[S]\r\nk=\"\x83\x5C\"") << QByteArray("S") << QByteArray("k") << QByteArray("\x83\x5C");
    QTest::newRow("double-byte key") << QByteArray("[S]\r\n\x83\x5C\x95\x5C=v") << QByteArray("S")
                                     << QByteArray("\x83\x5C\x95\x5C") << QByteArray("v");
    QTest::newRow("trail 0x5D inside a section name")
        << QByteArray("[\x83\x5D]\r\nk=v") << QByteArray("\x83\x5D") << QByteArray("k") << QByteArray("v");
    QTest::newRow("trail 0x5D does not end the name")
        << QByteArray("[\x83\x5D]\r\nk=v") << QByteArray("\x83") << QByteArray("k") << Default;
    QTest::newRow("trail bytes never case-folded")
        << QByteArray("[\x83\x61]\r\nk=v") << QByteArray("\x83\x41") << QByteArray("k") << Default;
    QTest::newRow("trail bytes in keys never case-folded")
        << QByteArray("[S]\r\n\x83\x61=v") << QByteArray("S") << QByteArray("\x83\x41") << Default;
    QTest::newRow("invalid bytes pass through") << QByteArray("[S]\r\nk=\x80\xA0\xFD\xFE\xFF\x81") << QByteArray("S")
                                                << QByteArray("k") << QByteArray("\x80\xA0\xFD\xFE\xFF\x81");
}

void TestProfileRead::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    const ProfileFile profile = ProfileFile::fromBytes(file);
    QCOMPARE(profile.readString(section, key, Default), value);
    QCOMPARE(profile.hasKey(section, key), value != Default);
}

void TestProfileRead::readInt_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<qint32>("expected");

    const qint32 d = 77; // the default
    QTest::newRow("decimal") << QByteArray("5") << 5;
    QTest::newRow("negative") << QByteArray("-5") << -5;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("blanks") << QByteArray("  42\t") << 42;
    QTest::newRow("quoted") << QByteArray("\"7\"") << 7;
    QTest::newRow("hex") << QByteArray("0x1F") << 31;
    QTest::newRow("hex upper X") << QByteArray("0X1f") << 31;
    QTest::newRow("hex colour") << QByteArray("0x00FF8000") << 0x00FF8000;
    QTest::newRow("hex all bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("largest") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("smallest") << QByteArray("-2147483648") << std::numeric_limits<qint32>::min();
    QTest::newRow("too large") << QByteArray("2147483648") << d;
    QTest::newRow("too small") << QByteArray("-2147483649") << d;
    QTest::newRow("far too large") << QByteArray("99999999999999999999999") << d;
    QTest::newRow("hex too large") << QByteArray("0x100000000") << d;
    QTest::newRow("hex with leading zeros") << QByteArray("0x000000000010") << 16;
    QTest::newRow("empty") << QByteArray() << d;
    QTest::newRow("trailing letters") << QByteArray("12abc") << d;
    QTest::newRow("letters") << QByteArray("abc") << d;
    QTest::newRow("inner blank") << QByteArray("1 2") << d;
    QTest::newRow("sign alone") << QByteArray("-") << d;
    QTest::newRow("sign and blank") << QByteArray("- 5") << d;
    QTest::newRow("0x alone") << QByteArray("0x") << d;
    QTest::newRow("signed hex") << QByteArray("-0x10") << d;
    QTest::newRow("bad hex digit") << QByteArray("0x1G") << d;
    QTest::newRow("decimal point") << QByteArray("1.5") << d;
    QTest::newRow("full-width digit") << QByteArray("\x82\x50") << d;
}

void TestProfileRead::readInt()
{
    QFETCH(QByteArray, value);
    QFETCH(qint32, expected);
    const ProfileFile profile = ProfileFile::fromBytes("[S]\r\nk=" + value + "\r\n");
    QCOMPARE(profile.readInt("S", "k", 77), expected);
}

void TestProfileRead::readBool_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("whenDefaultFalse");
    QTest::addColumn<bool>("whenDefaultTrue");

    QTest::newRow("1") << QByteArray("[S]\r\nk=1") << true << true;
    QTest::newRow("0") << QByteArray("[S]\r\nk=0") << false << false;
    QTest::newRow("2") << QByteArray("[S]\r\nk=2") << true << true;
    QTest::newRow("-1") << QByteArray("[S]\r\nk=-1") << true << true;
    QTest::newRow("hex zero") << QByteArray("[S]\r\nk=0x0") << false << false;
    QTest::newRow("text") << QByteArray("[S]\r\nk=true") << false << true;
    QTest::newRow("empty") << QByteArray("[S]\r\nk=") << false << true;
    QTest::newRow("missing") << QByteArray("[S]\r\n") << false << true;
}

void TestProfileRead::readBool()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, whenDefaultFalse);
    QFETCH(bool, whenDefaultTrue);
    const ProfileFile profile = ProfileFile::fromBytes(file);
    QCOMPARE(profile.readBool("S", "k", false), whenDefaultFalse);
    QCOMPARE(profile.readBool("S", "k", true), whenDefaultTrue);
}

void TestProfileRead::missingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProfileFile profile(dir.filePath(QStringLiteral("absent.ini")));
    QCOMPARE(profile.readString("S", "k", "d"), QByteArray("d"));
    QCOMPARE(profile.readInt("S", "k", 3), 3);
    QCOMPARE(profile.bytes(), QByteArray());
    QVERIFY(!profile.isModified());
    QCOMPARE(profile.path(), dir.filePath(QStringLiteral("absent.ini")));
}

void TestProfileRead::directoryAsFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const ProfileFile profile(dir.path());
    QCOMPARE(profile.readString("S", "k", "d"), QByteArray("d"));
    QCOMPARE(profile.bytes(), QByteArray());
}

void TestProfileRead::fromDisk()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Morvane.ini"));
    const QByteArray bytes("[Path]\r\nGRPath=C:\\\x83\x5C\x83\x74\x83\x67\\Ghost Recon\r\n[StartUp]\nMode=0x10\n");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();

    const ProfileFile profile(path);
    QCOMPARE(profile.readString("path", "grpath"), QByteArray("C:\\\x83\x5C\x83\x74\x83\x67\\Ghost Recon"));
    QCOMPARE(profile.readInt("StartUp", "Mode", 0), 16);
    QCOMPARE(profile.bytes(), bytes);
}

QTEST_GUILESS_MAIN(TestProfileRead)
#include "tst_ProfileRead.moc"

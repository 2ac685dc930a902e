// SPDX-License-Identifier: MIT
#include "options/OptionRules.h"
#include "options/TextOrigins.h"
#include "platform/Errors.h"

#include <QTest>

// The rules between option values and controls, and the bytes kept for unedited text.
class TestOptionRules : public QObject
{
    Q_OBJECT
private slots:
    void gammaText_data();
    void gammaText();
    void gammaPosition_data();
    void gammaPosition();
    void integer_data();
    void integer();
    void colour_data();
    void colour();
    void bitDepth_data();
    void bitDepth();
    void splitResolution_data();
    void splitResolution();
    void displayModes_data();
    void displayModes();
    void textOrigins_data();
    void textOrigins();
};

void TestOptionRules::gammaText_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("0.000000");
    QTest::newRow("5") << 5 << QStringLiteral("0.050000");
    QTest::newRow("100") << 100 << QStringLiteral("1.000000");
}

void TestOptionRules::gammaText()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    QCOMPARE(optionrules::gammaText(position), text);
}

void TestOptionRules::gammaPosition_data()
{
    QTest::addColumn<QByteArray>("gamma");
    QTest::addColumn<int>("position"); // -1: refused
    QTest::newRow("0.500000") << QByteArray("0.500000") << 50;
    QTest::newRow("0.523456") << QByteArray("0.523456") << 52;
    QTest::newRow("1.000000") << QByteArray("1.000000") << 100;
    QTest::newRow("0.5") << QByteArray("0.5") << 5;
    QTest::newRow("2.000000") << QByteArray("2.000000") << 200;
    QTest::newRow("0.0") << QByteArray("0.0") << 0;
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("x") << QByteArray("x") << -1;
    QTest::newRow("comma") << QByteArray("0,5x") << -1;
}

void TestOptionRules::gammaPosition()
{
    QFETCH(QByteArray, gamma);
    QFETCH(int, position);
    if (position >= 0) {
        QCOMPARE(optionrules::gammaPosition(gamma), position);
        return;
    }
    try {
        optionrules::gammaPosition(gamma);
        QFAIL("accepted");
    } catch (const UserError& e) {
        // The message names the document's text, not what was left of it.
        QVERIFY2(e.text().contains(QStringLiteral("'%1'").arg(QString::fromLatin1(gamma))), qPrintable(e.text()));
    }
}

void TestOptionRules::integer_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << QByteArray("255") << true << 255;
    QTest::newRow("negative") << QByteArray("-1") << true << -1;
    QTest::newRow("plus") << QByteArray("+7") << true << 7;
    QTest::newRow("lowest") << QByteArray("-2147483648") << true << std::numeric_limits<int>::min();
    QTest::newRow("highest") << QByteArray("2147483647") << true << std::numeric_limits<int>::max();
    QTest::newRow("too large") << QByteArray("2147483648") << false << 0;
    QTest::newRow("far too large") << QByteArray("99999999999") << false << 0;
    QTest::newRow("sign only") << QByteArray("-") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
    QTest::newRow("blank") << QByteArray(" 1") << false << 0;
    QTest::newRow("hex") << QByteArray("0x10") << false << 0;
}

void TestOptionRules::integer()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const std::optional<qint32> n = optionrules::parseInteger(text);
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, value);
}

void TestOptionRules::colour_data()
{
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<QList<int>>("components");
    QTest::newRow("in range") << 255 << 214 << 17 << QList<int>{255, 214, 17};
    QTest::newRow("300 is 44") << 300 << 0 << 0 << QList<int>{44, 0, 0};
    QTest::newRow("-1 is 255") << 0 << -1 << 0 << QList<int>{0, 255, 0};
    QTest::newRow("low byte only") << 0 << 0 << 0x12345 << QList<int>{0, 0, 0x45};
}

void TestOptionRules::colour()
{
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    QFETCH(QList<int>, components);
    const quint32 c = optionrules::colourFromComponents(r, g, b);
    QCOMPARE((QList<int>{optionrules::red(c), optionrules::green(c), optionrules::blue(c)}), components);
}

void TestOptionRules::bitDepth_data()
{
    QTest::addColumn<QByteArray>("depth");
    QTest::addColumn<QString>("entry");
    QTest::newRow("16") << QByteArray("16") << QStringLiteral("16");
    QTest::newRow("32") << QByteArray("32") << QStringLiteral("32");
    QTest::newRow("24") << QByteArray("24") << QStringLiteral("32");
    QTest::newRow("16 with a blank") << QByteArray("16 ") << QStringLiteral("32");
    QTest::newRow("empty") << QByteArray() << QStringLiteral("32");
}

void TestOptionRules::bitDepth()
{
    QFETCH(QByteArray, depth);
    QFETCH(QString, entry);
    QCOMPARE(optionrules::bitDepthEntry(depth), entry);
}

void TestOptionRules::splitResolution_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("entry") << QStringLiteral("1024x768") << QStringLiteral("1024") << QStringLiteral("768");
    QTest::newRow("first x") << QStringLiteral("1x2x3") << QStringLiteral("1") << QStringLiteral("2x3");
    QTest::newRow("no x") << QStringLiteral("800") << QString() << QStringLiteral("800");
}

void TestOptionRules::splitResolution()
{
    QFETCH(QString, entry);
    QFETCH(QString, width);
    QFETCH(QString, height);
    const optionrules::ResolutionParts parts = optionrules::splitResolutionEntry(entry);
    QCOMPARE(parts.width, width);
    QCOMPARE(parts.height, height);
}

void TestOptionRules::displayModes_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QList<DisplayMode>>("modes");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("16-bit modes, once each")
        << QStringList() << QList<DisplayMode>{{800, 600, 16}, {800, 600, 16}, {640, 400, 16}, {1024, 768, 32}}
        << QStringList{QStringLiteral("800x600")};
    QTest::newRow("no depth counts, in the display's order, not sorted")
        << QStringList() << QList<DisplayMode>{{1280, 1024, 0}, {640, 480, 0}, {639, 480, 0}, {1280, 1024, 0}}
        << QStringList{QStringLiteral("1280x1024"), QStringLiteral("640x480")};
    QTest::newRow("entries already listed stay once")
        << QStringList{QStringLiteral("640x480")} << QList<DisplayMode>{{800, 600, 0}, {640, 480, 16}}
        << QStringList{QStringLiteral("640x480"), QStringLiteral("800x600")};
}

void TestOptionRules::displayModes()
{
    QFETCH(QStringList, before);
    QFETCH(QList<DisplayMode>, modes);
    QFETCH(QStringList, after);
    QCOMPARE(optionrules::withDisplayModes(before, modes), after);
}

void TestOptionRules::textOrigins_data()
{
    QTest::addColumn<QByteArray>("read");    // the bytes the field was filled from
    QTest::addColumn<QString>("edit");       // appended to the shown text; empty: not edited
    QTest::addColumn<QByteArray>("written"); // empty with a refusal
    QTest::addColumn<bool>("refused");
    QTest::newRow("bytes without a character survive")
        << QByteArray("a\x80\xff\x81") << QString() << QByteArray("a\x80\xff\x81") << false;
    QTest::newRow("edited text is encoded once")
        << QByteArray("\x95\x5c") << QStringLiteral("示") << QByteArray("\x95\x5c\x8e\xa6") << false;
    QTest::newRow("text code page 932 cannot hold") << QByteArray("x") << QStringLiteral("€") << QByteArray() << true;
}

void TestOptionRules::textOrigins()
{
    QFETCH(QByteArray, read);
    QFETCH(QString, edit);
    QFETCH(QByteArray, written);
    QFETCH(bool, refused);
    TextOrigins origins;
    const QString text = origins.fill(QStringLiteral("Mes0"), read) + edit;
    try {
        QCOMPARE(origins.bytesFor(QStringLiteral("Mes0"), text, QStringLiteral("ﾒｯｾｰｼﾞ 0")), written);
        QVERIFY(!refused);
    } catch (const UserError& e) {
        QVERIFY(refused);
        QVERIFY2(e.text().startsWith(QStringLiteral("ﾒｯｾｰｼﾞ 0: ")) && e.text().contains(QStringLiteral("€")),
                 qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestOptionRules)
#include "tst_OptionRules.moc"

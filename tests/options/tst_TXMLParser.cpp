// SPDX-License-Identifier: MIT
#include "options/TXMLParser.h"
#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The options document on bytes: reads and writes as byte tables, the document before and after.
class TestTXMLParser : public QObject
{
    Q_OBJECT
private slots:
    void readValue_data();
    void readValue();
    void readFails_data();
    void readFails();
    void chatLines_data();
    void chatLines();
    void resolution_data();
    void resolution();
    void write_data();
    void write();
    void writeFails_data();
    void writeFails();
    void openAndSave();
    void openRefusesWhatIsNoDocument();
};

namespace {

TXMLParser parsed(const QByteArray& bytes)
{
    TXMLParser doc;
    doc.setText(bytes);
    return doc;
}

// A small document in the game's layout; `nl` is the line end used throughout.
QByteArray document(const QByteArray& nl = "\r\n")
{
    const QByteArrayList lines = {
        "<?xml version=\"1.0\"?>",
        "<Options>",
        "\t<PlayerName>Alpha</PlayerName>",
        "\t<ThreatIndicatorEnabled>TRUE</ThreatIndicatorEnabled>",
        "\t<ReticuleColorR>300</ReticuleColorR>",
        "\t<Graphics>",
        "\t\t<VideoDevice>Primary</VideoDevice>",
        "\t\t<VideoResolution Width = \"1024\" Height = \"768\" BitDepth = \"16\"/>",
        "\t\t<FullScreen>true</FullScreen>",
        "\t\t<Gamma>0.500000</Gamma>",
        "\t</Graphics>",
        "\t<Sound>",
        "\t\t<SoundInSoftware>TRUE</SoundInSoftware>",
        "\t</Sound>",
        "\t<Multiplayer>",
        "\t\t<ChatMsg text = \"Go go go\" team = \"false\"/>",
        "\t\t<ChatMsg text = \"\" team = \"true\"/>",
        "\t\t<ChatMsg text = \"read the MOTD\" team = \"true\"/>",
        "\t\t<ChatMsg text = \"\x95\x5c\x8e\xa6\" team = \"false\"/>", // 表示: trail byte 0x5C
        "\t\t<ChatMsg text = \"5\" team = \"false\"/>",
        "\t\t<ChatMsg text = \"6\" team = \"false\"/>",
        "\t\t<ChatMsg text = \"7\" team = \"false\"/>",
        "\t\t<ChatMsg text = \"8\" team = \"false\"/>",
        "\t\t<ChatMsg text = \"9\" team = \"TRUE\"/>",
        "\t\t<ChatMsg text = \"cut short",
        "\t\t<MPGameName>Host</MPGameName>",
        "\t\t<MOTD>Welcome</MOTD>",
        "\t</Multiplayer>",
        "</Options>",
    };
    return lines.join(nl) + nl;
}

} // namespace

void TestTXMLParser::readValue_data()
{
    QTest::addColumn<QByteArray>("doc");
    QTest::addColumn<QByteArray>("section"); // empty: a root key
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("flag"); // the same read as a truth value

    const QByteArray doc = document();
    QTest::newRow("section key") << doc << QByteArray("Graphics") << QByteArray("Gamma") << QByteArray("0.500000")
                                 << false;
    QTest::newRow("root key") << doc << QByteArray() << QByteArray("PlayerName") << QByteArray("Alpha") << false;
    QTest::newRow("LF only") << document("\n") << QByteArray("Graphics") << QByteArray("Gamma")
                             << QByteArray("0.500000") << false;
    QTest::newRow("CR only") << document("\r") << QByteArray("Multiplayer") << QByteArray("MOTD")
                             << QByteArray("Welcome") << false;
    QTest::newRow("root TRUE") << doc << QByteArray() << QByteArray("ThreatIndicatorEnabled") << QByteArray("TRUE")
                               << true;
    QTest::newRow("section TRUE") << doc << QByteArray("Sound") << QByteArray("SoundInSoftware") << QByteArray("TRUE")
                                  << true;
    QTest::newRow("lower-case true is false")
        << doc << QByteArray("Graphics") << QByteArray("FullScreen") << QByteArray("true") << false;
    QTest::newRow("missing section key") << doc << QByteArray("Graphics") << QByteArray("Brightness") << QByteArray()
                                         << false;
    QTest::newRow("missing root key") << doc << QByteArray() << QByteArray("Nickname") << QByteArray() << false;
    QTest::newRow("key name inside a chat message is not its line")
        << doc << QByteArray("Multiplayer") << QByteArray("MOTD") << QByteArray("Welcome") << false;
    QTest::newRow("scan runs on past the section's end")
        << doc << QByteArray("Graphics") << QByteArray("SoundInSoftware") << QByteArray("TRUE") << true;
    QTest::newRow("scan starts at the section")
        << doc << QByteArray("Sound") << QByteArray("Gamma") << QByteArray() << false;
    QTest::newRow("section found without regard to case")
        << QByteArray("\t<graphics>\n\t\t<Gamma>0.3</Gamma>\n") << QByteArray("Graphics") << QByteArray("Gamma")
        << QByteArray("0.3") << false;
    QTest::newRow("the cut takes two bytes after the closing tag")
        << QByteArray("\t<G>\n\t\t<Gamma>0.5</Gamma>xyz\n") << QByteArray("G") << QByteArray("Gamma")
        << QByteArray("0.5z") << false;
    QTest::newRow("the cut counts the layout's TABs") << QByteArray("\t<G>\n\t<Gamma>0.5</Gamma>\n") << QByteArray("G")
                                                      << QByteArray("Gamma") << QByteArray(".5") << false;
    QTest::newRow("value bytes kept as they are")
        << QByteArray("\t<PlayerName>\x95\x5c\xff\x80</PlayerName>\r\n") << QByteArray() << QByteArray("PlayerName")
        << QByteArray("\x95\x5c\xff\x80") << false;
    QTest::newRow("no closing tag") << QByteArray("\t<PlayerName>Alpha\r\n") << QByteArray() << QByteArray("PlayerName")
                                    << QByteArray("Alpha") << false;
}

void TestTXMLParser::readValue()
{
    QFETCH(QByteArray, doc);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(bool, flag);
    const TXMLParser p = parsed(doc);
    if (section.isEmpty()) {
        QCOMPARE(p.ReadRootValue(key), value);
        QCOMPARE(p.ReadRootBool(key), flag);
    } else {
        QCOMPARE(p.ReadSectionValue(section, key), value);
        QCOMPARE(p.ReadSectionBool(section, key), flag);
    }
}

void TestTXMLParser::readFails_data()
{
    QTest::addColumn<QByteArray>("doc");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QString>("message"); // a part of the message

    const QByteArray doc = document();
    QTest::newRow("section with a blank after the bracket")
        << QByteArray("\t<Graphics> \n\t\t<Gamma>0.5</Gamma>\n") << QStringLiteral("gamma")
        << QStringLiteral("<Graphics> セクションがありません");
    QTest::newRow("section missing") << QByteArray("\t\t<Gamma>0.5</Gamma>\n") << QStringLiteral("gamma")
                                     << QStringLiteral("<Graphics> セクションがありません");
    QTest::newRow("integer that is text")
        << QByteArray("\t<ReticuleColorR>abc</ReticuleColorR>\n") << QStringLiteral("int")
        << QStringLiteral("'abc' は有効な整数値ではありません");
    QTest::newRow("integer missing") << QByteArray("\t<Other>1</Other>\n") << QStringLiteral("int")
                                     << QStringLiteral("'' は有効な整数値ではありません");
    QTest::newRow("chat lines without their section") << QByteArray("\t<MultiPlayer >\n") << QStringLiteral("chat")
                                                      << QStringLiteral("<Multiplayer> セクションがありません");
    QTest::newRow("document ends in the chat lines")
        << QByteArray("\t<Multiplayer>\n\t\t<ChatMsg text = \"a\" team = \"true\"/>\n") << QStringLiteral("chat")
        << QStringLiteral("途中で終わっています");
    QTest::newRow("document ends before the resolution line")
        << QByteArray("\t<Graphics>\n\t\t<VideoDevice>x</VideoDevice>\n") << QStringLiteral("resolution")
        << QStringLiteral("<Graphics> セクションが途中で終わっています");
}

void TestTXMLParser::readFails()
{
    QFETCH(QByteArray, doc);
    QFETCH(QString, read);
    QFETCH(QString, message);
    const TXMLParser p = parsed(doc);
    try {
        if (read == QLatin1String("gamma"))
            p.ReadSectionValue("Graphics", "Gamma");
        else if (read == QLatin1String("int"))
            p.ReadRootInt("ReticuleColorR");
        else if (read == QLatin1String("chat"))
            p.ReadChatTexts();
        else
            p.ReadVideoResolution();
        QFAIL("no error");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(message), qPrintable(e.text()));
    }
}

void TestTXMLParser::chatLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("team");

    QTest::newRow("game's line") << QByteArray("\t\t<ChatMsg text = \"Go go go\" team = \"false\"/>")
                                 << QByteArray("Go go go") << false;
    QTest::newRow("empty text") << QByteArray("\t\t<ChatMsg text = \"\" team = \"true\"/>") << QByteArray() << true;
    QTest::newRow("trail byte 0x5C") << QByteArray("\t\t<ChatMsg text = \"\x95\x5c\" team = \"true\"/>")
                                     << QByteArray("\x95\x5c") << true;
    QTest::newRow("upper-case TRUE is no team")
        << QByteArray("\t\t<ChatMsg text = \"x\" team = \"TRUE\"/>") << QByteArray("x") << false;
    QTest::newRow("cut short") << QByteArray("\t\t<ChatMsg text = \"cut short") << QByteArray("cut short") << false;
    QTest::newRow("no text attribute") << QByteArray("\t\t<Other>") << QByteArray("r>") << false;
    QTest::newRow("quote inside the text")
        << QByteArray("\t\t<ChatMsg text = \"say \"hi\"\" team = \"true\"/>") << QByteArray("say \"hi\"") << true;
}

void TestTXMLParser::chatLines()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, text);
    QFETCH(bool, team);
    // The line stands in slot 3; the others are plain.
    QByteArray doc = "\t<multiplayer>\r\n";
    for (int k = 0; k < 10; ++k)
        doc += (k == 3 ? line : QByteArray("\t\t<ChatMsg text = \"s\" team = \"false\"/>")) + "\r\n";
    const TXMLParser p = parsed(doc);
    QCOMPARE(p.ReadChatTexts()[3], text);
    QCOMPARE(p.ReadChatTeams()[3], team);
    QCOMPARE(p.ReadChatTexts()[9], QByteArray("s"));
}

void TestTXMLParser::resolution_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArrayList>("values");

    QTest::newRow("game's line") << QByteArray(
                                        "\t\t<VideoResolution Width = \"1024\" Height = \"768\" BitDepth = \"16\"/>")
                                 << QByteArrayList{"1024", "768", "16"};
    QTest::newRow("names are not looked at")
        << QByteArray("<R H=\"600\" W=\"800\" D=\"32\"/>") << QByteArrayList{"600", "800", "32"};
    QTest::newRow("two values only") << QByteArray("<R W=\"800\" H=\"600\"/>") << QByteArrayList{"800", "600", "/>"};
    QTest::newRow("no quotes") << QByteArray("<R/>") << QByteArrayList{"<R/>", "<R/>", "<R/>"};
}

void TestTXMLParser::resolution()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArrayList, values);
    const TXMLParser p = parsed("\t<Graphics>\n\t\t<VideoDevice>x</VideoDevice>\n" + line + "\n");
    const TXMLParser::VideoResolution r = p.ReadVideoResolution();
    QCOMPARE((QByteArrayList{r.width, r.height, r.bitDepth}), values);
}

void TestTXMLParser::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QByteArrayList>("args");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("section bool") << QByteArray("\t<Sound>\n\t\t<SoundInSoftware>TRUE</SoundInSoftware>\n")
                                  << QStringLiteral("sectionBool") << QByteArrayList{"Sound", "SoundInSoftware", "0"}
                                  << QByteArray("\t<Sound>\r\n\t\t<SoundInSoftware>FALSE</SoundInSoftware>\r\n");
    QTest::newRow("root int") << QByteArray("\t<ReticuleColorR>44</ReticuleColorR>\r") << QStringLiteral("rootInt")
                              << QByteArrayList{"ReticuleColorR", "255"}
                              << QByteArray("\t<ReticuleColorR>255</ReticuleColorR>\r\n");
    QTest::newRow("root value keeps its bytes")
        << QByteArray("\t<PlayerName>x</PlayerName>") << QStringLiteral("root")
        << QByteArrayList{"PlayerName", "\x95\x5c\xff"} << QByteArray("\t<PlayerName>\x95\x5c\xff</PlayerName>\r\n");
    QTest::newRow("a line break in a value becomes a blank")
        << QByteArray("\t<PlayerName>x</PlayerName>\r\n") << QStringLiteral("root")
        << QByteArrayList{"PlayerName", "a\r\nb\nc"} << QByteArray("\t<PlayerName>a  b c</PlayerName>\r\n");
    QTest::newRow("section value, other lines byte for byte")
        << QByteArrayLiteral("x \t\r\n\t<GRAPHICS>\r\n\t\t<Gamma>0.5</Gamma> \r\n\x95\x5c\0z\n\n")
        << QStringLiteral("section") << QByteArrayList{"Graphics", "Gamma", "0.520000"}
        << QByteArrayLiteral("x \t\r\n\t<GRAPHICS>\r\n\t\t<Gamma>0.520000</Gamma>\r\n\x95\x5c\0z\r\n\r\n");
    QTest::newRow("key by its tag, not a chat text holding its name")
        << QByteArray("\t<Multiplayer>\n\t\t<ChatMsg text = \"MOTD\" team = \"true\"/>\n\t\t<MOTD>a</MOTD>\n")
        << QStringLiteral("section") << QByteArrayList{"Multiplayer", "MOTD", "b"}
        << QByteArray("\t<Multiplayer>\r\n\t\t<ChatMsg text = \"MOTD\" team = \"true\"/>\r\n\t\t<MOTD>b</MOTD>\r\n");
    QTest::newRow("resolution") << QByteArray("\t<Graphics>\n\t\tx\n\t\t<VideoResolution/>\n\t\ty")
                                << QStringLiteral("resolution") << QByteArrayList{"800", "600", "32"}
                                << QByteArray("\t<Graphics>\r\n\t\tx\r\n\t\t<VideoResolution Width = \"800\" Height = "
                                              "\"600\" BitDepth = \"32\"/>\r\n\t\ty\r\n");
}

void TestTXMLParser::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, op);
    QFETCH(QByteArrayList, args);
    QFETCH(QByteArray, after);
    TXMLParser p = parsed(before);
    if (op == QLatin1String("sectionBool"))
        p.WriteSectionBool(args[0], args[1], args[2] == "1");
    else if (op == QLatin1String("section"))
        p.WriteSectionValue(args[0], args[1], args[2]);
    else if (op == QLatin1String("rootInt"))
        p.WriteRootInt(args[0], args[1].toLongLong());
    else if (op == QLatin1String("root"))
        p.WriteRootValue(args[0], args[1]);
    else
        p.WriteVideoResolution(args[0], args[1], args[2]);
    QCOMPARE(p.text(), after);
}

void TestTXMLParser::writeFails_data()
{
    QTest::addColumn<QByteArray>("doc");
    QTest::addColumn<QString>("op");

    QTest::newRow("section key missing") << QByteArray("\t<Graphics>\n\t\t<Other>1</Other>\n")
                                         << QStringLiteral("gamma");
    QTest::newRow("section key only before its section")
        << QByteArray("\t\t<Gamma>1</Gamma>\n\t<Graphics>\n") << QStringLiteral("gamma");
    QTest::newRow("section missing") << QByteArray("\t\t<Gamma>1</Gamma>\n") << QStringLiteral("gamma");
    QTest::newRow("root key missing") << QByteArray("\t<Other>1</Other>\n") << QStringLiteral("player");
    QTest::newRow("chat without its section") << QByteArray("x\n") << QStringLiteral("chat");
    QTest::newRow("chat lines cut short") << QByteArray("\t<Multiplayer>\n\t\t<ChatMsg/>\n") << QStringLiteral("chat");
    QTest::newRow("resolution without its section") << QByteArray("x\n") << QStringLiteral("resolution");
}

void TestTXMLParser::writeFails()
{
    QFETCH(QByteArray, doc);
    QFETCH(QString, op);
    TXMLParser p = parsed(doc);
    const QByteArray before = p.text();
    const auto attempt = [&] {
        if (op == QLatin1String("gamma"))
            p.WriteSectionValue("Graphics", "Gamma", "0.5");
        else if (op == QLatin1String("player"))
            p.WriteRootValue("PlayerName", "x");
        else if (op == QLatin1String("chat"))
            p.WriteChatMessages({}, {});
        else
            p.WriteVideoResolution("1", "2", "3");
    };
    QVERIFY_THROWS_EXCEPTION(UserError, attempt());
    QCOMPARE(p.text(), before);
}

void TestTXMLParser::openAndSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("options.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(document("\n").chopped(1)); // no line end after the last line
    file.close();

    TXMLParser p;
    p.Open(path);
    QCOMPARE(p.ReadChatTexts()[3], QByteArray("\x95\x5c\x8e\xa6"));
    p.WriteSectionValue("Multiplayer", "MOTD", "Hi");
    p.Save(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray(document("\r\n")).replace("Welcome", "Hi"));

    // A save that cannot be made leaves nothing behind.
    const QString elsewhere = dir.filePath(QStringLiteral("missing/options.xml"));
    QVERIFY_THROWS_EXCEPTION(UserError, p.Save(elsewhere));
    QVERIFY(!QFile::exists(elsewhere));
}

void TestTXMLParser::openRefusesWhatIsNoDocument()
{
    QTemporaryDir dir;
    TXMLParser p;
    p.setText("kept\n");
    QVERIFY_THROWS_EXCEPTION(UserError, p.Open(dir.filePath(QStringLiteral("none.xml"))));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.xml")));
    try {
        p.Open(dir.filePath(QStringLiteral("folder.xml")));
        QFAIL("a folder opened as a document");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("を読み込めません")), qPrintable(e.text()));
    }
    QCOMPARE(p.lines(), QList<QByteArray>{"kept"});
}

QTEST_GUILESS_MAIN(TestTXMLParser)
#include "tst_TXMLParser.moc"

// SPDX-License-Identifier: MIT
#include "launch/PublicAddress.h"
#include "launch/PublicAddressSettings.h"
#include "platform/Errors.h"
#include "platform/ProfileFile.h"
#include "support/LoopbackHttpServer.h"

#include <QSignalSpy>
#include <QTest>

namespace {

const QByteArray Marker = "<TR><TD nowrap>REMOTE_ADDR</TD>";
// Eight bytes of cell markup, the value, then A1 A1 and sixteen more bytes.
QByteArray valueLine(const QByteArray& address) { return "<TD>    " + address + "\xA1\xA1" + "</TD></TR>      "; }

QByteArray page(const QList<QByteArray>& lines)
{
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

class TestPublicAddress : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void fetch_data();
    void fetch();
    void settings_data();
    void settings();
};

void TestPublicAddress::parse_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("found");
    const QByteArray head = "<TR><TD nowrap>HTTP_HOST</TD>";
    QTest::newRow("the table row") << page({"<TABLE>", head, "<TD>    a.example", Marker, valueLine("203.0.113.7"),
                                            "</TABLE>"})
                                   << QByteArray("203.0.113.7") << true;
    QTest::newRow("marker in other case")
        << page({"<tr><td NOWRAP>remote_addr</td>", valueLine("203.0.113.8")}) << QByteArray("203.0.113.8") << true;
    QTest::newRow("LF only") << (Marker + '\n' + valueLine("203.0.113.9") + '\n') << QByteArray("203.0.113.9") << true;
    QTest::newRow("no A1 A1: all after 8 bytes")
        << page({Marker, "<TD>    203.0.113.10</TD>"}) << QByteArray("203.0.113.10</TD>") << true;
    QTest::newRow("fewer than 18 bytes after A1 A1")
        << page({Marker, "<TD>    203.0.113.11\xA1\xA1</TD>"}) << QByteArray("203.0.113.11") << true;
    QTest::newRow("only the first marker counts")
        << page({Marker, valueLine("203.0.113.12"), Marker, valueLine("198.51.100.1")}) << QByteArray("203.0.113.12")
        << true;
    QTest::newRow("marker on the last line") << page({"<TABLE>", Marker}) << QByteArray() << false;
    QTest::newRow("marker ends the page without a line end")
        << QByteArray("<TABLE>\r\n" + Marker) << QByteArray() << false;
    QTest::newRow("value line under 8 bytes") << page({Marker, "<TD>"}) << QByteArray() << false;
    QTest::newRow("marker with more on its line")
        << page({Marker + "<TD>203.0.113.13</TD>", "<TD>    x"}) << QByteArray() << false;
    QTest::newRow("no marker") << page({"<html>", "<body>Hello</body>", "</html>"}) << QByteArray() << false;
    QTest::newRow("empty page") << QByteArray() << QByteArray() << false;
    QTest::newRow("plain IPv4") << QByteArray("198.51.100.23") << QByteArray("198.51.100.23") << true;
    QTest::newRow("plain IPv4 with a line end") << QByteArray("198.51.100.24\n") << QByteArray("198.51.100.24") << true;
    QTest::newRow("plain IPv6") << QByteArray("2001:db8::42\r\n") << QByteArray("2001:db8::42") << true;
    QTest::newRow("plain text that is no address") << QByteArray("Service Unavailable") << QByteArray() << false;
    QTest::newRow("an address and more lines") << QByteArray("198.51.100.25\nsecond line\n") << QByteArray() << false;
    QTest::newRow("out-of-range IPv4") << QByteArray("198.51.100.256") << QByteArray() << false;
    QTest::newRow("binary") << QByteArray("\x00\xA1\xA1\xff\x81", 5) << QByteArray() << false;
}

void TestPublicAddress::parse()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, expected);
    QFETCH(bool, found);
    const std::optional<QByteArray> got = publicaddress::parseEchoPage(body);
    QCOMPARE(got.has_value(), found);
    if (found)
        QCOMPARE(*got, expected);
}

void TestPublicAddress::fetch_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("expected"); // the address, or a part of the message
    QTest::addColumn<bool>("ok");
    QTest::newRow("table page") << QByteArrayLiteral("/cgi-bin/env.cgi") << QStringLiteral("203.0.113.7") << true;
    QTest::newRow("plain text") << QByteArrayLiteral("/ip") << QStringLiteral("198.51.100.23") << true;
    QTest::newRow("no address") << QByteArrayLiteral("/other") << publicaddress::noAddressMessage() << false;
    QTest::newRow("over 64 KiB") << QByteArrayLiteral("/huge") << QStringLiteral("65536") << false;
}

void TestPublicAddress::fetch()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, expected);
    QFETCH(bool, ok);
    LoopbackHttpServer server;
    server.serve("/cgi-bin/env.cgi", page({Marker, valueLine("203.0.113.7")}), 200, "text/html");
    server.serve("/ip", "198.51.100.23");
    server.serve("/other", "<html>nothing here</html>", 200, "text/html");
    server.serve("/huge", QByteArray(65537, ' ') + "198.51.100.23");
    HttpTask task;
    QSignalSpy done(&task, &HttpTask::finished);
    task.start(publicaddress::request(server.url(path)));
    QVERIFY(done.wait(10'000));
    try {
        if (task.failed())
            throw UserError(task.errorText());
        const QString address = publicaddress::addressFromPage(task.body());
        QVERIFY2(ok, qPrintable(address));
        QCOMPARE(address, expected);
    } catch (const UserError& e) {
        QVERIFY2(!ok, qPrintable(e.text()));
        QVERIFY2(e.text().contains(expected), qPrintable(e.text()));
    }
    // No header of its own: only the web host list asks for no cached copy.
    if (!server.requests().isEmpty())
        QCOMPARE(server.requests().constFirst().header("Cache-Control"), QByteArray());
}

void TestPublicAddress::settings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("getIp");
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<bool>("tick"); // N3 at the end
    QTest::addColumn<QByteArray>("written");
    const QByteArray def = PublicAddressSettings::defaultEchoUrl();
    QTest::newRow("new file") << QByteArray() << true << def << true << QByteArray("[StartUp]\r\nGetIP=1\r\n");
    QTest::newRow("unchanged keeps its bytes") << QByteArray("[StartUp]\r\nGetIP= 01 \r\n") << true << def << true
                                               << QByteArray("[StartUp]\r\nGetIP= 01 \r\n");
    QTest::newRow("untick") << QByteArray("[StartUp]\r\nGetIP=1\r\n") << true << def << false
                            << QByteArray("[StartUp]\r\nGetIP=0\r\n");
    QTest::newRow("garbage reads as on") << QByteArray("[StartUp]\r\nGetIP=yes\r\n") << true << def << true
                                         << QByteArray("[StartUp]\r\nGetIP=yes\r\n");
    QTest::newRow("URL set")
        << QByteArray("[StartUp]\r\nGetIP=0\r\n[Network]\r\nAddressEchoURL=http://e.example/ip\r\n") << false
        << QByteArray("http://e.example/ip") << false
        << QByteArray("[StartUp]\r\nGetIP=0\r\n[Network]\r\nAddressEchoURL=http://e.example/ip\r\n");
    QTest::newRow("URL empty means the default, and stays empty")
        << QByteArray("[StartUp]\r\nGetIP=1\r\n[Network]\r\nAddressEchoURL=\r\n") << true << def << true
        << QByteArray("[StartUp]\r\nGetIP=1\r\n[Network]\r\nAddressEchoURL=\r\n");
}

void TestPublicAddress::settings()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, getIp);
    QFETCH(QByteArray, url);
    QFETCH(bool, tick);
    QFETCH(QByteArray, written);
    ProfileFile ini = ProfileFile::fromBytes(file);
    const PublicAddressSettings s = PublicAddressSettings::read(ini);
    QCOMPARE(s.getIp.value(), getIp);
    QCOMPARE(s.echoUrlOrDefault(), url);
    s.write(ini, tick);
    QCOMPARE(ini.bytes(), written);
}

QTEST_GUILESS_MAIN(TestPublicAddress)
#include "tst_PublicAddress.moc"

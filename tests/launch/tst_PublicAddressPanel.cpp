// SPDX-License-Identifier: MIT
#include "launch/PublicAddress.h"
#include "launch/PublicAddressPanel.h"
#include "platform/ProfileFile.h"
#include "support/LoopbackHttpServer.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString Initial = QStringLiteral("000.000.000.000");

QByteArray tablePage(const QByteArray& address)
{
    return "<TABLE>\r\n<TR><TD nowrap>REMOTE_ADDR</TD>\r\n<TD>    " + address + "\xA1\xA1" +
           "</TD></TR>      \r\n</TABLE>\r\n";
}

struct Fixture
{
    LoopbackHttpServer server;
    ScriptedPrompter prompter;
    QWidget window;
    PublicAddressPanel* panel = new PublicAddressPanel(prompter, &window);

    Fixture()
    {
        server.serve("/env.cgi", tablePage("203.0.113.5"), 200, "text/html");
        server.serve("/nothing", "<html>maintenance</html>", 200, "text/html");
        server.hold("/hang");
        window.resize(400, 60);
    }
    void use(const QByteArray& url, bool getIp = true)
    {
        panel->readSettings(ProfileFile::fromBytes("[StartUp]\r\nGetIP=" + QByteArray(getIp ? "1" : "0") +
                                                   "\r\n[Network]\r\nAddressEchoURL=" + url + "\r\n"));
    }
    QByteArray refusedUrl() const
    {
        return "http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::unusedPort()) + "/";
    }
    QString edit() const { return panel->addressEdit()->text(); }
};

} // namespace

class TestPublicAddressPanel : public QObject
{
    Q_OBJECT
private slots:
    void getShowsTheAddress();
    void getReportsFailures_data();
    void getReportsFailures();
    void startUpWaitsForTheWindow();
    void startUpFailureOnlyInTheTooltip();
    void startUpWithoutTheOptionAsksNothing();
    void startUpNeverBlocks();
    void copyPutsTheAddressOnTheClipboard();
    void theOptionFollowsTheSettings();
};

void TestPublicAddressPanel::getShowsTheAddress()
{
    // The page formats are the address reader's own table.
    Fixture f;
    f.use(f.server.url("/env.cgi"));
    f.window.show();
    QTest::mouseClick(f.panel->getButton(), Qt::LeftButton);
    QTRY_COMPARE(f.edit(), QStringLiteral("203.0.113.5"));
    QVERIFY(f.prompter.asked.isEmpty());

    // While a fetch hangs, the button abandons it: no message, and the address stays.
    f.use(f.server.url("/hang"));
    QTest::mouseClick(f.panel->getButton(), Qt::LeftButton);
    QTRY_COMPARE(f.server.heldCount(), 1);
    QTest::mouseClick(f.panel->getButton(), Qt::LeftButton);
    QVERIFY(!f.panel->isFetching());
    f.server.release("192.0.2.1");
    QTest::qWait(100);
    QCOMPARE(f.edit(), QStringLiteral("203.0.113.5"));
    QVERIFY(f.prompter.asked.isEmpty());
}

void TestPublicAddressPanel::getReportsFailures_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("reason");
    // One page without an address, one failed transfer; how each transfer failure reads is the
    // HTTP client's own table.
    QTest::newRow("no address") << QByteArrayLiteral("/nothing") << QStringLiteral("アドレスが見つかりません");
    QTest::newRow("404") << QByteArrayLiteral("/missing") << QStringLiteral("404");
}

void TestPublicAddressPanel::getReportsFailures()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, reason);
    Fixture f;
    f.use(f.server.url(path));
    f.window.show();
    QTest::mouseClick(f.panel->getButton(), Qt::LeftButton);
    QTRY_COMPARE(f.prompter.asked.size(), 1);
    QCOMPARE(f.edit(), Initial);
    QCOMPARE(f.prompter.asked[0].icon, Prompter::Icon::Error);
    QVERIFY2(f.prompter.asked[0].text.contains(reason), qPrintable(f.prompter.asked[0].text));
}

void TestPublicAddressPanel::startUpWaitsForTheWindow()
{
    Fixture f;
    f.use(f.server.url("/env.cgi"));
    f.panel->FetchPublicAddressAtStartUp();
    QVERIFY(!f.panel->isFetching());
    f.window.show();
    QTRY_COMPARE(f.edit(), QStringLiteral("203.0.113.5"));
    QCOMPARE(f.server.requests().size(), 1);
    QVERIFY(f.prompter.asked.isEmpty());
    QCOMPARE(f.panel->addressEdit()->toolTip(), QString());
}

void TestPublicAddressPanel::startUpFailureOnlyInTheTooltip()
{
    Fixture f;
    f.use(f.refusedUrl());
    f.window.show();
    f.panel->FetchPublicAddressAtStartUp();
    QTRY_VERIFY(!f.panel->isFetching());
    QCOMPARE(f.edit(), Initial);
    const QString tip = f.panel->addressEdit()->toolTip();
    QVERIFY2(tip.contains(QStringLiteral("グローバルIPを取得できませんでした")), qPrintable(tip));
    QVERIFY(f.prompter.asked.isEmpty());
}

void TestPublicAddressPanel::startUpWithoutTheOptionAsksNothing()
{
    Fixture f;
    f.use(f.server.url("/env.cgi"), false);
    f.window.show();
    f.panel->FetchPublicAddressAtStartUp();
    QVERIFY(!f.panel->isFetching());
    QCoreApplication::processEvents();
    QVERIFY(f.server.requests().isEmpty());
    QCOMPARE(f.edit(), Initial);
}

void TestPublicAddressPanel::startUpNeverBlocks()
{
    Fixture f;
    f.use(f.server.url("/hang"));
    f.window.show();
    // Returns while the server still holds the request; the answer arrives later.
    f.panel->FetchPublicAddressAtStartUp();
    QVERIFY(f.panel->isFetching());
    QTRY_COMPARE(f.server.heldCount(), 1);
    QCOMPARE(f.edit(), Initial);
    f.server.release("192.0.2.77");
    QTRY_COMPARE(f.edit(), QStringLiteral("192.0.2.77"));
}

void TestPublicAddressPanel::copyPutsTheAddressOnTheClipboard()
{
    Fixture f;
    f.use(f.server.url("/env.cgi"));
    f.window.show();
    QTest::mouseClick(f.panel->getButton(), Qt::LeftButton);
    QTRY_VERIFY(!f.panel->isFetching());
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QTest::mouseClick(f.panel->copyButton(), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("203.0.113.5"));
    QCOMPARE(f.panel->addressEdit()->selectedText(), QStringLiteral("203.0.113.5"));
}

void TestPublicAddressPanel::theOptionFollowsTheSettings()
{
    ScriptedPrompter prompter;
    PublicAddressPanel panel(prompter);
    QAction* n3 = panel.getIpAtStartUpAction();
    QVERIFY(n3->isChecked()); // on as designed, and with no settings file
    panel.readSettings(ProfileFile::fromBytes("[StartUp]\r\nGetIP=0\r\n"));
    QVERIFY(!n3->isChecked());
    n3->trigger();
    ProfileFile out = ProfileFile::fromBytes("[StartUp]\r\nGetIP=0\r\n");
    panel.writeSettings(out);
    QCOMPARE(out.bytes(), QByteArrayLiteral("[StartUp]\r\nGetIP=1\r\n"));
}

QTEST_MAIN(TestPublicAddressPanel)
#include "tst_PublicAddressPanel.moc"

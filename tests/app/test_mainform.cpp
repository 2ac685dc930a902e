// SPDX-License-Identifier: MIT
// The start-up and shutdown sequences and the window's frame, on real temporary folders.
#include "app/TMainForm.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>

using Icon = Prompter::Icon;

namespace {

QByteArray iniFor(const QString& gameFolder, const QByteArray& more = {})
{
    return QByteArrayLiteral("[Path]\r\nGhostReconPath=") + gameFolder.toUtf8() + QByteArrayLiteral("\r\n") + more;
}

// Object names of a menu's items, "-" for a separator.
QStringList layout(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->menu()->objectName() : a->objectName());
    return out;
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void frameAndMenus();
    void configuredStartAsksNothing();
    void firstStartWritesDefaults();
    void storedInterval_data();
    void storedInterval();
    void unknownSchemeIsWrittenAsStandard();
    void missingGameEndsTheProgram();
    void missingOptionsEndsTheProgram();
    void unwritableSettingsAreReportedAndTheEndGoesOn();
    void closeWithNoCloseMinimisesUntilExit();
    void sessionEndSavesEvenWithNoClose();

private:
    std::unique_ptr<TestFolders> m_folders;
    ScriptedPrompter m_prompter;
};

void TestMainForm::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_prompter = ScriptedPrompter();
    // The default place of the game must not exist on the test machine's account.
    qputenv("WINEPREFIX", m_folders->path(QStringLiteral("no-wine")).toUtf8());
    // A host list is there, so the first-run question does not come.
    TestFolders::writeFile(m_folders->program(QStringLiteral("hostlist.txt")),
                           QByteArrayLiteral("[HostList]\r\nHostname1=A\r\nHostIP1=127.0.0.1:2346\r\n"));
}

void TestMainForm::frameAndMenus()
{
    TMainForm form(m_prompter, m_folders->programFolder());
    QCOMPARE(form.windowTitle(), QStringLiteral("モルベーン"));
    QCOMPARE(form.centralWidget()->size(), QSize(394, 446));
    QCOMPARE(form.pos(), QPoint(212, 141));
    QCOMPARE(form.font().pixelSize(), 12);
    QVERIFY(form.font().families().contains(QStringLiteral("ＭＳ Ｐゴシック")));

    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    QVERIFY(tabs);
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{QStringLiteral("ホスト"), QStringLiteral("MOD"), QStringLiteral("ﾏﾙﾁﾌﾟﾚｲ"),
                                    QStringLiteral("SSビュー"), QStringLiteral("全般"), QStringLiteral("リンク")}));
    auto* start = form.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QVERIFY(start);
    QCOMPARE(start->text(), QStringLiteral("Ghost Recon起動"));

    const QList<QAction*> top = form.menuBar()->actions();
    QCOMPARE(top.size(), 3);
    QCOMPARE(top[2]->objectName(), QStringLiteral("About1"));
    QCOMPARE(layout(top[0]->menu()),
             (QStringList{QStringLiteral("ReloadConfigFile"), QStringLiteral("HostList1"), QStringLiteral("IP2"),
                          QStringLiteral("-"), QStringLiteral("Exit1")}));
    QCOMPARE(layout(top[1]->menu()),
             (QStringList{QStringLiteral("N3"), QStringLiteral("N11"), QStringLiteral("N12"), QStringLiteral("-"),
                          QStringLiteral("MOD1"), QStringLiteral("-"), QStringLiteral("N22"),
                          QStringLiteral("HostCheckInterval1"), QStringLiteral("HostViewColor1"), QStringLiteral("-"),
                          QStringLiteral("GR1")}));
    auto* tray = form.findChild<QMenu*>(QStringLiteral("PopupMenuOnTray"));
    QVERIFY(tray);
    QCOMPARE(layout(tray), (QStringList{QStringLiteral("N7"), QStringLiteral("-"), QStringLiteral("GhostRecon1"),
                                        QStringLiteral("IP1"), QStringLiteral("-"), QStringLiteral("N8")}));
    QVERIFY(form.action(QStringLiteral("N3"))->isChecked());
    QVERIFY(form.action(QStringLiteral("NI10"))->isChecked());
}

void TestMainForm::configuredStartAsksNothing()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(m_folders->gameFolder()));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    QVERIFY2(m_prompter.asked.isEmpty(), qPrintable(m_prompter.texts().join(QLatin1Char('|'))));
    QVERIFY(!form.endRequested());
    QCOMPARE(form.gameFolder(), m_folders->gameFolder());
    QVERIFY(form.writesGameFolder());
}

void TestMainForm::firstStartWritesDefaults()
{
    m_prompter.answers << m_folders->gameFolder();
    {
        TMainForm form(m_prompter, m_folders->programFolder());
        form.FormCreate();
        QVERIFY(!form.endRequested());
        QCOMPARE(form.hostViewColorName(), QString());
        form.FormDestroy();
    }
    const QByteArray ini = TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")));
    QCOMPARE(ini, iniFor(m_folders->gameFolder(),
                         QByteArrayLiteral("[StartUp]\r\nGetIP=1\r\n[Morvane]\r\nInTray=0\r\nNoClose=0\r\n"
                                           "SortModList=0\r\nSortHost=0\r\nHostViewColor=\r\n"
                                           "CheckHostInterval=10000\r\n[GRMusic]\r\nMusic1=\r\nMusic2=\r\n"
                                           "Music3=\r\nMusic4=\r\nMusic5=\r\nMusic6=\r\n")));
    // The next start reads an empty scheme name, which is "標準".
    TMainForm again(m_prompter, m_folders->programFolder());
    again.FormCreate();
    QCOMPARE(again.hostViewColorName(), QStringLiteral("標準"));
}

void TestMainForm::storedInterval_data()
{
    QTest::addColumn<QByteArray>("interval");
    QTest::addColumn<QString>("ticked");
    QTest::newRow("15 s keeps NI10") << QByteArrayLiteral("15000") << QStringLiteral("NI10");
    QTest::newRow("5 min") << QByteArrayLiteral("300000") << QStringLiteral("NI300");
    QTest::newRow("not a number") << QByteArrayLiteral("fast") << QStringLiteral("NI10");
}

void TestMainForm::storedInterval()
{
    QFETCH(QByteArray, interval);
    QFETCH(QString, ticked);
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           iniFor(m_folders->gameFolder(), QByteArrayLiteral("[Morvane]\r\nCheckHostInterval=") +
                                                               interval + QByteArrayLiteral("\r\n")));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    QVERIFY(form.action(ticked)->isChecked());
    int tickedCount = 0;
    for (const char* name : {"NI10", "NI20", "NI30", "NI60", "NI120", "NI180", "NI300"})
        tickedCount += form.action(QString::fromLatin1(name))->isChecked() ? 1 : 0;
    QCOMPARE(tickedCount, 1);
    form.FormDestroy();
    const QByteArray written = TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")));
    const QByteArray expected = interval == "fast" ? QByteArrayLiteral("10000") : interval;
    QVERIFY(written.contains(QByteArrayLiteral("CheckHostInterval=") + expected + QByteArrayLiteral("\r\n")));
}

void TestMainForm::unknownSchemeIsWrittenAsStandard()
{
    TestFolders::writeFile(
        m_folders->program(QStringLiteral("Morvane.ini")),
        iniFor(m_folders->gameFolder(), QByteArrayLiteral("[Morvane]\r\nHostViewColor=varsity\r\n")));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    QCOMPARE(form.hostViewColorName(), QStringLiteral("標準"));
    form.action(QStringLiteral("Varsity1"))->trigger();
    QCOMPARE(form.hostViewColorName(), QStringLiteral("Varsity"));
    QVERIFY(!form.action(QStringLiteral("Varsity1"))->isChecked());
}

void TestMainForm::missingGameEndsTheProgram()
{
    QFile::remove(m_folders->program(QStringLiteral("hostlist.txt")));
    const QString gone = m_folders->path(QStringLiteral("gone"));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(gone));
    {
        TMainForm form(m_prompter, m_folders->programFolder());
        form.FormCreate(); // the picker is cancelled
        QVERIFY(form.endRequested());
        form.FormDestroy();
    }
    // No host list offer between the two messages: nowhere to download it from is set.
    QCOMPARE(m_prompter.texts(),
             (QStringList{QStringLiteral("Ghostrecon.exeの含まれる場所を指定してください"),
                          QStringLiteral("Ghostrecon.exeの位置指定"),
                          QStringLiteral("GhostRecon.exeが見つかりませんでした\r\nモルベーンを終了します"),
                          QStringLiteral(
                              "設定ファイルが見つかりませんでした\r\nGhostReconを起動し、初期設定を行ってください")}));
    QCOMPARE(m_prompter.asked[3].icon, Icon::Error);
    // The stored folder did not exist: it is stored empty and the next start asks again.
    QVERIFY(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")))
                .startsWith(QByteArrayLiteral("[Path]\r\nGhostReconPath=\r\n")));
    QVERIFY(!QFileInfo::exists(gone));
}

void TestMainForm::missingOptionsEndsTheProgram()
{
    QVERIFY(QFile::remove(m_folders->game(QStringLiteral("options.xml"))));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(m_folders->gameFolder()));
    const QStringList gameFiles = QDir(m_folders->gameFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    QVERIFY(form.endRequested());
    QCOMPARE(m_prompter.texts(),
             QStringList{
                 QStringLiteral("設定ファイルが見つかりませんでした\r\nGhostReconを起動し、初期設定を行ってください")});
    QVERIFY(!form.writesGameFolder());
    form.FormDestroy();
    QCOMPARE(QDir(m_folders->gameFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), gameFiles);
    QVERIFY(QFileInfo::exists(m_folders->program(QStringLiteral("Morvane.ini"))));
}

void TestMainForm::unwritableSettingsAreReportedAndTheEndGoesOn()
{
    m_prompter.answers << m_folders->gameFolder();
    const QString ini = m_folders->program(QStringLiteral("Morvane.ini"));
    QVERIFY(QDir().mkpath(ini)); // nothing can be written there
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    m_prompter.asked.clear();
    form.FormDestroy();
    QCOMPARE(m_prompter.texts(), QStringList{QDir::toNativeSeparators(ini) + QStringLiteral(" に書き込めません")});
    QCOMPARE(m_prompter.asked[0].icon, Icon::Error);
}

void TestMainForm::closeWithNoCloseMinimisesUntilExit()
{
    TestFolders::writeFile(
        m_folders->program(QStringLiteral("Morvane.ini")),
        iniFor(m_folders->gameFolder(), QByteArrayLiteral("[Morvane]\r\nNoClose=1\r\nInTray=0\r\n")));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    form.show();
    QVERIFY(!form.allowClose());
    QVERIFY(!form.trayMode());
    QVERIFY(!form.close());
    QVERIFY(form.trayMode());
    // Without a notification area (as here) the window minimises normally and never vanishes.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        QVERIFY(form.isVisible());
        QVERIFY(form.isMinimized());
    }
    QVERIFY(!form.action(QStringLiteral("N11"))->isChecked());
    const QByteArray hostsBefore = TestFolders::readFile(m_folders->program(QStringLiteral("hostlist.txt")));
    const QByteArray before = TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")));

    // A second copy's request brings the window back.
    form.bringToFront();
    QVERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());

    form.action(QStringLiteral("N12"))->trigger(); // untick: closing is allowed again
    QVERIFY(form.allowClose());
    form.action(QStringLiteral("N12"))->trigger();
    QVERIFY(!form.allowClose());
    // Nothing was written: the shutdown has not run.
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini"))), before);
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("hostlist.txt"))), hostsBefore);

    form.action(QStringLiteral("Exit1"))->trigger();
    QVERIFY(form.allowClose());
    QVERIFY(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")))
                .contains(QByteArrayLiteral("NoClose=1\r\n")));
}

void TestMainForm::sessionEndSavesEvenWithNoClose()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           iniFor(m_folders->gameFolder(), QByteArrayLiteral("[Morvane]\r\nNoClose=1\r\n")));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    form.show();
    form.action(QStringLiteral("N22"))->setChecked(true);
    form.endSession();
    QTRY_VERIFY(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")))
                    .contains(QByteArrayLiteral("SortHost=1\r\n")));
}

QTEST_MAIN(TestMainForm)
#include "test_mainform.moc"

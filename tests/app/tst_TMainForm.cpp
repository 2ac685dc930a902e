// SPDX-License-Identifier: MIT
// The start-up and shutdown sequences and the window's frame, on real temporary folders.
#include "app/TMainForm.h"
#include "mods/ModLists.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QSystemTrayIcon>
#include <QTest>

using Icon = Prompter::Icon;

namespace {

QByteArray iniFor(const QString& gameFolder, const QByteArray& more = {})
{
    return QByteArrayLiteral("[Path]\r\nGhostReconPath=") + gameFolder.toUtf8() + QByteArrayLiteral("\r\n") + more;
}

// A web host list to offer on the first run; nobody answers there, and nobody asks it anything.
const QByteArray webListKey =
    QByteArrayLiteral("[Network]\r\nHostListURL=http://127.0.0.1:9/Morvane/archives/hostlist.txt\r\n");

QAction* action(const QObject& form, const QString& name)
{
    auto* a = form.findChild<QAction*>(name);
    if (!a)
        qFatal("no action %s", qPrintable(name));
    return a;
}

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void controls_data();
    void controls();
    void addressBoxShowsItsWholeDefaultText();
    void configuredStartAsksNothing();
    void firstStartWritesDefaults();
    void storedInterval_data();
    void storedInterval();
    void unknownSchemeIsWrittenAsStandard();
    void missingGameEndsTheProgram();
    void missingOptionsEndsTheProgram();
    void storeFailures_data();
    void storeFailures();
    void otherGameThatCannotBeReadTakesNothingOfThePrevious();
    void closeWithNoCloseMinimisesUntilExit();
    void sessionEndSavesEvenWithNoClose();
    void endDuringAStartUpQuestionWaitsForStartUp();

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

void TestMainForm::controls_data()
{
    addControlColumns();
    addControlRow(u"MainForm", u"モルベーン");
    addControlRow(u"BitBtn1", u"Ghost Recon起動", u"Ghost Reconを起動します");
    addControlRow(u"File1", u"ファイル(&F)");
    addControlRow(u"ReloadConfigFile", u"設定ファイル再読込(&R)");
    addControlRow(u"HostList1", u"ホストリスト");
    addControlRow(u"Import1", u"インポート");
    addControlRow(u"Export1", u"エクスポート");
    addControlRow(u"CheckWebHostList1", u"最新ホストリストをチェック");
    addControlRow(u"IP2", u"IP履歴のクリア");
    addControlRow(u"Exit1", u"終了(&X)");
    addControlRow(u"Option1", u"オプション(&O)");
    addControlRow(u"N3", u"起動時にＩＰを取得");
    addControlRow(u"N11", u"最小化でタスクトレイに入る");
    addControlRow(u"N12", u"終了までタスクトレイで起動し続ける", u"メニューから終了しない限り、終了しません");
    addControlRow(u"MOD1", u"MODリストを常にアルファベット順に並べる");
    addControlRow(u"N22", u"稼働中ホストを優先して並べる");
    addControlRow(u"HostCheckInterval1", u"ホストチェック間隔");
    addControlRow(u"NI10", u"10秒");
    addControlRow(u"NI60", u"１分");
    addControlRow(u"NI300", u"５分");
    addControlRow(u"HostViewColor1", u"ホストビューカラー");
    addControlRow(u"N26", u"標準");
    addControlRow(u"N27", u"マトリックス");
    addControlRow(u"Varsity1", u"Varsity");
    addControlRow(u"GR1", u"GhostReconフォルダ指定");
    addControlRow(u"About1", u"バージョン情報(&A)");
    addControlRow(u"N7", u"モルベーンを表示");
    addControlRow(u"GhostRecon1", u"Ghost Recon起動");
    addControlRow(u"IP1", u"IP指定接続");
    addControlRow(u"N8", u"モルベーンを終了");
}

void TestMainForm::controls()
{
    TMainForm form(m_prompter, m_folders->programFolder());
    showEveryPage(form);
    checkControlRow(form);
}

void TestMainForm::addressBoxShowsItsWholeDefaultText()
{
    TMainForm form(m_prompter, m_folders->programFolder());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* box = form.findChild<QComboBox*>(QStringLiteral("IPComboBox"));
    QVERIFY(box);
    // In the window's fixed width, the text field beside the arrow holds "000.000.000.000:0000".
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = true;
    const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    const int needed = box->fontMetrics().horizontalAdvance(box->currentText());
    QVERIFY2(field.width() >= needed, qPrintable(QStringLiteral("%1 < %2").arg(field.width()).arg(needed)));
    // And nothing of the host tab reaches past the window's edge.
    const auto children = form.findChild<QWidget*>(QStringLiteral("TabHost"))->findChildren<QWidget*>();
    for (const QWidget* w : children) {
        if (w->isVisible())
            QVERIFY2(form.rect().contains(QRect(w->mapTo(&form, QPoint(0, 0)), w->size())),
                     qPrintable(w->objectName()));
    }
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
    QVERIFY(action(form, ticked)->isChecked());
    int tickedCount = 0;
    for (const char* name : {"NI10", "NI20", "NI30", "NI60", "NI120", "NI180", "NI300"})
        tickedCount += action(form, QString::fromLatin1(name))->isChecked() ? 1 : 0;
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
    action(form, QStringLiteral("Varsity1"))->trigger();
    QCOMPARE(form.hostViewColorName(), QStringLiteral("Varsity"));
    QVERIFY(!action(form, QStringLiteral("Varsity1"))->isChecked());
}

void TestMainForm::missingGameEndsTheProgram()
{
    QFile::remove(m_folders->program(QStringLiteral("hostlist.txt")));
    const QString gone = m_folders->path(QStringLiteral("gone"));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(gone, webListKey));
    {
        TMainForm form(m_prompter, m_folders->programFolder());
        form.FormCreate(); // the picker is cancelled
        QVERIFY(form.endRequested());
        form.FormDestroy();
    }
    // The host list offer still comes between the two messages.
    QCOMPARE(m_prompter.texts(),
             (QStringList{QStringLiteral("Ghostrecon.exeの含まれる場所を指定してください"),
                          QStringLiteral("Ghostrecon.exeの位置指定"),
                          QStringLiteral("GhostRecon.exeが見つかりませんでした\r\nモルベーンを終了します"),
                          QStringLiteral("ホストリストが見つかりませんでした。\r\nインターネットから最新のホストリスト"
                                         "をダウンロードすることが出来ます。\r\nダウンロードを実行しますか？"),
                          QStringLiteral(
                              "設定ファイルが見つかりませんでした\r\nGhostReconを起動し、初期設定を行ってください")}));
    QCOMPARE(m_prompter.asked[4].icon, Icon::Error);
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

void TestMainForm::storeFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("atStartUp"); // unreadable at start-up, or unwritable at the end
    for (const char* file : {"Morvane.ini", "hostlist.txt", "iphistory.txt"}) {
        QTest::addRow("%s unreadable", file) << QString::fromLatin1(file) << true;
        QTest::addRow("%s unwritable", file) << QString::fromLatin1(file) << false;
    }
}

void TestMainForm::storeFailures()
{
    QFETCH(QString, file);
    QFETCH(bool, atStartUp);
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(m_folders->gameFolder()));
    TestFolders::writeFile(m_folders->program(QStringLiteral("iphistory.txt")), QByteArrayLiteral("1.2.3.4:5\r\n"));
    const QString path = m_folders->program(file);
    const QString shown = QDir::toNativeSeparators(path);
    // A folder where the file should be: nobody can read or write it.
    const auto blockFile = [&] { QVERIFY(QFile::remove(path) && QDir().mkpath(path)); };
    if (atStartUp)
        blockFile();
    m_prompter.answers << m_folders->gameFolder();
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    if (atStartUp) {
        // Without its settings the program asks for the game folder again, after saying why.
        QVERIFY(!m_prompter.asked.isEmpty());
        QVERIFY2(m_prompter.asked[0].text.startsWith(shown + QStringLiteral(" を読み込めません")),
                 qPrintable(m_prompter.asked[0].text));
    } else {
        QCOMPARE(m_prompter.texts(), QStringList());
        m_prompter.answers.clear();
        blockFile();
    }
    m_prompter.asked.clear();
    QStringList others{QStringLiteral("Morvane.ini"), QStringLiteral("hostlist.txt"), QStringLiteral("iphistory.txt")};
    others.removeOne(file);
    for (const QString& other : others)
        QVERIFY(QFile::remove(m_folders->program(other)));
    form.FormDestroy();
    // A store that was never read is left alone; one that cannot be written is reported. The end goes
    // on with the other stores either way.
    QCOMPARE(m_prompter.texts(), atStartUp ? QStringList() : QStringList{shown + QStringLiteral(" に書き込めません")});
    QVERIFY(QFileInfo(path).isDir());
    for (const QString& other : others)
        QVERIFY2(QFileInfo(m_folders->program(other)).isFile(), qPrintable(other));
}

void TestMainForm::otherGameThatCannotBeReadTakesNothingOfThePrevious()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")), iniFor(m_folders->gameFolder()));
    TestFolders other;
    // Its options stop at a malformed number; its mod file is too large to be read.
    const QString options = other.game(QStringLiteral("options.xml"));
    QByteArray document = TestFolders::readFile(options);
    document.replace("<ReticuleColorR>255<", "<ReticuleColorR>abc<");
    TestFolders::writeFile(options, document);
    const QString mods = other.game(QStringLiteral("modsset.txt"));
    TestFolders::writeFile(mods, QByteArray(ModLists::MaxModsSetBytes + 1, '\n'));
    TMainForm form(m_prompter, m_folders->programFolder());
    form.FormCreate();
    QCOMPARE(m_prompter.texts(), QStringList());
    m_prompter.answers << other.gameFolder() << true;
    form.GR1Click();
    showEveryPage(form);
    for (const char* name : {"Button15", "btnSaveMultiplaySettings", "btnSaveModList"})
        QTest::mouseClick(form.findChild<QAbstractButton*>(QString::fromLatin1(name)), Qt::LeftButton);
    form.FormDestroy();
    QCOMPARE(TestFolders::readFile(options), document);
    QCOMPARE(QFileInfo(mods).size(), ModLists::MaxModsSetBytes + 1);
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
    QVERIFY(!action(form, QStringLiteral("N11"))->isChecked());
    const QByteArray hostsBefore = TestFolders::readFile(m_folders->program(QStringLiteral("hostlist.txt")));
    const QByteArray before = TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")));

    // A second copy's request brings the window back.
    form.bringToFront();
    QVERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());

    action(form, QStringLiteral("N12"))->trigger(); // untick: closing is allowed again
    QVERIFY(form.allowClose());
    action(form, QStringLiteral("N12"))->trigger();
    QVERIFY(!form.allowClose());
    // Nothing was written: the shutdown has not run.
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini"))), before);
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("hostlist.txt"))), hostsBefore);

    action(form, QStringLiteral("Exit1"))->trigger();
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
    action(form, QStringLiteral("N22"))->setChecked(true);
    form.endSession();
    QTRY_VERIFY(TestFolders::readFile(m_folders->program(QStringLiteral("Morvane.ini")))
                    .contains(QByteArrayLiteral("SortHost=1\r\n")));
}

void TestMainForm::endDuringAStartUpQuestionWaitsForStartUp()
{
    QVERIFY(QFile::remove(m_folders->program(QStringLiteral("hostlist.txt"))));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           iniFor(m_folders->gameFolder(), webListKey));
    TMainForm form(m_prompter, m_folders->programFolder());
    // The session ends while the first-run question is on screen, whose box runs an event loop.
    m_prompter.onAsk = [&](const ScriptedPrompter::Question&) {
        form.endSession();
        QTest::qWait(100);
    };
    form.FormCreate();
    m_prompter.onAsk = nullptr;
    QVERIFY(form.endRequested());
    // Nothing was written yet: the shutdown did not run in the middle of start-up.
    QVERIFY(!QFileInfo::exists(m_folders->program(QStringLiteral("hostlist.txt"))));
    form.Exit1Click();
    QVERIFY(QFileInfo::exists(m_folders->program(QStringLiteral("hostlist.txt"))));
}

QTEST_MAIN(TestMainForm)
#include "tst_TMainForm.moc"

// SPDX-License-Identifier: MIT
#include "GameLog.h"

#include "game/GameInstallation.h"
#include "launch/AddressBar.h"
#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/HistoryComboBox.h"
#include "launch/TIPConnectionDlg.h"
#include "launch/TStateInfoForm.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

// The host tab's address group, the direct-connect dialog and the status window, used as a user
// would use them; the joins start the stand-in game.
class TestAddressEntry : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addressBarStartsAsTheUserExpects();
    void typingEnablesConnectAndEmptyingDisables();
    void elevenJoinsKeepTheTenNewest();
    void joiningAKnownAddressInOtherCaseChangesNothing();
    void joiningTheDefaultTextStartsButIsNotRecorded();
    void enterInTheBoxConnects();
    void pasteTakesClipboardText();
    void pasteOfAPictureChangesNothing();
    void clearingAsksAndResets();
    void clearingDeclinedKeepsTheHistory();

    void addressBarControls_data();
    void addressBarControls();
    void dialogControls_data();
    void dialogControls();
    void dialogJoinAlwaysAddsAtTheTop();
    void dialogShowsTheHistoryAndKeepsItsText();
    void dialogEnterConnectsAndEscCloses();
    void dialogStaysOpenWhileTheGameRuns();
    void boxesKeepTheirTextWhenTheOtherJoins();

    void noticeClosesItself();
    void windowWithCancelStaysAndCancelIsClearedOnShow();

private:
    QList<GameRun> runs() const { return readGameLog(m_log); }
    void typeInto(HistoryComboBox* box, const QString& text);

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    std::unique_ptr<GameInstallation> m_game;
    std::unique_ptr<GameLauncher> m_launcher;
    std::unique_ptr<AddressHistory> m_history;
    QString m_log;
};

void TestAddressEntry::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_game = std::make_unique<GameInstallation>(m_folders->gameFolder());
    m_launcher = std::make_unique<GameLauncher>(*m_prompter, *m_game);
    m_history = std::make_unique<AddressHistory>();
    m_log = m_folders->path(QStringLiteral("game.log"));
    qputenv("MORVANE_FAKE_GAME_LOG", QFile::encodeName(m_log));
    qputenv("MORVANE_FAKE_GAME_MODE", "exit");
}

void TestAddressEntry::cleanup()
{
    QVERIFY(visibleStatusWindows().isEmpty());
    m_history.reset();
    m_launcher.reset();
    m_prompter.reset();
    m_folders.reset();
}

void TestAddressEntry::typeInto(HistoryComboBox* box, const QString& text)
{
    box->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void TestAddressEntry::addressBarStartsAsTheUserExpects()
{
    m_history->setEntries({QByteArrayLiteral("9.9.9.9:1")});
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    // The history's first entry does not replace the initial text.
    QCOMPARE(bar.addressText(), QStringLiteral("000.000.000.000:0000"));
    QCOMPARE(bar.comboBox()->count(), 1);
    QVERIFY(!bar.connectButton()->isEnabled());
}

void TestAddressEntry::addressBarControls_data()
{
    addControlColumns();
    addControlRow(u"IPComboBox", u"000.000.000.000:0000", u"接続したいホストのアドレスを入れます");
    addControlRow(u"btnPasteAddress", u"貼り付け", u"クリップボードの内容を貼り付けます");
    addControlRow(u"btnConnect", u"接続", u"指定されたアドレスのゲームに接続します");
    addControlRow(u"IP2", u"IP履歴のクリア");
}

void TestAddressEntry::addressBarControls()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    checkControlRow(bar);
}

void TestAddressEntry::dialogControls_data()
{
    addControlColumns();
    addControlRow(u"IPConnectionDlg", u"IP指定接続");
    addControlRow(u"Label1", u"ホストアドレス");
    addControlRow(u"IPComboBox2", u"000.000.000.000");
    addControlRow(u"btnConnect", u"接続");
    addControlRow(u"btnCancel", u"やめる");
}

void TestAddressEntry::dialogControls()
{
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    checkControlRow(dialog);
}

void TestAddressEntry::typingEnablesConnectAndEmptyingDisables()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.show();
    typeInto(bar.comboBox(), QStringLiteral("1"));
    QVERIFY(bar.connectButton()->isEnabled());
    QTest::keyClick(bar.comboBox(), Qt::Key_Backspace);
    QCOMPARE(bar.addressText(), QString());
    QVERIFY(!bar.connectButton()->isEnabled());
    // Picking from the list counts as a change by the user.
    m_history->insertTyped(QStringLiteral("5.5.5.5:5"));
    bar.comboBox()->textActivated(QStringLiteral("5.5.5.5:5"));
    QVERIFY(bar.connectButton()->isEnabled());
}

void TestAddressEntry::elevenJoinsKeepTheTenNewest()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.show();
    for (int i = 1; i <= 11; ++i) {
        typeInto(bar.comboBox(), QStringLiteral("10.0.0.%1:2346").arg(i));
        QTest::mouseClick(bar.connectButton(), Qt::LeftButton);
    }
    QCOMPARE(runs().size(), 11);
    QCOMPARE(runs().last().arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("10.0.0.11:2346")}));
    QCOMPARE(m_history->count(), 10);
    QCOMPARE(m_history->text(0), QStringLiteral("10.0.0.11:2346"));
    QCOMPARE(m_history->text(9), QStringLiteral("10.0.0.2:2346"));
    QCOMPARE(bar.comboBox()->count(), 10);
    const QString path = m_folders->program(QStringLiteral("iphistory.txt"));
    m_history->saveFile(path);
    QCOMPARE(TestFolders::readFile(path).count("\r\n"), 10);
}

void TestAddressEntry::joiningAKnownAddressInOtherCaseChangesNothing()
{
    m_history->setEntries(
        {QByteArrayLiteral("a.example:1"), QByteArrayLiteral("host.example:2346"), QByteArrayLiteral("b.example:2")});
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.show();
    const QStringList before = m_history->texts();
    typeInto(bar.comboBox(), QStringLiteral("HOST.Example:2346"));
    QTest::mouseClick(bar.connectButton(), Qt::LeftButton);
    QCOMPARE(m_history->texts(), before);
    // The game gets the text as typed.
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs().first().arguments.value(1), QStringLiteral("HOST.Example:2346"));
}

void TestAddressEntry::joiningTheDefaultTextStartsButIsNotRecorded()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.btnConnectClick();
    QCOMPARE(m_history->count(), 0);
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs().first().arguments.value(1), QStringLiteral("000.000.000.000:0000"));
}

void TestAddressEntry::enterInTheBoxConnects()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.show();
    typeInto(bar.comboBox(), QStringLiteral("7.7.7.7:7"));
    QTest::keyClick(bar.comboBox(), Qt::Key_Return);
    QCOMPARE(runs().size(), 1);
    QCOMPARE(m_history->texts(), QStringList{QStringLiteral("7.7.7.7:7")});
    // An empty box starts nothing.
    typeInto(bar.comboBox(), QString());
    QCOMPARE(bar.addressText(), QString());
    QTest::keyClick(bar.comboBox(), Qt::Key_Return);
    QCOMPARE(runs().size(), 1);
}

void TestAddressEntry::pasteTakesClipboardText()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    m_history->insertTyped(QStringLiteral("keep:1"));
    QGuiApplication::clipboard()->setText(QStringLiteral("203.0.113.5:2346"));
    QTest::mouseClick(bar.pasteButton(), Qt::LeftButton);
    QCOMPARE(bar.addressText(), QStringLiteral("203.0.113.5:2346"));
    QVERIFY(bar.connectButton()->isEnabled());
    QCOMPARE(m_history->texts(), QStringList{QStringLiteral("keep:1")});
    // Empty text on the clipboard is still text: the box empties and connect is off again.
    QGuiApplication::clipboard()->setText(QString());
    QTest::mouseClick(bar.pasteButton(), Qt::LeftButton);
    if (QGuiApplication::clipboard()->mimeData()->hasText()) {
        QCOMPARE(bar.addressText(), QString());
        QVERIFY(!bar.connectButton()->isEnabled());
    }
}

void TestAddressEntry::pasteOfAPictureChangesNothing()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasText());
    QTest::mouseClick(bar.pasteButton(), Qt::LeftButton);
    QCOMPARE(bar.addressText(), QStringLiteral("000.000.000.000:0000"));
    QVERIFY(!bar.connectButton()->isEnabled());
}

void TestAddressEntry::clearingAsksAndResets()
{
    m_history->setEntries({QByteArrayLiteral("a:1"), QByteArrayLiteral("b:2")});
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    bar.show();
    typeInto(bar.comboBox(), QStringLiteral("typed"));
    m_prompter->answers << true;
    bar.IP2Click();
    QCOMPARE(m_prompter->asked.size(), 1);
    QCOMPARE(m_prompter->asked.first().kind, QStringLiteral("confirm"));
    QCOMPARE(m_prompter->asked.first().text, QStringLiteral("接続したIPの履歴をクリアします"));
    QCOMPARE(m_history->count(), 0);
    QCOMPARE(bar.comboBox()->count(), 0);
    QCOMPARE(bar.addressText(), QStringLiteral("000.000.000.000:0000"));
    // The connect button keeps its state.
    QVERIFY(bar.connectButton()->isEnabled());
    const QString path = m_folders->program(QStringLiteral("iphistory.txt"));
    m_history->saveFile(path);
    QCOMPARE(TestFolders::readFile(path), QByteArray());
}

void TestAddressEntry::clearingDeclinedKeepsTheHistory()
{
    m_history->setEntries({QByteArrayLiteral("a:1")});
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    typeInto(bar.comboBox(), QStringLiteral("typed"));
    m_prompter->answers << false;
    bar.IP2Click();
    QCOMPARE(m_history->count(), 1);
    QCOMPARE(bar.addressText(), QStringLiteral("typed"));
}

void TestAddressEntry::dialogJoinAlwaysAddsAtTheTop()
{
    m_history->setEntries({QByteArrayLiteral("a:1"), QByteArrayLiteral("b:2")});
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    dialog.show();
    typeInto(dialog.comboBox(), QStringLiteral("b:2"));
    QVERIFY(dialog.connectButton()->isEnabled());
    QTest::mouseClick(dialog.connectButton(), Qt::LeftButton);
    QCOMPARE(m_history->texts(), (QStringList{QStringLiteral("b:2"), QStringLiteral("a:1"), QStringLiteral("b:2")}));
    QCOMPARE(runs().size(), 1);
    QCOMPARE(runs().first().arguments, (QStringList{QStringLiteral("-client"), QStringLiteral("b:2")}));
}

void TestAddressEntry::dialogShowsTheHistoryAndKeepsItsText()
{
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    // The history is read after the dialog exists, as at start-up.
    m_history->setEntries({QByteArrayLiteral("a:1"), QByteArrayLiteral("b:2")});
    dialog.show();
    QVERIFY(!dialog.connectButton()->isEnabled());
    QCOMPARE(dialog.comboBox()->count(), 2);
    QCOMPARE(dialog.comboBox()->itemText(0), QStringLiteral("a:1"));
    QCOMPARE(dialog.addressText(), QStringLiteral("000.000.000.000"));
    typeInto(dialog.comboBox(), QStringLiteral("c:3"));
    dialog.close();
    m_history->insertTyped(QStringLiteral("d:4"));
    dialog.show();
    QCOMPARE(dialog.addressText(), QStringLiteral("c:3"));
    QCOMPARE(dialog.comboBox()->itemText(0), QStringLiteral("d:4"));
}

void TestAddressEntry::dialogEnterConnectsAndEscCloses()
{
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    dialog.show();
    typeInto(dialog.comboBox(), QStringLiteral("8.8.8.8:8"));
    QTest::keyClick(dialog.comboBox(), Qt::Key_Return);
    QCOMPARE(runs().size(), 1);
    QVERIFY(dialog.isVisible());
    QTest::keyClick(dialog.comboBox(), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    dialog.show();
    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
}

void TestAddressEntry::dialogStaysOpenWhileTheGameRuns()
{
    qputenv("MORVANE_FAKE_GAME_MODE", "wait");
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    QString status;
    bool openMeanwhile = false;
    connect(m_launcher.get(), &GameLauncher::gameStarted, this, [&](qint64 pid) {
        QTimer::singleShot(0, this, [&, pid] {
            QVERIFY(QTest::qWaitFor([&] { return runs().size() == 1; }, 10000));
            openMeanwhile = dialog.isVisible();
            const auto windows = visibleStatusWindows();
            if (windows.size() == 1)
                status = windows.first()->text();
            ::kill(pid_t(pid), SIGTERM);
        });
    });
    QTimer::singleShot(0, this, [&] {
        typeInto(dialog.comboBox(), QStringLiteral("6.6.6.6:6"));
        QTest::mouseClick(dialog.connectButton(), Qt::LeftButton);
        // After the game the dialog is still there, until the user closes it.
        QVERIFY(dialog.isVisible());
        dialog.reject();
    });
    dialog.exec();
    QVERIFY(openMeanwhile);
    QCOMPARE(status, QStringLiteral("6.6.6.6:6に接続中..."));
}

void TestAddressEntry::boxesKeepTheirTextWhenTheOtherJoins()
{
    AddressBar bar(*m_prompter, *m_history, *m_launcher);
    TIPConnectionDlg dialog(*m_prompter, *m_history, *m_launcher);
    bar.show();
    dialog.show();
    // The first entry of an empty list would become the other box's text.
    typeInto(dialog.comboBox(), QStringLiteral("1.1.1.1:1"));
    QTest::mouseClick(dialog.connectButton(), Qt::LeftButton);
    QCOMPARE(bar.addressText(), QStringLiteral("000.000.000.000:0000"));
    typeInto(bar.comboBox(), QStringLiteral("2.2.2.2:2"));
    QTest::mouseClick(bar.connectButton(), Qt::LeftButton);
    QCOMPARE(dialog.addressText(), QStringLiteral("1.1.1.1:1"));
    m_history->setEntries({QByteArrayLiteral("x:1")});
    QCOMPARE(bar.addressText(), QStringLiteral("2.2.2.2:2"));
    QCOMPARE(dialog.addressText(), QStringLiteral("1.1.1.1:1"));
    for (int i = 0; i < 12; ++i)
        m_history->insertAtTop(QStringLiteral("y%1").arg(i));
    QCOMPARE(bar.addressText(), QStringLiteral("2.2.2.2:2"));
    QCOMPARE(dialog.addressText(), QStringLiteral("1.1.1.1:1"));
}

void TestAddressEntry::noticeClosesItself()
{
    TStateInfoForm form;
    form.showNotice(QStringLiteral("保存しました"));
    QVERIFY(form.isVisible());
    QCOMPARE(form.text(), QStringLiteral("保存しました"));
    QVERIFY(form.cancelButton()->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 10000);
    // Reusable: the shared notice is shown again and again.
    form.showNotice(QStringLiteral("もう一度"));
    QVERIFY(form.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!form.isVisible(), 10000);
}

void TestAddressEntry::windowWithCancelStaysAndCancelIsClearedOnShow()
{
    TStateInfoForm form;
    // The launcher's window has no close box: only its cancel button ends the game.
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    form.setCancelVisible(true);
    form.show();
    QVERIFY(!form.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
    QTest::mouseClick(form.cancelButton(), Qt::LeftButton);
    QVERIFY(form.isCancelled());
    // Esc does not take the launcher's window away.
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
    form.hide();
    form.show();
    QVERIFY(!form.isCancelled());
    form.hide();
}

QTEST_MAIN(TestAddressEntry)
#include "tst_AddressEntry.moc"

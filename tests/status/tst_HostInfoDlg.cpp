// SPDX-License-Identifier: MIT
#include "FakeQstatSetup.h"
#include "ModCheckWindow.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostsPage.h"
#include "launch/TStateInfoForm.h"
#include "platform/Cp932.h"
#include "status/PlayerListModel.h"
#include "status/QueryFiles.h"
#include "status/THostInfoDlg.h"
#include "status/TModChkForm.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

namespace {

const QByteArray HostA = "10.0.0.1:2346";
const QByteArray HostB = "10.0.0.2:2346";
const QString NoAnswer = QStringLiteral("ホスト非稼働");

QByteArray infoLine(const QByteArray& address, const QByteArray& name, const QByteArray& dedicated,
                    const QByteArray& mods = " origmiss; a; b;")
{
    return "info " + address + " " + name + "<>" + dedicated + "<>3<>16<>" + mods +
           "<>1.4<>Castle<>No Mission<>TEAM<>Last Man Standing\n";
}

} // namespace

class TestHostInfoDlg : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void fetchShowsRulesAndPlayers_data();
    void fetchShowsRulesAndPlayers();
    void hostThatDoesNotAnswer_data();
    void hostThatDoesNotAnswer();
    void sortOrderAcrossClicksAndFetches();
    void refreshFetchesTheHostSelectedNow();
    void windowStaysLiveWhileFetching();
    void failedFetchRestoresEverything_data();
    void failedFetchRestoresEverything();
    void missingQueryProgramIsReported();
    void modCheck_data();
    void modCheck();
    void closingReturnsToTheFirstPage();
    void noHostSelectedFetchesNothing();

private:
    void fetch() { m_page->hostInfoAction()->trigger(); }
    QString value(int row) const { return m_dlg->hostInfoGrid()->item(row, 1)->text(); }
    QStringList playerNames() const;
    void verifyRestored() const;
    // Runs Button3Click and returns the mods listed in the result window (empty when none opened).
    QStringList runModCheck();

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<FakeQstatSetup> m_fake;
    ScriptedPrompter m_prompter;
    std::unique_ptr<HostsPage> m_page;
    std::unique_ptr<TStateInfoForm> m_notice;
    std::unique_ptr<THostInfoDlg> m_dlg;
    QList<QByteArray> m_installed;
};

void TestHostInfoDlg::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_fake = std::make_unique<FakeQstatSetup>(m_folders->programFolder());
    queryfiles::WriteQueryTemplates(m_folders->programFolder());
    m_prompter = ScriptedPrompter();
    m_page = std::make_unique<HostsPage>(m_prompter);
    m_page->hosts().appendHost("Alpha host", HostA);
    m_page->hosts().appendHost("\x83\x5C\x83\x8D host", HostB); // "ソロ host"
    m_page->grid()->setCurrentHost(0);
    m_notice = std::make_unique<TStateInfoForm>();
    m_installed = {"A"};
    m_dlg =
        std::make_unique<THostInfoDlg>(m_prompter, m_folders->programFolder(), *m_page, [this](QByteArrayView name) {
            return std::any_of(m_installed.cbegin(), m_installed.cend(),
                               [&](const QByteArray& m) { return cp932::equalsIgnoreCase(m, name); });
        });
    // As the main window wires the shared notice window.
    connect(m_dlg.get(), &THostInfoDlg::notice, m_notice.get(), &TStateInfoForm::showNotice);
    connect(m_dlg.get(), &THostInfoDlg::noticeRenewed, m_notice.get(), &TStateInfoForm::renewNotice);
    connect(m_dlg.get(), &THostInfoDlg::noticeWithdrawn, m_notice.get(), &TStateInfoForm::withdrawNotice);
}

void TestHostInfoDlg::cleanup()
{
    m_dlg.reset();
    m_notice.reset();
    m_page.reset();
    m_fake.reset();
    m_folders.reset();
}

QStringList TestHostInfoDlg::playerNames() const
{
    QStringList names;
    const PlayerListModel* m = m_dlg->players();
    for (int r = 0; r < m->rowCount(); ++r)
        names << m->index(r, 0).data().toString() + QLatin1Char('=') + m->index(r, 1).data().toString();
    return names;
}

void TestHostInfoDlg::verifyRestored() const
{
    QVERIFY(!m_dlg->isFetching());
    QVERIFY(m_page->hostInfoAction()->isEnabled());
    QVERIFY(m_dlg->refreshButton()->isEnabled());
    QVERIFY(!m_notice->isVisible());
}

QStringList TestHostInfoDlg::runModCheck()
{
    return modsListedBy([this] { QTest::mouseClick(m_dlg->modCheckButton(), Qt::LeftButton); });
}

void TestHostInfoDlg::fetchShowsRulesAndPlayers_data()
{
    QTest::addColumn<QByteArray>("dedicated");
    QTest::addColumn<QString>("players");
    QTest::addColumn<QByteArray>("mods");

    QTest::newRow("dedicated") << QByteArray("Yes") << QStringLiteral("3/16") << QByteArray("origmiss; a; b;");
    QTest::newRow("not dedicated") << QByteArray("No") << QStringLiteral("4/17") << QByteArray("origmiss; a; b;");
    // The host's words, not markup: the tip reads as the host sent it.
    QTest::newRow("mods that look like markup")
        << QByteArray("Yes") << QStringLiteral("3/16") << QByteArray("<b>a</b>; <i>b;");
}

void TestHostInfoDlg::fetchShowsRulesAndPlayers()
{
    QFETCH(QByteArray, dedicated);
    QFETCH(QString, players);
    QFETCH(QByteArray, mods);
    m_fake->setScenario(infoLine(HostA, "Fake \x83\x5C", dedicated, " " + mods) + "player " + HostA +
                        " charlie{::}0{::}2\n" + "player " + HostA + " \x83\x5C\x83\x8D{::}1{::}1\n" + "player " +
                        HostA + " Bravo{::}0{::}5\n");
    fetch();

    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->pageControl()->currentIndex(), 0);
    QCOMPARE(value(0), QStringLiteral("Fake ソ"));
    QCOMPARE(value(1), players);
    QCOMPARE(value(2), QString::fromLatin1(mods));
    const QString tip = m_dlg->hostInfoGrid()->item(2, 1)->toolTip();
    QTextDocument shown;
    shown.setHtml(tip);
    QCOMPARE(Qt::mightBeRichText(tip) ? shown.toPlainText() : tip, QString::fromLatin1(mods));
    QCOMPARE((QStringList{value(3), value(4), value(5), value(6), value(7)}),
             (QStringList{QStringLiteral("1.4"), QStringLiteral("Castle"), QStringLiteral("No Mission"),
                          QStringLiteral("TEAM"), QStringLiteral("Last Man Standing")}));
    // Code-page-932 names come through as their bytes, in name order, teams as shown.
    QCOMPARE(playerNames(), (QStringList{QStringLiteral("Bravo=待機中"), QStringLiteral("charlie=Team 1"),
                                         QStringLiteral("ソロ=Team 2")}));
    QCOMPARE(m_dlg->findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(), QStringLiteral("Alpha host"));
    QVERIFY(m_dlg->modCheckButton()->isEnabled());
    QCOMPARE(m_dlg->CurrentHostMods(), mods);

    const QList<QStringList> runs = m_fake->runs();
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs.at(1), queryfiles::playersArguments(QString::fromLatin1(HostA), dedicated == "Yes"));
    verifyRestored();
}

void TestHostInfoDlg::hostThatDoesNotAnswer_data()
{
    QTest::addColumn<QByteArray>("line");
    // The kinds of no-answer are the information file's own table; one of each shape here.
    QTest::newRow("silent") << QByteArray("TIMEOUT<><><><><><><><><>");
    QTest::newRow("one field") << QByteArray("Strange");
}

void TestHostInfoDlg::hostThatDoesNotAnswer()
{
    QFETCH(QByteArray, line);
    m_fake->setScenario(infoLine(HostA, "Alive", "Yes") + "player " + HostA + " p{::}0{::}1\n");
    fetch();
    QCOMPARE(playerNames().size(), 1);

    m_fake->setScenario("info " + HostA + " " + line + "\n");
    fetch();
    QCOMPARE(value(0), NoAnswer);
    for (int row = 1; row < 8; ++row)
        QCOMPARE(value(row), QString());
    QCOMPARE(playerNames(), QStringList());
    QVERIFY(!m_dlg->modCheckButton()->isEnabled());
    QCOMPARE(m_dlg->CurrentHostMods(), QByteArray("origmiss; a; b;"));
    QCOMPARE(m_fake->runs().size(), 3); // no players query for the dead host
    verifyRestored();
}

void TestHostInfoDlg::sortOrderAcrossClicksAndFetches()
{
    m_fake->setScenario(infoLine(HostA, "Sorted", "Yes") + "player " + HostA + " bravo{::}0{::}1\nplayer " + HostA +
                        " Alpha{::}0{::}2\nplayer " + HostA + " charlie{::}0{::}1\n");
    fetch();
    const QStringList ascending = {QStringLiteral("Alpha=Team 1"), QStringLiteral("bravo=Team 2"),
                                   QStringLiteral("charlie=Team 2")};
    const QStringList descending = {ascending.at(2), ascending.at(1), ascending.at(0)};
    QCOMPARE(playerNames(), ascending);

    m_dlg->pageControl()->setCurrentIndex(1);
    QHeaderView* header = m_dlg->listView()->horizontalHeader();
    const QPoint nameHeading(header->sectionViewportPosition(0) + 20, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeading);
    QCOMPARE(playerNames(), descending);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeading);
    QCOMPARE(playerNames(), ascending);

    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, nameHeading);
    fetch();
    QCOMPARE(playerNames(), descending);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

void TestHostInfoDlg::refreshFetchesTheHostSelectedNow()
{
    m_fake->setScenario(infoLine(HostA, "First", "Yes") + infoLine(HostB, "Second", "No"));
    fetch();
    QCOMPARE(value(0), QStringLiteral("First"));
    m_page->grid()->setCurrentHost(1);
    QTest::mouseClick(m_dlg->refreshButton(), Qt::LeftButton);
    QCOMPARE(value(0), QStringLiteral("Second"));
    QCOMPARE(value(1), QStringLiteral("4/17"));
    QCOMPARE(m_fake->runs().last().last(), QString::fromLatin1(HostB));
    QCOMPARE(m_dlg->findChild<QGroupBox*>(QStringLiteral("GroupBox"))->title(), QStringLiteral("ソロ host"));
}

void TestHostInfoDlg::windowStaysLiveWhileFetching()
{
    const QString release = m_fake->path(QStringLiteral("release"));
    m_fake->setScenario(infoLine(HostA, "Slow", "Yes") + "on info wait-for " + release.toUtf8() + "\n");
    QStringList seen;
    // Runs while the query program waits; 1.5 s is past the notice's own second.
    QTimer::singleShot(1500, this, [&] {
        seen << (m_dlg->isFetching() ? QStringLiteral("fetching") : QStringLiteral("idle"));
        seen << (m_page->hostInfoAction()->isEnabled() ? QStringLiteral("N18 on") : QStringLiteral("N18 off"));
        seen << (m_dlg->refreshButton()->isEnabled() ? QStringLiteral("更新 on") : QStringLiteral("更新 off"));
        seen << (m_notice->isVisible() ? m_notice->text() : QStringLiteral("no notice"));
        TestFolders::writeFile(release, "go");
    });
    fetch();
    QCOMPARE(seen, (QStringList{QStringLiteral("fetching"), QStringLiteral("N18 off"), QStringLiteral("更新 off"),
                                QStringLiteral("情報を取得しています...")}));
    QCOMPARE(value(0), QStringLiteral("Slow"));
    verifyRestored();
}

void TestHostInfoDlg::failedFetchRestoresEverything_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::newRow("no information file") << QByteArray("on info nofile\n");
    QTest::newRow("no players file") << QByteArray("on players nofile\n");
    QTest::newRow("information run hangs") << QByteArray("on info hang\n");
    QTest::newRow("players run hangs") << QByteArray("on players hang\n");
}

void TestHostInfoDlg::failedFetchRestoresEverything()
{
    QFETCH(QByteArray, scenario);
    m_fake->setScenario(infoLine(HostA, "Before", "Yes"));
    fetch();
    m_dlg->hide();
    m_dlg->setQueryTimeoutMs(300);
    m_fake->setScenario(infoLine(HostA, "After", "No") + scenario);
    fetch();
    verifyRestored();
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(value(0), QStringLiteral("Before"));
    QCOMPARE(m_prompter.asked.size(), 0);
}

void TestHostInfoDlg::missingQueryProgramIsReported()
{
    QFile::remove(m_fake->programPath());
    qputenv("PATH", QFile::encodeName(m_folders->path(QStringLiteral("empty"))));
    fetch();
    verifyRestored();
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked.first().icon, Prompter::Icon::Error);
    QVERIFY2(m_prompter.asked.first().text.contains(QStringLiteral("qstat が見つかりません")),
             qPrintable(m_prompter.asked.first().text));
}

void TestHostInfoDlg::modCheck_data()
{
    QTest::addColumn<QList<QByteArray>>("installed");
    QTest::addColumn<QByteArray>("mods");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("missing ones listed") << QList<QByteArray>{"A"} << QByteArray(" Origmiss; a; b; \x83\x5C\x83\x8D; ")
                                         << QStringList{QStringLiteral("b"), QStringLiteral("ソロ")} << QStringList();
    QTest::newRow("everything installed")
        << QList<QByteArray>{"A", "b"} << QByteArray(" origmiss; a; B;") << QStringList()
        << QStringList{QStringLiteral("MODは全てインストール済みです")};
}

void TestHostInfoDlg::modCheck()
{
    QFETCH(QList<QByteArray>, installed);
    QFETCH(QByteArray, mods);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, messages);
    m_installed = installed;
    m_fake->setScenario(infoLine(HostA, "Mods", "Yes", mods));
    fetch();
    QCOMPARE(runModCheck(), listed);
    QCOMPARE(m_prompter.texts(), messages);
}

void TestHostInfoDlg::closingReturnsToTheFirstPage()
{
    m_fake->setScenario(infoLine(HostA, "Paged", "Yes"));
    fetch();
    m_dlg->pageControl()->setCurrentIndex(1);
    QTest::mouseClick(m_dlg->findChild<QPushButton*>(QStringLiteral("btnClose")), Qt::LeftButton);
    QVERIFY(!m_dlg->isVisible());
    fetch();
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->pageControl()->currentIndex(), 0);

    // Esc closes it too, and the next fetch opens it on the first page again.
    m_dlg->pageControl()->setCurrentIndex(1);
    QTest::keyClick(m_dlg.get(), Qt::Key_Escape);
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_dlg->pageControl()->currentIndex(), 0);
}

void TestHostInfoDlg::noHostSelectedFetchesNothing()
{
    m_page->hosts().clear();
    fetch();
    QCOMPARE(m_fake->runs().size(), 0);
    QVERIFY(!m_dlg->isVisible());
    verifyRestored();
}

QTEST_MAIN(TestHostInfoDlg)
#include "tst_HostInfoDlg.moc"

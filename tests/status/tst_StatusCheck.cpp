// SPDX-License-Identifier: MIT
#include "FakeQstatSetup.h"
#include "hosts/HostGridModel.h"
#include "status/QueryFiles.h"
#include "status/StatusCheck.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

using State = StatusCheck::State;

namespace {

const QString Start = QStringLiteral("ﾁｪｯｸ開始");
const QString Stop = QStringLiteral("ﾁｪｯｸ停止");
const QString Querying = QStringLiteral("ﾁｪｯｸ...");
const QString Stopping = QStringLiteral("停止中..");
const QString StartHint = QStringLiteral("登録されているホストの稼働状況チェックを開始します");
const QString StopHint = QStringLiteral("稼働チェックを停止します");

QColor fontColour(const QPushButton& b) { return b.palette().color(QPalette::Active, QPalette::ButtonText); }

} // namespace

class TestStatusCheck : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void wholeCheckWithLiveHostsFirst();
    void queryStatesShowOnTheButton();
    void eachCycleAsksInTheGridsOrder();
    void stopDuringTheQueryShowsItsResultsFirst();
    void intervalMenu();
    void intervalChangeNeedsARestart();
    void missingQueryProgramEndsTheCheckAndSaysSo();
    void unwritableAddressFileKeepsTheCheckIdle();
    void stopAndWaitEndsAHungQuery();
    void damagedOutputKeepsTheScheduleGoing_data();
    void damagedOutputKeepsTheScheduleGoing();
    void destroyedWhileRunning();
    void stoppingKeepsTheFocusOffTheAddressBox();

private:
    void addHosts(const QList<QByteArray>& names);
    void click() { QTest::mouseClick(m_button, Qt::LeftButton); }
    QStringList names() const;
    void record();

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<FakeQstatSetup> m_fake;
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_button = nullptr;
    std::unique_ptr<HostGridModel> m_hosts;
    ScriptedPrompter m_prompter;
    std::unique_ptr<StatusCheck> m_check;
    bool m_sort = false;
    QStringList m_events;
    QList<bool> m_idle;
};

void TestStatusCheck::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_fake = std::make_unique<FakeQstatSetup>(m_folders->programFolder());
    queryfiles::WriteQueryTemplates(m_folders->programFolder());
    m_window = std::make_unique<QWidget>();
    m_button = new QPushButton(m_window.get());
    m_window->show();
    m_hosts = std::make_unique<HostGridModel>();
    m_prompter = ScriptedPrompter();
    m_check = std::make_unique<StatusCheck>(m_prompter, *m_hosts, m_folders->programFolder(), m_button);
    m_sort = false;
    m_check->setSortLiveHostsFirst([this] { return m_sort; });
    m_events.clear();
    m_idle.clear();
    record();
}

void TestStatusCheck::cleanup()
{
    m_check.reset();
    m_hosts.reset();
    m_window.reset();
    m_fake.reset();
    m_folders.reset();
}

void TestStatusCheck::record()
{
    connect(m_check.get(), &StatusCheck::stateChanged, this,
            [this](State s) { m_events << QString::fromLatin1(QMetaEnum::fromType<State>().valueToKey(int(s))); });
    connect(m_check.get(), &StatusCheck::resultsApplied, this, [this] { m_events << QStringLiteral("results"); });
    connect(m_check.get(), &StatusCheck::checkIdleChanged, this, [this](bool idle) { m_idle << idle; });
}

void TestStatusCheck::addHosts(const QList<QByteArray>& list)
{
    for (const QByteArray& name : list)
        m_hosts->appendHost(name, name.toLower() + ".example:2346");
}

QStringList TestStatusCheck::names() const
{
    QStringList n;
    for (int i = 0; i < m_hosts->hostCount(); ++i)
        n << m_hosts->nameText(i);
    return n;
}

void TestStatusCheck::wholeCheckWithLiveHostsFirst()
{
    addHosts({"A", "B", "C", "D"});
    m_sort = true;
    m_fake->setScenario("host b.example:2346 3 16 25 Yes\nhost d.example:2346 3 16 25 No\n");
    click();
    QCOMPARE(m_button->text(), Stop);
    QCOMPARE(m_button->toolTip(), StopHint);
    QCOMPARE(fontColour(*m_button), QColor(255, 0, 0));
    QCOMPARE(m_idle, QList<bool>{false});
    QVERIFY(QFile::exists(m_folders->program(QStringLiteral("HostIPList.dat"))));

    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Waiting, 20000);
    QCOMPARE(names(),
             (QStringList{QStringLiteral("B"), QStringLiteral("D"), QStringLiteral("A"), QStringLiteral("C")}));
    QCOMPARE(m_hosts->host(0).status, QStringLiteral("3/16[25]"));
    QCOMPARE(m_hosts->host(1).status, QStringLiteral("4/17[25]"));
    QVERIFY(!m_hosts->isLive(2) && !m_hosts->isLive(3));
    QCOMPARE(m_button->text(), Stop);
    QCOMPARE(fontColour(*m_button), QColor(255, 0, 0));
    QVERIFY(m_button->isEnabled());

    click();
    QCOMPARE(m_button->text(), Stopping);
    QVERIFY(!m_button->isEnabled());
    QCOMPARE(m_button->toolTip(), StartHint);
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Idle, 20000);
    QCOMPARE(m_button->text(), Start);
    QCOMPARE(fontColour(*m_button), QColor(0, 0, 255));
    QVERIFY(m_button->isEnabled());
    QCOMPARE(m_idle, (QList<bool>{false, true}));
    QCOMPARE(m_events, (QStringList{QStringLiteral("Started"), QStringLiteral("Querying"), QStringLiteral("results"),
                                    QStringLiteral("Waiting"), QStringLiteral("Stopping"), QStringLiteral("Idle")}));
    QVERIFY(m_prompter.asked.isEmpty());

    // Each start makes a new check.
    click();
    QTRY_VERIFY_WITH_TIMEOUT(m_events.count(QStringLiteral("results")) == 2, 20000);
    click();
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Idle, 20000);
    QCOMPARE(m_fake->runs().size(), 2);
}

void TestStatusCheck::queryStatesShowOnTheButton()
{
    addHosts({"A"});
    const QString started = m_fake->path(QStringLiteral("started"));
    const QString release = m_fake->path(QStringLiteral("release"));
    m_fake->setScenario("started " + QFile::encodeName(started) + "\nwait-for " + QFile::encodeName(release) + "\n");
    click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_button->text(), Querying, 20000);
    QVERIFY(m_button->isEnabled());
    TestFolders::writeFile(release, "go");
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Waiting, 20000);
    QCOMPARE(m_button->text(), Stop);
    m_check->stopAndWait();
    QCOMPARE(m_check->state(), State::Idle);
}

void TestStatusCheck::eachCycleAsksInTheGridsOrder()
{
    addHosts({"A", "B", "C"});
    m_sort = true;
    m_check->setInterval(0);
    m_fake->setScenario("host c.example:2346 1 8 5 Yes\n");
    click();
    QTRY_VERIFY_WITH_TIMEOUT(m_events.count(QStringLiteral("results")) >= 2, 20000);
    m_check->stopAndWait();
    QCOMPARE(names(), (QStringList{QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("B")}));
    // Written before the last cycle's query, after the first cycle had moved C up.
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("HostIPList.dat"))),
             QByteArrayLiteral("GRS c.example:2346\r\nGRS a.example:2346\r\nGRS b.example:2346\r\n"));
    QCOMPARE(m_hosts->host(0).status, QStringLiteral("1/8[5]"));
}

void TestStatusCheck::stopDuringTheQueryShowsItsResultsFirst()
{
    addHosts({"A", "B"});
    const QString started = m_fake->path(QStringLiteral("started"));
    const QString release = m_fake->path(QStringLiteral("release"));
    m_fake->setScenario("started " + QFile::encodeName(started) + "\nwait-for " + QFile::encodeName(release) +
                        "\nhost b.example:2346 2 8 5 Yes\n");
    click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Querying, 20000);
    click();
    QCOMPARE(m_button->text(), Stopping);
    TestFolders::writeFile(release, "go");
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Idle, 20000);
    QCOMPARE(m_events, (QStringList{QStringLiteral("Started"), QStringLiteral("Querying"), QStringLiteral("Stopping"),
                                    QStringLiteral("results"), QStringLiteral("Idle")}));
    QCOMPARE(m_hosts->host(1).status, QStringLiteral("2/8[5]"));
    QCOMPARE(m_fake->runs().size(), 1);
}

void TestStatusCheck::intervalMenu()
{
    const QList<QAction*> items = m_check->intervalActions();
    QCOMPARE(items.size(), 7);
    QVERIFY(items.first()->isChecked());
    items.at(3)->trigger();
    QCOMPARE(m_check->interval(), 60000u);
    QVERIFY(items.at(3)->isChecked());
    QVERIFY(!items.first()->isChecked());
}

void TestStatusCheck::intervalChangeNeedsARestart()
{
    addHosts({"A"});
    const auto never = [this] { m_check->setInterval(3600u * 1000u); };
    const auto always = [this] { m_check->setInterval(0); };

    // A check begun with an hour's interval keeps it: the change only counts from the next start.
    never();
    click();
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Waiting, 20000);
    always();
    QCOMPARE(m_check->interval(), 0u);
    click();
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Idle, 20000);
    QCOMPARE(m_fake->runs().size(), 1);
    click();
    QTRY_VERIFY_WITH_TIMEOUT(m_fake->runs().size() >= 3, 20000);

    // And the other way round: a check that cycles at once goes on doing so.
    never();
    const int runs = int(m_fake->runs().size());
    QTRY_VERIFY_WITH_TIMEOUT(m_fake->runs().size() >= runs + 2, 20000);
    m_check->stopAndWait();
}

void TestStatusCheck::missingQueryProgramEndsTheCheckAndSaysSo()
{
    addHosts({"A"});
    QFile::remove(m_fake->programPath());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_folders->path(QStringLiteral("empty"))));
    m_hosts->setStatus(0, QStringLiteral("1/8[5]"));
    click();
    QTRY_COMPARE_WITH_TIMEOUT(m_prompter.asked.size(), 1, 20000);
    qputenv("PATH", path);
    QCOMPARE(m_check->state(), State::Idle);
    QCOMPARE(m_button->text(), Start);
    QCOMPARE(m_idle, (QList<bool>{false, true}));
    QCOMPARE(m_prompter.asked.first().icon, Prompter::Icon::Error);
    QVERIFY2(m_prompter.asked.first().text.contains(QStringLiteral("qstat が見つかりません")),
             qPrintable(m_prompter.asked.first().text));
    QVERIFY(!m_events.contains(QStringLiteral("results")));
    QCOMPARE(m_hosts->host(0).status, QStringLiteral("1/8[5]"));
}

void TestStatusCheck::unwritableAddressFileKeepsTheCheckIdle()
{
    addHosts({"A"});
    QVERIFY(QDir().mkpath(m_folders->program(QStringLiteral("HostIPList.dat"))));
    click();
    QCOMPARE(m_check->state(), State::Idle);
    QCOMPARE(m_button->text(), Start);
    QCOMPARE(m_idle, (QList<bool>{false, true}));
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY2(m_prompter.asked.first().text.contains(QStringLiteral("に書き込めません")),
             qPrintable(m_prompter.asked.first().text));
    QCOMPARE(m_fake->runs().size(), 0);
}

void TestStatusCheck::stopAndWaitEndsAHungQuery()
{
    addHosts({"A"});
    m_hosts->setStatus(0, QStringLiteral("1/8[5]"));
    const QString started = m_fake->path(QStringLiteral("started"));
    m_fake->setScenario("started " + QFile::encodeName(started) + "\nhang\n");
    click();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Querying, 20000);
    m_check->stopAndWait();
    QCOMPARE(m_check->state(), State::Idle);
    QCOMPARE(m_idle, (QList<bool>{false, true}));
    QVERIFY(!m_events.contains(QStringLiteral("results")));
    QVERIFY(m_prompter.asked.isEmpty());
    m_check->stopAndWait(); // nothing left to stop
}

void TestStatusCheck::damagedOutputKeepsTheScheduleGoing_data()
{
    QTest::addColumn<QByteArray>("scenario");
    QTest::addColumn<QStringList>("cells");
    QTest::newRow("binary bytes") << QByteArray("garbage 300000\n") << QStringList();
    QTest::newRow("no output") << QByteArray("nofile\n") << QStringList{QString(), QString()};
    QTest::newRow("odd lines") << QByteArray("line a.example:2346 x/8[5]No\nline b.example:2346 ]]]\nextra 9/9[9]Yes\n")
                               << QStringList{QStringLiteral("x/8[5]"), QStringLiteral("]")};
    QTest::newRow("no line ends") << QByteArray("eol none\nline a.example:2346 1/8[5]No\nline b.example:2346 /[]\n")
                                  << QStringList{QStringLiteral("1/8[5]"), QString()};
}

void TestStatusCheck::damagedOutputKeepsTheScheduleGoing()
{
    QFETCH(QByteArray, scenario);
    QFETCH(QStringList, cells);
    addHosts({"A", "B"});
    m_check->setInterval(0);
    m_fake->setScenario(scenario);
    click();
    QTRY_VERIFY_WITH_TIMEOUT(m_events.count(QStringLiteral("results")) >= 2, 20000);
    QCOMPARE(m_check->state() == State::Idle, false);
    m_check->stopAndWait();
    QCOMPARE(m_check->state(), State::Idle);
    QVERIFY(m_prompter.asked.isEmpty());
    if (!cells.isEmpty())
        QCOMPARE((QStringList{m_hosts->host(0).status, m_hosts->host(1).status}), cells);
    QCOMPARE(m_hosts->hostCount(), 2);
}

void TestStatusCheck::destroyedWhileRunning()
{
    addHosts({"A"});
    m_check->setInterval(0);
    click();
    QTRY_VERIFY_WITH_TIMEOUT(m_events.count(QStringLiteral("results")) >= 1, 20000);
    // Joins the thread: a running QThread destroyed would end the whole test process here.
    m_check.reset();
    QCOMPARE(m_button->text(), Start);
}

void TestStatusCheck::stoppingKeepsTheFocusOffTheAddressBox()
{
    // As on the host tab: the address box comes after the button in the focus chain.
    auto* address = new QLineEdit(QStringLiteral("1.2.3.4:2346"), m_window.get());
    address->show();
    addHosts({"A"});
    m_check->setInterval(3600u * 1000u);
    QApplication::setActiveWindow(m_window.get());
    m_button->setFocus();
    QTest::keyClick(m_button, Qt::Key_Space);
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Waiting, 20000);
    QTest::keyClick(m_button, Qt::Key_Space); // stop
    QVERIFY(!address->hasFocus());
    QTRY_COMPARE_WITH_TIMEOUT(m_check->state(), State::Idle, 20000);
    QVERIFY(m_button->hasFocus());
    QCOMPARE(address->text(), QStringLiteral("1.2.3.4:2346"));
}

QTEST_MAIN(TestStatusCheck)
#include "tst_StatusCheck.moc"

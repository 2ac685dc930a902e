// SPDX-License-Identifier: MIT
// The host edit dialog's watch rules, as the host tab's edit command uses them, and the grid's mark
// and tooltip for watched hosts.
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostNameDelegate.h"
#include "hosts/HostWatches.h"
#include "hosts/HostsPage.h"
#include "hosts/THostEditDlg.h"
#include "support/ScriptedPrompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <functional>

using hostwatch::WatchRule;

class TestHostEditDlg : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void rulesShownAndStored_data();
    void rulesShownAndStored();
    void cancelKeepsTheRules();
    void newAddressTakesTheRulesAlong();
    void sharedAddressKeepsItsRules();
    void watchedHostsAreMarked();
    void tooltipTellsTheLastAnswer();

private:
    // Runs the edit command; act plays the user in the dialog, which is then confirmed with OK.
    void edit(int host, const std::function<void(THostEditDlg&)>& act, bool ok = true);

    ScriptedPrompter m_prompter;
    std::unique_ptr<HostsPage> m_page;
    std::unique_ptr<HostWatches> m_watches;
};

void TestHostEditDlg::init()
{
    m_prompter = ScriptedPrompter();
    m_page = std::make_unique<HostsPage>(m_prompter);
    m_watches = std::make_unique<HostWatches>();
    m_page->setWatches(m_watches.get());
    m_page->hosts().appendHost("Alpha", "10.0.0.1:2346");
    m_page->hosts().appendHost("Bravo", "10.0.0.2:2346");
    m_page->resize(420, 300);
    m_page->show();
}

void TestHostEditDlg::cleanup()
{
    m_page.reset();
    m_watches.reset();
}

void TestHostEditDlg::edit(int host, const std::function<void(THostEditDlg&)>& act, bool ok)
{
    m_page->grid()->setCurrentHost(host);
    bool seen = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<THostEditDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        act(*dialog);
        if (ok)
            dialog->findChild<QPushButton*>(QStringLiteral("btnOK"))->click();
        else
            dialog->reject();
    });
    m_page->actEditHostExecute();
    QVERIFY(seen);
}

void TestHostEditDlg::rulesShownAndStored_data()
{
    QTest::addColumn<bool>("free");
    QTest::addColumn<bool>("players");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("storedAtLeast");
    QTest::newRow("free slot") << true << false << 8 << 0;
    QTest::newRow("at least 12") << false << true << 12 << 12;
    QTest::newRow("both") << true << true << 3 << 3;
    QTest::newRow("count without its box") << false << false << 20 << 0;
}

void TestHostEditDlg::rulesShownAndStored()
{
    QFETCH(bool, free);
    QFETCH(bool, players);
    QFETCH(int, count);
    QFETCH(int, storedAtLeast);
    edit(1, [&](THostEditDlg& d) {
        QVERIFY(!d.notifyFreeBox()->isChecked());
        QVERIFY(!d.notifyPlayersBox()->isChecked());
        QVERIFY(!d.notifyPlayersCount()->isEnabled());
        d.notifyFreeBox()->setChecked(free);
        d.notifyPlayersBox()->setChecked(players);
        d.notifyPlayersCount()->setValue(count);
    });
    const WatchRule expected{free, storedAtLeast};
    QCOMPARE(m_watches->rule("10.0.0.2:2346"), expected);
    QCOMPARE(m_watches->isWatched("10.0.0.2:2346"), expected.isSet());
    QVERIFY(!m_watches->isWatched("10.0.0.1:2346"));

    // Shown again as stored.
    edit(1, [&](THostEditDlg& d) {
        QCOMPARE(d.notifyFreeBox()->isChecked(), free);
        QCOMPARE(d.notifyPlayersBox()->isChecked(), storedAtLeast > 0);
        if (storedAtLeast > 0)
            QCOMPARE(d.notifyPlayersCount()->value(), storedAtLeast);
    });
    QCOMPARE(m_watches->rule("10.0.0.2:2346"), expected);
}

void TestHostEditDlg::cancelKeepsTheRules()
{
    m_watches->setRule("10.0.0.1:2346", {true, 0});
    edit(
        0, [](THostEditDlg& d) { d.notifyFreeBox()->setChecked(false); }, false);
    QCOMPARE(m_watches->rule("10.0.0.1:2346"), (WatchRule{true, 0}));
}

void TestHostEditDlg::newAddressTakesTheRulesAlong()
{
    m_watches->setRule("10.0.0.1:2346", {false, 6});
    edit(0, [](THostEditDlg& d) { d.addressEdit()->setText(QStringLiteral("10.0.0.5:2346")); });
    QVERIFY(!m_watches->isWatched("10.0.0.1:2346"));
    QCOMPARE(m_watches->rule("10.0.0.5:2346"), (WatchRule{false, 6}));
}

void TestHostEditDlg::sharedAddressKeepsItsRules()
{
    m_page->hosts().appendHost("Alpha too", "10.0.0.1:2346");
    m_watches->setRule("10.0.0.1:2346", {true, 0});
    edit(0, [](THostEditDlg& d) {
        d.addressEdit()->setText(QStringLiteral("10.0.0.5:2346"));
        d.notifyFreeBox()->setChecked(false);
    });
    QCOMPARE(m_watches->rule("10.0.0.1:2346"), (WatchRule{true, 0}));
    QVERIFY(!m_watches->isWatched("10.0.0.5:2346"));
}

void TestHostEditDlg::watchedHostsAreMarked()
{
    auto* delegate = qobject_cast<HostNameDelegate*>(m_page->grid()->itemDelegate());
    QVERIFY(delegate);
    const HostGridModel& hosts = m_page->hosts();
    const QModelIndex alpha = hosts.index(0, HostGridModel::NameColumn);
    const QModelIndex bravo = hosts.index(1, HostGridModel::NameColumn);
    QVERIFY(!delegate->isMarked(alpha));
    m_watches->setRule("10.0.0.2:2346", {true, 0});
    QVERIFY(!delegate->isMarked(alpha));
    QVERIFY(delegate->isMarked(bravo));
    QVERIFY(!delegate->isMarked(hosts.index(1, HostGridModel::AddressColumn)));
    // The mark follows the host when the rows move.
    m_page->MoveHostRow(1, 0);
    QVERIFY(delegate->isMarked(hosts.index(0, HostGridModel::NameColumn)));
    QVERIFY(!delegate->isMarked(hosts.index(1, HostGridModel::NameColumn)));
    // An empty slot is never marked.
    QVERIFY(!delegate->isMarked(hosts.index(5, HostGridModel::NameColumn)));
}

void TestHostEditDlg::tooltipTellsTheLastAnswer()
{
    // What the tip says is the watches' own test; here, that the grid shows it for its host.
    HostGridModel& hosts = m_page->hosts();
    hosts.setStatus(0, QStringLiteral("5/16[00:03:00]"));
    m_watches->evaluate(hosts, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
    hosts.clearStatuses();
    m_watches->evaluate(hosts, QDateTime(QDate(2026, 1, 2), QTime(3, 4, 15)));
    const QString tip = m_page->grid()->hostToolTip(0);
    QVERIFY2(tip.contains(QStringLiteral("5/16[00:03:00]")), qPrintable(tip));
    QCOMPARE(m_page->grid()->hostToolTip(7), QString());
}

QTEST_MAIN(TestHostEditDlg)
#include "tst_THostEditDlg.moc"

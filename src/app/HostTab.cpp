// SPDX-License-Identifier: MIT
#include "app/HostTab.h"

#include "app/TrayController.h"
#include "hosts/HostGridView.h"
#include "hosts/HostListTransfer.h"
#include "hosts/HostWatchRules.h"
#include "hosts/HostWatches.h"
#include "hosts/HostsPage.h"
#include "hosts/THostList.h"
#include "launch/AddressBar.h"
#include "launch/GameLauncher.h"
#include "launch/HostCreationPanel.h"
#include "launch/PublicAddressPanel.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/PlainToolTip.h"
#include "status/ModJoin.h"
#include "status/StatusCheck.h"
#include "status/THostInfoDlg.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

HostTab::HostTab(Prompter& prompter, const QString& programFolder, AddressHistory& history, GameLauncher& launcher,
                 QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_hosts(new HostsPage(prompter, this)),
      m_statusButton(new QPushButton(this)),
      m_status(new StatusCheck(prompter, m_hosts->hosts(), programFolder, m_statusButton, this)),
      m_address(new AddressBar(prompter, history, launcher, this)),
      m_creation(new HostCreationPanel(prompter, launcher)), m_publicAddress(new PublicAddressPanel(prompter)),
      m_transfer(new HostListTransfer(prompter, m_hosts->hosts(), programFolder, this)), m_launcher(launcher),
      m_programFolder(programFolder), m_watches(new HostWatches(this)),
      m_hostListStore(
          prompter, [this] { THostList(m_hosts->hosts()).LoadHostList(hostListPath()); },
          [this] { THostList(m_hosts->hosts()).SaveHostList(hostListPath()); }),
      m_watchStore(
          prompter, [this] { m_watches->load(QDir(m_programFolder).filePath(hostwatch::FileName)); },
          [this] { m_watches->save(QDir(m_programFolder).filePath(hostwatch::FileName), m_hosts->hosts()); }),
      m_problemLine(new QLabel(this))
{
    m_statusButton->setObjectName(QStringLiteral("BtnStatus"));
    m_hosts->headerLayout()->addWidget(m_statusButton);
    connect(m_status, &StatusCheck::checkIdleChanged, m_hosts, &HostsPage::setCheckIdle);
    connect(m_status, &StatusCheck::checkIdleChanged, m_transfer, &HostListTransfer::setCheckIdle);
    m_status->setSortLiveHostsFirst([hosts = m_hosts] { return hosts->sortLiveHostsFirst(); });
    connect(m_hosts, &HostsPage::joinRequested, this,
            guarded(prompter, [this](const QString& address, const QString& name) { join(address, name); }));

    m_hosts->setWatches(m_watches);
    connect(m_status, &StatusCheck::resultsApplied, this, &HostTab::notifyWatchedHosts);
    m_problemLine->setObjectName(QStringLiteral("lblQueryProblem"));
    // The query program's own words: never markup.
    m_problemLine->setTextFormat(Qt::PlainText);
    QPalette problemPalette = m_problemLine->palette();
    problemPalette.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    m_problemLine->setPalette(problemPalette);
    m_problemLine->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_problemLine->hide();
    m_hosts->setGridFooter(m_problemLine);
    connect(m_status, &StatusCheck::queryProblemChanged, this, &HostTab::showQueryProblem);

    auto* creation = new QGroupBox(tr("ホスト作成"), this);
    creation->setObjectName(QStringLiteral("HostCreationGroup"));
    auto* creationLayout = new QVBoxLayout(creation);
    creationLayout->setContentsMargins(4, 2, 4, 4);
    creationLayout->setSpacing(2);
    creationLayout->addWidget(m_creation);
    creationLayout->addWidget(m_publicAddress);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_hosts, 1);
    layout->addWidget(m_address);
    layout->addWidget(creation);
}

QString HostTab::hostListPath() const { return apppaths::join(m_programFolder, THostList::fileName()); }

void HostTab::checkHostListFile()
{
    THostList(m_hosts->hosts()).CheckHostListFile(hostListPath(), m_prompter, m_transfer->webListOpener());
}

void HostTab::attachTray(TrayController& tray)
{
    connect(this, &HostTab::hostNotification, this, [this, &tray](const QString& title, const QString& text) {
        if (!tray.showNotification(title, text))
            emit notice(text);
    });
    connect(&tray, &TrayController::notificationClicked, this, guarded(m_prompter, [this] { joinNotifiedHost(); }));
}

void HostTab::attachModJoin(ModJoin& modJoin, hostinfo::ModPresence isModInstalled)
{
    m_modJoin = &modJoin;
    m_isModInstalled = std::move(isModInstalled);
    modJoin.setJoiner([this](const QString& address, const QString& name) { join(address, name); });
    // The host information dialog is made the first time it is asked for (then it connects to the
    // item itself); until then no host has reported its mods, so its join stays off as it starts.
    m_hostInfoOpener = connect(m_hosts->hostInfoAction(), &QAction::triggered, this,
                               guarded(m_prompter, [this] { hostInfoDialog()->N18Click(); }));
}

THostInfoDlg* HostTab::hostInfoDialog()
{
    if (!m_hostInfo) {
        disconnect(m_hostInfoOpener);
        m_hostInfo = new THostInfoDlg(m_prompter, m_programFolder, *m_hosts, m_isModInstalled, window());
        m_hostInfo->attachModJoin(m_modJoin);
        connect(m_hostInfo, &THostInfoDlg::notice, this, &HostTab::notice);
        connect(m_hostInfo, &THostInfoDlg::noticeRenewed, this, &HostTab::noticeRenewed);
        connect(m_hostInfo, &THostInfoDlg::noticeWithdrawn, this, &HostTab::noticeWithdrawn);
    }
    return m_hostInfo;
}

void HostTab::join(const QString& address, const QString& name)
{
    m_launcher.LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, name));
}

void HostTab::notifyWatchedHosts()
{
    const QList<HostWatches::Notification> fired = m_watches->evaluate(m_hosts->hosts(), QDateTime::currentDateTime());
    if (fired.isEmpty())
        return;
    // One notification per cycle, a line per rule; a click joins the first host it names.
    QStringList lines;
    for (const HostWatches::Notification& n : fired)
        lines << n.text;
    m_notifiedAddress = fired.first().address;
    m_notifiedName = fired.first().name;
    emit hostNotification(tr("モルベーン: ホストの通知"), lines.join(QLatin1Char('\n')));
}

void HostTab::joinNotifiedHost()
{
    if (!m_notifiedAddress.isEmpty())
        join(m_notifiedAddress, m_notifiedName);
}

void HostTab::showQueryProblem(const QString& problem)
{
    // One line under the grid; the whole text is its tooltip (and the check button's).
    const QStringList lines = problem.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString shown = lines.value(0);
    if (lines.size() > 1)
        shown += tr(" (他%1件)").arg(lines.size() - 1);
    // As wide as the grid above it.
    m_problemLine->setText(m_problemLine->fontMetrics().elidedText(shown, Qt::ElideRight, m_hosts->grid()->width()));
    m_problemLine->setToolTip(plainToolTip(problem));
    m_problemLine->setVisible(!problem.isEmpty());
}

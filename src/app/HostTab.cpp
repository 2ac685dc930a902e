// SPDX-License-Identifier: MIT
#include "app/HostTab.h"

#include "hosts/HostListTransfer.h"
#include "hosts/HostsPage.h"
#include "launch/AddressBar.h"
#include "launch/HostCreationPanel.h"
#include "launch/PublicAddressPanel.h"
#include "status/StatusCheck.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

HostTab::HostTab(Prompter& prompter, const QString& programFolder, AddressHistory& history, GameLauncher& launcher,
                 QWidget* parent)
    : QWidget(parent), m_hosts(new HostsPage(prompter, this)), m_statusButton(new QPushButton(this)),
      m_status(new StatusCheck(prompter, m_hosts->hosts(), programFolder, m_statusButton, this)),
      m_address(new AddressBar(prompter, history, launcher, this)),
      m_creation(new HostCreationPanel(prompter, launcher)), m_publicAddress(new PublicAddressPanel(prompter)),
      m_transfer(new HostListTransfer(prompter, m_hosts->hosts(), programFolder, this))
{
    m_statusButton->setObjectName(QStringLiteral("BtnStatus"));
    m_hosts->headerLayout()->addWidget(m_statusButton);
    connect(m_status, &StatusCheck::checkIdleChanged, m_hosts, &HostsPage::setCheckIdle);
    connect(m_status, &StatusCheck::checkIdleChanged, m_transfer, &HostListTransfer::setCheckIdle);
    m_status->setSortLiveHostsFirst([hosts = m_hosts] { return hosts->sortLiveHostsFirst(); });

    auto* creation = new QGroupBox(QStringLiteral("ホスト作成"), this);
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

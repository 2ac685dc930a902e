// SPDX-License-Identifier: MIT
#include "app/HostTab.h"

#include "hosts/HostsPage.h"
#include "launch/AddressBar.h"
#include "launch/HostCreationPanel.h"
#include "status/StatusCheck.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

HostTab::HostTab(Prompter& prompter, const QString& programFolder, AddressHistory& history, GameLauncher& launcher,
                 QWidget* parent)
    : QWidget(parent), m_hosts(new HostsPage(prompter, this)), m_statusButton(new QPushButton(this)),
      m_status(new StatusCheck(prompter, m_hosts->hosts(), programFolder, m_statusButton, this)),
      m_address(new AddressBar(prompter, history, launcher, this)),
      m_creation(new HostCreationPanel(prompter, launcher, this))
{
    m_statusButton->setObjectName(QStringLiteral("BtnStatus"));
    m_hosts->headerLayout()->addWidget(m_statusButton);
    connect(m_status, &StatusCheck::checkIdleChanged, m_hosts, &HostsPage::setCheckIdle);
    m_status->setSortLiveHostsFirst([hosts = m_hosts] { return hosts->sortLiveHostsFirst(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(m_hosts, 1);
    layout->addWidget(m_address);
    layout->addWidget(m_creation);
}

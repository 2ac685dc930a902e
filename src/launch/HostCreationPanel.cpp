// SPDX-License-Identifier: MIT
#include "launch/HostCreationPanel.h"

#include "launch/GameLauncher.h"
#include "platform/HandlerGuard.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>

HostCreationPanel::HostCreationPanel(Prompter& prompter, GameLauncher& launcher, QWidget* parent)
    : QWidget(parent), m_launcher(launcher), m_createHost(new QPushButton(tr("ホスト作成(&S)"), this)),
      m_createDedicated(new QPushButton(tr("専用ホスト作成"), this)),
      m_autoRestart(new QCheckBox(tr("ＧＲ自動再起動（専用ホストのみ）"), this))
{
    setObjectName(QStringLiteral("HostCreationPanel"));
    m_createHost->setObjectName(QStringLiteral("btnCreateHost"));
    m_createHost->setToolTip(tr("自分がホストになってゲームを始めます"));
    m_createDedicated->setObjectName(QStringLiteral("btnCreateDedicatedHost"));
    m_createDedicated->setToolTip(tr("デディケートホストを作成します"));
    // Not stored in the settings: every run starts with it unticked.
    m_autoRestart->setObjectName(QStringLiteral("CheckBox1"));
    m_autoRestart->setToolTip(tr("専用ホストが異常終了したときに、自動で再起動します"));
    m_autoRestart->setChecked(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_createHost);
    layout->addWidget(m_createDedicated);
    layout->addWidget(m_autoRestart);
    layout->addStretch(1);

    connect(m_createHost, &QPushButton::clicked, this, guarded(prompter, [this] { btnCreateHostClick(); }));
    connect(m_createDedicated, &QPushButton::clicked, this,
            guarded(prompter, [this] { btnCreateDedicatedHostClick(); }));

    // Read each time a dedicated-host run ends, so unticking it during a run ends the chain.
    m_launcher.setAutoRestartSource([box = QPointer<QCheckBox>(m_autoRestart)] { return box && box->isChecked(); });
}

void HostCreationPanel::btnCreateHostClick()
{
    m_launcher.LaunchGame(LaunchMode::Host, QString(), GameLauncher::statusText(LaunchMode::Host));
}

void HostCreationPanel::btnCreateDedicatedHostClick()
{
    m_launcher.LaunchGame(LaunchMode::Dedicated, QString(), GameLauncher::statusText(LaunchMode::Dedicated));
}

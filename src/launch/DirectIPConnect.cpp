// SPDX-License-Identifier: MIT
#include "launch/DirectIPConnect.h"

#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/HistoryComboBox.h"
#include "platform/HandlerGuard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TIPConnectionDlg::TIPConnectionDlg(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_history(history), m_launcher(launcher), m_box(new HistoryComboBox(this)),
      m_connect(new QPushButton(QStringLiteral("接続"), this)), m_close(new QPushButton(QStringLiteral("やめる"), this))
{
    setObjectName(QStringLiteral("IPConnectionDlg"));
    setWindowTitle(QStringLiteral("IP指定接続"));
    auto* label = new QLabel(QStringLiteral("ホストアドレス"), this);
    label->setObjectName(QStringLiteral("Label1"));

    m_box->setObjectName(QStringLiteral("IPComboBox2"));
    m_box->setHistoryModel(&m_history);
    m_box->setEditText(QStringLiteral("000.000.000.000"));
    m_box->setMinimumContentsLength(21);
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    label->setBuddy(m_box);

    m_connect->setObjectName(QStringLiteral("btnConnect"));
    m_connect->setEnabled(false);
    m_close->setObjectName(QStringLiteral("btnCancel"));
    // Enter belongs to the address box; a default button would take it first.
    for (QPushButton* b : {m_connect, m_close}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_connect);
    buttons->addWidget(m_close);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_box, 1, 0);
    layout->addLayout(buttons, 2, 0);

    connect(m_box, &HistoryComboBox::userTextChanged, this,
            guarded(prompter, [this](const QString& text) { IPComboBox2Change(text); }));
    connect(m_box, &HistoryComboBox::enterPressed, this, guarded(prompter, [this] { IPComboBox2Enter(); }));
    connect(m_connect, &QPushButton::clicked, this, guarded(prompter, [this] { btnConnectClick(); }));
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

QString TIPConnectionDlg::addressText() const
{
    return m_box->currentText();
}

void TIPConnectionDlg::IPComboBox2Change(const QString& text)
{
    m_connect->setEnabled(!text.isEmpty());
}

void TIPConnectionDlg::IPComboBox2Enter()
{
    // Enter does what the connect button would: an empty box joins nothing and records nothing.
    if (!addressText().isEmpty())
        btnConnectClick();
}

void TIPConnectionDlg::btnConnectClick()
{
    const QString address = addressText();
    m_history.insertAtTop(address);
    m_launcher.LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, address));
}

// SPDX-License-Identifier: MIT
#include "launch/TIPConnectionDlg.h"

#include "launch/AddressEntry.h"
#include "launch/HistoryComboBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TIPConnectionDlg::TIPConnectionDlg(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_entry(new AddressEntry(prompter, history, launcher, AddressEntry::HistoryRule::AlwaysTop,
                               QStringLiteral("000.000.000.000"), this)),
      m_close(new QPushButton(tr("やめる"), this))
{
    setObjectName(QStringLiteral("IPConnectionDlg"));
    setWindowTitle(tr("IP指定接続"));
    auto* label = new QLabel(tr("ホストアドレス"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setBuddy(comboBox());
    comboBox()->setObjectName(QStringLiteral("IPComboBox2"));
    m_close->setObjectName(QStringLiteral("btnCancel"));
    m_close->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_entry);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

HistoryComboBox* TIPConnectionDlg::comboBox() const { return m_entry->comboBox(); }

QPushButton* TIPConnectionDlg::connectButton() const { return m_entry->connectButton(); }

QString TIPConnectionDlg::addressText() const { return m_entry->addressText(); }

void TIPConnectionDlg::btnConnectClick() { m_entry->btnConnectClick(); }

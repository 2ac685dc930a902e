// SPDX-License-Identifier: MIT
#include "launch/AddressBar.h"

#include "launch/AddressEntry.h"
#include "launch/AddressHistory.h"
#include "launch/HistoryComboBox.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>

AddressBar::AddressBar(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent)
    : QGroupBox(parent), m_prompter(prompter), m_history(history),
      m_entry(new AddressEntry(prompter, history, launcher, AddressEntry::HistoryRule::KeepPlace,
                               AddressHistory::defaultAddress(), this)),
      m_paste(new QPushButton(tr("貼り付け"), this)), m_clearHistory(new QAction(tr("IP履歴のクリア"), this))
{
    setObjectName(QStringLiteral("AddressGroup"));
    auto* label = new QLabel(QStringLiteral("IP :"), this);

    comboBox()->setObjectName(QStringLiteral("IPComboBox"));
    comboBox()->setToolTip(tr("接続したいホストのアドレスを入れます"));
    m_paste->setObjectName(QStringLiteral("btnPasteAddress"));
    m_paste->setToolTip(tr("クリップボードの内容を貼り付けます"));
    m_paste->setAutoDefault(false);
    connectButton()->setToolTip(tr("指定されたアドレスのゲームに接続します"));
    QFont bold = connectButton()->font();
    bold.setBold(true);
    connectButton()->setFont(bold);
    m_entry->addButton(m_paste);
    m_clearHistory->setObjectName(QStringLiteral("IP2"));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_entry, 1);

    connect(m_paste, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnPasteAddressClick(); }));
    connect(m_clearHistory, &QAction::triggered, this, guarded(m_prompter, [this] { IP2Click(); }));
}

HistoryComboBox* AddressBar::comboBox() const { return m_entry->comboBox(); }

QPushButton* AddressBar::connectButton() const { return m_entry->connectButton(); }

QString AddressBar::addressText() const { return m_entry->addressText(); }

void AddressBar::btnConnectClick() { m_entry->btnConnectClick(); }

void AddressBar::btnPasteAddressClick()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    m_entry->setAddressText(data->text());
}

void AddressBar::IP2Click()
{
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("接続したIPの履歴をクリアします")))
        return;
    m_history.clear();
    comboBox()->setEditText(AddressHistory::defaultAddress());
    // Show the start of the address when the box is narrower than the text.
    comboBox()->lineEdit()->setCursorPosition(0);
}

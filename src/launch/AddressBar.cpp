// SPDX-License-Identifier: MIT
#include "launch/AddressBar.h"

#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/HistoryComboBox.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>

AddressBar::AddressBar(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent)
    : QGroupBox(parent), m_prompter(prompter), m_history(history), m_launcher(launcher),
      m_box(new HistoryComboBox(this)), m_paste(new QPushButton(QStringLiteral("貼り付け"), this)),
      m_connect(new QPushButton(QStringLiteral("接続"), this))
{
    setObjectName(QStringLiteral("AddressGroup"));
    auto* label = new QLabel(QStringLiteral("IP :"), this);

    m_box->setObjectName(QStringLiteral("IPComboBox"));
    m_box->setToolTip(QStringLiteral("接続したいホストのアドレスを入れます"));
    m_box->setHistoryModel(&m_history);
    m_box->setEditText(AddressHistory::defaultAddress());
    // Show the start of the address when the box is narrower than the text.
    m_box->lineEdit()->setCursorPosition(0);
    m_box->setMinimumContentsLength(21);
    m_box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

    m_paste->setObjectName(QStringLiteral("btnPasteAddress"));
    m_paste->setToolTip(QStringLiteral("クリップボードの内容を貼り付けます"));

    m_connect->setObjectName(QStringLiteral("btnConnect"));
    m_connect->setToolTip(QStringLiteral("指定されたアドレスのゲームに接続します"));
    QFont bold = m_connect->font();
    bold.setBold(true);
    m_connect->setFont(bold);
    m_connect->setEnabled(false);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_box, 1);
    layout->addWidget(m_paste);
    layout->addWidget(m_connect);

    connect(m_box, &HistoryComboBox::userTextChanged, this,
            guarded(m_prompter, [this](const QString& text) { IPComboBoxChange(text); }));
    connect(m_box, &HistoryComboBox::enterPressed, this, guarded(m_prompter, [this] { IPComboBoxEnter(); }));
    connect(m_paste, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnPasteAddressClick(); }));
    connect(m_connect, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnConnectClick(); }));
}

QString AddressBar::addressText() const
{
    return m_box->currentText();
}

void AddressBar::IPComboBoxChange(const QString& text)
{
    m_connect->setEnabled(!text.isEmpty());
}

void AddressBar::IPComboBoxEnter()
{
    if (!addressText().isEmpty())
        btnConnectClick();
}

void AddressBar::btnConnectClick()
{
    // Taken before the join: the box may be changed while the game runs.
    const QString address = addressText();
    m_history.insertTyped(address);
    m_launcher.LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, address));
}

void AddressBar::btnPasteAddressClick()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return;
    const QString text = data->text();
    m_box->setEditText(text);
    IPComboBoxChange(text);
}

void AddressBar::IP2Click()
{
    if (!m_prompter.confirm(Prompter::Icon::Question, QStringLiteral("接続したIPの履歴をクリアします")))
        return;
    m_history.clear();
    m_box->setEditText(AddressHistory::defaultAddress());
    // Show the start of the address when the box is narrower than the text.
    m_box->lineEdit()->setCursorPosition(0);
}

// SPDX-License-Identifier: MIT
#include "launch/AddressEntry.h"

#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/HistoryComboBox.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>

AddressEntry::AddressEntry(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, HistoryRule rule,
                           const QString& initialText, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_history(history), m_launcher(launcher), m_rule(rule),
      m_box(new HistoryComboBox(this)), m_connect(new QPushButton(tr("接続"), this)), m_layout(new QHBoxLayout(this))
{
    m_box->setHistoryModel(&m_history);
    m_box->setEditText(initialText);
    // Show the start of the address when the box is narrower than the text.
    m_box->lineEdit()->setCursorPosition(0);
    // Wide enough for the whole default text beside the drop-down arrow, in the font it is shown in.
    QStyleOptionComboBox option;
    option.initFrom(m_box);
    option.editable = true;
    const QFontMetrics metrics = m_box->fontMetrics();
    const QSize text(metrics.horizontalAdvance(initialText + QStringLiteral("00")), metrics.height());
    m_box->setMinimumWidth(m_box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, m_box).width());

    m_connect->setObjectName(QStringLiteral("btnConnect"));
    m_connect->setEnabled(false);
    // Enter belongs to the address box; a default button would take it first.
    m_connect->setAutoDefault(false);
    m_connect->setDefault(false);

    fitToText(m_connect);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addWidget(m_box, 1);
    m_layout->addWidget(m_connect);

    connect(m_box, &HistoryComboBox::userTextChanged, this,
            guarded(m_prompter, [this](const QString& text) { textChanged(text); }));
    connect(m_box, &HistoryComboBox::enterPressed, this, guarded(m_prompter, [this] {
                // Enter does what the button would: an empty box joins nothing and records nothing.
                if (!addressText().isEmpty())
                    btnConnectClick();
            }));
    connect(m_connect, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnConnectClick(); }));
}

QString AddressEntry::addressText() const { return m_box->currentText(); }

void AddressEntry::setAddressText(const QString& text)
{
    m_box->setEditText(text);
    textChanged(text);
}

void AddressEntry::addButton(QPushButton* button)
{
    fitToText(button);
    m_layout->insertWidget(m_layout->indexOf(m_connect), button);
}

void AddressEntry::fitToText(QPushButton* button)
{
    // Styles give a text button at least 80 px; beside an address box in a fixed window that is room
    // the box needs.
    QFont font = button->font();
    font.setBold(true);
    button->setFixedWidth(QFontMetrics(font).horizontalAdvance(button->text()) + 24);
}

void AddressEntry::textChanged(const QString& text) { m_connect->setEnabled(!text.isEmpty()); }

void AddressEntry::btnConnectClick()
{
    // Taken before the join: the box may be changed while the game runs.
    const QString address = addressText();
    // The history is stored in code page 932: what it cannot hold would come back as "?".
    if (const QString refusal = cp932::unencodableMessage(address); !refusal.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, refusal);
        return;
    }
    if (m_rule == HistoryRule::KeepPlace)
        m_history.insertTyped(address);
    else
        m_history.insertAtTop(address);
    m_launcher.LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, address));
}

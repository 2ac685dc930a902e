// SPDX-License-Identifier: MIT
#include "hosts/THostEditDlg.h"

#include "hosts/HostGridModel.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

THostEditDlg::THostEditDlg(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_nameEdit(new QLineEdit(this)), m_addressEdit(new QLineEdit(this)),
      m_okButton(new QPushButton(QStringLiteral("OK"), this)), m_cancelButton(new QPushButton(tr("キャンセル"), this)),
      m_notifyFree(new QCheckBox(tr("空きが出たら通知"), this)), m_notifyPlayers(new QCheckBox(this)),
      m_playersCount(new QSpinBox(this))
{
    setObjectName(QStringLiteral("HostEditDlg"));
    setWindowTitle(tr("ホストの編集"));
    setModal(true);

    m_nameEdit->setObjectName(QStringLiteral("EditHostName"));
    m_nameEdit->setToolTip(tr("ホストに分かりやすい名前を付けることができます"));
    m_addressEdit->setObjectName(QStringLiteral("EditIP"));
    m_addressEdit->setToolTip(tr("ホストのIPアドレスかドメインを入力します"));
    m_okButton->setObjectName(QStringLiteral("btnOK"));
    m_okButton->setDefault(true);
    m_okButton->setAutoDefault(true);
    m_cancelButton->setObjectName(QStringLiteral("btnCancel"));
    m_cancelButton->setAutoDefault(false);

    auto* fields = new QVBoxLayout;
    auto addField = [&](const QString& caption, QLineEdit* edit) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(edit);
        fields->addWidget(label);
        fields->addWidget(edit);
    };
    addField(tr("ホスト名"), m_nameEdit);
    addField(tr("アドレス"), m_addressEdit);

    // Watched while the status check runs: a rule that becomes true shows a notification.
    auto* watch = new QGroupBox(tr("ﾁｪｯｸ中の通知"), this);
    watch->setObjectName(QStringLiteral("WatchGroup"));
    watch->setToolTip(tr("稼働状況チェック中に条件を満たすと、通知領域でお知らせします"));
    m_notifyFree->setObjectName(QStringLiteral("ChkNotifyFree"));
    m_notifyPlayers->setObjectName(QStringLiteral("ChkNotifyPlayers"));
    m_playersCount->setObjectName(QStringLiteral("SpnNotifyPlayers"));
    m_playersCount->setRange(1, hostwatch::MaxAtLeast);
    m_playersCount->setValue(8);
    m_playersCount->setEnabled(false);
    auto* playersLabel = new QLabel(tr("人以上で通知"), this);
    playersLabel->setBuddy(m_playersCount);
    connect(m_notifyPlayers, &QCheckBox::toggled, m_playersCount, &QWidget::setEnabled);
    auto* playersRow = new QHBoxLayout;
    playersRow->addWidget(m_notifyPlayers);
    playersRow->addWidget(m_playersCount);
    playersRow->addWidget(playersLabel);
    playersRow->addStretch();
    auto* watchLayout = new QVBoxLayout(watch);
    watchLayout->addWidget(m_notifyFree);
    watchLayout->addLayout(playersRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(watch);
    layout->addLayout(buttons);
    setMinimumWidth(260);

    connect(m_okButton, &QPushButton::clicked, this, guarded(m_prompter, [this](bool) { OKBtnClick(); }));
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

THostEditDlg::~THostEditDlg() = default;

void THostEditDlg::setHost(const QByteArray& name, const QByteArray& address)
{
    m_shownName = KeptText(name);
    m_shownAddress = KeptText(address);
    m_nameEdit->setText(m_shownName.text());
    m_addressEdit->setText(m_shownAddress.text());
}

void THostEditDlg::setWatchRule(const hostwatch::WatchRule& rule)
{
    m_notifyFree->setChecked(rule.whenFree);
    m_notifyPlayers->setChecked(rule.atLeast > 0);
    if (rule.atLeast > 0)
        m_playersCount->setValue(rule.atLeast);
}

hostwatch::WatchRule THostEditDlg::watchRule() const
{
    return {m_notifyFree->isChecked(), m_notifyPlayers->isChecked() ? m_playersCount->value() : 0};
}

bool THostEditDlg::refuseEdited(QLineEdit* edit, const KeptText& shown)
{
    // A field left as it was keeps its bytes, whatever they hold.
    const QString refusal = edit->text() == shown.text() ? QString() : HostGridModel::refusalFor(edit->text());
    if (refusal.isEmpty())
        return false;
    m_prompter.message(Prompter::Icon::Warning, refusal);
    edit->setFocus();
    return true;
}

void THostEditDlg::OKBtnClick()
{
    const QByteArray address = m_shownAddress.bytesFor(m_addressEdit->text());
    // Blanks alone read back as an empty address too, and that would end the list.
    if (!HostGridModel::isUsableAddress(address)) {
        m_prompter.message(Prompter::Icon::Information, tr("IPは必ず入力してください"));
        m_addressEdit->setFocus();
        return;
    }
    if (refuseEdited(m_addressEdit, m_shownAddress) || refuseEdited(m_nameEdit, m_shownName))
        return;
    QByteArray name = m_shownName.bytesFor(m_nameEdit->text());
    if (name.isEmpty())
        name = cp932::fromUnicode(QStringLiteral("IPホスト"));
    m_name = name;
    m_address = address;
    accept();
}

void THostEditDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    m_nameEdit->setFocus(Qt::OtherFocusReason);
}

// SPDX-License-Identifier: MIT
#include "hosts/HostEdit.h"

#include "hosts/HostGridModel.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

THostEditDlg::THostEditDlg(Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_nameEdit(new QLineEdit(this)), m_addressEdit(new QLineEdit(this)),
      m_okButton(new QPushButton(QStringLiteral("OK"), this)),
      m_cancelButton(new QPushButton(QStringLiteral("キャンセル"), this))
{
    setObjectName(QStringLiteral("HostEditDlg"));
    setWindowTitle(QStringLiteral("ホストの編集"));
    setModal(true);

    m_nameEdit->setObjectName(QStringLiteral("EditHostName"));
    m_nameEdit->setToolTip(QStringLiteral("ホストに分かりやすい名前を付けることができます"));
    m_addressEdit->setObjectName(QStringLiteral("EditIP"));
    m_addressEdit->setToolTip(QStringLiteral("ホストのIPアドレスかドメインを入力します"));
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
    addField(QStringLiteral("ホスト名"), m_nameEdit);
    addField(QStringLiteral("アドレス"), m_addressEdit);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
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
        m_prompter.message(Prompter::Icon::Information, QStringLiteral("IPは必ず入力してください"));
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

// SPDX-License-Identifier: MIT
#include "status/TModChkForm.h"

#include "platform/Cp932.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

TModChkForm::TModChkForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), m_list(new QListWidget(this)),
      m_close(new QPushButton(tr("閉じる"), this))
{
    setObjectName(QStringLiteral("ModChkForm"));
    setWindowTitle(tr("結果"));
    auto* label = new QLabel(tr("このホストに入る前に以下のMODをインストールする必要があります"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);
    m_list->setObjectName(QStringLiteral("MODList"));
    m_close->setObjectName(QStringLiteral("Button1"));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_close, 0, Qt::AlignHCenter);
    resize(320, 240);
}

void TModChkForm::setMods(const QList<QByteArray>& mods)
{
    m_list->clear();
    for (const QByteArray& mod : mods)
        m_list->addItem(cp932::toUnicode(mod));
}

void TModChkForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

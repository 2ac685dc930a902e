// SPDX-License-Identifier: MIT
#include "launch/TStateInfoForm.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

TStateInfoForm::TStateInfoForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_label(new QLabel(this)),
      m_button(new QPushButton(tr("キャンセル"), this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("StateInfoForm"));
    setWindowTitle(tr("モルベーン"));
    setFixedSize(ClientWidth, ClientHeight);

    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setText(tr("GhostReconを実行中..."));
    m_label->setAlignment(Qt::AlignCenter);
    // Notices and the game's line carry host names: never markup.
    m_label->setTextFormat(Qt::PlainText);
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);

    m_button->setObjectName(QStringLiteral("Button1"));
    m_button->setAutoDefault(false);
    m_button->setVisible(false);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    m_timer->setSingleShot(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_button, 0, Qt::AlignHCenter);

    // Neither slot can fail: the first sets a flag and tells the launcher, the second closes.
    connect(m_button, &QPushButton::clicked, this, &TStateInfoForm::Button1Click);
    connect(m_timer, &QTimer::timeout, this, &TStateInfoForm::Timer1Timer);
}

void TStateInfoForm::setText(const QString& text) { m_label->setText(text); }

QString TStateInfoForm::text() const { return m_label->text(); }

void TStateInfoForm::setCancelVisible(bool visible) { m_button->setVisible(visible); }

void TStateInfoForm::showNotice(const QString& text)
{
    setText(text);
    setCancelVisible(false);
    if (isVisible()) {
        m_timer->start();
        raise();
        return;
    }
    show();
}

void TStateInfoForm::renewNotice(const QString& text)
{
    if (isVisible() && this->text() == text)
        showNotice(text);
}

void TStateInfoForm::withdrawNotice(const QString& text)
{
    if (isVisible() && this->text() == text)
        close();
}

void TStateInfoForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_cancelled = false;
    centreOnDesktop();
    if (m_button->isHidden())
        m_timer->start();
    else
        m_timer->stop();
}

void TStateInfoForm::reject()
{
    if (!m_button->isHidden())
        return;
    QDialog::reject();
}

void TStateInfoForm::Button1Click()
{
    m_cancelled = true;
    emit cancelRequested();
}

void TStateInfoForm::Timer1Timer()
{
    m_timer->stop();
    // A timer left over from a notice must not close the window after the launcher took it over.
    if (m_button->isHidden())
        close();
}

void TStateInfoForm::centreOnDesktop()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

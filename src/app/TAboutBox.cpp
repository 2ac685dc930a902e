// SPDX-License-Identifier: MIT
#include "app/TAboutBox.h"

#include "app/Links.h"
#include "app/TrayController.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* linkLabel(const QString& caption, const QString& url, QWidget* parent)
{
    auto* label =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), caption.toHtmlEscaped()), parent);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString& href) { QDesktopServices::openUrl(QUrl(href)); });
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(tr("バージョン情報"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(TrayController::programIcon().pixmap(48));
    auto* name = new QLabel(tr("モルベーン"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* version = new QLabel(QStringLiteral("ver.1.70"), this);
    version->setObjectName(QStringLiteral("Version"));

    m_creditsView = new QWidget(this);
    m_creditsView->setObjectName(QStringLiteral("Credits"));
    m_creditsView->setFixedSize(220, 80);
    m_credits = new QLabel(m_creditsView);
    m_credits->setAlignment(Qt::AlignHCenter);
    m_credits->setText(tr("モルベーン\nGhost Recon コンパニオン\n\n"
                          "ホストの稼働チェックに qstat を使っています\n"
                          "Qt 6 で作られています\n\n"
                          "遊んでくれるすべてのプレイヤーに感謝します"));
    m_credits->setFixedWidth(m_creditsView->width());
    m_credits->adjustSize();
    m_credits->move(0, m_creditsView->height());
    m_scroll = new QTimer(this);
    m_scroll->setInterval(50);
    connect(m_scroll, &QTimer::timeout, this, &TAboutBox::scrollCredits);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* head = new QHBoxLayout;
    head->addWidget(icon);
    auto* titles = new QVBoxLayout;
    titles->addWidget(name);
    titles->addWidget(version);
    head->addLayout(titles);
    head->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(m_creditsView, 0, Qt::AlignHCenter);
    layout->addWidget(linkLabel(tr("ホームページ"), links::text(links::authorPage), this));
    layout->addWidget(linkLabel(tr("作者にメールを送る"), links::text(links::authorMail), this));
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_credits->move(0, m_creditsView->height());
    m_scroll->start();
}

void TAboutBox::scrollCredits()
{
    int y = m_credits->y() - 1;
    if (y < -m_credits->height())
        y = m_creditsView->height();
    m_credits->move(0, y);
}

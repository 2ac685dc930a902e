// SPDX-License-Identifier: MIT
#include "app/LinksPage.h"

#include "app/Links.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

namespace {

template <std::size_t N>
QGroupBox* group(const QString& title, const std::array<links::Link, N>& entries, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QVBoxLayout(box);
    layout->setSpacing(2);
    for (const links::Link& link : entries) {
        const QString url = links::text(link.url);
        auto* label = new QLabel(
            QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), links::text(link.caption).toHtmlEscaped()),
            box);
        label->setTextFormat(Qt::RichText);
        label->setToolTip(url);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        QObject::connect(label, &QLabel::linkActivated, label,
                         [](const QString& href) { QDesktopServices::openUrl(QUrl(href)); });
        auto* description = new QLabel(QCoreApplication::translate("links", link.description), box);
        description->setIndent(12);
        layout->addWidget(label);
        layout->addWidget(description);
    }
    return box;
}

} // namespace

LinksPage::LinksPage(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group(tr("MODのダウンロード"), links::modDownloads, this));
    layout->addWidget(group(tr("GhostRecon全般"), links::general, this));
    layout->addStretch();
}

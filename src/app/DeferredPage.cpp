// SPDX-License-Identifier: MIT
#include "app/DeferredPage.h"

#include <QVBoxLayout>

DeferredPage::DeferredPage(QWidget* page, QWidget* parent) : DeferredPage([page] { return page; }, parent)
{
    m_page = page;
}

DeferredPage::DeferredPage(std::function<QWidget*()> make, QWidget* parent) : QWidget(parent), m_make(std::move(make))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

DeferredPage::~DeferredPage()
{
    if (m_page && !m_page->parent())
        delete m_page.data();
}

QWidget* DeferredPage::page()
{
    if (m_make) {
        m_page = std::exchange(m_make, nullptr)();
        layout()->addWidget(m_page);
        // Added to a tab in view, the page would only be shown once the events after this one ran.
        if (isVisible())
            m_page->show();
    }
    return m_page;
}

void DeferredPage::showEvent(QShowEvent* event)
{
    page();
    QWidget::showEvent(event);
}

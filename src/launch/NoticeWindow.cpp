// SPDX-License-Identifier: MIT
#include "launch/NoticeWindow.h"

#include "launch/TStateInfoForm.h"

NoticeWindow::NoticeWindow(QWidget* owner) : QObject(owner), m_owner(owner) {}

void NoticeWindow::show(const QString& text)
{
    if (!m_window)
        m_window = new TStateInfoForm(m_owner);
    m_window->showNotice(text);
}

void NoticeWindow::renew(const QString& text)
{
    if (m_window)
        m_window->renewNotice(text);
}

void NoticeWindow::withdraw(const QString& text)
{
    if (m_window)
        m_window->withdrawNotice(text);
}

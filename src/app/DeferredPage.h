// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// A tab that takes in its page when it is first shown. A page outside the window is neither polished
// nor laid out, so the start prepares only the tab it shows; a page made by a function is not even
// made until then. A page that was never shown is deleted with the tab.
class DeferredPage : public QWidget
{
    Q_OBJECT
public:
    // page has no parent yet; whoever else holds it must hold it through a QPointer.
    DeferredPage(QWidget* page, QWidget* parent = nullptr);
    DeferredPage(std::function<QWidget*()> make, QWidget* parent = nullptr);
    ~DeferredPage() override;

    // The page, taken in now if it was not yet.
    QWidget* page();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<QWidget*()> m_make;
    QPointer<QWidget> m_page;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class QWidget;
class TStateInfoForm;

// The one-second notices of every page share one status window, made on the first notice: a start-up
// that shows none builds no window for them.
class NoticeWindow : public QObject
{
    Q_OBJECT
public:
    // The window is made as a child of owner.
    explicit NoticeWindow(QWidget* owner);

    // Null until the first notice.
    TStateInfoForm* window() const { return m_window; }

public slots:
    void show(const QString& text);
    // While the notice with this text is up: restarts its second, or closes it.
    void renew(const QString& text);
    void withdraw(const QString& text);

private:
    QWidget* m_owner;
    TStateInfoForm* m_window = nullptr;
};

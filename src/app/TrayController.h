// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QTimer;
class QWidget;

// Minimising to the notification area. In tray mode a minimised window hides and the icon shows;
// restoring removes the icon. Where the desktop has no notification area the window minimises
// normally, so it never disappears without a way back.
class TrayController : public QObject
{
    Q_OBJECT
public:
    TrayController(QWidget* window, QMenu* menu, QObject* parent = nullptr);

    // The program's own icon, for its windows and the about box.
    static QIcon programIcon();
    // The same in the notification area's sizes.
    static QIcon trayIcon();

    bool trayMode() const { return m_trayMode; }
    void setTrayMode(bool on) { m_trayMode = on; }
    bool iconShown() const;
    // Minimises the window: into the notification area in tray mode, else with a taskbar button.
    void minimise();

    // A notification from the notification-area icon (a watched host). The icon shows for it when it
    // is not shown already and goes away again with the message. False where the desktop has no
    // notification area or its icons cannot show messages.
    bool showNotification(const QString& title, const QString& text);
    static constexpr int NotificationMs = 10000;

public slots:
    // Brings the window back from either minimised state to the front; the icon goes away.
    void restore();

signals:
    void iconDoubleClicked();
    // The user clicked the last notification.
    void notificationClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool canUseTray() const;
    void hideToTray();

    void endNotification();

    QWidget* m_window;
    QSystemTrayIcon* m_icon;
    QTimer* m_notificationEnd;
    bool m_trayMode = false;
    bool m_iconForNotification = false; // shown only to carry a notification
};

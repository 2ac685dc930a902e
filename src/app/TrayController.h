// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QObject>

class QMenu;
class QSystemTrayIcon;
class QWidget;

// Minimising to the notification area. In tray mode a minimised window hides and the icon shows;
// restoring removes the icon. Where the desktop has no notification area the window minimises
// normally, so it never disappears without a way back.
class TrayController : public QObject
{
    Q_OBJECT
public:
    TrayController(QWidget* window, QMenu* menu, QObject* parent = nullptr);

    // The program's own icon in every size drawn for it: the application, the notification area
    // and the about box all show this one.
    static QIcon programIcon();

    bool trayMode() const { return m_trayMode; }
    void setTrayMode(bool on) { m_trayMode = on; }
    bool iconShown() const;
    // Minimises the window: into the notification area in tray mode, else with a taskbar button.
    void minimise();

public slots:
    // Brings the window back from either minimised state to the front; the icon goes away.
    void restore();

signals:
    void iconDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool canUseTray() const;
    void hideToTray();

    QWidget* m_window;
    QSystemTrayIcon* m_icon;
    bool m_trayMode = false;
};

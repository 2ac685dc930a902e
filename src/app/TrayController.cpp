// SPDX-License-Identifier: MIT
#include "app/TrayController.h"

#include "app/DeferredIcon.h"

#include <QEvent>
#include <QGuiApplication>
#include <QImageReader>
#include <QMenu>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

// The icons are compiled into a static library, so the linker keeps them only when referred to.
static void initIconResources() { Q_INIT_RESOURCE(morvane); }

namespace {

// Each size is a rendering of its own, read as PNG with detection off: a reader allowed to guess asks
// every image plug-in first, and loading them all (with libjpeg) costs more than the icons themselves.
QIcon readIcon(std::initializer_list<int> sizes)
{
    static const bool registered = (initIconResources(), true);
    Q_UNUSED(registered);
    QIcon icon;
    for (int size : sizes) {
        QImageReader reader(QStringLiteral(":/icons/%1x%1/morvane.png").arg(size), "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

QIcon TrayController::programIcon()
{
    // Decoded once: main() makes it the application's icon, which the about box then shares.
    if (!QGuiApplication::windowIcon().isNull())
        return QGuiApplication::windowIcon();
    // The sizes of a Windows program's icon, which title bars, task lists and window switchers draw;
    // every size is decoded, and handed to the window system, before the window can show. Desktops
    // take the larger ones from the installed files.
    return readIcon({16, 32, 48});
}

QIcon TrayController::trayIcon()
{
    // Read when the icon is first drawn: most runs never put it in the tray. A tray takes the small
    // sizes as they are, not scaled down.
    return deferredIcon([] { return readIcon({16, 22, 24}); });
}

TrayController::TrayController(QWidget* window, QMenu* menu, QObject* parent)
    : QObject(parent), m_window(window), m_icon(new QSystemTrayIcon(this)), m_notificationEnd(new QTimer(this))
{
    m_notificationEnd->setSingleShot(true);
    // A little past the message itself, so the icon does not vanish from under a message being read.
    m_notificationEnd->setInterval(NotificationMs + 2000);
    connect(m_notificationEnd, &QTimer::timeout, this, &TrayController::endNotification);
    connect(m_icon, &QSystemTrayIcon::messageClicked, this, [this] {
        endNotification();
        emit notificationClicked();
    });
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    m_icon->setToolTip(tr("モルベーン"));
    m_icon->setIcon(trayIcon());
    m_icon->setContextMenu(menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            emit iconDoubleClicked();
    });
    m_window->installEventFilter(this);
}

bool TrayController::iconShown() const { return m_icon->isVisible(); }

bool TrayController::canUseTray() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

void TrayController::minimise()
{
    if (m_trayMode && canUseTray())
        hideToTray();
    else
        m_window->showMinimized();
}

bool TrayController::showNotification(const QString& title, const QString& text)
{
    if (!canUseTray() || !QSystemTrayIcon::supportsMessages())
        return false;
    if (!m_icon->isVisible()) {
        m_iconForNotification = true;
        m_icon->show();
    }
    m_icon->showMessage(title, text, programIcon(), NotificationMs);
    if (m_iconForNotification)
        m_notificationEnd->start();
    return true;
}

void TrayController::endNotification()
{
    m_notificationEnd->stop();
    if (!m_iconForNotification)
        return;
    m_iconForNotification = false;
    // The window went into the notification area meanwhile: the icon is its way back now.
    if (m_window->isVisible())
        m_icon->hide();
}

void TrayController::hideToTray()
{
    m_iconForNotification = false;
    m_icon->show();
    m_window->hide();
}

void TrayController::restore()
{
    m_iconForNotification = false;
    m_icon->hide();
    m_window->showNormal();
    m_window->raise();
    m_window->activateWindow();
}

bool TrayController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::WindowStateChange && m_window->isMinimized() && m_trayMode &&
        canUseTray()) {
        // Hiding inside the state change confuses some window managers; do it right after.
        QTimer::singleShot(0, this, [this] {
            if (m_window->isMinimized())
                hideToTray();
        });
    }
    return QObject::eventFilter(watched, event);
}

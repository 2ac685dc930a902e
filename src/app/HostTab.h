// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Store.h"
#include "status/HostInfoRules.h"

#include <QWidget>

class AddressBar;
class AddressHistory;
class GameLauncher;
class HostCreationPanel;
class HostListTransfer;
class HostWatches;
class HostsPage;
class ModJoin;
class Prompter;
class PublicAddressPanel;
class QLabel;
class QPushButton;
class StatusCheck;
class THostInfoDlg;
class TrayController;

// The "ホスト" tab: the host grid with its buttons and the check button, the address box, and the
// "ホスト作成" group with the host creation buttons and the public address. It only lays them out
// and connects them; the subsystems own their handlers. It also holds the host list's File-menu
// items, which belong with the grid.
class HostTab : public QWidget
{
    Q_OBJECT
public:
    HostTab(Prompter& prompter, const QString& programFolder, AddressHistory& history, GameLauncher& launcher,
            QWidget* parent = nullptr);

    HostsPage* hostsPage() const { return m_hosts; }
    StatusCheck* statusCheck() const { return m_status; }
    AddressBar* addressBar() const { return m_address; }
    HostCreationPanel* hostCreation() const { return m_creation; }
    PublicAddressPanel* publicAddress() const { return m_publicAddress; }
    HostListTransfer* hostListTransfer() const { return m_transfer; }
    HostWatches* watches() const { return m_watches; }
    // "hostlist.txt" in the program folder: the grid's hosts.
    Store& hostListStore() { return m_hostListStore; }
    // Start-up, before the host list is read: a missing or empty list offers the web host list.
    void checkHostListFile();
    // "hostwatch.txt" in the program folder: the watched favourites' rules.
    Store& watchStore() { return m_watchStore; }
    // The line under the grid that tells what went wrong inside the query program.
    QLabel* queryProblemLine() const { return m_problemLine; }

    // Joins the host that the last watch notification named first.
    void joinNotifiedHost();
    // Joins a host: the grid's join, a watch notification's and the join with a host's mods.
    void join(const QString& address, const QString& name);
    // Watch notifications go through the tray (as a notice where there is none); a click on one joins.
    void attachTray(TrayController& tray);
    // The join with a host's mods starts its game as every other join does; the host information
    // dialog offers it for hosts whose mods are all installed.
    void attachModJoin(ModJoin& modJoin, hostinfo::ModPresence isModInstalled);
    THostInfoDlg* hostInfoDialog(); // made on first use

signals:
    // Watched hosts' rules became true in a status cycle: for the notification area, one line each.
    void hostNotification(const QString& title, const QString& text);
    // A one-second notice for the user; the host information dialog renews and withdraws its own.
    void notice(const QString& text);
    void noticeRenewed(const QString& text);
    void noticeWithdrawn(const QString& text);

private:
    void notifyWatchedHosts();
    QString hostListPath() const;
    void showQueryProblem(const QString& problem);

    Prompter& m_prompter;
    HostsPage* m_hosts;
    QPushButton* m_statusButton;
    StatusCheck* m_status;
    AddressBar* m_address;
    HostCreationPanel* m_creation;
    PublicAddressPanel* m_publicAddress;
    HostListTransfer* m_transfer;
    GameLauncher& m_launcher;
    const QString m_programFolder;
    HostWatches* m_watches;
    Store m_hostListStore;
    Store m_watchStore;
    QLabel* m_problemLine;
    QString m_notifiedAddress;
    QString m_notifiedName;
    ModJoin* m_modJoin = nullptr;
    hostinfo::ModPresence m_isModInstalled;
    THostInfoDlg* m_hostInfo = nullptr;
    QMetaObject::Connection m_hostInfoOpener;
};

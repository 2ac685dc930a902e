// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Store.h"

#include <QWidget>

class AddressBar;
class AddressHistory;
class GameLauncher;
class HostCreationPanel;
class HostListTransfer;
class HostWatches;
class HostsPage;
class Prompter;
class PublicAddressPanel;
class QLabel;
class QPushButton;
class StatusCheck;

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
    // "hostwatch.txt" in the program folder: the watched favourites' rules.
    Store& watchStore() { return m_watchStore; }
    // The line under the grid that tells what went wrong inside the query program.
    QLabel* queryProblemLine() const { return m_problemLine; }

    // Joins the host that the last watch notification named first.
    void joinNotifiedHost();

signals:
    // Watched hosts' rules became true in a status cycle: for the notification area, one line each.
    void hostNotification(const QString& title, const QString& text);

private:
    void notifyWatchedHosts();
    void join(const QString& address, const QString& name);
    void showQueryProblem(const QString& problem);

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
    Store m_watchStore;
    QLabel* m_problemLine;
    QString m_notifiedAddress;
    QString m_notifiedName;
};

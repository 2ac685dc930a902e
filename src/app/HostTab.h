// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class AddressBar;
class AddressHistory;
class GameLauncher;
class HostCreationPanel;
class HostsPage;
class Prompter;
class QPushButton;
class StatusCheck;

// The "ホスト" tab: the host grid with its buttons and the check button, the address box and the
// host creation buttons. It only lays them out; the subsystems own their handlers.
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

private:
    HostsPage* m_hosts;
    QPushButton* m_statusButton;
    StatusCheck* m_status;
    AddressBar* m_address;
    HostCreationPanel* m_creation;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class GameLauncher;
class Prompter;
class QCheckBox;
class QPushButton;

// The host tab's buttons that make this computer the host: a host to play on, a dedicated host,
// and the box that restarts a dedicated host whenever it ends.
class HostCreationPanel : public QWidget
{
    Q_OBJECT
public:
    HostCreationPanel(Prompter& prompter, GameLauncher& launcher, QWidget* parent = nullptr);

    QPushButton* createHostButton() const { return m_createHost; }
    QPushButton* createDedicatedHostButton() const { return m_createDedicated; }
    QCheckBox* autoRestartBox() const { return m_autoRestart; }

public slots:
    void btnCreateHostClick();
    void btnCreateDedicatedHostClick();

private:
    GameLauncher& m_launcher;
    QPushButton* m_createHost;
    QPushButton* m_createDedicated;
    QCheckBox* m_autoRestart;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class AddressEntry;
class AddressHistory;
class GameLauncher;
class HistoryComboBox;
class Prompter;
class QPushButton;

// "IP指定接続": joins a typed address from the notification-area menu. One instance lives for the
// whole run and keeps its last text; it stays open while the game runs.
class TIPConnectionDlg : public QDialog
{
    Q_OBJECT
public:
    TIPConnectionDlg(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent = nullptr);

    HistoryComboBox* comboBox() const;
    QPushButton* connectButton() const;
    QPushButton* closeButton() const { return m_close; }
    QString addressText() const;

public slots:
    void btnConnectClick();

private:
    AddressEntry* m_entry;
    QPushButton* m_close;
};

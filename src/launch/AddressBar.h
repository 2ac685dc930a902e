// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

class AddressEntry;
class AddressHistory;
class GameLauncher;
class HistoryComboBox;
class Prompter;
class QAction;
class QPushButton;

// The host tab's address group: "IP :", the address box IPComboBox over the address history,
// "貼り付け" and "接続". A join from here records a new address at the top of the history.
class AddressBar : public QGroupBox
{
    Q_OBJECT
public:
    AddressBar(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent = nullptr);

    HistoryComboBox* comboBox() const;
    QPushButton* connectButton() const;
    QPushButton* pasteButton() const { return m_paste; }
    QString addressText() const;
    // File menu "IP履歴のクリア" (IP2).
    QAction* clearHistoryAction() const { return m_clearHistory; }

public slots:
    void btnConnectClick();
    void btnPasteAddressClick();
    void IP2Click(); // "IP履歴のクリア"

private:
    Prompter& m_prompter;
    AddressHistory& m_history;
    AddressEntry* m_entry;
    QPushButton* m_paste;
    QAction* m_clearHistory;
};

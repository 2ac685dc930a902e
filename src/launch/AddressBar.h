// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

class AddressHistory;
class GameLauncher;
class HistoryComboBox;
class Prompter;
class QPushButton;

// The host tab's address group: "IP :", the address box IPComboBox over the address history,
// "貼り付け" and "接続". A join from here records a new address at the top of the history.
class AddressBar : public QGroupBox
{
    Q_OBJECT
public:
    AddressBar(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, QWidget* parent = nullptr);

    HistoryComboBox* comboBox() const { return m_box; }
    QPushButton* connectButton() const { return m_connect; }
    QPushButton* pasteButton() const { return m_paste; }
    QString addressText() const;

public slots:
    void btnConnectClick();
    void btnPasteAddressClick();
    // File menu "IP履歴のクリア".
    void IP2Click();

private:
    void IPComboBoxChange(const QString& text);
    void IPComboBoxEnter();

    Prompter& m_prompter;
    AddressHistory& m_history;
    GameLauncher& m_launcher;
    HistoryComboBox* m_box;
    QPushButton* m_paste;
    QPushButton* m_connect;
};

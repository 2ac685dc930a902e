// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class AddressHistory;
class GameLauncher;
class HistoryComboBox;
class Prompter;
class QHBoxLayout;
class QPushButton;

// An address box over the shared address history with its "接続" button, as the host tab and the
// direct-connect dialog both have it: the button is enabled exactly while the box holds text, Enter
// connects, and a connect records the address by the owner's rule and joins it.
class AddressEntry : public QWidget
{
    Q_OBJECT
public:
    enum class HistoryRule
    {
        KeepPlace, // the host tab: an address already listed stays where it is; the default text is not recorded
        AlwaysTop, // the direct-connect dialog: always recorded at the top
    };

    AddressEntry(Prompter& prompter, AddressHistory& history, GameLauncher& launcher, HistoryRule rule,
                 const QString& initialText, QWidget* parent = nullptr);

    HistoryComboBox* comboBox() const { return m_box; }
    QPushButton* connectButton() const { return m_connect; }
    QString addressText() const;
    // The box's text as the user's own change: the button follows it.
    void setAddressText(const QString& text);
    // Places a button of the owner's between the box and "接続".
    void addButton(QPushButton* button);

public slots:
    void btnConnectClick();

private:
    void textChanged(const QString& text);
    static void fitToText(QPushButton* button);

    Prompter& m_prompter;
    AddressHistory& m_history;
    GameLauncher& m_launcher;
    const HistoryRule m_rule;
    HistoryComboBox* m_box;
    QPushButton* m_connect;
    QHBoxLayout* m_layout;
};

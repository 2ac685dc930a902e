// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/HostWatchRules.h"
#include "platform/KeptText.h"

#include <QByteArray>
#include <QDialog>
#include <QString>

class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "ホストの編集": the name and address of one host. A field the user leaves as it was gives back the
// very bytes it was shown with, so a name that code page 932 cannot round-trip is not re-encoded.
class THostEditDlg : public QDialog
{
    Q_OBJECT
public:
    explicit THostEditDlg(Prompter& prompter, QWidget* parent = nullptr);
    ~THostEditDlg() override;

    void setHost(const QByteArray& name, const QByteArray& address);
    // The results, valid once the dialog was accepted.
    QByteArray hostName() const { return m_name; }
    QByteArray hostAddress() const { return m_address; }

    QLineEdit* nameEdit() const { return m_nameEdit; }
    QLineEdit* addressEdit() const { return m_addressEdit; }

    // The host's two optional watch rules: "空きが出たら通知" and "N人以上で通知".
    void setWatchRule(const hostwatch::WatchRule& rule);
    hostwatch::WatchRule watchRule() const;
    QCheckBox* notifyFreeBox() const { return m_notifyFree; }
    QCheckBox* notifyPlayersBox() const { return m_notifyPlayers; }
    QSpinBox* notifyPlayersCount() const { return m_playersCount; }

    // "OK": refuses an empty address with a message and stays open.
    void OKBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows why an edited field cannot be stored, if it cannot; true then.
    bool refuseEdited(QLineEdit* edit, const KeptText& shown);

    Prompter& m_prompter;
    QLineEdit* m_nameEdit;
    QLineEdit* m_addressEdit;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;
    QCheckBox* m_notifyFree;
    QCheckBox* m_notifyPlayers;
    QSpinBox* m_playersCount;
    KeptText m_shownName;
    KeptText m_shownAddress;
    QByteArray m_name;
    QByteArray m_address;
};

// SPDX-License-Identifier: MIT
#pragma once

#include "launch/PublicAddressSettings.h"

#include <QWidget>

class HttpTask;
class ProfileFile;
class Prompter;
class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

// The user's public address in the host tab's "ホスト作成" group: "あなたのグローバルＩＰ" with the
// read-only field Edit2, "コピー" and "取得"; and the option "起動時にＩＰを取得" (N3), whose tick
// it owns together with the echo page's URL.
class PublicAddressPanel : public QWidget
{
    Q_OBJECT
public:
    explicit PublicAddressPanel(Prompter& prompter, QWidget* parent = nullptr);
    ~PublicAddressPanel() override;

    QLineEdit* addressEdit() const { return m_edit; }      // "Edit2"
    QPushButton* getButton() const { return m_get; }       // "btnGetSelfIP"
    QPushButton* copyButton() const { return m_copy; }     // "btnCopySelfIP"
    QAction* getIpAtStartUpAction() const { return m_n3; } // "N3", for the options menu

    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;
    QByteArray echoUrl() const { return m_settings.echoUrlOrDefault(); }

    // Start-up step 10: when N3 is ticked, fetches the address once the window shows. The answer
    // fills Edit2; a failure only says why in Edit2's tooltip, since a player offline must not meet
    // an error at every start.
    void FetchPublicAddressAtStartUp();
    bool isFetching() const;

    // "取得": starts fetching the address, and while that runs the button is "中止", which abandons
    // it. The answer fills Edit2; a failure is one error message, and Edit2 keeps its text.
    void btnGetSelfIPClick();
    // "コピー": selects the address and puts it on the clipboard.
    void btnCopySelfIPClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startFetch(bool byUser);
    void fetchFinished();
    void showFetching(bool fetching);
    void showAddress(const QString& address);

    Prompter& m_prompter;
    PublicAddressSettings m_settings;
    QLabel* m_label;
    QLineEdit* m_edit;
    QPushButton* m_copy;
    QPushButton* m_get;
    QAction* m_n3;
    HttpTask* m_fetch;
    bool m_fetchByUser = false;
    QWidget* m_awaitedWindow = nullptr;
};

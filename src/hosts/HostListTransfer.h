// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/WebHostListSettings.h"

#include <QObject>
#include <QString>

#include <functional>

class HostGridModel;
class HttpTask;
class ProfileFile;
class Prompter;
class QAction;
class QWidget;
class THostListDlg;

// The File menu's "ホストリスト" items: import from a file, export to a file, and the published
// web host list, with their handlers. It owns the key "HostListURL" of Morvane.ini.
class HostListTransfer : public QObject
{
    Q_OBJECT
public:
    // window: the parent of the dialogs (the main window); it also owns this object.
    HostListTransfer(Prompter& prompter, HostGridModel& hosts, const QString& programFolder, QWidget* window);

    QAction* importAction() const { return m_import; }                 // "Import1" "インポート"
    QAction* exportAction() const { return m_export; }                 // "Export1" "エクスポート"
    QAction* checkWebHostListAction() const { return m_checkWebList; } // "CheckWebHostList1"

    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;
    const WebHostListSettings& settings() const { return m_settings; }

    // What the first-run question's "Yes" runs (THostList::CheckHostListFile): the web host list,
    // its failures shown and never thrown, so start-up goes on. Empty while no URL is set, and then
    // the question is not asked.
    std::function<void()> webListOpener();

    // Importing changes the number of hosts, which must not happen while the status check runs.
    void setCheckIdle(bool idle);

    void Import1Click();
    void Export1Click();
    // Starts the download and returns; the web list dialog shows once the list has arrived. While the
    // download runs the menu item is disabled, and everything else stays usable.
    void CheckWebHostList1Click();
    bool isDownloading() const;

private:
    QAction* makeAction(const QString& name, const QString& caption);
    void downloadFinished();
    void showWebList();
    void enableActions();

    Prompter& m_prompter;
    HostGridModel& m_hosts;
    QString m_programFolder;
    QWidget* m_window;
    WebHostListSettings m_settings;
    QAction* m_import;
    QAction* m_export;
    QAction* m_checkWebList;
    HttpTask* m_download;
    THostListDlg* m_webList = nullptr; // while it shows
    bool m_checkIdle = true;
};

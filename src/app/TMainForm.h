// SPDX-License-Identifier: MIT
#pragma once

#include "app/FrameSettings.h"
#include "app/Settings.h"
#include "game/GameInstallation.h"
#include "platform/Store.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class AddressHistory;
class GameLauncher;
class HostTab;
class HostsPage;
class ModJoin;
class ModsPage;
class MusicPage;
class OptionsEditor;
class Prompter;
class QAction;
class QMenu;
class QPushButton;
class QTabWidget;
class StatusCheck;
class TIPConnectionDlg;
class NoticeWindow;
class TrayController;

// The main window: the frame (tabs, menus, tray icon) and the start-up and shutdown sequences. Each
// subsystem's page owns its widgets, actions and handlers; this window makes the pages, places their
// menu items and runs each one's steps in the order of the two sequences.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    TMainForm(Prompter& prompter, const QString& programFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Start-up sequence. Afterwards endRequested() tells whether the program must end at once.
    void FormCreate();
    bool endRequested() const { return m_endRequested; }
    // Shutdown sequence; runs once, whatever calls it first.
    void FormDestroy();

    const QString& programFolder() const { return m_programFolder; }
    const QString& gameFolder() const { return m_game.folder(); }
    bool allowClose() const { return m_allowClose; }
    // False once start-up found no game or no options document: the end then writes nothing there.
    bool writesGameFolder() const { return !m_gameFolderUnusable; }
    bool trayMode() const;
    QString hostViewColorName() const;
    HostTab* hostTab() const { return m_hostTab; }
    AddressHistory& addressHistory() const { return *m_history; }
    GameLauncher& launcher() const { return *m_launcher; }
    TIPConnectionDlg* ipConnectionDialog();
    ModJoin* modJoin() const { return m_modJoin; }

public slots:
    void Exit1Click();
    void N7Click();  // "モルベーンを表示", and a double-click on the tray icon
    void N11Click(); // "最小化でタスクトレイに入る"
    void N12Click(); // "終了までタスクトレイで起動し続ける"
    void About1Click();
    void GR1Click(); // "GhostReconフォルダ指定"
    void IP1Click(); // "IP指定接続"
    // "日本語" or "English" under "言語 / Language": kept for the next start.
    void chooseLanguage(const QByteArray& code);
    // A second copy asked for this one.
    void bringToFront();
    // The desktop session ends or a termination signal came: the normal end, whatever N12 says.
    void endSession();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    HostsPage* hostsPage() const;
    StatusCheck* statusCheck() const;
    void createMenus();
    void createTabs();
    // The join with a host's mods, the tray's watch notifications and the notices, which join
    // several subsystems.
    void wireSubsystems();
    // An item whose handler runs through the guard; a checkable one starts unticked.
    QAction* makeAction(const QString& name, const QString& caption, const std::function<void()>& handler,
                        bool checkable = false);

    // The settings store's reading and writing.
    void LoadSettings();
    void SaveSettings();
    QString historyPath() const;

    // The game or its options document is missing: the program ends once start-up is over.
    void requestEnd();
    void cancelOpenQuestions();
    // Runs one step of a sequence; a failure is shown with its own text and the step reports false.
    bool runStep(const std::function<void()>& step);

    Prompter& m_prompter;
    const QString m_programFolder;
    GameInstallation m_game;
    Settings m_settings;
    FrameSettings m_frameSettings;
    Store m_settingsStore;
    Store m_historyStore;
    bool m_allowClose = true;
    bool m_startingUp = false;
    bool m_endRequested = false;
    bool m_gameFolderUnusable = false;
    bool m_shutDown = false;

    AddressHistory* m_history = nullptr;
    GameLauncher* m_launcher = nullptr;
    NoticeWindow* m_notices = nullptr;
    TIPConnectionDlg* m_ipDialog = nullptr;
    ModJoin* m_modJoin = nullptr;
    TrayController* m_tray = nullptr;
    QTabWidget* m_tabs = nullptr;
    HostTab* m_hostTab = nullptr;
    ModsPage* m_mods = nullptr;
    OptionsEditor* m_options = nullptr;
    QPushButton* m_startButton = nullptr;
    QPointer<MusicPage> m_music;

    QMenu* m_trayMenu = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_inTray = nullptr;     // N11
    QAction* m_noClose = nullptr;    // N12
    QAction* m_chooseGame = nullptr; // GR1
    QAction* m_japanese = nullptr;
    QAction* m_english = nullptr;
    QByteArray m_chosenLanguage; // empty until the user picks one
};

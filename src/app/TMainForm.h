// SPDX-License-Identifier: MIT
#pragma once

#include "app/Settings.h"

#include <QHash>
#include <QMainWindow>

#include <functional>

class AddressHistory;
class GameLauncher;
class HostTab;
class Prompter;
class QAction;
class QActionGroup;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class TIPConnectionDlg;
class TStateInfoForm;
class TrayController;

// The main window: hosts the tabs, menus and tray icon, runs the start-up and shutdown sequences
// and wires the subsystems together. The subsystems' own handlers live in their folders.
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
    const QString& gameFolder() const { return m_gameFolder; }
    bool allowClose() const { return m_allowClose; }
    // False once start-up found no game or no options document: the end then writes nothing there.
    bool writesGameFolder() const { return !m_gameFolderUnusable; }
    bool trayMode() const;
    QAction* action(const QString& objectName) const;
    QString hostViewColorName() const { return m_hostViewColor; }
    HostTab* hostTab() const { return m_hostTab; }
    AddressHistory& addressHistory() const { return *m_history; }
    GameLauncher& launcher() const { return *m_launcher; }
    // The shared status window, shown without its button as a notice that closes itself.
    TStateInfoForm* stateInfo() const { return m_stateInfo; }
    TIPConnectionDlg* ipConnectionDialog();

public slots:
    void Exit1Click();
    void N7Click();
    void N11Click();
    void N12Click();
    void About1Click();
    void GR1Click();
    void IP1Click();
    // A second copy asked for this one.
    void bringToFront();
    // The desktop session ends or a termination signal came: the normal end, whatever N12 says.
    void endSession();
    void ApplyHostViewColor(const QString& name);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createTabs();
    void wireSubsystems();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption, bool enabled = true);
    QAction* checkable(QMenu* menu, const QString& name, const QString& caption, bool checked);
    void connectGuarded(QAction* action, std::function<void()> handler);

    void LoadSettings();
    void SaveSettings();
    void applySettings(const SettingsValues& values);
    SettingsValues collectSettings() const;

    // Runs one step of a sequence; a failure is shown with its own text and the step reports false.
    bool runStep(const std::function<void()>& step);

    Prompter& m_prompter;
    QString m_programFolder;
    QString m_gameFolder;
    QString m_hostViewColor;
    bool m_allowClose = true;
    bool m_endRequested = false;
    // Set when the end was requested because the game or its options document is missing: the
    // shutdown then writes nothing into the game folder.
    bool m_gameFolderUnusable = false;
    // Stores that start-up loaded; shutdown writes back only these.
    bool m_settingsLoaded = false;
    bool m_hostListLoaded = false;
    bool m_historyLoaded = false;
    bool m_shutDown = false;

    QHash<QString, QAction*> m_actions;
    QActionGroup* m_intervalGroup = nullptr;
    QActionGroup* m_colorGroup = nullptr;
    QMenu* m_trayMenu = nullptr;
    TrayController* m_tray = nullptr;
    QTabWidget* m_tabs = nullptr;
    AddressHistory* m_history = nullptr;
    GameLauncher* m_launcher = nullptr;
    HostTab* m_hostTab = nullptr;
    TStateInfoForm* m_stateInfo = nullptr;
    TIPConnectionDlg* m_ipDialog = nullptr;
    QPushButton* m_startButton = nullptr;
    QLineEdit* m_musicEdits[6] = {};
};

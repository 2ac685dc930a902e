// SPDX-License-Identifier: MIT
#pragma once

#include "mods/ModLists.h"
#include "mods/ModsSettings.h"
#include "platform/Store.h"

#include <QByteArrayView>
#include <QWidget>

#include <functional>
#include <memory>

class GameInstallation;
class ModListView;
class ProfileFile;
class Prompter;
class QAction;
class QLabel;
class QMenu;

namespace Ui {
class ModsPage;
}

// The "MOD" tab: the installed and the active mods with the game's load order, each mod's
// description, the game's "modsset.txt" (saved with "保存" and at the end), named mod sets in the
// program folder, and the option MOD1 that keeps the available list in alphabetical order.
class ModsPage : public QWidget
{
    Q_OBJECT
public:
    // Opens a folder in the desktop's file browser; false when it could not.
    using FolderOpener = std::function<bool(const QString& folder)>;

    // The game's folder is asked at the moment of use: the user may point the program at another game.
    ModsPage(Prompter& prompter, const QString& programFolder, const GameInstallation& game, QWidget* parent = nullptr);
    ~ModsPage() override;

    // The page's widgets are made once, when it is first shown or a widget is first asked for.
    void setVisible(bool visible) override;

    // "MODリストを常にアルファベット順に並べる", for the options menu.
    QAction* mod1Action() const { return m_mod1; }
    // The game's "modsset.txt": load is LoadModLists, save is WriteModsSet.
    Store& store() { return m_store; }

    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;

    // Start-up: the available list is kept sorted exactly when MOD1 is ticked (after readSettings),
    // and the set box shows "現在の設定".
    void applySortOption();
    void showCurrentSetting();

    // For other subsystems: whether a mod is in either list (letter case ignored), and the active list
    // in load order, read and replaced (the former active mods go back to the available list).
    bool isInstalled(QByteArrayView modName) const;
    QList<QByteArray> activeMods() const;
    void replaceActiveMods(const QList<QByteArray>& entries);

    // While a join with a host's mods runs, the lists show the host's mods and take no edits; a short
    // note above them says why.
    void setJoinLock(bool locked);
    bool isJoinLocked() const { return m_joinLocked; }
    QLabel* joinNote() const;

    ModLists& lists() { return m_lists; }
    ModListView* availableView() const; // ListBox1
    ModListView* activeView() const;    // ListBox2
    QMenu* popupMenu() const;
    void setFolderOpener(FolderOpener opener) { m_openFolder = std::move(opener); }

    void LoadModLists();
    void WriteModsSet();

    void ModListClick(ModListView* list);
    void ModListDblClick(ModListView* list);
    void ModListMouseDown(ModListView* list);
    void Button29Click(); // ">>"
    void Button30Click(); // "<<"
    void Button39Click(); // "v"
    void MOD1Click();     // "MODリストを常にアルファベット順に並べる"
    void MOD2Click();     // "このMODのフォルダを開く"
    void btnOpenModFolderClick();
    void Button28Click(); // "クリップボードへ出力"
    void btnSaveModListClick();
    void btnRefleshModClick();

    void btnSaveModSetClick();
    void btnDeleteModSetClick();
    void CmbModSetNameSelect(int index);
    void btnLoadMstFileClick();

signals:
    // A one-second notice for the user.
    void notice(const QString& text);

private:
    void buildWidgets();
    Ui::ModsPage& ui() const;
    void connectHandlers();
    void showJoinLock();
    void connectList(ModListView* list);
    void showDescription(const QStringList& lines);
    void openFolder(const QString& folder);
    // The set list's entry equal to name, letter case ignored, or -1.
    int findSet(const QString& name) const;
    // False, after saying why, when name cannot be a set's name.
    bool checkSetName(const QString& name);

    Prompter& m_prompter;
    QString m_programFolder;
    const GameInstallation& m_game;
    std::unique_ptr<Ui::ModsPage> m_ui;
    ModLists m_lists;
    Store m_store;
    ModsSettings m_settings;
    QAction* m_mod1;
    QMenu* m_popup = nullptr;
    QAction* m_mod2 = nullptr;
    ModListView* m_contextList = nullptr;
    FolderOpener m_openFolder;
    QLabel* m_joinNote = nullptr;
    bool m_joinLocked = false;
};

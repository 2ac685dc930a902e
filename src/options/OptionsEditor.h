// SPDX-License-Identifier: MIT
#pragma once

#include "options/TXMLParser.h"
#include "platform/DisplayModes.h"
#include "platform/Store.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class GameInstallation;
class GeneralPage;
class MultiplayPage;
class Prompter;
class QAction;

// The game options editor: it makes the "ﾏﾙﾁﾌﾟﾚｲ" and "一般" pages, which load their values from and
// save them into the game's "options.xml"; the editor owns the document as a store (read at start-up
// and when another game is chosen, written at the end only when it was read). The pages are made
// when first asked for: until then a document that was read whole waits here for them. They belong
// to whoever places them in the tabs; pages never placed are deleted with the editor.
class OptionsEditor : public QObject
{
    Q_OBJECT
public:
    // The game's folder is asked at every use; reloadMods rescans the mods and rereads the active-mod file
    // ("設定ファイル再読込(&R)" reloads both).
    OptionsEditor(Prompter& prompter, const GameInstallation& game, std::function<void()> reloadMods,
                  QObject* parent = nullptr);
    ~OptionsEditor() override;

    // Made, with the document's values, on the first call.
    MultiplayPage* multiplayPage();
    GeneralPage* generalPage();
    // "設定ファイル再読込(&R)", for the "ファイル(&F)" menu.
    QAction* reloadConfigFileAction() const { return m_reload; }

    // load is LoadGameOptions; save is the save, and only when the editor holds values some load took
    // from a document, so values never read are not written into a document that appeared later.
    Store& store() { return m_store; }

    // The game folder holds "options.xml" as a file.
    bool OptionsFileExists() const;
    // Start-up, once, before the first load: the resolution list will hold the display's modes, asked
    // for when the page is made.
    using DisplayModeSource = std::function<QList<DisplayMode>()>;
    void FillResolutionList(DisplayModeSource modes = displayModes);
    // The document into the pages; nothing when it is missing. A bad value stops the load there.
    void LoadGameOptions();
    // The pages into the document on disk; false, with nothing written, when it is missing. Throws
    // UserError, with nothing written, unless the last load read the whole document.
    bool saveGameOptions();

    void btnSaveMultiplaySettingsClick();
    void Button15Click(); // "保存" on the general page
    void ReloadConfigFile();

signals:
    // A one-second notice for the user.
    void notice(const QString& text);

private:
    QString optionsPath() const;
    void makePages();
    void tellMissingDocument();

    Prompter& m_prompter;
    const GameInstallation& m_game;
    std::function<void()> m_reloadMods;
    QPointer<MultiplayPage> m_multiplay;
    QPointer<GeneralPage> m_general;
    QAction* m_reload;
    Store m_store;
    bool m_holdsDocumentValues = false;
    DisplayModeSource m_displayModes;
    // The document last read whole, while no page has taken its values.
    std::optional<TXMLParser> m_waiting;
};

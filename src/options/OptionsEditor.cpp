// SPDX-License-Identifier: MIT
#include "options/OptionsEditor.h"

#include "game/GameInstallation.h"
#include "options/GeneralPage.h"
#include "options/MultiplayPage.h"
#include "options/TXMLParser.h"
#include "platform/Errors.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

OptionsEditor::OptionsEditor(Prompter& prompter, const GameInstallation& game, std::function<void()> reloadMods,
                             QObject* parent)
    : QObject(parent), m_prompter(prompter), m_game(game), m_reloadMods(std::move(reloadMods)),
      m_reload(new QAction(tr("設定ファイル再読込(&R)"), this)), m_store(
                                                                     prompter, [this] { LoadGameOptions(); },
                                                                     [this] {
                                                                         if (m_holdsDocumentValues)
                                                                             saveGameOptions();
                                                                     })
{
    m_reload->setObjectName(QStringLiteral("ReloadConfigFile"));
    connect(m_reload, &QAction::triggered, this, guarded(m_prompter, [this] { ReloadConfigFile(); }));
}

OptionsEditor::~OptionsEditor()
{
    // Pages placed in the tabs belong to them; only pages never placed are ours to delete.
    if (m_multiplay && !m_multiplay->parent())
        delete m_multiplay.data();
    if (m_general && !m_general->parent())
        delete m_general.data();
}

MultiplayPage* OptionsEditor::multiplayPage()
{
    makePages();
    return m_multiplay;
}

GeneralPage* OptionsEditor::generalPage()
{
    makePages();
    return m_general;
}

void OptionsEditor::makePages()
{
    if (m_multiplay || m_general)
        return;
    m_multiplay = new MultiplayPage(m_prompter);
    m_general = new GeneralPage(m_prompter);
    connect(m_multiplay, &MultiplayPage::saveRequested, this,
            guarded(m_prompter, [this] { btnSaveMultiplaySettingsClick(); }));
    connect(m_general, &GeneralPage::saveRequested, this, guarded(m_prompter, [this] { Button15Click(); }));
    if (m_displayModes)
        m_general->addDisplayModes(m_displayModes());
    if (!m_waiting)
        return;
    const TXMLParser doc = *std::exchange(m_waiting, std::nullopt);
    // The document passed the same reads when it was read: these cannot fail, but a page made while
    // a tab is being shown must not let a failure through, so it is reported like any other.
    m_holdsDocumentValues = handlerguard::run(m_prompter, [&] {
        m_multiplay->load(doc);
        m_general->load(doc);
    });
}

QString OptionsEditor::optionsPath() const { return gameinstallation::optionsPath(m_game.folder()); }

bool OptionsEditor::OptionsFileExists() const { return QFileInfo(optionsPath()).isFile(); }

void OptionsEditor::FillResolutionList(DisplayModeSource modes)
{
    if (m_general)
        m_general->addDisplayModes(modes());
    else
        m_displayModes = std::move(modes);
}

void OptionsEditor::LoadGameOptions()
{
    // Until this load has read everything, the pages hold no document's values (another game's, or
    // defaults where a failed load stopped).
    m_holdsDocumentValues = false;
    m_waiting.reset();
    const QString path = optionsPath();
    // A folder in the document's place is no missing document: Open reports it.
    if (!QFileInfo::exists(path))
        return;
    TXMLParser doc;
    doc.Open(path);
    if (!m_multiplay) {
        // No page yet: a document that reads whole waits for the pages. One that does not is loaded
        // into them now, so that they show how far its load got, as they always have.
        try {
            MultiplayPage::check(doc);
            GeneralPage::check(doc);
            m_waiting = std::move(doc);
            m_holdsDocumentValues = true;
            return;
        } catch (const UserError&) {
            makePages();
        }
    }
    m_multiplay->load(doc);
    m_general->load(doc);
    m_holdsDocumentValues = true;
}

bool OptionsEditor::saveGameOptions()
{
    const QString path = optionsPath();
    if (!QFileInfo::exists(path))
        return false;
    // Pages never shown take the values waiting for them, which then go back as they came.
    makePages();
    if (!m_holdsDocumentValues)
        throw UserError(
            tr("%1 を読み込めなかったため、設定を保存できませんでした").arg(QDir::toNativeSeparators(path)));
    // The pages write into the document in memory: a refusal or a line that is not there leaves the
    // file as it was.
    TXMLParser doc;
    doc.Open(path);
    m_multiplay->save(doc);
    m_general->save(doc);
    doc.Save(path);
    return true;
}

void OptionsEditor::tellMissingDocument()
{
    m_prompter.message(
        Prompter::Icon::Warning,
        tr("%1 が見つからないため、設定を保存できませんでした").arg(QDir::toNativeSeparators(optionsPath())));
}

void OptionsEditor::btnSaveMultiplaySettingsClick()
{
    if (!saveGameOptions())
        tellMissingDocument();
}

void OptionsEditor::Button15Click()
{
    // The notice follows the save: a save that failed must not have been announced as done.
    if (!saveGameOptions()) {
        tellMissingDocument();
        return;
    }
    emit notice(tr("現在の設定を保存しました"));
}

void OptionsEditor::ReloadConfigFile()
{
    if (!m_prompter.confirm(Prompter::Icon::Warning,
                            tr("現在設定中の全ての設定が失われます。\r\n設定を前回保存の状態に戻しますか？")))
        return;
    if (m_reloadMods)
        m_reloadMods();
    m_store.load();
}

// SPDX-License-Identifier: MIT
#include "options/OptionsEditor.h"

#include "game/GameInstallation.h"
#include "options/ColourSwatch.h"
#include "options/GeneralPage.h"
#include "options/MultiplayPage.h"
#include "options/OptionRules.h"
#include "options/TXMLParser.h"
#include "platform/DisplayModes.h"
#include "platform/Errors.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>

namespace {

const QByteArray Multiplayer = QByteArrayLiteral("Multiplayer");
const QByteArray Graphics = QByteArrayLiteral("Graphics");
const QByteArray GamePlay = QByteArrayLiteral("GamePlay");
const QByteArray Sound = QByteArrayLiteral("Sound");

// The entry of a list, or nothing when none is selected.
std::optional<QString> selected(const QComboBox* list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentText();
}

} // namespace

OptionsEditor::OptionsEditor(Prompter& prompter, const GameInstallation& game, std::function<void()> reloadMods,
                             QObject* parent)
    : QObject(parent), m_prompter(prompter), m_game(game), m_reloadMods(std::move(reloadMods)),
      m_multiplay(new MultiplayPage(prompter)), m_general(new GeneralPage(prompter)),
      m_reload(new QAction(QStringLiteral("設定ファイル再読込(&R)"), this)),
      m_store(
          prompter, [this] { LoadGameOptions(); },
          [this] {
              if (m_holdsDocumentValues)
                  saveGameOptions();
          })
{
    m_reload->setObjectName(QStringLiteral("ReloadConfigFile"));
    connectHandlers();
}

OptionsEditor::~OptionsEditor()
{
    // Pages placed in the tabs belong to them; only pages never placed are ours to delete.
    if (m_multiplay && !m_multiplay->parent())
        delete m_multiplay.data();
    if (m_general && !m_general->parent())
        delete m_general.data();
}

MultiplayPage* OptionsEditor::multiplayPage() const { return m_multiplay; }

GeneralPage* OptionsEditor::generalPage() const { return m_general; }

void OptionsEditor::connectHandlers()
{
    connect(m_multiplay->btnSaveMultiplaySettings(), &QPushButton::clicked, this,
            guarded(m_prompter, [this] { btnSaveMultiplaySettingsClick(); }));
    connect(m_general->Button15(), &QPushButton::clicked, this, guarded(m_prompter, [this] { Button15Click(); }));
    connect(m_reload, &QAction::triggered, this, guarded(m_prompter, [this] { ReloadConfigFile(); }));
}

QString OptionsEditor::optionsPath() const { return gameinstallation::optionsPath(m_game.folder()); }

bool OptionsEditor::OptionsFileExists() const { return QFileInfo(optionsPath()).isFile(); }

void OptionsEditor::FillResolutionList() { m_general->addDisplayModes(displayModes()); }

void OptionsEditor::LoadGameOptions()
{
    // Until this load has read everything, the pages hold no document's values (another game's, or
    // defaults where a failed load stopped).
    m_holdsDocumentValues = false;
    const QString path = optionsPath();
    // A folder in the document's place is no missing document: Open reports it.
    if (!QFileInfo::exists(path))
        return;
    TXMLParser doc;
    doc.Open(path);
    MultiplayPage& mp = *m_multiplay;
    GeneralPage& gp = *m_general;

    ChatSlots chat;
    chat.texts = doc.ReadChatTexts();
    chat.teams = doc.ReadChatTeams();
    mp.setChatSlots(chat);

    mp.setBytes(mp.HostName(), doc.ReadSectionValue(Multiplayer, "MPGameName"));
    mp.setBytes(mp.HostMessage(), doc.ReadSectionValue(Multiplayer, "MOTD"));
    mp.setBytes(mp.PlayerName(), doc.ReadRootValue("PlayerName"));

    gp.ChkFullScr()->setChecked(doc.ReadSectionBool(Graphics, "FullScreen"));
    gp.ChkFrameRate()->setChecked(doc.ReadSectionBool(Graphics, "ShowFrameRate"));
    gp.ChkCompressTexture()->setChecked(doc.ReadSectionBool(Graphics, "CompressTextures"));
    gp.ChkDeadBody()->setChecked(doc.ReadSectionBool(Graphics, "ShowDeadBodies"));
    gp.ChkShowBlood()->setChecked(doc.ReadSectionBool(GamePlay, "BloodOn"));
    gp.ChkThreatIndicator()->setChecked(doc.ReadRootBool("ThreatIndicatorEnabled"));
    gp.ChkSoftwareSound()->setChecked(doc.ReadSectionBool(Sound, "SoundInSoftware"));

    // All six first: a bad one leaves both swatches as they were.
    const qint32 r = doc.ReadRootInt("ReticuleColorR");
    const qint32 g = doc.ReadRootInt("ReticuleColorG");
    const qint32 b = doc.ReadRootInt("ReticuleColorB");
    const qint32 iffR = doc.ReadRootInt("ReticuleIFFColorR");
    const qint32 iffG = doc.ReadRootInt("ReticuleIFFColorG");
    const qint32 iffB = doc.ReadRootInt("ReticuleIFFColorB");
    gp.ReticuleColor()->setColour(optionrules::colourFromComponents(r, g, b));
    gp.ReticuleIFFColor()->setColour(optionrules::colourFromComponents(iffR, iffG, iffB));

    gp.setGamma(doc.ReadSectionValue(Graphics, "Gamma"));

    const TXMLParser::VideoResolution resolution = doc.ReadVideoResolution();
    gp.selectBitDepth(optionrules::bitDepthEntry(resolution.bitDepth));
    gp.selectResolution(optionrules::resolutionEntry(resolution.width, resolution.height));

    m_holdsDocumentValues = true;
}

bool OptionsEditor::saveGameOptions()
{
    const QString path = optionsPath();
    if (!QFileInfo::exists(path))
        return false;
    if (!m_holdsDocumentValues)
        throw UserError(QStringLiteral("%1 を読み込めなかったため、設定を保存できませんでした")
                            .arg(QDir::toNativeSeparators(path)));
    MultiplayPage& mp = *m_multiplay;
    GeneralPage& gp = *m_general;

    // Every text is encoded before the document is touched: text that code page 932 cannot hold stops
    // the save with nothing written.
    const QByteArray hostName = mp.bytesOf(mp.HostName(), QStringLiteral("ホスト名"));
    const QByteArray hostMessage = mp.bytesOf(mp.HostMessage(), QStringLiteral("ホストメッセージ"));
    const ChatSlots chat = mp.chatSlots();
    const QByteArray playerName = mp.bytesOf(mp.PlayerName(), QStringLiteral("プレイヤー名"));
    const QByteArray gamma = gp.gammaBytes();

    TXMLParser doc;
    doc.Open(path);
    doc.WriteSectionValue(Multiplayer, "MPGameName", hostName);
    doc.WriteSectionValue(Multiplayer, "MOTD", hostMessage);
    doc.WriteChatMessages(chat.texts, chat.teams);
    doc.WriteRootValue("PlayerName", playerName);

    doc.WriteSectionBool(Graphics, "FullScreen", gp.ChkFullScr()->isChecked());
    doc.WriteSectionBool(Graphics, "ShowFrameRate", gp.ChkFrameRate()->isChecked());
    doc.WriteSectionBool(Graphics, "CompressTextures", gp.ChkCompressTexture()->isChecked());
    doc.WriteSectionBool(Graphics, "ShowDeadBodies", gp.ChkDeadBody()->isChecked());
    doc.WriteSectionBool(GamePlay, "BloodOn", gp.ChkShowBlood()->isChecked());
    doc.WriteSectionBool(Sound, "SoundInSoftware", gp.ChkSoftwareSound()->isChecked());
    doc.WriteRootBool("ThreatIndicatorEnabled", gp.ChkThreatIndicator()->isChecked());

    const quint32 reticule = gp.ReticuleColor()->colour();
    const quint32 iff = gp.ReticuleIFFColor()->colour();
    doc.WriteRootInt("ReticuleColorR", optionrules::red(reticule));
    doc.WriteRootInt("ReticuleColorG", optionrules::green(reticule));
    doc.WriteRootInt("ReticuleColorB", optionrules::blue(reticule));
    doc.WriteRootInt("ReticuleIFFColorR", optionrules::red(iff));
    doc.WriteRootInt("ReticuleIFFColorG", optionrules::green(iff));
    doc.WriteRootInt("ReticuleIFFColorB", optionrules::blue(iff));

    doc.WriteSectionValue(Graphics, "Gamma", gamma);

    // With no resolution chosen (the document's was not among the display's modes, or its load
    // stopped early) the line stays as the document has it; a missing depth keeps the document's.
    if (const std::optional<QString> entry = selected(gp.ComboBox1())) {
        const optionrules::ResolutionParts parts = optionrules::splitResolutionEntry(*entry);
        const std::optional<QString> depth = selected(gp.ComboBox2());
        doc.WriteVideoResolution(parts.width.toLatin1(), parts.height.toLatin1(),
                                 depth ? depth->toLatin1() : doc.ReadVideoResolution().bitDepth);
    }
    doc.Save(path);
    return true;
}

void OptionsEditor::tellMissingDocument()
{
    m_prompter.message(Prompter::Icon::Warning, QStringLiteral("%1 が見つからないため、設定を保存できませんでした")
                                                    .arg(QDir::toNativeSeparators(optionsPath())));
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
    emit notice(QStringLiteral("現在の設定を保存しました"));
}

void OptionsEditor::ReloadConfigFile()
{
    if (!m_prompter.confirm(
            Prompter::Icon::Warning,
            QStringLiteral("現在設定中の全ての設定が失われます。\r\n設定を前回保存の状態に戻しますか？")))
        return;
    if (m_reloadMods)
        m_reloadMods();
    m_store.load();
}

// SPDX-License-Identifier: MIT
#include "options/MultiplayPage.h"

#include "platform/FileNames.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "ui_MultiplayPage.h"

#include <QDir>
#include <QPainter>
#include <QStyle>

namespace {

const QByteArray Multiplayer = QByteArrayLiteral("Multiplayer");

// Two sheets, one over the other: no standard icon says "duplicate".
QIcon copyIcon(const QPalette& palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(palette.color(QPalette::WindowText));
    p.setBrush(palette.color(QPalette::Base));
    p.drawRect(1, 1, 9, 11);
    p.drawRect(5, 4, 9, 11);
    return QIcon(pixmap);
}

} // namespace

MultiplayPage::MultiplayPage(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_ui(std::make_unique<Ui::MultiplayPage>()),
      m_setFolder(QDir::currentPath())
{
    m_ui->setupUi(this);
    m_mes = {m_ui->Mes0, m_ui->Mes1, m_ui->Mes2, m_ui->Mes3, m_ui->Mes4,
             m_ui->Mes5, m_ui->Mes6, m_ui->Mes7, m_ui->Mes8, m_ui->Mes9};
    m_tc = {m_ui->tc0, m_ui->tc1, m_ui->tc2, m_ui->tc3, m_ui->tc4,
            m_ui->tc5, m_ui->tc6, m_ui->tc7, m_ui->tc8, m_ui->tc9};
    m_keypad = {m_ui->Button16, m_ui->Button17, m_ui->Button18, m_ui->Button19, m_ui->Button20,
                m_ui->Button21, m_ui->Button22, m_ui->Button23, m_ui->Button24, m_ui->Button25};
    // Without a caption of their own a screen reader names these by the group box, all alike.
    for (QToolButton* button :
         {m_ui->btnLoadChatSet, m_ui->btnSaveChatSet, m_ui->btnCopyChatSet, m_ui->btnDeleteChatSet})
        button->setAccessibleName(button->toolTip());
    for (int n = 0; n < SlotCount; ++n)
        m_tc[static_cast<std::size_t>(n)]->setAccessibleName(tr("ﾁｰﾑ %1").arg(n));

    QComboBox* sets = m_ui->ComboBox3;
    sets->addItems(chatsetfile::listNames(m_setFolder));
    sets->setCurrentIndex(-1);
    sets->setEditText(chatsetfile::currentSettingName());
    connectHandlers();
}

MultiplayPage::~MultiplayPage() = default;

void MultiplayPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The style's icons come from the desktop's icon theme, a search that takes longer than making
    // the whole page: done when the page is first seen, not at start-up.
    if (!m_ui->btnLoadChatSet->icon().isNull())
        return;
    setUpSetButtons();
}

void MultiplayPage::setUpSetButtons()
{
    const QStyle* s = style();
    m_ui->btnLoadChatSet->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    m_ui->btnSaveChatSet->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    m_ui->btnCopyChatSet->setIcon(copyIcon(palette()));
    m_ui->btnDeleteChatSet->setIcon(s->standardIcon(QStyle::SP_TrashIcon));
}

void MultiplayPage::connectHandlers()
{
    connect(m_ui->btnSaveMultiplaySettings, &QPushButton::clicked, this, &MultiplayPage::saveRequested);
    connect(m_ui->ComboBox3, &QComboBox::activated, this, guarded(m_prompter, [this] { ComboBox3Select(); }));
    connect(m_ui->btnLoadChatSet, &QToolButton::clicked, this, guarded(m_prompter, [this] { btnLoadChatSetClick(); }));
    connect(m_ui->btnSaveChatSet, &QToolButton::clicked, this, guarded(m_prompter, [this] { btnSaveChatSetClick(); }));
    connect(m_ui->btnCopyChatSet, &QToolButton::clicked, this, guarded(m_prompter, [this] { btnCopyChatSetClick(); }));
    connect(m_ui->btnDeleteChatSet, &QToolButton::clicked, this,
            guarded(m_prompter, [this] { btnDeleteChatSetClick(); }));
    for (int slot = 0; slot < SlotCount; ++slot)
        connect(m_keypad.at(static_cast<std::size_t>(slot)), &QPushButton::clicked, this,
                [this, slot] { keypadClick(slot); });
}

void MultiplayPage::load(const TXMLParser& doc) { read(doc, this); }

void MultiplayPage::check(const TXMLParser& doc) { read(doc, nullptr); }

void MultiplayPage::read(const TXMLParser& doc, MultiplayPage* into)
{
    ChatSlots chat;
    chat.texts = doc.ReadChatTexts();
    chat.teams = doc.ReadChatTeams();
    if (into)
        into->setChatSlots(chat);
    const QByteArray hostName = doc.ReadSectionValue(Multiplayer, "MPGameName");
    if (into)
        into->setBytes(into->m_ui->HostName, hostName);
    const QByteArray hostMessage = doc.ReadSectionValue(Multiplayer, "MOTD");
    if (into)
        into->setBytes(into->m_ui->HostMessage, hostMessage);
    const QByteArray playerName = doc.ReadRootValue("PlayerName");
    if (into)
        into->setBytes(into->m_ui->PlayerName, playerName);
}

void MultiplayPage::save(TXMLParser& doc) const
{
    const QByteArray hostName = bytesOf(m_ui->HostName, tr("ホスト名"));
    const QByteArray hostMessage = bytesOf(m_ui->HostMessage, tr("ホストメッセージ"));
    const ChatSlots chat = chatSlots();
    const QByteArray playerName = bytesOf(m_ui->PlayerName, tr("プレイヤー名"));

    doc.WriteSectionValue(Multiplayer, "MPGameName", hostName);
    doc.WriteSectionValue(Multiplayer, "MOTD", hostMessage);
    doc.WriteChatMessages(chat.texts, chat.teams);
    doc.WriteRootValue("PlayerName", playerName);
}

void MultiplayPage::setBytes(QLineEdit* edit, const QByteArray& bytes)
{
    edit->setText(m_origins.fill(edit->objectName(), bytes));
    // Show a long text from its start, as it reads, rather than scrolled to its end.
    edit->setCursorPosition(0);
}

QByteArray MultiplayPage::bytesOf(const QLineEdit* edit, const QString& label) const
{
    return m_origins.bytesFor(edit->objectName(), edit->text(), label);
}

ChatSlots MultiplayPage::chatSlots() const
{
    ChatSlots chat;
    for (int n = 0; n < SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        chat.texts[i] = bytesOf(m_mes[i], tr("ﾒｯｾｰｼﾞ %1").arg(n));
        chat.teams[i] = m_tc[i]->isChecked();
    }
    return chat;
}

void MultiplayPage::setChatSlots(const ChatSlots& chat)
{
    for (std::size_t i = 0; i < m_mes.size(); ++i) {
        setBytes(m_mes[i], chat.texts[i]);
        m_tc[i]->setChecked(chat.teams[i]);
    }
}

std::optional<QString> MultiplayPage::usableName(const QString& name)
{
    const QString error = filenames::setNameError(name);
    if (error.isEmpty())
        return name;
    m_prompter.message(Prompter::Icon::Warning, error);
    return std::nullopt;
}

std::optional<QString> MultiplayPage::chosenName()
{
    const QString text = m_ui->ComboBox3->currentText();
    if (text.isEmpty())
        return std::nullopt;
    return usableName(text);
}

void MultiplayPage::LoadChatSet(const QString& path) { setChatSlots(chatsetfile::read(path)); }

void MultiplayPage::ComboBox3Select()
{
    if (const std::optional<QString> name = chosenName())
        LoadChatSet(chatsetfile::setPath(m_setFolder, *name));
}

void MultiplayPage::btnLoadChatSetClick()
{
    Prompter::FileRequest request;
    request.filter = QStringLiteral("(*.lst)|*.lst");
    request.initialName = QStringLiteral("*.lst");
    request.defaultSuffix = QStringLiteral("lst");
    const std::optional<QString> path = m_prompter.openFile(request);
    // Only the slots change: a set loaded from elsewhere does not join the list.
    if (path && chatsetfile::isSetFile(*path))
        LoadChatSet(*path);
}

void MultiplayPage::btnSaveChatSetClick()
{
    const QString text = m_ui->ComboBox3->currentText();
    if (text.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, tr("名前を付けてください。拡張子などは一切要りません。"));
        return;
    }
    const std::optional<QString> name = usableName(text);
    if (!name)
        return;
    chatsetfile::save(m_setFolder, *name, chatSlots());
    if (m_ui->ComboBox3->findText(*name) < 0)
        m_ui->ComboBox3->addItem(*name);
}

void MultiplayPage::btnCopyChatSetClick()
{
    const std::optional<QString> name = chosenName();
    if (!name)
        return;
    const std::optional<QString> answer =
        m_prompter.query(tr("複製"), tr("設定の名前(拡張子無し)"), tr("%1のコピー").arg(*name));
    if (!answer)
        return;
    const std::optional<QString> copyName = usableName(*answer);
    if (!copyName)
        return;
    if (!chatsetfile::copy(m_setFolder, *name, *copyName)) {
        m_prompter.message(Prompter::Icon::None, tr("複製に失敗しました。名前が重複しているか、空き容量が足りません"));
        return;
    }
    m_ui->ComboBox3->addItem(*copyName);
    m_ui->ComboBox3->setCurrentIndex(m_ui->ComboBox3->count() - 1);
}

void MultiplayPage::btnDeleteChatSetClick()
{
    const std::optional<QString> name = chosenName();
    if (!name)
        return;
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("\"%1\" 設定を削除しますか？").arg(*name)))
        return;
    if (!chatsetfile::remove(m_setFolder, *name)) {
        m_prompter.message(Prompter::Icon::Warning, tr("ファイルが削除出来ませんでした"));
        return;
    }
    // The entry of the deleted name, which need not be the one last chosen: the user may have typed
    // another name since. The box keeps the text, as it was.
    QComboBox* sets = m_ui->ComboBox3;
    const int index = sets->findText(*name);
    if (index >= 0) {
        sets->removeItem(index);
        sets->setCurrentIndex(-1);
        sets->setEditText(*name);
    }
}

void MultiplayPage::keypadClick(int slot) { m_mes.at(static_cast<std::size_t>(slot))->setFocus(Qt::OtherFocusReason); }

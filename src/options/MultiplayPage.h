// SPDX-License-Identifier: MIT
#pragma once

#include "options/ChatSetFile.h"
#include "options/TextOrigins.h"

#include <QWidget>

#include <array>
#include <memory>

class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class MultiplayPage;
}

// The "ﾏﾙﾁﾌﾟﾚｲ" tab: the ten quick-chat slots with their team boxes and keypad, the chat sets, and the
// player name, host name and message of the day. It owns the chat set handlers and moves its fields to
// and from the options document; the options editor owns the document and the "保存" button's handler.
class MultiplayPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int SlotCount = TXMLParser::ChatCount;
    // Lists the chat sets of the working folder, which start-up has made the program folder.
    explicit MultiplayPage(Prompter& prompter, QWidget* parent = nullptr);
    ~MultiplayPage() override;

    // The document's chat slots, host name, message of the day and player name into the fields; a
    // missing section throws UserError and leaves the fields after it as they were.
    void load(const TXMLParser& doc);
    // Reads what load() reads and throws as it would, without a page.
    static void check(const TXMLParser& doc);
    // The fields into the document. Every text is checked before the document changes, so a refusal
    // (UserError naming the field, optionrules::typedTextRefusal) leaves it as it was.
    void save(TXMLParser& doc) const;

    // Fills the ten slots from a set file; a missing file empties them.
    void LoadChatSet(const QString& path);
    void ComboBox3Select(); // a set picked in the chat set list
    void btnLoadChatSetClick();
    void btnSaveChatSetClick();
    void btnCopyChatSetClick();
    void btnDeleteChatSetClick();
    // Button16Click to Button25Click.
    void keypadClick(int slot);

signals:
    // "保存" was clicked.
    void saveRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // load() into a page, or check() with none.
    static void read(const TXMLParser& doc, MultiplayPage* into);
    void setUpSetButtons();
    void connectHandlers();
    // The set box's text when it can name a file; otherwise the user is told and nothing comes back.
    std::optional<QString> usableName(const QString& name);
    // The same for the set box's text; an empty box is nothing, without a message.
    std::optional<QString> chosenName();
    // A text field filled from document bytes, and the bytes to write for it: the same bytes while
    // the user has not edited it. bytesOf throws UserError naming the field for edited text that the
    // document cannot hold.
    void setBytes(QLineEdit* edit, const QByteArray& bytes);
    QByteArray bytesOf(const QLineEdit* edit, const QString& label) const;
    ChatSlots chatSlots() const;
    void setChatSlots(const ChatSlots& chat);

    Prompter& m_prompter;
    std::unique_ptr<Ui::MultiplayPage> m_ui;
    std::array<QLineEdit*, SlotCount> m_mes{};
    std::array<QCheckBox*, SlotCount> m_tc{};
    std::array<QPushButton*, SlotCount> m_keypad{};
    TextOrigins m_origins;
    const QString m_setFolder;
};

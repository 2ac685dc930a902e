// SPDX-License-Identifier: MIT
#pragma once

#include "options/ChatSetFile.h"
#include "options/TextOrigins.h"

#include <QWidget>

#include <array>
#include <memory>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Ui {
class MultiplayPage;
}

// The "ﾏﾙﾁﾌﾟﾚｲ" tab: the ten quick-chat slots with their team boxes and keypad, the chat sets, and the
// player name, host name and message of the day. It owns the chat set handlers; the options editor
// fills and reads the other fields and owns the "保存" button's handler.
class MultiplayPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int SlotCount = TXMLParser::ChatCount;
    // The set box's text until the user chooses or types a name; a set name like any other.
    static const QString& currentSettingsName();

    // Lists the chat sets of the working folder.
    explicit MultiplayPage(Prompter& prompter, QWidget* parent = nullptr);
    ~MultiplayPage() override;

    QLineEdit* PlayerName() const;
    QLineEdit* HostName() const;
    QLineEdit* HostMessage() const;
    QLineEdit* Mes(int slot) const { return m_mes.at(static_cast<std::size_t>(slot)); }
    QCheckBox* tc(int slot) const { return m_tc.at(static_cast<std::size_t>(slot)); }
    QComboBox* ComboBox3() const;
    QPushButton* btnSaveMultiplaySettings() const;
    QToolButton* btnLoadChatSet() const;
    QToolButton* btnSaveChatSet() const;
    QToolButton* btnCopyChatSet() const;
    QToolButton* btnDeleteChatSet() const;
    // The keypad button that focuses a slot ("0" is Button16, "9" is Button25).
    QPushButton* keypadButton(int slot) const { return m_keypad.at(static_cast<std::size_t>(slot)); }

    // A text field filled from document bytes, and the bytes to write for it: the same bytes while
    // the user has not edited it. bytesOf throws UserError naming the field for edited text that the
    // document cannot hold (optionrules::typedTextRefusal).
    void setBytes(QLineEdit* edit, const QByteArray& bytes);
    QByteArray bytesOf(const QLineEdit* edit, const QString& label) const;

    ChatSlots chatSlots() const;
    void setChatSlots(const ChatSlots& chat);

    // Fills the ten slots from a set file; a missing file empties them.
    void LoadChatSet(const QString& path);
    void ComboBox3Select(); // a set picked in the chat set list
    void btnLoadChatSetClick();
    void btnSaveChatSetClick();
    void btnCopyChatSetClick();
    void btnDeleteChatSetClick();
    // Button16Click to Button25Click.
    void keypadClick(int slot);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setUpSetButtons();
    void connectHandlers();
    // The set box's text when it can name a file; otherwise the user is told and nothing comes back.
    std::optional<QString> usableName(const QString& name);
    // The same for the set box's text; an empty box is nothing, without a message.
    std::optional<QString> chosenName();

    Prompter& m_prompter;
    std::unique_ptr<Ui::MultiplayPage> m_ui;
    std::array<QLineEdit*, SlotCount> m_mes{};
    std::array<QCheckBox*, SlotCount> m_tc{};
    std::array<QPushButton*, SlotCount> m_keypad{};
    TextOrigins m_origins;
};

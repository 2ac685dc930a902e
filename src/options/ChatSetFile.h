// SPDX-License-Identifier: MIT
#pragma once

#include "options/TXMLParser.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The ten quick-chat slots as a chat set holds them.
struct ChatSlots
{
    TXMLParser::ChatTexts texts;
    TXMLParser::ChatTeams teams{};
};

// Chat sets: named copies of the ten quick-chat slots, each in the file "<name>.lst" of the program
// folder, a profile file with the section "ChatList" and the keys MSG0, TEAM0, ... MSG9, TEAM9. Set
// names are file names exactly as typed.
namespace chatsetfile {

// The set box's text until the user chooses or types a name; a set name like any other.
inline QString currentSettingName() { return QCoreApplication::translate("chatsetfile", "現在の設定"); }

// The names of the sets in the folder: its files ending in ".lst", sorted without regard to case, each
// without that extension.
QStringList listNames(const QString& programFolder);
// The set's file.
QString setPath(const QString& programFolder, const QString& name);
// Whether a chosen file is a chat set file: its extension is exactly ".lst".
bool isSetFile(const QString& path);

// A missing file, and a missing key, read as empty; a TEAM key ticks its slot when it holds a non-zero
// integer. A file that exists but cannot be read throws UserError rather than emptying the slots.
ChatSlots read(const QString& path);
// Writes the keys in slot order into the set's file (made when missing, other content kept),
// atomically. Texts go in quotes of their own where the reader would otherwise trim or unquote them. A
// file that exists but cannot be read is not replaced: that throws UserError, as does a failed write.
void save(const QString& programFolder, const QString& name, const ChatSlots& chat);
// Copies the set's file byte for byte as the set copyName; false, with nothing left behind, when a
// set of that name exists or the copy fails.
bool copy(const QString& programFolder, const QString& name, const QString& copyName);
// Deletes the set's file; false when there was none or it could not be deleted.
bool remove(const QString& programFolder, const QString& name);

} // namespace chatsetfile

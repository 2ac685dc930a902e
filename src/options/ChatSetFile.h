// SPDX-License-Identifier: MIT
#pragma once

#include "options/TXMLParser.h"

#include <QString>
#include <QStringList>

// The ten quick-chat slots as a chat set holds them.
struct ChatSlots
{
    TXMLParser::ChatTexts texts;
    TXMLParser::ChatTeams teams{};
};

// Chat set files: "<name>.lst" in the working folder, a profile file with the section "ChatList" and
// the keys MSG0, TEAM0, ... MSG9, TEAM9.
namespace chatsetfile {

// The file of a set, in the working folder as it is now.
QString pathOf(const QString& name);
// The names of the sets in the working folder: its files ending in ".lst", sorted without regard to
// case, each without that extension.
QStringList listNames();
// Whether a chosen file is a chat set file: its extension is exactly ".lst".
bool isSetFile(const QString& path);

// A missing file, and a missing key, read as empty; a TEAM key ticks its slot when it holds a non-zero
// integer. A file that exists but cannot be read throws UserError rather than emptying the slots.
ChatSlots read(const QString& path);
// Writes the keys in slot order into the file (made when missing, other content kept), atomically.
// Texts go in quotes of their own where the reader would otherwise trim or unquote them. A file that
// exists but cannot be read is not replaced: that throws UserError, as does a failed write.
void write(const QString& path, const ChatSlots& chat);

} // namespace chatsetfile

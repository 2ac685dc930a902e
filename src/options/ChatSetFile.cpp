// SPDX-License-Identifier: MIT
#include "options/ChatSetFile.h"

#include "platform/ProfileFile.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>

namespace chatsetfile {

namespace {

const QByteArray Section = QByteArrayLiteral("ChatList");
const QString Extension = QStringLiteral(".lst");

QByteArray messageKey(int n) { return QByteArrayLiteral("MSG") + QByteArray::number(n); }
QByteArray teamKey(int n) { return QByteArrayLiteral("TEAM") + QByteArray::number(n); }

ProfileFile openExisting(const QString& path)
{
    ProfileFile file = ProfileFile::fromBytes(textfile::readExisting(path).value_or(QByteArray()));
    file.setPath(path);
    return file;
}

} // namespace

QString setPath(const QString& programFolder, const QString& name)
{
    return QDir(programFolder).filePath(name + Extension);
}

QStringList listNames(const QString& programFolder)
{
    // Case-sensitive: a file this program could not open again under the listed name is not a set. The
    // suffix is compared by hand: a name filter would compile a regular expression at every start.
    const QStringList files = QDir(programFolder).entryList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QString& file : files) {
        if (!isSetFile(file))
            continue;
        const QString name = file.chopped(Extension.size());
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

bool isSetFile(const QString& path) { return path.endsWith(Extension, Qt::CaseSensitive); }

ChatSlots read(const QString& path)
{
    const ProfileFile file = openExisting(path);
    ChatSlots chat;
    for (int n = 0; n < TXMLParser::ChatCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        chat.texts[i] = file.readString(Section, messageKey(n));
        chat.teams[i] = file.readBool(Section, teamKey(n), false);
    }
    return chat;
}

void save(const QString& programFolder, const QString& name, const ChatSlots& chat)
{
    ProfileFile file = openExisting(setPath(programFolder, name));
    for (int n = 0; n < TXMLParser::ChatCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        file.writeString(Section, messageKey(n), ProfileFile::quotedForReading(chat.texts[i]));
        file.writeString(Section, teamKey(n), chat.teams[i] ? "1" : "0");
    }
    file.save();
}

bool copy(const QString& programFolder, const QString& name, const QString& copyName)
{
    // QFile::copy refuses an existing target and writes through a temporary file, so a full disk
    // leaves no half copy behind.
    return QFile::copy(setPath(programFolder, name), setPath(programFolder, copyName));
}

bool remove(const QString& programFolder, const QString& name)
{
    return textfile::remove(setPath(programFolder, name));
}

} // namespace chatsetfile

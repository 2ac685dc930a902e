// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QFile;

// Folders listed the two ways the program needs.
//
// A folder's entries with their Windows attribute words, for the mod scan, which counts a folder
// only when its attribute word is exactly "directory". On Windows the word is the file system's own.
// Elsewhere it is what Wine and Samba keep in the extended attribute "user.DOSATTRIB" when the entry
// carries one; otherwise read-only comes from the permission bits and hidden from a leading dot.
//
// A folder's plain files by the file system's own bytes, for the screenshots: a name written in
// code page 932 on a Linux disk is not valid UTF-8, and would not survive a round trip through text.
namespace folderlisting {

// The attribute bits as Windows numbers them.
enum Attribute : quint32
{
    ReadOnly = 0x01,
    Hidden = 0x02,
    System = 0x04,
    Directory = 0x10,
    Archive = 0x20,
};

struct Entry
{
    QString name;
    quint32 attributes = 0;
};

// The entries matching pattern (a folder path ending in a wildcard such as "*.*" or "*.mst"), folders
// as well as files, in the order the file system returns them; "." and ".." come too where the file
// system lists them. Names match the wildcard without regard to letter case, and "*.*" matches every
// name, as on Windows. A folder that is missing or cannot be listed gives no entries.
QList<Entry> find(const QString& pattern);

// The attribute word of an entry without "user.DOSATTRIB" (Wine's rule): directory or archive, read-only
// when nobody may write it, hidden when its name starts with a dot.
quint32 attributesFromMode(bool isDirectory, bool anyoneMayWrite, QStringView name);
// The value of "user.DOSATTRIB": hexadecimal text after "0x", ended by a NUL or the value's end (Samba
// puts binary data after the NUL). Nothing when the value is not of that form.
std::optional<quint32> parseDosAttrib(QByteArrayView value);
// Whether name matches a Windows wildcard ('*', '?'), letter case ignored; "*.*" matches every name.
bool matchesWildcard(QStringView name, QStringView wildcard);

// The folder part and the wildcard part of a pattern; either separator may end the folder.
std::pair<QString, QString> splitPattern(const QString& pattern);

struct File
{
    QByteArray name;
    qint64 size = 0;
    qint64 modified = 0; // seconds since the epoch
};

// The plain files of folder whose names accept() takes, in the order the file system returns them.
// Links are followed, as a file browser does; a folder, even one named like a file, is left out.
// accept() sees each name before anything else is asked about it, so a large folder stays quick.
// A folder that is missing or cannot be listed gives no files.
QList<File> files(const QByteArray& folder, const std::function<bool(QByteArrayView name)>& accept);

bool exists(const QByteArray& path);

// Opens a file by its bytes for reading; null, with the reason, when it cannot be opened or is not
// a plain file. *size is set to its length.
std::unique_ptr<QFile> openFile(const QByteArray& path, qint64* size, QString* error);

} // namespace folderlisting

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Mod sets: named copies of the active mod list, each in the file "<name>.mst" of the program folder,
// one entry per line as it reads. Set names compare without regard to letter case, as file names do
// on the system the sets come from; on a case-sensitive file system the set's file is found in any case.
namespace modsets {

// The set box's text until the user chooses or types a name; never a set's name.
inline QString currentSettingName() { return QCoreApplication::translate("modsets", "現在の設定"); }
inline const QString extension = QStringLiteral(".mst");
// A set file larger than this is refused as unreadable.
constexpr qint64 MaxSetBytes = 16 * 1024 * 1024;

// The names of the set files in the folder ("*.mst", files only), sorted letter case ignored,
// without the extension. Files whose names could not be typed as a set name are left out.
QStringList listNames(const QString& programFolder);
// The set's file as it is on disk, or where it would be created.
QString setPath(const QString& programFolder, const QString& name);
bool exists(const QString& programFolder, const QString& name);
// The set's entries; nothing when no file is there; throws UserError when it cannot be read.
std::optional<QList<QByteArray>> read(const QString& path);
// Writes the set atomically under the name as typed (throws UserError, changing nothing, when it
// cannot), then removes other spellings of the same name, so that one file answers to the name.
void save(const QString& programFolder, const QString& name, const QList<QByteArray>& entries);
// Copies a set file byte for byte from elsewhere in as the set `name` (throws UserError when it cannot).
void import(const QString& sourcePath, const QString& programFolder, const QString& name);
// Deletes the set's file; false when there was none or it could not be deleted.
bool remove(const QString& programFolder, const QString& name);

// Whether two set names are the same name.
bool sameName(const QString& a, const QString& b);

} // namespace modsets

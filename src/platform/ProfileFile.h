// SPDX-License-Identifier: MIT
#pragma once

#include "platform/TextFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// A Windows profile (INI) file with the semantics of GetPrivateProfileString and
// WritePrivateProfileString, on code-page-932 bytes. The file is read once on construction; reads
// and writes then work in memory and save() writes the result atomically, so a failed save leaves
// the file on disk exactly as it was. Lines that no write touches keep their bytes and line ends.
class ProfileFile
{
public:
    static constexpr qsizetype MaxValueLength = 2047;

    ProfileFile() = default;
    // A missing or unreadable file reads as empty.
    explicit ProfileFile(const QString& path);
    static ProfileFile fromBytes(QByteArray bytes);

    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Blanks around the value and one pair of enclosing quotes are dropped; at most 2047 bytes.
    QByteArray readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue = {}) const;
    // Strict: decimal with an optional sign, or hexadecimal after 0x, within 32 bits; else the default.
    qint32 readInt(QByteArrayView section, QByteArrayView key, qint32 defaultValue) const;
    // An integer; non-zero is true.
    bool readBool(QByteArrayView section, QByteArrayView key, bool defaultValue) const;
    bool hasKey(QByteArrayView section, QByteArrayView key) const;

    // The value is written as given; CR and LF in it become blanks so that a value cannot add lines.
    void writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void writeInt(QByteArrayView section, QByteArrayView key, qint64 value);
    void writeBool(QByteArrayView section, QByteArrayView key, bool value);
    // Appends an empty section header when the file has no such section; a later write fills it.
    void addSection(QByteArrayView section);

    bool isModified() const { return m_modified; }
    // The whole file as it would be saved.
    QByteArray bytes() const;
    // Writes the file atomically when a write changed it; throws UserError("<path> に書き込めません").
    void save();

    // The value as it must be written to read back unchanged: in quotes of its own when the reader
    // would change it (blanks at either end, or a pair of enclosing quotes), else as it is.
    static QByteArray quotedForReading(QByteArrayView value);

    // The integer rule on its own, for values read elsewhere.
    static std::optional<qint32> parseInt(QByteArrayView text);

private:
    using Line = textfile::Line;
    QList<Line> m_lines;
    // Per line, what it is and its name, so that a look-up in a large file compares names only.
    struct Entry
    {
        quint8 kind;
        QByteArray name;
    };
    QList<Entry> m_entries;
    static Entry entryFor(QByteArrayView text);
    QString m_path;
    bool m_modified = false;

    void parse(const QByteArray& bytes);
};

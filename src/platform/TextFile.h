// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// Plain text files as the program's peers write them: code-page-932 bytes, lines ended by CR LF.
namespace textfile {

struct Line
{
    QByteArray text; // without its line end
    QByteArray end;  // "\r\n", "\r", "\n", or empty for a last line without one
};

// Splits at CR LF, lone CR and lone LF. A final line end does not make an extra empty line.
QList<QByteArray> splitLines(QByteArrayView bytes);
// The same, keeping each line's own end, for rewriting a file with its untouched lines as they were.
QList<Line> splitLinesWithEnds(QByteArrayView bytes);
// Each line followed by CR LF, the last one too; no lines give empty bytes.
QByteArray joinCrLf(const QList<QByteArray>& lines);

// The file's bytes, or nothing when it is missing or unreadable. maxBytes < 0 reads it whole.
std::optional<QByteArray> read(const QString& path, qint64 maxBytes = -1);
// For a store: nothing when no file is there at all; the bytes when it can be read; otherwise (a
// folder in its place, no permission, an I/O error) throws UserError("<path> を読み込めません" and the
// reason), so that a file the program could not read is never taken for an empty one.
std::optional<QByteArray> readExisting(const QString& path, qint64 maxBytes = -1);
// At most maxLines lines from the start of the file, reading no further than needed; none when the
// file is missing or unreadable.
QList<QByteArray> readLines(const QString& path, qsizetype maxLines);
// The same for a store: nothing when no file is there, and UserError as readExisting() gives it.
std::optional<QList<QByteArray>> readExistingLines(const QString& path, qsizetype maxLines);

// Replaces the file whole, atomically: a failure leaves the old file as it was and throws
// UserError("<path> に書き込めません").
void writeAtomic(const QString& path, QByteArrayView bytes);
// Makes a file that is not there yet, whole or not at all, without waiting for the disk as
// writeAtomic() does: for work files that the program makes again whenever they are missing. Throws
// UserError as writeAtomic() does, also when the file appeared meanwhile.
void createAtomic(const QString& path, QByteArrayView bytes);
// Deletes the file; false when no file is there (a folder is none) or it cannot be deleted.
bool remove(const QString& path);

} // namespace textfile

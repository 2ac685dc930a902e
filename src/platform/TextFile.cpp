// SPDX-License-Identifier: MIT
#include "platform/TextFile.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace textfile {

namespace {

constexpr qint64 ChunkSize = 4096;

// Splits bytes that arrive in pieces. A CR that ends one piece may be the first half of a CR LF
// whose LF arrives with the next, so the LF that follows a CR is swallowed whenever it comes.
class LineSplitter
{
public:
    explicit LineSplitter(QList<QByteArray>& lines) : m_lines(lines) {}

    // Stops taking bytes once maxLines lines are complete.
    void feed(QByteArrayView piece, qsizetype maxLines)
    {
        for (qsizetype i = 0; i < piece.size() && !isFull(maxLines); ++i) {
            const char c = piece[i];
            if (m_afterCr) {
                m_afterCr = false;
                if (c == '\n')
                    continue;
            }
            if (c == '\r' || c == '\n') {
                m_lines.append(m_current);
                m_current.clear();
                m_afterCr = c == '\r';
                continue;
            }
            m_current += c;
        }
    }
    void finish(qsizetype maxLines)
    {
        if (!m_current.isEmpty() && !isFull(maxLines))
            m_lines.append(m_current);
        m_current.clear();
    }
    bool isFull(qsizetype maxLines) const { return maxLines >= 0 && m_lines.size() >= maxLines; }

private:
    QList<QByteArray>& m_lines;
    QByteArray m_current;
    bool m_afterCr = false;
};

} // namespace

QList<Line> splitLinesWithEnds(QByteArrayView bytes)
{
    QList<Line> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        const qsizetype endLength = (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ? 2 : 1;
        lines.append(Line{bytes.sliced(start, i - start).toByteArray(), bytes.sliced(i, endLength).toByteArray()});
        i += endLength;
        start = i;
    }
    if (start < bytes.size())
        lines.append(Line{bytes.sliced(start).toByteArray(), QByteArray()});
    return lines;
}

QList<QByteArray> splitLines(QByteArrayView bytes)
{
    QList<QByteArray> lines;
    for (Line& line : splitLinesWithEnds(bytes))
        lines.append(std::move(line.text));
    return lines;
}

QByteArray joinCrLf(const QList<QByteArray>& lines)
{
    QByteArray out;
    qsizetype size = 0;
    for (const QByteArray& line : lines)
        size += line.size() + 2;
    out.reserve(size);
    for (const QByteArray& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::optional<QByteArray> read(const QString& path, qint64 maxBytes)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    if (maxBytes < 0) {
        bytes = file.readAll();
    } else {
        // read(n) would allocate n bytes up front; a bound far above the file's size must not cost that.
        while (bytes.size() < maxBytes) {
            const QByteArray chunk = file.read(std::min<qint64>(ChunkSize * 16, maxBytes - bytes.size()));
            if (chunk.isEmpty())
                break;
            bytes += chunk;
        }
    }
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

namespace {

// For the stores: false when nothing is there at all; throws when something is there that cannot be read.
bool openExisting(QFile& file)
{
    const QString path = file.fileName();
    const QFileInfo info(path);
    if (path.isEmpty() || (!info.exists() && !info.isSymLink()))
        return false;
    if (info.isDir())
        throw UserError(
            cannotReadMessage(path, QCoreApplication::translate("textfile", "ファイルではなくフォルダです")));
    if (!file.open(QIODevice::ReadOnly))
        throw UserError(cannotReadMessage(path, file.errorString()));
    return true;
}

} // namespace

std::optional<QByteArray> readExisting(const QString& path, qint64 maxBytes)
{
    QFile file(path);
    if (!openExisting(file))
        return std::nullopt;
    QByteArray bytes = maxBytes < 0 ? file.readAll() : file.read(std::min(maxBytes, std::max<qint64>(file.size(), 0)));
    if (file.error() != QFileDevice::NoError)
        throw UserError(cannotReadMessage(path, file.errorString()));
    return bytes;
}

namespace {

QList<QByteArray> readOpenLines(QFile& file, qsizetype maxLines)
{
    QList<QByteArray> lines;
    LineSplitter splitter(lines);
    while (!splitter.isFull(maxLines)) {
        // readLine() returns at a line feed without waiting for a full chunk, so a pipe or a file
        // still being written is not read past the lines asked for.
        const QByteArray chunk = file.readLine(ChunkSize);
        if (chunk.isEmpty())
            break;
        splitter.feed(chunk, maxLines);
    }
    splitter.finish(maxLines);
    return lines;
}

} // namespace

QList<QByteArray> readLines(const QString& path, qsizetype maxLines)
{
    if (maxLines <= 0 || path.isEmpty() || QFileInfo(path).isDir())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readOpenLines(file, maxLines);
}

std::optional<QList<QByteArray>> readExistingLines(const QString& path, qsizetype maxLines)
{
    QFile file(path);
    if (!openExisting(file))
        return std::nullopt;
    QList<QByteArray> lines = readOpenLines(file, maxLines);
    if (file.error() != QFileDevice::NoError)
        throw UserError(cannotReadMessage(path, file.errorString()));
    return lines;
}

void writeAtomic(const QString& path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Without this fallback QSaveFile never writes in place, so the old file survives any failure.
    file.setDirectWriteFallback(false);
    // Unbuffered: with Qt's write buffer a failure while flushing inside commit() goes unnoticed and
    // commit() renames the cut-short temporary file over the old one.
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw UserError(cannotWriteMessage(path));
    if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.flush() ||
        file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        throw UserError(cannotWriteMessage(path));
    }
    if (!file.commit())
        throw UserError(cannotWriteMessage(path));
}

void createAtomic(const QString& path, QByteArrayView bytes)
{
    // Written beside it and renamed into place, which refuses a file that is there. A temporary file
    // left by a crash is simply written over the next time.
    QFile file(path + QStringLiteral(".new"));
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw UserError(cannotWriteMessage(path));
    const bool written = file.write(bytes.data(), bytes.size()) == bytes.size();
    file.close();
    if (!written || file.error() != QFileDevice::NoError || !file.rename(path)) {
        file.remove();
        throw UserError(cannotWriteMessage(path));
    }
}

bool remove(const QString& path) { return QFileInfo(path).isFile() && QFile::remove(path); }

} // namespace textfile

// SPDX-License-Identifier: MIT
// Windows: the attribute words are the file system's own.
#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <windows.h>

namespace folderlisting {

namespace {

// FILETIME counts 100-nanosecond steps from 1601.
qint64 secondsSinceEpoch(const FILETIME& time)
{
    const quint64 ticks = (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return qint64(ticks / 10000000) - 11644473600LL;
}

} // namespace

QList<Entry> find(const QString& pattern)
{
    QList<Entry> entries;
    const auto [folder, wildcard] = splitPattern(pattern);
    const QString native = QDir::toNativeSeparators(folder) + QLatin1Char('\\') + wildcard;
    WIN32_FIND_DATAW data;
    const HANDLE handle = FindFirstFileW(reinterpret_cast<const wchar_t*>(native.utf16()), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return entries;
    do {
        entries.append(Entry{QString::fromWCharArray(data.cFileName), quint32(data.dwFileAttributes)});
    } while (FindNextFileW(handle, &data));
    FindClose(handle);
    return entries;
}

QList<File> files(const QByteArray& folder, const std::function<bool(QByteArrayView name)>& accept)
{
    QList<File> out;
    const QString native = QDir::toNativeSeparators(QFile::decodeName(folder)) + QStringLiteral("\\*");
    WIN32_FIND_DATAW data;
    const HANDLE handle = FindFirstFileW(reinterpret_cast<const wchar_t*>(native.utf16()), &data);
    if (handle == INVALID_HANDLE_VALUE)
        return out;
    do {
        const QByteArray name = QFile::encodeName(QString::fromWCharArray(data.cFileName));
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !accept(name))
            continue;
        const qint64 size = qint64((quint64(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        out.append(File{name, size, secondsSinceEpoch(data.ftLastWriteTime)});
    } while (FindNextFileW(handle, &data));
    FindClose(handle);
    return out;
}

bool exists(const QByteArray& path) { return QFileInfo::exists(QFile::decodeName(path)); }

std::unique_ptr<QFile> openFile(const QByteArray& path, qint64* size, QString* error)
{
    auto file = std::make_unique<QFile>(QFile::decodeName(path));
    if (!QFileInfo(file->fileName()).isFile()) {
        *error = QStringLiteral("ファイルではありません");
        return nullptr;
    }
    if (!file->open(QIODevice::ReadOnly)) {
        *error = file->errorString();
        return nullptr;
    }
    *size = file->size();
    return file;
}

} // namespace folderlisting

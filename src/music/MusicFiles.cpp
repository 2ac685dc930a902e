// SPDX-License-Identifier: MIT
#include "music/MusicFiles.h"

#include "game/GameInstallation.h"
#include "platform/Errors.h"
#include "platform/FileNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

constexpr qint64 CopyChunk = 1 << 20;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

} // namespace

const QString& MusicFiles::backupFolderName()
{
    static const QString name = QStringLiteral("bak(Morvane)");
    return name;
}

QString MusicFiles::findMusicFolder(const QString& gameFolder) { return gameinstallation::musicFolder(gameFolder); }

MusicFiles::MusicFiles(QString musicFolder) : m_musicFolder(std::move(musicFolder)) {}

QString MusicFiles::backupFolder() const
{
    if (m_musicFolder.isEmpty())
        return {};
    return filenames::resolve(m_musicFolder, backupFolderName());
}

QString MusicFiles::gameFilePath(int slot) const
{
    return filenames::resolve(m_musicFolder, gameinstallation::musicFileNames().at(slot));
}

QString MusicFiles::backupFilePath(int slot) const
{
    return filenames::resolve(backupFolder(), gameinstallation::musicFileNames().at(slot));
}

bool MusicFiles::isBackedUp(int slot) const
{
    return !m_musicFolder.isEmpty() && QFileInfo(backupFolder()).isDir() && QFileInfo::exists(backupFilePath(slot));
}

void MusicFiles::ensureBackupFolder() const
{
    const QString folder = backupFolder();
    const QFileInfo info(folder);
    if (info.isDir())
        return;
    // A file of that name is not ours to remove: the slot stays as it is.
    if (info.exists() || info.isSymLink() || !QDir().mkdir(folder))
        throw UserError(
            QCoreApplication::translate("MusicFiles", "バックアップフォルダ %1 を作れません").arg(native(folder)));
}

void MusicFiles::SaveOriginalMusic(int slot)
{
    ensureBackupFolder();
    if (isBackedUp(slot))
        return; // the backup already holds the game's own file: never overwrite it with a choice
    const QString from = gameFilePath(slot);
    const QFileInfo info(from);
    if (!info.exists())
        return; // the game has no such file: there is nothing of its own to keep
    QFile file(from);
    if (info.isDir() || !file.rename(QDir(backupFolder()).filePath(info.fileName())))
        throw UserError(QCoreApplication::translate("MusicFiles", "%1 をバックアップできません\n（%2）")
                            .arg(native(from), info.isDir() ? QCoreApplication::translate("MusicFiles", "フォルダです")
                                                            : file.errorString()));
}

QString MusicFiles::checkChosenFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return QCoreApplication::translate("MusicFiles", "%1 が見つかりません").arg(native(path));
    if (info.isDir())
        return cannotReadMessage(path, QCoreApplication::translate("MusicFiles", "ファイルではなくフォルダです"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cannotReadMessage(path, file.errorString());
    const QByteArray head = file.read(12);
    if (file.error() != QFileDevice::NoError)
        return cannotReadMessage(path, file.errorString());
    const QByteArray riff = head.left(4);
    const bool wave =
        head.size() == 12 && head.mid(8, 4) == QByteArrayLiteral("WAVE") &&
        (riff == QByteArrayLiteral("RIFF") || riff == QByteArrayLiteral("RIFX") || riff == QByteArrayLiteral("RF64"));
    if (!wave)
        return QCoreApplication::translate("MusicFiles", "%1 はWAVファイルではありません").arg(native(path));
    return {};
}

void MusicFiles::applySlot(int slot, const QString& source)
{
    const QString target = gameFilePath(slot);
    // A linked or shared install: the save would follow the link and write the choice over the
    // original it points at, and the backup would keep only the link.
    if (QFileInfo(target).isSymLink())
        throw UserError(
            QStringLiteral(
                "%1 はシンボリックリンクのため置き換えられません\n（リンク先の元の曲が書き換わってしまいます）")
                .arg(native(target)));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw UserError(cannotReadMessage(source, in.errorString()));

    // The whole choice is copied beside the game file first: the game's file is moved to the backup
    // only once the copy is complete, and the copy takes its place in one rename.
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    // Unbuffered, so that a failing write is seen here and not lost inside commit().
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw UserError(cannotWriteMessage(target) +
                        QCoreApplication::translate("MusicFiles", "\n（%1）").arg(out.errorString()));
    QByteArray buffer(CopyChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {
            out.cancelWriting();
            throw UserError(cannotReadMessage(source, in.errorString()));
        }
        if (n == 0)
            break;
        if (out.write(buffer.constData(), n) != n) {
            const QString reason = out.errorString();
            out.cancelWriting();
            throw UserError(cannotWriteMessage(target) +
                            QCoreApplication::translate("MusicFiles", "\n（%1）").arg(reason));
        }
    }

    const bool hadBackup = isBackedUp(slot);
    try {
        SaveOriginalMusic(slot);
    } catch (...) {
        out.cancelWriting();
        throw;
    }
    const bool movedNow = !hadBackup && isBackedUp(slot);
    if (!out.commit()) {
        const QString reason = out.errorString();
        // Put the game's file back where it was, so the slot is as it was before.
        if (movedNow)
            std::rename(QFile::encodeName(backupFilePath(slot)).constData(), QFile::encodeName(target).constData());
        throw UserError(cannotWriteMessage(target) + QCoreApplication::translate("MusicFiles", "\n（%1）").arg(reason));
    }
}

MusicFiles::ApplyResult MusicFiles::apply(const Choices& chosen)
{
    ApplyResult result;
    result.chosen = int(std::count_if(chosen.begin(), chosen.end(), [](const QString& s) { return !s.isEmpty(); }));
    if (result.chosen == 0)
        return result;
    if (m_musicFolder.isEmpty() || !QFileInfo(m_musicFolder).isDir())
        throw UserError(QCoreApplication::translate("MusicFiles", "ミュージックフォルダ %1 が見つかりません")
                            .arg(native(m_musicFolder)));
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QString& source = chosen[std::size_t(slot)];
        if (source.isEmpty())
            continue;
        if (const QString reason = checkChosenFile(source); !reason.isEmpty()) {
            result.failures.append({slot, reason});
            continue;
        }
        try {
            applySlot(slot, source);
            ++result.applied;
        } catch (const UserError& e) {
            result.failures.append({slot, e.text()});
        }
    }
    return result;
}

MusicFiles::RestoreResult MusicFiles::restore()
{
    RestoreResult result;
    const QString folder = backupFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return result;
    for (int slot = 0; slot < SlotCount; ++slot) {
        const QString from = backupFilePath(slot);
        const QFileInfo info(from);
        if (!info.exists())
            continue;
        const QString to = filenames::resolve(m_musicFolder, info.fileName());
        // rename() replaces the chosen file in one step, so the slot never lacks a file.
        if (info.isDir() || std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
            const QString reason =
                info.isDir() ? QCoreApplication::translate("MusicFiles", "フォルダです") : systemReason(errno);
            result.failures.append({slot, QCoreApplication::translate("MusicFiles", "%1 を %2 に戻せません\n（%3）")
                                              .arg(native(from), native(to), reason)});
            continue;
        }
        result.restored.append(slot);
    }
    // Succeeds only once the folder is empty: anything left in it stays where the user can find it.
    result.backupRemoved = QDir().rmdir(folder);
    return result;
}

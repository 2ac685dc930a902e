// SPDX-License-Identifier: MIT
#include "app/GameFolder.h"

#include "game/GameInstallation.h"
#include "platform/Cp932.h"
#include "platform/Prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace gamefolder {

bool BrowseForFolder(Prompter& prompter, const QString& title, QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder.clear();
    std::optional<QString> chosen = prompter.pickFolder(title, folder);
    // The folder is stored in code page 932: a path it cannot hold would come back as another path
    // (and the game be asked for again at every start). Such a folder is refused and the picker shown again.
    for (QString refusal; chosen && !(refusal = cp932::unencodableMessage(*chosen)).isEmpty();) {
        prompter.message(
            Prompter::Icon::Warning,
            QCoreApplication::translate("gamefolder", "このフォルダは設定に保存できないため選べません。\r\n") +
                refusal);
        chosen = prompter.pickFolder(title, folder);
    }
    if (!chosen)
        return false;
    QString path = *chosen;
    // A drive or file-system root keeps its separator; any other folder loses a trailing one.
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\'))) &&
           !path.endsWith(QStringLiteral(":\\")))
        path.chop(1);
    folder = path;
    return true;
}

bool EnsureGameFolder(Prompter& prompter, QString& gameFolder)
{
    if (gameinstallation::holdsGame(gameFolder))
        return true;
    prompter.message(Prompter::Icon::Warning,
                     QCoreApplication::translate("gamefolder", "Ghostrecon.exeの含まれる場所を指定してください"));
    if (BrowseForFolder(prompter, QCoreApplication::translate("gamefolder", "Ghostrecon.exeの位置指定"), gameFolder) &&
        gameinstallation::holdsGame(gameFolder))
        return true;
    prompter.message(
        Prompter::Icon::Error,
        QCoreApplication::translate("gamefolder", "GhostRecon.exeが見つかりませんでした\r\nモルベーンを終了します"));
    return false;
}

std::optional<QString> chooseOtherInstallation(Prompter& prompter, const QString& gameFolder)
{
    const QString title =
        QCoreApplication::translate("gamefolder", "\"GhostRecon.exe\"が含まれるフォルダを選択してください");
    QString candidate = gameFolder;
    for (;;) {
        if (!BrowseForFolder(prompter, title, candidate))
            return std::nullopt;
        if (gameinstallation::holdsGame(candidate))
            break;
        prompter.message(
            Prompter::Icon::None,
            QCoreApplication::translate("gamefolder", "指定されたフォルダに Ghostrecon.exe が含まれていません"));
    }
    if (candidate == gameFolder)
        return std::nullopt;
    return candidate;
}

bool askReloadNewGame(Prompter& prompter)
{
    return prompter.confirm(
        Prompter::Icon::Warning,
        QCoreApplication::translate(
            "gamefolder", "現在の設定が新しいＧＲの設定に置き換わります\r\n「いいえ」を選ぶと現在の設定が使われます"));
}

} // namespace gamefolder

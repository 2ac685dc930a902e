// SPDX-License-Identifier: MIT
#include "platform/SoundPreview.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifndef MORVANE_MODULE_RELATIVE_DIR
#define MORVANE_MODULE_RELATIVE_DIR "../lib/morvane"
#endif

namespace {

const QString ModuleName = QStringLiteral("morvane_soundpreview");

QStringList moduleFolders()
{
    QStringList folders;
    if (const QString fromEnvironment = qEnvironmentVariable("MORVANE_MODULE_DIR"); !fromEnvironment.isEmpty())
        folders << fromEnvironment;
    const QString programFolder = QCoreApplication::applicationDirPath();
    folders << programFolder << QDir::cleanPath(programFolder + u'/' + QStringLiteral(MORVANE_MODULE_RELATIVE_DIR));
    return folders;
}

UserError cannotLoad(const QString& reason)
{
    return UserError(QCoreApplication::translate("SoundPreview", "音声を再生する部品 %1 を読み込めません。\n%2")
                         .arg(ModuleName, reason));
}

} // namespace

std::unique_ptr<SoundPreview> SoundPreview::load()
{
    using Make = SoundPreview* (*)();
    QStringList searched;
    for (const QString& folder : moduleFolders()) {
        // Never unloaded: the players it makes live until the program ends.
        QLibrary module(QDir(folder).filePath(ModuleName));
        if (module.load()) {
            if (const auto make = reinterpret_cast<Make>(module.resolve("morvane_make_sound_preview")))
                return std::unique_ptr<SoundPreview>(make());
            throw cannotLoad(module.errorString());
        }
        // A module that is there but does not load says why; a missing one is looked for further on.
        if (!QDir(folder).entryList({ModuleName + u'*'}, QDir::Files).isEmpty())
            throw cannotLoad(module.errorString());
        searched << QDir::toNativeSeparators(folder);
    }
    throw cannotLoad(QCoreApplication::translate("SoundPreview", "次の場所にありません: %1")
                         .arg(searched.join(QStringLiteral(", "))));
}

// SPDX-License-Identifier: MIT
#include "platform/Module.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#ifndef MORVANE_MODULE_RELATIVE_DIR
#define MORVANE_MODULE_RELATIVE_DIR "../lib/morvane"
#endif

namespace {

QStringList moduleFolders()
{
    QStringList folders;
    if (const QString fromEnvironment = qEnvironmentVariable("MORVANE_MODULE_DIR"); !fromEnvironment.isEmpty())
        folders << fromEnvironment;
    const QString programFolder = QCoreApplication::applicationDirPath();
    folders << programFolder << QDir::cleanPath(programFolder + u'/' + QStringLiteral(MORVANE_MODULE_RELATIVE_DIR));
    return folders;
}

} // namespace

QFunctionPointer loadModuleEntry(const QString& name, const char* entry, const QString& cannotLoadText)
{
    const auto cannotLoad = [&](const QString& reason) { return UserError(cannotLoadText.arg(name, reason)); };
    QStringList searched;
    for (const QString& folder : moduleFolders()) {
        // Never unloaded: what it makes lives until the program ends.
        QLibrary module(QDir(folder).filePath(name));
        if (module.load()) {
            if (const QFunctionPointer function = module.resolve(entry))
                return function;
            throw cannotLoad(module.errorString());
        }
        // A module that is there but does not load says why; a missing one is looked for further on.
        if (!QDir(folder).entryList({name + u'*'}, QDir::Files).isEmpty())
            throw cannotLoad(module.errorString());
        searched << QDir::toNativeSeparators(folder);
    }
    throw cannotLoad(
        QCoreApplication::translate("Module", "次の場所にありません: %1").arg(searched.join(QStringLiteral(", "))));
}

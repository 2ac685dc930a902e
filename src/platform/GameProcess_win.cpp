// SPDX-License-Identifier: MIT
// Windows: the game gets the command line it always got.
#include "platform/GameProcess.h"

#include "platform/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <memory>
#include <string>

namespace gameprocess {

Command command(const QString& executable, const QString& mode, const QString& argument, const QString& runner)
{
    Q_UNUSED(runner);
    Command c;
    c.executable = QDir::toNativeSeparators(executable);
    if (!QFileInfo(c.executable).isFile())
        throw UserError(
            cannotStart(c.executable, QCoreApplication::translate("gameprocess", "ファイルが見つかりません。")));
    c.program = c.executable;
    c.nativeArguments = mode + QLatin1Char(' ') + argument;
    return c;
}

void prepareForSystem(QProcess& process, const Command& command)
{
    process.setNativeArguments(command.nativeArguments);
    // Qt would quote the path and add blanks of its own; the game gets the line it always got, and
    // the module is named explicitly so that an unquoted path with blanks cannot start another file.
    constexpr unsigned long CreateDefaultErrorMode = 0x04000000;
    auto module = std::make_shared<std::wstring>(command.program.toStdWString());
    auto line =
        std::make_shared<std::wstring>((command.program + QLatin1Char(' ') + command.nativeArguments).toStdWString());
    process.setCreateProcessArgumentsModifier([module, line](QProcess::CreateProcessArguments* args) {
        args->applicationName = module->c_str();
        args->arguments = line->data();
        args->flags |= CreateDefaultErrorMode;
    });
}

void sendEnd(QProcess& process, qint64 group, bool kill)
{
    Q_UNUSED(group);
    Q_UNUSED(kill);
    process.kill();
}

} // namespace gameprocess

// SPDX-License-Identifier: MIT
// Stand-in for a Morvane that dies while a join with a host's mods runs:
//   modjoin_crash PROGRAM-FOLDER GAME-FOLDER READY-FILE HOST-MODS
// It reads the game's mod lists, joins with the host's mods (HOST-MODS as qstat reports them, such as
// " origmiss; heavyarms;") and, where the game would run, writes READY-FILE and waits until it is
// killed. Exit code 2 when the join did not switch the mods.
#include "game/GameInstallation.h"
#include "mods/ModLists.h"
#include "platform/Errors.h"
#include "platform/Prompter.h"
#include "status/ModJoin.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

namespace {

class PrintingPrompter : public Prompter
{
public:
    void message(Icon, const QString& text) override { std::fprintf(stderr, "%s\n", qPrintable(text)); }
    bool confirm(Icon, const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString& d) override { return d; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> pickFolder(const QString&, const QString&) override { return std::nullopt; }
    std::optional<quint32> pickColour(quint32) override { return std::nullopt; }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5)
        return 3;
    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    const QString gameFolder = QString::fromLocal8Bit(argv[2]);
    const QString ready = QString::fromLocal8Bit(argv[3]);
    PrintingPrompter prompter;
    ModLists lists;
    try {
        lists.LoadModLists(gameFolder);
        const GameInstallation game(gameFolder);
        ModJoin join(prompter, programFolder, lists, game);
        join.setJoiner([&](const QString&, const QString&) {
            QFile f(ready);
            if (f.open(QIODevice::WriteOnly))
                f.close();
            for (;;)
                pause();
        });
        join.JoinWithHostMods(QStringLiteral("127.0.0.1:2346"), QStringLiteral("host"), QByteArrayView(argv[4]));
    } catch (const UserError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
    }
    return 2;
}

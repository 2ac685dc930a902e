// SPDX-License-Identifier: MIT
// The bare window of bench/startup with the "ﾏﾙﾁﾌﾟﾚｲ" and "全般 → 一般" pages in their tabs, filled from
// the options document of the game folder named by MORVANE_BENCH_GAME: what the options editor adds
// to the program's start-up.
#include "SilentPrompter.h"
#include "game/GameInstallation.h"
#include "options/GeneralPage.h"
#include "options/MultiplayPage.h"
#include "options/OptionsEditor.h"
#include "platform/UiFont.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(uiFont());
    const QString game = qEnvironmentVariable("MORVANE_BENCH_GAME");
    SilentPrompter prompter;
    QMainWindow window;
    const GameInstallation installation(game);
    OptionsEditor editor(prompter, installation, [] {});
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new QWidget, QStringLiteral("ホスト"));
    tabs->addTab(new QWidget, QStringLiteral("MOD"));
    tabs->addTab(editor.multiplayPage(), QStringLiteral("ﾏﾙﾁﾌﾟﾚｲ"));
    tabs->addTab(new QWidget, QStringLiteral("SSビュー"));
    auto* general = new QTabWidget;
    general->addTab(editor.generalPage(), QStringLiteral("一般"));
    general->addTab(new QWidget, QStringLiteral("ミュージック"));
    tabs->addTab(general, QStringLiteral("全般"));
    tabs->addTab(new QWidget, QStringLiteral("リンク"));
    window.setCentralWidget(tabs);
    window.resize(394, 446);
    // Start-up steps 13 to 15.
    if (!editor.OptionsFileExists())
        std::fprintf(stderr, "no options.xml in %s\n", qPrintable(game));
    editor.FillResolutionList();
    editor.store().load();
    window.setWindowTitle(QStringLiteral("bench_options_window"));
    window.show();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// The "MOD" tab on a large installation: 1,000 mods (half with a description) and 200 active entries.
//   bench_mods make <game folder>       builds the installation
//   bench_mods load <game folder> [n]   times LoadModLists, n runs (first run and median of the rest)
//   bench_mods show <game folder> [n]   times the tab's first show: a window with the page on its second
//                                       tab, loaded, then switched to the tab until its lists have painted
//   bench_mods window <game folder> [tab]  a bare window with six tabs, the "MOD" one filled, for the
//                                       start-up comparison of run.sh (prints "shown <ns>" when painted);
//                                       tab 1 opens on the "MOD" tab, for a look at it
#include "SilentPrompter.h"
#include "game/GameInstallation.h"
#include "mods/ModListView.h"
#include "mods/ModLists.h"
#include "mods/ModsPage.h"
#include "platform/TextFile.h"
#include "platform/UiFont.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>

namespace {

int make(const QString& game)
{
    const QDir mods(game + QStringLiteral("/Mods"));
    // A description of eight lines in code page 932, with trail bytes 0x5C ("表", "十").
    const QByteArray description = QByteArrayLiteral("\x95\x5c\x8e\xa6\x82\xb7\x82\xe9 MOD Ver.1.0\r\n\r\n"
                                                     "\x8f\x5c\x8e\xed\x97\xde\x82\xcc\x95\x90\x8a\xed\r\n"
                                                     "line 4\r\nline 5\r\nline 6\r\nline 7\r\nline 8\r\n");
    for (int i = 0; i < 1000; ++i) {
        const QString name = QStringLiteral("Mod_%1_Pack").arg(i, 4, 10, QLatin1Char('0'));
        if (!mods.mkpath(name))
            return 1;
        if (i % 2 == 0)
            textfile::writeAtomic(mods.filePath(name + QStringLiteral("/modscont.txt")), description);
    }
    QList<QByteArray> lines{QByteArrayLiteral("// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM")};
    for (int i = 0; i < 200; ++i) // every fifth mod, in reverse, so the order is not the folder's
        lines.append("\"\\mods\\mod_" + QByteArray::number(995 - 5 * i).rightJustified(4, '0') + "_pack\"");
    textfile::writeAtomic(game + QStringLiteral("/modsset.txt"), textfile::joinCrLf(lines));
    return 0;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v[v.size() / 2];
}

int load(const QString& game, int runs)
{
    QList<double> times;
    ModLists lists;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        lists.LoadModLists(game);
        times.append(double(t.nsecsElapsed()) / 1e6);
    }
    std::printf("LoadModLists: %d available, %d active; first %.2f ms, median of %d %.2f ms\n",
                lists.available().count(), lists.active().count(), times.first(), runs - 1, median(times.mid(1)));
    return 0;
}

int show(const QString& game, int runs)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir program;
        SilentPrompter prompter;
        const GameInstallation installation(game);
        QMainWindow window;
        auto* tabs = new QTabWidget(&window);
        tabs->addTab(new QWidget, QStringLiteral("ホスト"));
        auto* page = new ModsPage(prompter, program.path(), installation);
        tabs->addTab(page, QStringLiteral("MOD"));
        window.setCentralWidget(tabs);
        window.resize(394, 446);
        window.show();
        page->store().load();
        QApplication::processEvents();
        bool painted = false;
        struct Probe : QObject
        {
            bool& painted;
            explicit Probe(bool& p) : painted(p) {}
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::Paint)
                    painted = true;
                return false;
            }
        } probe(painted);
        page->activeView()->viewport()->installEventFilter(&probe);
        QElapsedTimer t;
        t.start();
        tabs->setCurrentIndex(1);
        while (!painted)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        times.append(double(t.nsecsElapsed()) / 1e6);
        page->activeView()->viewport()->removeEventFilter(&probe);
    }
    std::printf("first show of the tab: first %.2f ms, median of %d %.2f ms\n", times.first(), runs - 1,
                median(times.mid(1)));
    return 0;
}

int window(const QString& game, int tab)
{
    QApplication::setFont(uiFont());
    QTemporaryDir program;
    SilentPrompter prompter;
    const GameInstallation installation(game);
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    auto* page = new ModsPage(prompter, program.path(), installation);
    for (const QString& caption : {QStringLiteral("ホスト"), QStringLiteral("MOD"), QStringLiteral("ﾏﾙﾁﾌﾟﾚｲ"),
                                   QStringLiteral("SSビュー"), QStringLiteral("全般"), QStringLiteral("リンク")})
        tabs->addTab(caption == QLatin1String("MOD") ? page : new QWidget, caption);
    window.setCentralWidget(tabs);
    window.resize(394, 446);
    page->store().load();
    page->applySortOption();
    tabs->setCurrentIndex(tab);
    window.setWindowTitle(QStringLiteral("bench_mods"));
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: bench_mods make|load|show|window <game folder> [runs]\n");
        return 2;
    }
    const QString game = args[2];
    const int runs = args.size() > 3 ? std::max(2, args[3].toInt()) : 21;
    const int tab = args.size() > 3 ? args[3].toInt() : 0;
    if (args[1] == QLatin1String("make"))
        return make(game);
    if (args[1] == QLatin1String("load"))
        return load(game, runs);
    if (args[1] == QLatin1String("show"))
        return show(game, runs);
    if (args[1] == QLatin1String("window"))
        return window(game, tab);
    return 2;
}

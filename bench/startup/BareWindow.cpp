// SPDX-License-Identifier: MIT
#include "platform/ShownProbe.h"
#include "platform/UiFont.h"

#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The same font and captions as the program, so both pay for loading the Japanese font.
    QApplication::setFont(uiFont());
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    for (const QString& caption : {QStringLiteral("ホスト"), QStringLiteral("MOD"), QStringLiteral("ﾏﾙﾁﾌﾟﾚｲ"),
                                   QStringLiteral("SSビュー"), QStringLiteral("全般"), QStringLiteral("リンク")})
        tabs->addTab(new QWidget, caption);
    window.setCentralWidget(tabs);
    window.resize(394, 446);
    ShownProbe::attach(&window);
    window.show();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// The yardstick for the program's start-up: what Qt Widgets alone costs to show the program's window
// shape. Built against Qt Widgets only, so none of the program's own libraries or their dependencies
// are loaded here and every one of them shows up in the comparison.
#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QTabWidget>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program's families and size, the one the Debian set-up installs first: the program puts
    // the first family it finds in front, so both end up drawing with the same face.
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAGothic")});
    font.setPixelSize(12);
    QApplication::setFont(font);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bench_bare_window"));
    auto* tabs = new QTabWidget(&window);
    for (const char16_t* caption : {u"ホスト", u"MOD", u"ﾏﾙﾁﾌﾟﾚｲ", u"SSビュー", u"全般", u"リンク"})
        tabs->addTab(new QWidget, QString::fromUtf16(caption));
    window.setCentralWidget(tabs);
    window.resize(394, 446);
    window.show();
    return QApplication::exec();
}

// SPDX-License-Identifier: MIT
// Measures the options document with the editor's own pages:
//   1. load of a 2,000-line "options.xml": the document read and every value taken out of it, then
//      the same through the editor into its controls;
//   2. the editor's save of it, atomic write to the disk included;
//   3. a 10 MB document (damaged or hostile), loaded and saved once.
// Usage: bench_options [runs, default 200]
#include "SilentPrompter.h"
#include "game/GameInstallation.h"
#include "options/OptionsEditor.h"
#include "options/TXMLParser.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

QByteArray readFixture()
{
    QFile file(QStringLiteral(MORVANE_OPTIONS_FIXTURE));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the demo options.xml");
    return file.readAll();
}

// The demo document grown to about `lines` lines. The filler goes in front of each section the editor
// looks for and behind the last one, so that every look-up scans past its share of it.
QByteArray grownDocument(int lines)
{
    const QByteArray demoText = readFixture();
    const QByteArrayList demo = demoText.split('\n');
    const int fillers = std::max(0, lines - int(demoText.count('\n')));
    QByteArray out;
    int filler = 0;
    int gaps = 0;
    for (const QByteArray& line : demo) {
        const QByteArray bare = line.trimmed();
        const bool gap = bare == "<Graphics>" || bare == "<Sound>" || bare == "<GamePlay>" || bare == "<Multiplayer>" ||
                         bare == "</Options>";
        if (gap) {
            const int end = fillers * ++gaps / 5;
            for (; filler < end; ++filler)
                out += "\t<KeyBinding" + QByteArray::number(filler) + ">" + QByteArray::number(filler * 7919) +
                       "</KeyBinding" + QByteArray::number(filler) + ">\r\n";
        }
        if (!line.isEmpty())
            out += line + '\n';
    }
    return out;
}

struct Figures
{
    double median;
    double best;
    double worst;
};

Figures measure(int runs, const std::function<void()>& step)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        step();
        ms.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.first(), ms.last()};
}

void print(const char* what, const Figures& f)
{
    std::printf("%-44s %9.3f %9.3f %9.3f\n", what, f.median, f.best, f.worst);
}

// Every read LoadGameOptions makes, without the controls.
void readAll(const QString& path)
{
    TXMLParser doc;
    doc.Open(path);
    doc.ReadChatTexts();
    doc.ReadChatTeams();
    doc.ReadSectionValue("Multiplayer", "MPGameName");
    doc.ReadSectionValue("Multiplayer", "MOTD");
    doc.ReadRootValue("PlayerName");
    for (const char* key : {"FullScreen", "ShowFrameRate", "CompressTextures", "ShowDeadBodies", "Gamma"})
        doc.ReadSectionValue("Graphics", key);
    doc.ReadSectionBool("GamePlay", "BloodOn");
    doc.ReadRootBool("ThreatIndicatorEnabled");
    doc.ReadSectionBool("Sound", "SoundInSoftware");
    for (const char* key : {"ReticuleColorR", "ReticuleColorG", "ReticuleColorB", "ReticuleIFFColorR",
                            "ReticuleIFFColorG", "ReticuleIFFColorB"})
        doc.ReadRootInt(key);
    doc.ReadVideoResolution();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 200;

    QTemporaryDir dir;
    const QString game = dir.path();
    const QString path = QDir(game).filePath(QStringLiteral("options.xml"));
    const QByteArray doc = grownDocument(2000);
    writeFile(path, doc);

    SilentPrompter prompter;
    const GameInstallation installation(game);
    OptionsEditor editor(prompter, installation, [] {});
    editor.FillResolutionList();

    std::printf("options.xml: %lld lines, %lld bytes; %d runs each\n", static_cast<long long>(doc.count('\n')),
                static_cast<long long>(doc.size()), runs);
    std::printf("%-44s %9s %9s %9s\n", "", "median ms", "best ms", "worst ms");
    print("load: document read, all values out", measure(runs, [&] { readAll(path); }));
    print("load: LoadGameOptions into the controls", measure(runs, [&] { editor.LoadGameOptions(); }));
    print("save: the editor's save, atomic write", measure(runs, [&] { editor.saveGameOptions(); }));

    // A document of 10 MB of lines: no options document, but it must not freeze the window for long.
    QByteArray huge = doc;
    const QByteArray line = "\t<Filler>0123456789012345678901234567890123456789</Filler>\r\n";
    huge.replace("</Options>", QByteArray(line).repeated((10 << 20) / line.size()) + "</Options>");
    writeFile(path, huge);
    std::printf("10 MB document (%lld lines):\n", static_cast<long long>(huge.count('\n')));
    print("load: LoadGameOptions into the controls", measure(3, [&] { editor.LoadGameOptions(); }));
    print("save: the editor's save, atomic write", measure(3, [&] { editor.saveGameOptions(); }));
    return 0;
}

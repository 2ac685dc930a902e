// SPDX-License-Identifier: MIT
#include "game/GameInstallation.h"
#include "platform/Errors.h"
#include "platform/GameProcess.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <memory>

// The game's start on a system without Windows: the stand-in game is native; a file starting with
// "MZ" is a Windows program and goes through the runner.
class TestGameProcess : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void nativeGameGetsModeAndArgumentAsArguments_data();
    void nativeGameGetsModeAndArgumentAsArguments();
    void gameIsFoundInAnyLetterCase();
    void unusableGameOrRunnerIsReported_data();
    void unusableGameOrRunnerIsReported();
    void windowsProgramGoesThroughTheNamedRunner();
    void runnerNameIsLookedUpOnPath();
    void wineOnPathIsTheDefaultRunner();
    void programThatFailsToStartIsReported();

private:
    QString expectError(const std::function<void()>& f);
    void makeWindowsProgram();
    QString makeBinFolderWith(const QString& name);

    std::unique_ptr<TestFolders> m_folders;
    QByteArray m_savedPath;
};

void TestGameProcess::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_savedPath = qgetenv("PATH");
}

void TestGameProcess::cleanup()
{
    qputenv("PATH", m_savedPath);
    m_folders.reset();
}

QString TestGameProcess::expectError(const std::function<void()>& f)
{
    try {
        f();
    } catch (const UserError& e) {
        return e.text();
    }
    return QString();
}

void TestGameProcess::makeWindowsProgram()
{
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    QFile::remove(exe);
    TestFolders::writeFile(exe, QByteArrayLiteral("MZ\x90\x00\x03\x00\x00\x00"));
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
}

QString TestGameProcess::makeBinFolderWith(const QString& name)
{
    const QString bin = m_folders->path(QStringLiteral("bin"));
    QDir().mkpath(bin);
    if (!name.isEmpty()) {
        const QString path = bin + QLatin1Char('/') + name;
        QFile::copy(QStringLiteral(MORVANE_FAKE_GAME), path);
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
    }
    qputenv("PATH", QFile::encodeName(bin));
    return bin;
}

void TestGameProcess::nativeGameGetsModeAndArgumentAsArguments_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("plain") << QString() << QString() << QStringList();
    QTest::newRow("join") << QStringLiteral("-client") << QStringLiteral("1.2.3.4:2346")
                          << QStringList{QStringLiteral("-client"), QStringLiteral("1.2.3.4:2346")};
    QTest::newRow("blanks") << QStringLiteral("-client") << QStringLiteral("1.2.3.4 -server")
                            << QStringList{QStringLiteral("-client"), QStringLiteral("1.2.3.4 -server")};
    QTest::newRow("quotes") << QStringLiteral("-client") << QStringLiteral("\"x\" 'y'")
                            << QStringList{QStringLiteral("-client"), QStringLiteral("\"x\" 'y'")};
    QTest::newRow("edge blanks") << QStringLiteral("-client") << QStringLiteral(" a ")
                                 << QStringList{QStringLiteral("-client"), QStringLiteral(" a ")};
}

void TestGameProcess::nativeGameGetsModeAndArgumentAsArguments()
{
    QFETCH(QString, mode);
    QFETCH(QString, argument);
    QFETCH(QStringList, arguments);
    const auto c =
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), mode, argument, QString());
    QCOMPARE(c.program, m_folders->game(QStringLiteral("GhostRecon.exe")));
    QCOMPARE(c.executable, c.program);
    QCOMPARE(c.arguments, arguments);
}

void TestGameProcess::gameIsFoundInAnyLetterCase()
{
    const QString renamed = m_folders->game(QStringLiteral("ghostrecon.EXE"));
    QVERIFY(QFile::rename(m_folders->game(QStringLiteral("GhostRecon.exe")), renamed));
    const auto c = gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()),
                                        QStringLiteral("-server"), QString(), QString());
    QCOMPARE(c.program, renamed);
}

void TestGameProcess::unusableGameOrRunnerIsReported_data()
{
    QTest::addColumn<QString>("game"); // what stands in the game's place
    QTest::addColumn<QString>("path"); // the programs on PATH ("-": PATH left alone)
    QTest::addColumn<QString>("runner");
    QTest::addColumn<QStringList>("words"); // besides "GhostRecon.exe"
    QTest::newRow("missing game") << QStringLiteral("none") << QStringLiteral("-") << QString()
                                  << QStringList{QStringLiteral("見つかりません")};
    QTest::newRow("a folder in its place") << QStringLiteral("folder") << QStringLiteral("-") << QString()
                                           << QStringList{QStringLiteral("ファイルではありません")};
    QTest::newRow("a file that is no program")
        << QStringLiteral("text") << QStringLiteral("-") << QString() << QStringList{QStringLiteral("実行できる")};
    QTest::newRow("no Wine") << QStringLiteral("windows") << QString() << QString()
                             << QStringList{QStringLiteral("Wine")};
    QTest::newRow("runner path that does not exist")
        << QStringLiteral("windows") << QStringLiteral("wine") << QStringLiteral("nowhere/runner")
        << QStringList{QStringLiteral("nowhere/runner")};
    QTest::newRow("runner name not on PATH")
        << QStringLiteral("windows") << QStringLiteral("wine") << QStringLiteral("no-such-runner")
        << QStringList{QStringLiteral("no-such-runner")};
}

void TestGameProcess::unusableGameOrRunnerIsReported()
{
    QFETCH(QString, game);
    QFETCH(QString, path);
    QFETCH(QString, runner);
    QFETCH(QStringList, words);
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    if (game == QLatin1String("windows")) {
        makeWindowsProgram();
    } else {
        QVERIFY(QFile::remove(exe));
        if (game == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(exe));
        else if (game == QLatin1String("text"))
            TestFolders::writeFile(exe, QByteArrayLiteral("not a program\r\n"));
    }
    if (path != QLatin1String("-"))
        makeBinFolderWith(path);
    if (runner.contains(QLatin1Char('/')))
        runner = m_folders->path(runner);
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(), runner);
    });
    QVERIFY2(
        text.contains(game == QLatin1String("none") ? QDir::toNativeSeparators(exe) : QStringLiteral("GhostRecon.exe")),
        qPrintable(text));
    for (const QString& word : words)
        QVERIFY2(text.contains(word), qPrintable(text));
}

void TestGameProcess::windowsProgramGoesThroughTheNamedRunner()
{
    makeWindowsProgram();
    const QString runner = QStringLiteral(MORVANE_FAKE_GAME);
    const auto c = gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()),
                                        QStringLiteral("-client"), QStringLiteral("1.2.3.4 -server"), runner);
    QCOMPARE(c.program, runner);
    QCOMPARE(c.arguments, (QStringList{m_folders->game(QStringLiteral("GhostRecon.exe")), QStringLiteral("-client"),
                                       QStringLiteral("1.2.3.4 -server")}));
    const auto plain =
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(), runner);
    QCOMPARE(plain.arguments, QStringList{m_folders->game(QStringLiteral("GhostRecon.exe"))});
}

void TestGameProcess::runnerNameIsLookedUpOnPath()
{
    makeWindowsProgram();
    const QString bin = makeBinFolderWith(QStringLiteral("wine-staging"));
    const auto c = gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()),
                                        QStringLiteral("-server"), QString(), QStringLiteral("wine-staging"));
    QCOMPARE(c.program, bin + QStringLiteral("/wine-staging"));
}

void TestGameProcess::wineOnPathIsTheDefaultRunner()
{
    makeWindowsProgram();
    const QString bin = makeBinFolderWith(QStringLiteral("wine"));
    const auto c = gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()),
                                        QStringLiteral("-server"), QString(), QString());
    QCOMPARE(c.program, bin + QStringLiteral("/wine"));
    QCOMPARE(c.arguments, (QStringList{m_folders->game(QStringLiteral("GhostRecon.exe")), QStringLiteral("-server")}));
}

void TestGameProcess::programThatFailsToStartIsReported()
{
    // Looks like a script, so it is started directly, but its interpreter does not exist.
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    QVERIFY(QFile::remove(exe));
    TestFolders::writeFile(exe, QByteArrayLiteral("#!/nonexistent/interpreter\n"));
    QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
    const auto c = gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                                        QString());
    QProcess process;
    gameprocess::prepare(process, c);
    const QString text = expectError([&] { gameprocess::start(process, c); });
    QVERIFY2(text.contains(QStringLiteral("GhostRecon.exe")) && text.contains(QStringLiteral("開始できません")),
             qPrintable(text));
    QCOMPARE(process.state(), QProcess::NotRunning);
}

QTEST_GUILESS_MAIN(TestGameProcess)
#include "tst_GameProcess.moc"

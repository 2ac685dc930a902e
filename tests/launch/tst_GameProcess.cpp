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
    void missingGameIsReported();
    void folderNamedLikeTheGameIsReported();
    void fileThatIsNoProgramIsReported();
    void windowsProgramGoesThroughTheNamedRunner();
    void runnerNameIsLookedUpOnPath();
    void wineOnPathIsTheDefaultRunner();
    void missingWineIsReported();
    void missingRunnerIsReported();
    void processRunsFromTheCurrentFolder();
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
    QTest::newRow("server") << QStringLiteral("-server") << QString() << QStringList{QStringLiteral("-server")};
    QTest::newRow("dedicated") << QStringLiteral("-autoserve") << QString()
                               << QStringList{QStringLiteral("-autoserve")};
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

void TestGameProcess::missingGameIsReported()
{
    QVERIFY(QFile::remove(m_folders->game(QStringLiteral("GhostRecon.exe"))));
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                             QString());
    });
    QVERIFY2(text.contains(QDir::toNativeSeparators(m_folders->game(QStringLiteral("GhostRecon.exe")))),
             qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("見つかりません")), qPrintable(text));
}

void TestGameProcess::folderNamedLikeTheGameIsReported()
{
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    QVERIFY(QFile::remove(exe));
    QVERIFY(QDir().mkpath(exe));
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                             QString());
    });
    QVERIFY2(text.contains(QStringLiteral("GhostRecon.exe")) && text.contains(QStringLiteral("ファイルではありません")),
             qPrintable(text));
}

void TestGameProcess::fileThatIsNoProgramIsReported()
{
    const QString exe = m_folders->game(QStringLiteral("GhostRecon.exe"));
    QVERIFY(QFile::remove(exe));
    TestFolders::writeFile(exe, QByteArrayLiteral("not a program\r\n"));
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                             QString());
    });
    QVERIFY2(text.contains(QStringLiteral("GhostRecon.exe")) && text.contains(QStringLiteral("実行できる")),
             qPrintable(text));
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

void TestGameProcess::missingWineIsReported()
{
    makeWindowsProgram();
    makeBinFolderWith(QString());
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                             QString());
    });
    QVERIFY2(text.contains(QStringLiteral("GhostRecon.exe")) && text.contains(QStringLiteral("Wine")),
             qPrintable(text));
}

void TestGameProcess::missingRunnerIsReported()
{
    makeWindowsProgram();
    makeBinFolderWith(QStringLiteral("wine"));
    const QString runner = m_folders->path(QStringLiteral("nowhere/runner"));
    const QString text = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(), runner);
    });
    QVERIFY2(text.contains(QStringLiteral("GhostRecon.exe")) && text.contains(runner), qPrintable(text));
    const QString byName = expectError([&] {
        gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()), QString(), QString(),
                             QStringLiteral("no-such-runner"));
    });
    QVERIFY2(byName.contains(QStringLiteral("no-such-runner")), qPrintable(byName));
}

void TestGameProcess::processRunsFromTheCurrentFolder()
{
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_folders->programFolder()));
    QProcess process;
    gameprocess::prepare(process, gameprocess::command(gameinstallation::executablePath(m_folders->gameFolder()),
                                                       QStringLiteral("-server"), QString(), QString()));
    QDir::setCurrent(before);
    QCOMPARE(QDir(process.workingDirectory()).canonicalPath(), QDir(m_folders->programFolder()).canonicalPath());
    QCOMPARE(process.arguments(), QStringList{QStringLiteral("-server")});
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

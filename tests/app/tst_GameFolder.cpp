// SPDX-License-Identifier: MIT
#include "app/GameFolder.h"
#include "game/GameInstallation.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>

using Icon = Prompter::Icon;

class TestGameFolder : public QObject
{
    Q_OBJECT
private slots:
    void gameFoundInAnyLetterCase();
    void missingFolderAsksWithNothingPreselected();
    void pickedFolderWithTheGameIsTaken();
    void pickedFolderWithoutTheGameEnds();
    void otherInstallationSameFolderAsksNothing();
    void otherInstallationRejectedFolderReopensThere();
    void otherInstallationCancelChangesNothing();
    void folderThatCannotBeStoredIsRefused();
};

void TestGameFolder::gameFoundInAnyLetterCase()
{
    // The letter-case rules are the file-name resolver's own table.
    TestFolders f;
    const QString folder = f.path(QStringLiteral("other"));
    TestFolders::writeFile(folder + QStringLiteral("/GHOSTRECON.EXE"), QByteArrayLiteral("MZ"));
    ScriptedPrompter p;
    QString gameFolder = folder;
    QVERIFY(gamefolder::EnsureGameFolder(p, gameFolder));
    QCOMPARE(gameFolder, folder);
    QVERIFY(p.asked.isEmpty());
}

void TestGameFolder::missingFolderAsksWithNothingPreselected()
{
    TestFolders f;
    ScriptedPrompter p; // the picker is cancelled
    QString gameFolder = f.path(QStringLiteral("gone"));
    QVERIFY(!gamefolder::EnsureGameFolder(p, gameFolder));
    QCOMPARE(p.asked.size(), 3);
    QCOMPARE(p.asked[0].kind, QStringLiteral("message"));
    QCOMPARE(p.asked[0].icon, Icon::Warning);
    QCOMPARE(p.asked[1].kind, QStringLiteral("pickFolder"));
    QCOMPARE(p.asked[1].initial, QString());
    QCOMPARE(p.asked[2].icon, Icon::Error);
    // The stored folder did not exist, so the empty text is what gets stored.
    QCOMPARE(gameFolder, QString());
}

void TestGameFolder::pickedFolderWithTheGameIsTaken()
{
    TestFolders f;
    ScriptedPrompter p;
    p.answers << f.gameFolder() + QLatin1Char('/');
    QString gameFolder = f.path(QStringLiteral("program")); // exists, holds no game
    QVERIFY(gamefolder::EnsureGameFolder(p, gameFolder));
    QCOMPARE(gameFolder, f.gameFolder());
    QCOMPARE(p.asked[1].initial, f.programFolder());
}

void TestGameFolder::pickedFolderWithoutTheGameEnds()
{
    TestFolders f;
    ScriptedPrompter p;
    p.answers << f.programFolder();
    QString gameFolder = f.path(QStringLiteral("gone"));
    QVERIFY(!gamefolder::EnsureGameFolder(p, gameFolder));
    QCOMPARE(p.asked.last().icon, Icon::Error);
}

void TestGameFolder::otherInstallationSameFolderAsksNothing()
{
    TestFolders f;
    ScriptedPrompter p;
    p.answers << f.gameFolder();
    QCOMPARE(gamefolder::chooseOtherInstallation(p, f.gameFolder()), std::nullopt);
    QCOMPARE(p.asked.size(), 1);
    QCOMPARE(p.asked[0].initial, f.gameFolder());
}

void TestGameFolder::otherInstallationRejectedFolderReopensThere()
{
    TestFolders f;
    const QString second = f.path(QStringLiteral("second"));
    TestFolders::writeFile(second + QStringLiteral("/GHOSTRECON.exe"), QByteArrayLiteral("MZ"));
    ScriptedPrompter p;
    p.answers << f.programFolder() << second;
    QCOMPARE(gamefolder::chooseOtherInstallation(p, f.gameFolder()), std::optional<QString>(second));
    QCOMPARE(p.asked.size(), 3);
    QCOMPARE(p.asked[1].kind, QStringLiteral("message"));
    QCOMPARE(p.asked[2].kind, QStringLiteral("pickFolder"));
    QCOMPARE(p.asked[2].initial, f.programFolder());
    p.answers << true;
    QVERIFY(gamefolder::askReloadNewGame(p));
}

void TestGameFolder::otherInstallationCancelChangesNothing()
{
    TestFolders f;
    ScriptedPrompter p;
    QCOMPARE(gamefolder::chooseOtherInstallation(p, f.gameFolder()), std::nullopt);
    QCOMPARE(p.asked.size(), 1);
}

void TestGameFolder::folderThatCannotBeStoredIsRefused()
{
    TestFolders f;
    // An accented letter, as in a home folder: code page 932 has no such character.
    const QString accented = f.path(QStringLiteral(u"andré/Ghost Recon"));
    TestFolders::writeFile(accented + QStringLiteral("/GhostRecon.exe"), QByteArrayLiteral("MZ"));
    ScriptedPrompter p;
    p.answers << accented; // refused; the picker comes again and is cancelled
    QString folder = f.gameFolder();
    QVERIFY(!gamefolder::BrowseForFolder(p, QStringLiteral("t"), folder));
    QCOMPARE(folder, f.gameFolder());
    QCOMPARE(p.asked.size(), 3);
    QCOMPARE(p.asked[1].kind, QStringLiteral("message"));
    QVERIFY2(p.asked[1].text.contains(QStringLiteral("「é」")), qPrintable(p.asked[1].text));
    QCOMPARE(p.asked[2].kind, QStringLiteral("pickFolder"));
    // The menu's choice keeps the folder it had.
    p.answers << accented;
    QCOMPARE(gamefolder::chooseOtherInstallation(p, f.gameFolder()), std::nullopt);
}

QTEST_GUILESS_MAIN(TestGameFolder)
#include "tst_GameFolder.moc"

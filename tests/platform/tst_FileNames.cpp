// SPDX-License-Identifier: MIT
#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Looking up the game's files by name on a case-sensitive file system, in a real folder.
class TestFileNames : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void resolve_data();
    void resolve();
    void twoSpellingsInOneFolder();
    void existence();
    void setNames_data();
    void setNames();

private:
    QTemporaryDir m_dir;
    QString m_game;
};

namespace {

void touch(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

} // namespace

void TestFileNames::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_game = m_dir.filePath(QStringLiteral("Ghost Recon"));
    QVERIFY(QDir().mkpath(m_game + QStringLiteral("/MODS/origmiss")));
    QVERIFY(QDir().mkpath(m_game + QStringLiteral("/Mods/MP1")));
    touch(m_game + QStringLiteral("/ghostrecon.EXE"));
    touch(m_game + QStringLiteral("/MODS/origmiss/modscont.TXT"));
    touch(m_game + QStringLiteral("/café.txt"));
    touch(m_game + QStringLiteral("/.Hidden"));
}

void TestFileNames::resolve_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("resolved"); // relative to the game folder

    QTest::newRow("exe in other case") << QStringLiteral("GhostRecon.exe") << QStringLiteral("ghostrecon.EXE");
    QTest::newRow("exe in the spelling on disk")
        << QStringLiteral("ghostrecon.EXE") << QStringLiteral("ghostrecon.EXE");
    QTest::newRow("exe all capitals") << QStringLiteral("GHOSTRECON.EXE") << QStringLiteral("ghostrecon.EXE");
    QTest::newRow("two components") << QStringLiteral("MODS/Origmiss") << QStringLiteral("MODS/origmiss");
    QTest::newRow("three components") << QStringLiteral("MODS/Origmiss/ModsCont.txt")
                                      << QStringLiteral("MODS/origmiss/modscont.TXT");
    QTest::newRow("exact match wins") << QStringLiteral("Mods/MP1") << QStringLiteral("Mods/MP1");
    QTest::newRow("missing last component kept as given")
        << QStringLiteral("MODS/Origmiss/New.txt") << QStringLiteral("MODS/origmiss/New.txt");
    QTest::newRow("missing middle component kept as given")
        << QStringLiteral("Missing/Origmiss") << QStringLiteral("Missing/Origmiss");
    QTest::newRow("empty components skipped") << QStringLiteral("/MODS//Origmiss/") << QStringLiteral("MODS/origmiss");
    QTest::newRow("hidden file") << QStringLiteral(".hidden") << QStringLiteral(".Hidden");
    // Only A-Z fold; other letters must match exactly.
    QTest::newRow("non-ASCII letters not folded") << QStringLiteral(u"CAFÉ.TXT") << QStringLiteral(u"CAFÉ.TXT");
    QTest::newRow("ASCII part folded") << QStringLiteral(u"CAFé.TXT") << QStringLiteral(u"café.txt");
    QTest::newRow("below a file") << QStringLiteral("GhostRecon.exe/x") << QStringLiteral("ghostrecon.EXE/x");
}

void TestFileNames::resolve()
{
    QFETCH(QString, relative);
    QFETCH(QString, resolved);
    QCOMPARE(filenames::resolve(m_game, relative), m_game + QLatin1Char('/') + resolved);
    QCOMPARE(filenames::resolve(m_game + QLatin1Char('/'), relative), m_game + QLatin1Char('/') + resolved);
}

void TestFileNames::twoSpellingsInOneFolder()
{
    // "Mods" and "MODS" both exist: each exact spelling finds itself, any other finds one of them.
    QCOMPARE(filenames::resolve(m_game, QStringLiteral("MODS")), m_game + QStringLiteral("/MODS"));
    QCOMPARE(filenames::resolve(m_game, QStringLiteral("Mods")), m_game + QStringLiteral("/Mods"));
    const QString other = filenames::resolve(m_game, QStringLiteral("mods"));
    QVERIFY2(other == m_game + QStringLiteral("/MODS") || other == m_game + QStringLiteral("/Mods"), qPrintable(other));
    QCOMPARE(filenames::resolve(m_game, QStringLiteral("mods")), other);
}

void TestFileNames::existence()
{
    QVERIFY(filenames::fileExists(m_game, QStringLiteral("GhostRecon.exe")));
    QVERIFY(filenames::exists(m_game, QStringLiteral("GhostRecon.exe")));
    QVERIFY(filenames::exists(m_game, QStringLiteral("MODS/Origmiss")));
    QVERIFY(!filenames::fileExists(m_game, QStringLiteral("MODS/Origmiss")));
    QVERIFY(filenames::fileExists(m_game, QStringLiteral("mods/origmiss/MODSCONT.TXT")));
    QVERIFY(!filenames::exists(m_game, QStringLiteral("MODS/Origmiss/New.txt")));
    QVERIFY(!filenames::exists(m_game, QStringLiteral("GhostRecon.exe/x")));
    QVERIFY(!filenames::fileExists(m_dir.filePath(QStringLiteral("nowhere")), QStringLiteral("GhostRecon.exe")));
    QCOMPARE(filenames::resolve(m_game, QString()), m_game);
    QVERIFY(filenames::exists(m_game, QString()));
}

void TestFileNames::setNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("usable");
    QTest::newRow("japanese") << QStringLiteral(u"協力戦セット") << true;
    QTest::newRow("blanks inside") << QStringLiteral("my set 2") << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blanks only") << QStringLiteral("   ") << false;
    QTest::newRow("dot") << QStringLiteral(".") << false;
    QTest::newRow("dot dot") << QStringLiteral(" .. ") << false;
    for (const char* c : {"/", "\\", ":", "*", "?", "\"", "<", ">", "|", "\t"})
        QTest::addRow("holds %s", c) << QStringLiteral("a%1b").arg(QLatin1String(c)) << false;
}

void TestFileNames::setNames()
{
    QFETCH(QString, name);
    QFETCH(bool, usable);
    QCOMPARE(filenames::setNameError(name).isEmpty(), usable);
}

QTEST_GUILESS_MAIN(TestFileNames)
#include "tst_FileNames.moc"

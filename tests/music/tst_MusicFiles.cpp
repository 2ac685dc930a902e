// SPDX-License-Identifier: MIT
#include "music/MusicFiles.h"
#include "platform/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMap>
#include <QTest>

namespace {

using Snapshot = QMap<QString, QByteArray>;

// Every file under a folder with its bytes, folders as empty entries ending in '/'.
Snapshot snapshot(const QString& root)
{
    Snapshot out;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        out.insert(it.fileInfo().isDir() ? relative + QLatin1Char('/') : relative,
                   it.fileInfo().isDir() ? QByteArray() : TestFolders::readFile(path));
    }
    return out;
}

// A small valid WAV whose samples tell it apart from the game's files.
QByteArray wave(char fill, int samples = 64)
{
    QByteArray data(samples, fill);
    QByteArray out = QByteArrayLiteral("RIFF");
    const auto le32 = [](quint32 v) {
        QByteArray b(4, 0);
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xFF);
        return b;
    };
    out += le32(quint32(36 + data.size())) + QByteArrayLiteral("WAVEfmt ") + le32(16);
    out += QByteArray("\x01\x00\x01\x00", 4) + le32(8000) + le32(8000) + QByteArray("\x01\x00\x08\x00", 4);
    out += QByteArrayLiteral("data") + le32(quint32(data.size())) + data;
    return out;
}

} // namespace

class TestMusicFiles : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolders> m_folders;
    QString m_music;

    QString musicFile(const QString& name) const { return m_music + QLatin1Char('/') + name; }
    QString backupFile(const QString& name) const { return m_music + QStringLiteral("/bak(Morvane)/") + name; }
    QString chosen(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_folders->path(QStringLiteral("chosen/") + name);
        TestFolders::writeFile(path, bytes);
        return path;
    }

private slots:
    void init()
    {
        m_folders = std::make_unique<TestFolders>();
        m_music = MusicFiles::findMusicFolder(m_folders->gameFolder());
        QVERIFY(QFileInfo(m_music).isDir());
    }

    void applyWithNothingChosenTouchesNothing()
    {
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        const MusicFiles::ApplyResult r = files.apply({});
        QCOMPARE(r.chosen, 0);
        QCOMPARE(r.applied, 0);
        QCOMPARE(snapshot(m_music), before);
    }

    void applyingSlotOneTwiceKeepsTheGamesOwnFile()
    {
        const QByteArray original = TestFolders::readFile(musicFile(QStringLiteral("GR_Main_Theme.wav")));
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("a.wav"), wave('a'));
        QCOMPARE(files.apply(choices).applied, 1);
        choices[0] = chosen(QStringLiteral("b.wav"), wave('b'));
        const MusicFiles::ApplyResult second = files.apply(choices);
        QCOMPARE(second.applied, 1);
        QVERIFY(second.failures.isEmpty());
        QCOMPARE(TestFolders::readFile(backupFile(QStringLiteral("GR_Main_Theme.wav"))), original);
        QCOMPARE(TestFolders::readFile(musicFile(QStringLiteral("GR_Main_Theme.wav"))), wave('b'));
    }

    void slotThreeAloneReplacesOnlyLoad1()
    {
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[2] = chosen(QStringLiteral("three.wav"), wave('3'));
        QCOMPARE(files.apply(choices).applied, 1);
        Snapshot expected = before;
        expected.insert(QStringLiteral("bak(Morvane)/"), {});
        expected.insert(QStringLiteral("bak(Morvane)/load1.wav"), before.value(QStringLiteral("load1.wav")));
        expected.insert(QStringLiteral("load1.wav"), wave('3'));
        QCOMPARE(snapshot(m_music), expected);
    }

    void restoreAfterSlotsOneAndTwoLeavesTheFolderAsBefore()
    {
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("one.wav"), wave('1'));
        choices[1] = chosen(QStringLiteral("two.wav"), wave('2'));
        QCOMPARE(files.apply(choices).applied, 2);
        QVERIFY(snapshot(m_music) != before);
        const MusicFiles::RestoreResult r = files.restore();
        QCOMPARE(r.restored, (QList<int>{0, 1}));
        QVERIFY(r.failures.isEmpty());
        QVERIFY(r.backupRemoved);
        QCOMPARE(snapshot(m_music), before);
    }

    void choosingTheGameFileItselfStillKeepsABackup()
    {
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[3] = musicFile(QStringLiteral("load3.wav"));
        QCOMPARE(files.apply(choices).applied, 1);
        QCOMPARE(TestFolders::readFile(musicFile(QStringLiteral("load3.wav"))),
                 before.value(QStringLiteral("load3.wav")));
        QVERIFY(files.isBackedUp(3));
        files.restore();
        QCOMPARE(snapshot(m_music), before);
    }

    void aFailingCopyIsReportedAndTheGameFileStays()
    {
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("big.wav"), wave('x', 200000));
        choices[4] = chosen(QStringLiteral("small.wav"), wave('s'));
        MusicFiles::ApplyResult r;
        {
            FileSizeLimit limit(8192);
            QVERIFY(limit.isActive());
            r = files.apply(choices);
        }
        QCOMPARE(r.chosen, 2);
        QCOMPARE(r.applied, 1);
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures.first().slot, 0);
        QVERIFY2(r.failures.first().reason.contains(musicFile(QStringLiteral("GR_Main_Theme.wav"))),
                 qPrintable(r.failures.first().reason));
        QCOMPARE(TestFolders::readFile(musicFile(QStringLiteral("GR_Main_Theme.wav"))),
                 before.value(QStringLiteral("GR_Main_Theme.wav")));
        QVERIFY(!files.isBackedUp(0));
        QCOMPARE(TestFolders::readFile(musicFile(QStringLiteral("afteract_vic.wav"))), wave('s'));
        // No half-written copy is left beside the game's files.
        QCOMPARE(QDir(m_music).entryList(QDir::Files | QDir::Hidden).size(), 6);
    }

    void aBadChoiceLeavesItsSlotAsItIs_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reasonPart");
        QTest::newRow("missing") << "missing" << QStringLiteral("見つかりません");
        QTest::newRow("folder") << "folder" << QStringLiteral("フォルダ");
        QTest::newRow("not a wav") << "text" << QStringLiteral("WAVファイルではありません");
        QTest::newRow("empty") << "empty" << QStringLiteral("WAVファイルではありません");
        // A linked or shared install: the choice must not go through the link into the original.
        QTest::newRow("game file is a link") << "link" << QStringLiteral("シンボリックリンク");
    }

    void aBadChoiceLeavesItsSlotAsItIs()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reasonPart);
        QString path = m_folders->path(QStringLiteral("chosen/bad.wav"));
        if (kind == QLatin1String("folder"))
            QDir().mkpath(path);
        else if (kind == QLatin1String("text"))
            TestFolders::writeFile(path, QByteArrayLiteral("ID3\x03 not a wave at all"));
        else if (kind == QLatin1String("empty"))
            TestFolders::writeFile(path, {});
        if (kind == QLatin1String("link")) {
            path = chosen(QStringLiteral("linked.wav"), wave('l'));
            const QString shared = m_folders->path(QStringLiteral("shared.wav"));
            QVERIFY(QFile::rename(musicFile(QStringLiteral("action1.wav")), shared));
            QVERIFY(QFile::link(shared, musicFile(QStringLiteral("action1.wav"))));
        }
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[1] = path;
        choices[5] = chosen(QStringLiteral("good.wav"), wave('g'));
        const MusicFiles::ApplyResult r = files.apply(choices);
        QCOMPARE(r.applied, 1);
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures.first().slot, 1);
        QVERIFY2(r.failures.first().reason.contains(reasonPart), qPrintable(r.failures.first().reason));
        QCOMPARE(TestFolders::readFile(musicFile(QStringLiteral("action1.wav"))),
                 before.value(QStringLiteral("action1.wav")));
        QVERIFY(!files.isBackedUp(1));
        QVERIFY(files.isBackedUp(5));
    }

    void aFileInPlaceOfTheBackupFolderStopsTheSlot()
    {
        TestFolders::writeFile(musicFile(QStringLiteral("bak(Morvane)")), QByteArrayLiteral("mine"));
        const Snapshot before = snapshot(m_music);
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("a.wav"), wave('a'));
        const MusicFiles::ApplyResult r = files.apply(choices);
        QCOMPARE(r.applied, 0);
        QCOMPARE(r.failures.size(), 1);
        QVERIFY(r.failures.first().reason.contains(QStringLiteral("bak(Morvane)")));
        QCOMPARE(snapshot(m_music), before);
        // Restoring finds no backup folder and leaves the file alone.
        QVERIFY(files.restore().restored.isEmpty());
        QCOMPARE(snapshot(m_music), before);
    }

    void theMusicFolderIsFoundInAnyLetterCase()
    {
        const QString mods = m_folders->game(QStringLiteral("Mods"));
        QVERIFY(QDir().rename(mods + QStringLiteral("/Origmiss/Sound/Music"),
                              mods + QStringLiteral("/Origmiss/Sound/MUSIC")));
        QVERIFY(QDir().rename(mods + QStringLiteral("/Origmiss"), mods + QStringLiteral("/origmiss")));
        const QString found = MusicFiles::findMusicFolder(m_folders->gameFolder());
        QCOMPARE(found, mods + QStringLiteral("/origmiss/Sound/MUSIC"));
        MusicFiles files(found);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("a.wav"), wave('a'));
        QCOMPARE(files.apply(choices).applied, 1);
        QCOMPARE(TestFolders::readFile(found + QStringLiteral("/GR_Main_Theme.wav")), wave('a'));
    }

    void aMissingMusicFolderIsAnError()
    {
        MusicFiles files(m_folders->path(QStringLiteral("nowhere/Music")));
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("a.wav"), wave('a'));
        QVERIFY_THROWS_EXCEPTION(UserError, files.apply(choices));
    }

    void restoreReportsWhatItCannotMoveBack()
    {
        MusicFiles files(m_music);
        MusicFiles::Choices choices;
        choices[0] = chosen(QStringLiteral("one.wav"), wave('1'));
        choices[1] = chosen(QStringLiteral("two.wav"), wave('2'));
        QCOMPARE(files.apply(choices).applied, 2);
        // Something the user put where the game file was: a folder that a file cannot replace.
        const QString blocked = musicFile(QStringLiteral("GR_Main_Theme.wav"));
        QVERIFY(QFile::remove(blocked));
        TestFolders::writeFile(blocked + QStringLiteral("/inside.txt"), QByteArrayLiteral("x"));
        const MusicFiles::RestoreResult r = files.restore();
        QCOMPARE(r.restored, QList<int>{1});
        QCOMPARE(r.failures.size(), 1);
        QCOMPARE(r.failures.first().slot, 0);
        QVERIFY(!r.backupRemoved);
        QVERIFY(QFileInfo::exists(backupFile(QStringLiteral("GR_Main_Theme.wav"))));
        QVERIFY(!QFileInfo::exists(backupFile(QStringLiteral("action1.wav"))));
    }
};

QTEST_GUILESS_MAIN(TestMusicFiles)
#include "tst_MusicFiles.moc"

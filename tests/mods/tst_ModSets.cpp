// SPDX-License-Identifier: MIT
// Mod set files in a real program folder.
#include "mods/ModSets.h"
#include "platform/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Entries = QList<QByteArray>;

class TestModSets : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void listedNames();
    void savedUnderTheTypedName();
    void missingOrUnreadableSet();
    void failedSaveChangesNothing();
    void importCopiesBytes();
    void remove();

private:
    QString file(const QString& name) const { return m_dir->filePath(name); }
    QStringList filesOnDisk() const { return QDir(m_dir->path()).entryList(QDir::Files, QDir::Name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestModSets::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestModSets::listedNames()
{
    for (const char* name : {"b.mst", "A.MST", "c.txt", "Set.Two.mst", ".mst", "x.mst.bak"})
        TestFolders::writeFile(file(QString::fromLatin1(name)), "mp1\r\n");
    QVERIFY(QDir().mkpath(file(QStringLiteral("folder.mst"))));
    QCOMPARE(modsets::listNames(m_dir->path()),
             (QStringList{QStringLiteral("A"), QStringLiteral("b"), QStringLiteral("Set.Two")}));
}

void TestModSets::savedUnderTheTypedName()
{
    TestFolders::writeFile(file(QStringLiteral("Set1.mst")), "old\r\n");
    TestFolders::writeFile(file(QStringLiteral("Other.mst")), "other\r\n");
    modsets::save(m_dir->path(), QStringLiteral("set1"), {"mp1", "MP2"});
    // One file answers to the name, under the spelling typed last.
    QCOMPARE(filesOnDisk(), (QStringList{QStringLiteral("Other.mst"), QStringLiteral("set1.mst")}));
    QCOMPARE(TestFolders::readFile(file(QStringLiteral("set1.mst"))), QByteArray("mp1\r\nMP2\r\n"));
    QCOMPARE(modsets::read(modsets::setPath(m_dir->path(), QStringLiteral("SET1"))), (Entries{"mp1", "MP2"}));
    // An empty active list gives an empty file.
    modsets::save(m_dir->path(), QStringLiteral("Empty"), {});
    QCOMPARE(TestFolders::readFile(file(QStringLiteral("Empty.mst"))), QByteArray());
}

void TestModSets::missingOrUnreadableSet()
{
    QCOMPARE(modsets::read(modsets::setPath(m_dir->path(), QStringLiteral("gone"))), std::nullopt);
    QVERIFY(QDir().mkpath(file(QStringLiteral("dir.mst"))));
    QVERIFY_THROWS_EXCEPTION(UserError, modsets::read(file(QStringLiteral("dir.mst"))));
}

void TestModSets::failedSaveChangesNothing()
{
    TestFolders::writeFile(file(QStringLiteral("Big.mst")), "old\r\n");
    {
        FileSizeLimit limit(100);
        QVERIFY(limit.isActive());
        QVERIFY_THROWS_EXCEPTION(UserError, modsets::save(m_dir->path(), QStringLiteral("big"), Entries(50, "mod")));
    }
    QCOMPARE(filesOnDisk(), QStringList{QStringLiteral("Big.mst")});
    QCOMPARE(TestFolders::readFile(file(QStringLiteral("Big.mst"))), QByteArray("old\r\n"));
}

void TestModSets::importCopiesBytes()
{
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("Host.mst"));
    TestFolders::writeFile(source, "a\nB");
    modsets::import(source, m_dir->path(), QStringLiteral("Host"));
    QCOMPARE(TestFolders::readFile(file(QStringLiteral("Host.mst"))), QByteArray("a\nB"));
    QVERIFY_THROWS_EXCEPTION(UserError, modsets::import(elsewhere.filePath(QStringLiteral("gone.mst")), m_dir->path(),
                                                        QStringLiteral("gone")));
    QVERIFY(!QFile::exists(file(QStringLiteral("gone.mst"))));
}

void TestModSets::remove()
{
    TestFolders::writeFile(file(QStringLiteral("Set.mst")), "a\r\n");
    QVERIFY(!modsets::remove(m_dir->path(), QStringLiteral("Other")));
    QVERIFY(modsets::remove(m_dir->path(), QStringLiteral("set")));
    QVERIFY(filesOnDisk().isEmpty());
}

QTEST_GUILESS_MAIN(TestModSets)
#include "tst_ModSets.moc"

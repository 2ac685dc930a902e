// SPDX-License-Identifier: MIT
// Folder listing with Windows attribute words, on a real folder.
#include "platform/FolderListing.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace folderlisting;

class TestFolderListing : public QObject
{
    Q_OBJECT
private slots:
    void dosAttrib_data();
    void dosAttrib();
    void fromMode_data();
    void fromMode();
    void wildcard_data();
    void wildcard();
    void listing();
};

void TestFolderListing::dosAttrib_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("word"); // -1: not of the form
    QTest::newRow("directory") << QByteArray("0x10") << 0x10;
    QTest::newRow("hidden directory, capitals") << QByteArray("0x1A") << 0x1a;
    QTest::newRow("Samba's binary after the NUL") << QByteArray("0x20\0\x03\x00\x11", 8) << 0x20;
    QTest::newRow("no digits") << QByteArray("0x") << -1;
    QTest::newRow("decimal") << QByteArray("16") << -1;
    QTest::newRow("junk after the digits") << QByteArray("0x10h") << -1;
    QTest::newRow("binary only") << QByteArray("\x03\x00\x04\x00", 4) << -1;
    QTest::newRow("more than 32 bits") << QByteArray("0x123456789") << -1;
}

void TestFolderListing::dosAttrib()
{
    QFETCH(QByteArray, value);
    QFETCH(int, word);
    const std::optional<quint32> parsed = parseDosAttrib(value);
    QCOMPARE(parsed ? int(*parsed) : -1, word);
}

void TestFolderListing::fromMode_data()
{
    QTest::addColumn<bool>("directory");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("word");
    QTest::newRow("plain folder") << true << true << QStringLiteral("mp1") << 0x10;
    QTest::newRow("read-only folder") << true << false << QStringLiteral("mp1") << 0x11;
    QTest::newRow("dot folder") << true << true << QStringLiteral(".git") << 0x12;
    QTest::newRow("the folder itself") << true << true << QStringLiteral(".") << 0x10;
    QTest::newRow("file") << false << true << QStringLiteral("a.txt") << 0x20;
}

void TestFolderListing::fromMode()
{
    QFETCH(bool, directory);
    QFETCH(bool, writable);
    QFETCH(QString, name);
    QFETCH(int, word);
    QCOMPARE(int(attributesFromMode(directory, writable, name)), word);
}

void TestFolderListing::wildcard_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("wildcard");
    QTest::addColumn<bool>("matches");
    QTest::newRow("*.* without a dot") << QStringLiteral("Mods") << QStringLiteral("*.*") << true;
    QTest::newRow("extension in capitals") << QStringLiteral("Set.MST") << QStringLiteral("*.mst") << true;
    QTest::newRow("other extension") << QStringLiteral("Set.mst.bak") << QStringLiteral("*.mst") << false;
    QTest::newRow("question mark") << QStringLiteral("a1.txt") << QStringLiteral("a?.txt") << true;
}

void TestFolderListing::wildcard()
{
    QFETCH(QString, name);
    QFETCH(QString, wildcard);
    QFETCH(bool, matches);
    QCOMPARE(matchesWildcard(name, wildcard), matches);
}

void TestFolderListing::listing()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Folder.MST")));
    TestFolders::writeFile(dir.filePath(QStringLiteral("a.mst")), "x");
    TestFolders::writeFile(dir.filePath(QStringLiteral("b.txt")), "x");
    QFile::setPermissions(dir.filePath(QStringLiteral("a.mst")), QFile::ReadOwner);
    QMap<QString, quint32> found;
    for (const Entry& e : find(dir.path() + QStringLiteral("/*.mst")))
        found.insert(e.name, e.attributes);
    QCOMPARE(found.keys(), (QStringList{QStringLiteral("Folder.MST"), QStringLiteral("a.mst")}));
    QCOMPARE(found[QStringLiteral("Folder.MST")], quint32(Directory));
    QCOMPARE(found[QStringLiteral("a.mst")], quint32(Archive | ReadOnly));
    // Everything, the folder's own entries included; a missing folder lists nothing.
    QCOMPARE(find(dir.path() + QStringLiteral("/*.*")).size(), 5);
    QVERIFY(find(dir.filePath(QStringLiteral("missing/*.*"))).isEmpty());
}

QTEST_GUILESS_MAIN(TestFolderListing)
#include "tst_FolderListing.moc"

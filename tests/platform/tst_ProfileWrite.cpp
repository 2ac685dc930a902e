// SPDX-License-Identifier: MIT
#include "platform/Errors.h"
#include "platform/ProfileFile.h"

#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Writing profile files as Windows writes them: file before plus writes in, file bytes out.
class TestProfileWrite : public QObject
{
    Q_OBJECT

private slots:
    void writeString_data();
    void writeString();
    void writeIntAndBool();
    void saveWritesFile();
    void saveWithoutChangeWritesNothing();
    void saveIntoMissingFolderFails();
    void failedSaveKeepsOldFile();
};

namespace {

using Writes = QList<QByteArrayList>; // each: section, key, value; or a section alone to add it empty

} // namespace

void TestProfileWrite::writeString_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<Writes>("writes");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("modified");

    // New files and new sections.
    QTest::newRow("key into new file") << QByteArray() << Writes{{"S", "k", "v"}} << QByteArray("[S]\r\nk=v\r\n")
                                       << true;
    QTest::newRow("keys in the order written")
        << QByteArray() << Writes{{"Path", "a", "1"}, {"Path", "b", "2"}, {"StartUp", "c", "3"}, {"Path", "d", "4"}}
        << QByteArray("[Path]\r\na=1\r\nb=2\r\nd=4\r\n[StartUp]\r\nc=3\r\n") << true;
    QTest::newRow("new section at the end") << QByteArray("[S]\r\na=1\r\n") << Writes{{"T", "b", "2"}}
                                            << QByteArray("[S]\r\na=1\r\n[T]\r\nb=2\r\n") << true;
    QTest::newRow("new section after a last line without end")
        << QByteArray("[S]\r\na=1") << Writes{{"T", "b", "2"}} << QByteArray("[S]\r\na=1\r\n[T]\r\nb=2\r\n") << true;
    QTest::newRow("new section after LF lines")
        << QByteArray("[S]\na=1\n") << Writes{{"T", "b", "2"}} << QByteArray("[S]\na=1\n[T]\r\nb=2\r\n") << true;
    QTest::newRow("new section after a blank line") << QByteArray("[S]\r\na=1\r\n\r\n") << Writes{{"T", "b", "2"}}
                                                    << QByteArray("[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n") << true;
    QTest::newRow("new section after a comment only")
        << QByteArray("; Morvane") << Writes{{"S", "k", "v"}} << QByteArray("; Morvane\r\n[S]\r\nk=v\r\n") << true;

    // Replacing a value.
    QTest::newRow("replace keeps every other line")
        << QByteArray("; top\r\npre=1\r\n[S]\r\n  Key = old ; x\r\nother=1\n[U]\rz=9") << Writes{{"s", "key", "new"}}
        << QByteArray("; top\r\npre=1\r\n[S]\r\nKey=new\r\nother=1\n[U]\rz=9") << true;
    QTest::newRow("replace gives the line CR LF")
        << QByteArray("[S]\nk=v\nj=1\n") << Writes{{"S", "k", "w"}} << QByteArray("[S]\nk=w\r\nj=1\n") << true;
    QTest::newRow("replace the last line without end")
        << QByteArray("[S]\r\nk=v") << Writes{{"S", "k", "w"}} << QByteArray("[S]\r\nk=w\r\n") << true;
    QTest::newRow("replace in the first of two sections")
        << QByteArray("[S]\r\nb=1\r\n[T]\r\n[S]\r\nb=2\r\n") << Writes{{"S", "b", "3"}}
        << QByteArray("[S]\r\nb=3\r\n[T]\r\n[S]\r\nb=2\r\n") << true;
    QTest::newRow("replace the first of two keys") << QByteArray("[S]\r\nk=1\r\nk=2\r\n") << Writes{{"S", "k", "3"}}
                                                   << QByteArray("[S]\r\nk=3\r\nk=2\r\n") << true;
    QTest::newRow("names without regard to case")
        << QByteArray("[hostlist]\r\nHOSTNAME1=a\r\n") << Writes{{"HostList", "Hostname1", "b"}}
        << QByteArray("[hostlist]\r\nHOSTNAME1=b\r\n") << true;
    QTest::newRow("quoted value replaced")
        << QByteArray("[S]\r\nk=\"v\"\r\n") << Writes{{"S", "k", "w"}} << QByteArray("[S]\r\nk=w\r\n") << true;

    // New keys in existing sections.
    QTest::newRow("new key after the last key")
        << QByteArray("[S]\r\na=1\r\n; c\r\n\r\n[T]\r\nb=2\r\n") << Writes{{"S", "n", "x"}}
        << QByteArray("[S]\r\na=1\r\nn=x\r\n; c\r\n\r\n[T]\r\nb=2\r\n") << true;
    QTest::newRow("new key after the last of several keys")
        << QByteArray("[S]\r\na=1\r\n; c\r\nb=2\r\n\r\n") << Writes{{"S", "n", "x"}}
        << QByteArray("[S]\r\na=1\r\n; c\r\nb=2\r\nn=x\r\n\r\n") << true;
    QTest::newRow("new key in a section without keys")
        << QByteArray("[S]\r\n; c\r\n\r\n[T]\r\n") << Writes{{"S", "n", "x"}}
        << QByteArray("[S]\r\nn=x\r\n; c\r\n\r\n[T]\r\n") << true;
    QTest::newRow("new key after a header without end")
        << QByteArray("[S]") << Writes{{"S", "n", "x"}} << QByteArray("[S]\r\nn=x\r\n") << true;
    QTest::newRow("new key after a last key without end")
        << QByteArray("[S]\r\na=1") << Writes{{"S", "n", "x"}} << QByteArray("[S]\r\na=1\r\nn=x\r\n") << true;
    QTest::newRow("line without equals stays after") << QByteArray("[S]\r\na=1\r\njunk\r\n") << Writes{{"S", "n", "x"}}
                                                     << QByteArray("[S]\r\na=1\r\nn=x\r\njunk\r\n") << true;
    QTest::newRow("commented key is not replaced")
        << QByteArray("[S]\r\n;k=v\r\n") << Writes{{"S", "k", "x"}} << QByteArray("[S]\r\nk=x\r\n;k=v\r\n") << true;
    QTest::newRow("new key goes into the first section")
        << QByteArray("[S]\r\na=1\r\n[T]\r\n[S]\r\nb=2\r\n") << Writes{{"S", "b", "3"}}
        << QByteArray("[S]\r\na=1\r\nb=3\r\n[T]\r\n[S]\r\nb=2\r\n") << true;
    QTest::newRow("keys before the first section are not its keys")
        << QByteArray("k=1\r\n") << Writes{{"S", "k", "2"}} << QByteArray("k=1\r\n[S]\r\nk=2\r\n") << true;
    QTest::newRow("BOM spoils the first header") << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n") << Writes{{"S", "k", "2"}}
                                                 << QByteArray("\xEF\xBB\xBF[S]\r\nk=1\r\n[S]\r\nk=2\r\n") << true;

    // Values and names as given.
    QTest::newRow("value not trimmed") << QByteArray() << Writes{{"S", "k", " v "}} << QByteArray("[S]\r\nk= v \r\n")
                                       << true;
    QTest::newRow("value not quoted") << QByteArray() << Writes{{"S", "k", "\"v\""}} << QByteArray("[S]\r\nk=\"v\"\r\n")
                                      << true;
    QTest::newRow("empty value") << QByteArray() << Writes{{"S", "k", ""}} << QByteArray("[S]\r\nk=\r\n") << true;
    QTest::newRow("added sections keep their order when filled later")
        << QByteArray("[B]\r\nx=1") << Writes{{"A"}, {"b"}, {"C"}, {"C", "k", "3"}, {"A", "k", "1"}}
        << QByteArray("[B]\r\nx=1\r\n[A]\r\nk=1\r\n[C]\r\nk=3\r\n") << true;
    QTest::newRow("adding a section that is there changes nothing")
        << QByteArray("[S]\nk=v") << Writes{{" s "}} << QByteArray("[S]\nk=v") << false;
    // A value can never start a line of its own, such as a section of its own.
    QTest::newRow("CR and LF become blanks")
        << QByteArray() << Writes{{"S", "k", "a\r\nb=c\rd\ne"}} << QByteArray("[S]\r\nk=a  b=c d e\r\n") << true;
    QTest::newRow("names trimmed") << QByteArray() << Writes{{"  S  ", "  k  ", "v"}} << QByteArray("[S]\r\nk=v\r\n")
                                   << true;
    QTest::newRow("trimmed names find existing lines")
        << QByteArray("[S]\r\nk=1\r\n") << Writes{{" S ", " k ", "2"}} << QByteArray("[S]\r\nk=2\r\n") << true;
    QTest::newRow("double-byte value") << QByteArray("[S]\r\nk=1\r\n") << Writes{{"S", "k", "\x83\x5C\x95\x5C\x83\x7C"}}
                                       << QByteArray("[S]\r\nk=\x83\x5C\x95\x5C\x83\x7C\r\n") << true;
    QTest::newRow("section name with trail 0x5D")
        << QByteArray("[\x83\x5D]\r\na=1\r\n[T]\r\n") << Writes{{"\x83\x5D", "b", "2"}}
        << QByteArray("[\x83\x5D]\r\na=1\r\nb=2\r\n[T]\r\n") << true;
    QTest::newRow("long value written whole") << QByteArray() << Writes{{"S", "k", QByteArray(3000, 'a')}}
                                              << QByteArray("[S]\r\nk=" + QByteArray(3000, 'a') + "\r\n") << true;

    // Writing what is there already.
    QTest::newRow("same value") << QByteArray("[S]\r\nk=v\r\n") << Writes{{"S", "k", "v"}}
                                << QByteArray("[S]\r\nk=v\r\n") << false;
    QTest::newRow("same value, other spelling of the line")
        << QByteArray("[s]\n  K = v  \n") << Writes{{"S", "k", "v"}} << QByteArray("[s]\n  K = v  \n") << false;
    QTest::newRow("same value on a last line without end")
        << QByteArray("[S]\r\nk=v") << Writes{{"S", "k", "v"}} << QByteArray("[S]\r\nk=v") << false;
    QTest::newRow("same empty value") << QByteArray("[S]\r\nk=\r\n") << Writes{{"S", "k", ""}}
                                      << QByteArray("[S]\r\nk=\r\n") << false;
    QTest::newRow("same value with blanks again")
        << QByteArray("[S]\r\nk= v \r\n") << Writes{{"S", "k", " v "}} << QByteArray("[S]\r\nk= v \r\n") << false;
    QTest::newRow("written twice") << QByteArray() << Writes{{"S", "k", "v"}, {"S", "k", "v"}}
                                   << QByteArray("[S]\r\nk=v\r\n") << true;
    QTest::newRow("other value then back") << QByteArray("[S]\r\nk=v\r\n") << Writes{{"S", "k", "w"}, {"S", "k", "v"}}
                                           << QByteArray("[S]\r\nk=v\r\n") << true;
}

void TestProfileWrite::writeString()
{
    QFETCH(QByteArray, before);
    QFETCH(Writes, writes);
    QFETCH(QByteArray, after);
    QFETCH(bool, modified);
    ProfileFile profile = ProfileFile::fromBytes(before);
    for (const QByteArrayList& write : writes) {
        if (write.size() == 1) {
            profile.addSection(write[0]);
            continue;
        }
        QCOMPARE(write.size(), 3);
        profile.writeString(write[0], write[1], write[2]);
    }
    QCOMPARE(profile.bytes(), after);
    QCOMPARE(profile.isModified(), modified);
}

void TestProfileWrite::writeIntAndBool()
{
    ProfileFile profile;
    profile.writeInt("S", "n", -5);
    profile.writeInt("S", "big", 4294967296LL);
    profile.writeBool("S", "on", true);
    profile.writeBool("S", "off", false);
    QCOMPARE(profile.bytes(), QByteArray("[S]\r\nn=-5\r\nbig=4294967296\r\non=1\r\noff=0\r\n"));
}

void TestProfileWrite::saveWritesFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Morvane.ini"));
    TestFolders::writeFile(path, "; hand-written\n[Path]\nGRPath=C:\\Games\n");

    ProfileFile profile(path);
    profile.writeString("Path", "GRPath", "D:\\\x83\x5C");
    profile.writeString("StartUp", "Tray", "1");
    QVERIFY(profile.isModified());
    profile.save();
    QVERIFY(!profile.isModified());
    QCOMPARE(TestFolders::readFile(path),
             QByteArray("; hand-written\n[Path]\nGRPath=D:\\\x83\x5C\r\n[StartUp]\r\nTray=1\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Morvane.ini")});
}

void TestProfileWrite::saveWithoutChangeWritesNothing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("hostlist.txt"));
    TestFolders::writeFile(path, "[HostList]\r\nHostname1=a\r\n");

    ProfileFile profile(path);
    profile.writeString("HostList", "Hostname1", "a");
    QVERIFY(!profile.isModified());
    // Had save() written anything, the file would be back.
    QVERIFY(QFile::remove(path));
    profile.save();
    QVERIFY(!QFile::exists(path));
}

void TestProfileWrite::saveIntoMissingFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A regular file where the folder should be: no write can succeed there, not even as root.
    const QString blocker = dir.filePath(QStringLiteral("notAFolder"));
    TestFolders::writeFile(blocker, "x");
    const QString path = blocker + QStringLiteral("/Morvane.ini");

    ProfileFile profile(path);
    profile.writeString("S", "k", "v");
    try {
        profile.save();
        QFAIL("save() into a file's path did not fail");
    } catch (const UserError& error) {
        QCOMPARE(error.text(), cannotWriteMessage(path));
        QVERIFY(error.text().contains(QDir::toNativeSeparators(path)));
    }
    QVERIFY(profile.isModified());
    QCOMPARE(TestFolders::readFile(blocker), QByteArray("x"));
}

void TestProfileWrite::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("hostlist.txt"));
    const QByteArray old("[HostList]\r\nHostname1=a\r\n");
    TestFolders::writeFile(path, old);

    ProfileFile profile(path);
    for (int i = 1; i <= 50; ++i)
        profile.writeString("HostList", "Hostname" + QByteArray::number(i), QByteArray(200, 'n'));
    {
        const FileSizeLimit limit(4096);
        QVERIFY(limit.isActive());
        QVERIFY_THROWS_EXCEPTION(UserError, profile.save());
    }
    QCOMPARE(TestFolders::readFile(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("hostlist.txt")});
    // Once the disk has room again the same object saves what it holds.
    profile.save();
    QCOMPARE(TestFolders::readFile(path), profile.bytes());
}

QTEST_GUILESS_MAIN(TestProfileWrite)
#include "tst_ProfileWrite.moc"

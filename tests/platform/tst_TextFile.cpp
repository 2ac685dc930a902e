// SPDX-License-Identifier: MIT
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void splitLines_data();
    void splitLines();
    void joinCrLf_data();
    void joinCrLf();
    void read();
    void readExisting();
    void readLines_data();
    void readLines();
    void readLinesStopsAtTheLinesAskedFor();
    void writeAtomicReplaces();
    void writeAtomicIntoAFileFails();
    void writeAtomicOverAFolderFails();
    void writeAtomicOnFullDiskKeepsOldFile_data();
    void writeAtomicOnFullDiskKeepsOldFile();
    void createAtomic_data();
    void createAtomic();
};

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

void TestTextFile::splitLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("empty") << QByteArray() << QByteArrayList{};
    QTest::newRow("one line, no end") << QByteArray("a") << QByteArrayList{"a"};
    QTest::newRow("final CR LF adds no line") << QByteArray("a\r\n") << QByteArrayList{"a"};
    QTest::newRow("CR LF") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArrayList{"a", "b"};
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArrayList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\rb\nc\r\nd") << QByteArrayList{"a", "b", "c", "d"};
    QTest::newRow("only a line end") << QByteArray("\r\n") << QByteArrayList{""};
    QTest::newRow("empty lines") << QByteArray("\n\n") << QByteArrayList{"", ""};
    QTest::newRow("CR then CR LF") << QByteArray("\r\r\n") << QByteArrayList{"", ""};
    QTest::newRow("LF then CR is two ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
    QTest::newRow("blanks kept") << QByteArray(" a \r\n\t") << QByteArrayList{" a ", "\t"};
    QTest::newRow("trail bytes 0x5C and 0x7C")
        << QByteArray("\x83\x5C\r\n\x95\x5C\x83\x7C") << QByteArrayList{"\x83\x5C", "\x95\x5C\x83\x7C"};
    QTest::newRow("NUL kept") << QByteArray("a\0b\nc", 5) << QByteArrayList{QByteArray("a\0b", 3), "c"};
}

void TestTextFile::splitLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArrayList, lines);
    QCOMPARE(textfile::splitLines(bytes), lines);
}

void TestTextFile::joinCrLf_data()
{
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("none") << QByteArrayList{} << QByteArray();
    QTest::newRow("one empty line") << QByteArrayList{""} << QByteArray("\r\n");
    QTest::newRow("two") << QByteArrayList{"mp1", "\x83\x5C"} << QByteArray("mp1\r\n\x83\x5C\r\n");
}

void TestTextFile::joinCrLf()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(QByteArray, bytes);
    QCOMPARE(textfile::joinCrLf(lines), bytes);
    QCOMPARE(textfile::splitLines(textfile::joinCrLf(lines)), lines);
}

void TestTextFile::read()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    TestFolders::writeFile(path, "0123456789");
    QCOMPARE(textfile::read(path), std::optional<QByteArray>(QByteArray("0123456789")));
    QCOMPARE(textfile::read(path, 4), std::optional<QByteArray>(QByteArray("0123")));
    QCOMPARE(textfile::read(path, 0), std::optional<QByteArray>(QByteArray()));
    QCOMPARE(textfile::read(path, qint64(1) << 40), std::optional<QByteArray>(QByteArray("0123456789")));
    QCOMPARE(textfile::read(dir.filePath(QStringLiteral("missing.txt"))), std::nullopt);
    QCOMPARE(textfile::read(dir.path()), std::nullopt);
    QCOMPARE(textfile::read(QString()), std::nullopt);

    const QString empty = dir.filePath(QStringLiteral("empty.txt"));
    TestFolders::writeFile(empty, QByteArray());
    QCOMPARE(textfile::read(empty), std::optional<QByteArray>(QByteArray()));
}

void TestTextFile::readExisting()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.txt"));
    QVERIFY(!textfile::readExisting(file));
    TestFolders::writeFile(file, QByteArrayLiteral("x\r\n"));
    QCOMPARE(textfile::readExisting(file).value_or(QByteArray("none")), QByteArrayLiteral("x\r\n"));
    // A folder where the file should be is a file that cannot be read, not a missing one.
    const QString folder = dir.filePath(QStringLiteral("b.txt"));
    QVERIFY(QDir().mkdir(folder));
    try {
        textfile::readExisting(folder);
        QFAIL("a folder read as a file");
    } catch (const UserError& e) {
        QVERIFY2(e.text().startsWith(QDir::toNativeSeparators(folder) + QStringLiteral(" を読み込めません")),
                 qPrintable(e.text()));
    }
}

void TestTextFile::readLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("maxLines");
    QTest::addColumn<QByteArrayList>("lines");

    const QByteArray longLine(4095, 'x');
    const QByteArray veryLong(10000, 'y');
    QTest::newRow("fewer lines than asked") << QByteArray("a\r\nb") << 5 << QByteArrayList{"a", "b"};
    QTest::newRow("first two") << QByteArray("a\r\nb\r\nc\r\n") << 2 << QByteArrayList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\rc") << 2 << QByteArrayList{"a", "b"};
    QTest::newRow("lone CR to the end") << QByteArray("a\rb\rc") << 9 << QByteArrayList{"a", "b", "c"};
    QTest::newRow("lone LF") << QByteArray("a\nb\nc") << 3 << QByteArrayList{"a", "b", "c"};
    QTest::newRow("empty lines count") << QByteArray("\r\n\r\nc") << 2 << QByteArrayList{"", ""};
    QTest::newRow("none asked") << QByteArray("a") << 0 << QByteArrayList{};
    QTest::newRow("empty file") << QByteArray() << 3 << QByteArrayList{};
    // Reads come in pieces of 4096 bytes: a CR LF split between two pieces is still one line end.
    QTest::newRow("CR LF across pieces") << QByteArray(longLine + "\r\nb\r\n") << 5 << QByteArrayList{longLine, "b"};
    QTest::newRow("CR at a piece end, then text") << QByteArray(longLine + "\rb") << 5 << QByteArrayList{longLine, "b"};
    QTest::newRow("CR at the very end") << QByteArray(longLine + "\r") << 5 << QByteArrayList{longLine};
    QTest::newRow("line longer than a piece") << QByteArray(veryLong + "\r\nz") << 2 << QByteArrayList{veryLong, "z"};
    QTest::newRow("long CR-only text") << QByteArray(veryLong + "\r" + veryLong + "\rz") << 2
                                       << QByteArrayList{veryLong, veryLong};
}

void TestTextFile::readLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, maxLines);
    QFETCH(QByteArrayList, lines);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("lines.txt"));
    TestFolders::writeFile(path, bytes);
    QCOMPARE(textfile::readLines(path, maxLines), lines);
}

void TestTextFile::readLinesStopsAtTheLinesAskedFor()
{
    QCOMPARE(textfile::readLines(QStringLiteral("missing.txt"), 3), QByteArrayList{});

    // A pipe whose writer stays open: reading on past the lines asked for would wait for the writer.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("pipe"));
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    // Opened read-write the pipe never blocks here, and holding this end open keeps the pipe from
    // reaching its end. If readLines() hangs on it, the closer ends the wait after a long bound.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    QVERIFY(fd >= 0);
    const QByteArray data("first\r\nsecond\r\nthird");
    QCOMPARE(::write(fd, data.constData(), size_t(data.size())), ssize_t(data.size()));
    QSemaphore readerDone;
    std::atomic<bool> writerClosed = false;
    std::thread closer([&] {
        if (!readerDone.tryAcquire(1, 30000)) {
            writerClosed = true;
            ::close(fd);
        }
    });
    const QByteArrayList lines = textfile::readLines(path, 2);
    const bool returnedBeforeClose = !writerClosed;
    readerDone.release();
    closer.join();
    if (!writerClosed)
        ::close(fd);
    QCOMPARE(lines, (QByteArrayList{"first", "second"}));
    QVERIFY(returnedBeforeClose);
}

void TestTextFile::writeAtomicReplaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Set1.mst"));
    textfile::writeAtomic(path, "new\r\n");
    QCOMPARE(TestFolders::readFile(path), QByteArray("new\r\n"));
    TestFolders::writeFile(path, "a much longer old content\r\n");
    textfile::writeAtomic(path, "\x83\x5C\r\n");
    QCOMPARE(TestFolders::readFile(path), QByteArray("\x83\x5C\r\n"));
    textfile::writeAtomic(path, QByteArray());
    QCOMPARE(TestFolders::readFile(path), QByteArray());
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("Set1.mst")});
}

void TestTextFile::writeAtomicIntoAFileFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString blocker = dir.filePath(QStringLiteral("file"));
    TestFolders::writeFile(blocker, "keep");
    const QString path = blocker + QStringLiteral("/x.txt");
    try {
        textfile::writeAtomic(path, "x");
        QFAIL("a write below a file did not fail");
    } catch (const UserError& error) {
        QCOMPARE(error.text(), cannotWriteMessage(path));
    }
    QCOMPARE(TestFolders::readFile(blocker), QByteArray("keep"));
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("file")});
    QVERIFY_THROWS_EXCEPTION(UserError, textfile::writeAtomic(QString(), "x"));
}

void TestTextFile::writeAtomicOverAFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("hostlist.txt"));
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inner")));
    QVERIFY_THROWS_EXCEPTION(UserError, textfile::writeAtomic(path, "x"));
    QVERIFY(QFileInfo(path + QStringLiteral("/inner")).isDir());
    QCOMPARE(filesIn(dir.path()), QStringList{QStringLiteral("hostlist.txt")});
}

void TestTextFile::writeAtomicOnFullDiskKeepsOldFile_data()
{
    QTest::addColumn<int>("size");
    // Less than Qt's write buffer, the failure only shows when the buffer is flushed; more, at once.
    QTest::newRow("smaller than a write buffer") << 5000;
    QTest::newRow("larger than a write buffer") << 100000;
}

void TestTextFile::writeAtomicOnFullDiskKeepsOldFile()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("hostlist.txt"));
    const QByteArray old("[HostList]\r\nHostname1=a\r\n");
    TestFolders::writeFile(path, old);
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isActive());
        try {
            textfile::writeAtomic(path, QByteArray(size, 'n'));
            QFAIL("a write past the size limit did not fail");
        } catch (const UserError& error) {
            QCOMPARE(error.text(), cannotWriteMessage(path));
        }
        // Small enough to fit: the limit itself does not break writing.
        textfile::writeAtomic(dir.filePath(QStringLiteral("small.txt")), "ok");
    }
    QCOMPARE(TestFolders::readFile(path), old);
    QCOMPARE(TestFolders::readFile(dir.filePath(QStringLiteral("small.txt"))), QByteArray("ok"));
    QCOMPARE(filesIn(dir.path()), (QStringList{QStringLiteral("hostlist.txt"), QStringLiteral("small.txt")}));
}

void TestTextFile::createAtomic_data()
{
    QTest::addColumn<QByteArray>("existing"); // null: no file there
    QTest::addColumn<bool>("staleTemporary");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("made");
    QTest::newRow("new") << QByteArray() << false << 62 << true;
    QTest::newRow("over a temporary file left by a crash") << QByteArray() << true << 62 << true;
    QTest::newRow("a file is there") << QByteArray("keep") << false << 62 << false;
    QTest::newRow("full disk") << QByteArray() << false << 5000 << false;
}

void TestTextFile::createAtomic()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, staleTemporary);
    QFETCH(int, size);
    QFETCH(bool, made);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Template.dat"));
    if (!existing.isNull())
        TestFolders::writeFile(path, existing);
    if (staleTemporary)
        TestFolders::writeFile(path + QStringLiteral(".new"), QByteArray(100, 'o'));
    const QByteArray bytes(size, 'n');
    bool thrown = false;
    {
        const FileSizeLimit limit(1000);
        QVERIFY(limit.isActive());
        try {
            textfile::createAtomic(path, bytes);
        } catch (const UserError& error) {
            QCOMPARE(error.text(), cannotWriteMessage(path));
            thrown = true;
        }
    }
    QCOMPARE(thrown, !made);
    if (made)
        QCOMPARE(TestFolders::readFile(path), bytes);
    else if (!existing.isNull())
        QCOMPARE(TestFolders::readFile(path), existing);
    // Never a half-made file, nor the temporary one.
    QCOMPARE(filesIn(dir.path()),
             made || !existing.isNull() ? QStringList{QStringLiteral("Template.dat")} : QStringList{});
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_TextFile.moc"

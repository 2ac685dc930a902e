// SPDX-License-Identifier: MIT
#include "options/ChatSetFile.h"
#include "platform/Errors.h"

#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Chat set files on disk, in a temporary folder.
class TestChatSetFile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void writeThenRead();
    void read_data();
    void read();
    void writeKeepsOtherContent();
    void unreadableFileIsNotReplaced();
    void fullDiskKeepsOldFile();
    void listNames();
    void isSetFile_data();
    void isSetFile();

private:
    QString folder() const { return m_dir->path(); }
    QString path(const char* name) const { return chatsetfile::setPath(folder(), QString::fromLatin1(name)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

ChatSlots sample()
{
    ChatSlots chat;
    for (int n = 0; n < 10; ++n)
        chat.texts[std::size_t(n)] = "m" + QByteArray::number(n);
    chat.texts[1] = "  lead and trail  ";
    chat.texts[2] = "\"quoted\"";
    chat.texts[3] = "\x95\x5c\x83\x7c"; // trail bytes 0x5C and 0x7C
    chat.texts[4] = "";
    chat.teams[0] = true;
    chat.teams[9] = true;
    return chat;
}

} // namespace

void TestChatSetFile::init() { m_dir = std::make_unique<QTemporaryDir>(); }

void TestChatSetFile::writeThenRead()
{
    const QString path = this->path("abc");
    QCOMPARE(path, m_dir->filePath(QStringLiteral("abc.lst")));
    const ChatSlots chat = sample();
    chatsetfile::save(folder(), QStringLiteral("abc"), chat);
    const ChatSlots back = chatsetfile::read(path);
    QCOMPARE(back.texts, chat.texts);
    QCOMPARE(back.teams, chat.teams);

    // One section, then MSG before TEAM slot by slot.
    const QList<QByteArray> lines = TestFolders::readFile(path).split('\n');
    QCOMPARE(lines.value(0), QByteArray("[ChatList]\r"));
    QCOMPARE(lines.value(1), QByteArray("MSG0=m0\r"));
    QCOMPARE(lines.value(2), QByteArray("TEAM0=1\r"));
    QCOMPARE(lines.value(3), QByteArray("MSG1=\"  lead and trail  \"\r"));
    QCOMPARE(lines.value(4), QByteArray("TEAM1=0\r"));
    QCOMPARE(lines.value(19), QByteArray("MSG9=m9\r"));
    QCOMPARE(lines.value(20), QByteArray("TEAM9=1\r"));
    QCOMPARE(lines.size(), 22); // the last line ends in CR LF too
}

void TestChatSetFile::read_data()
{
    QTest::addColumn<QByteArray>("file"); // "<none>": no file
    QTest::addColumn<QByteArray>("text3");
    QTest::addColumn<bool>("team3");
    QTest::newRow("no file") << QByteArray("<none>") << QByteArray() << false;
    QTest::newRow("TEAM 5 ticks") << QByteArray("[ChatList]\r\nMSG3=a\r\nTEAM3=5\r\n") << QByteArray("a") << true;
    QTest::newRow("TEAM yes does not") << QByteArray("[ChatList]\nTEAM3=yes\n") << QByteArray() << false;
    QTest::newRow("TEAM 0") << QByteArray("[chatlist]\rTEAM3=0\r") << QByteArray() << false;
    QTest::newRow("keys missing") << QByteArray("[ChatList]\r\nMSG0=x\r\n") << QByteArray() << false;
    QTest::newRow("other section") << QByteArray("[Other]\r\nMSG3=x\r\nTEAM3=1\r\n") << QByteArray() << false;
    QTest::newRow("binary bytes") << QByteArray("[ChatList]\r\nMSG3=\x80\xff\x01\r\n") << QByteArray("\x80\xff\x01")
                                  << false;
    QTest::newRow("10 MB value is cut") << "[ChatList]\r\nMSG3=" + QByteArray(10 << 20, 'a') + "\r\nTEAM3=1\r\n"
                                        << QByteArray(2047, 'a') << true;
}

void TestChatSetFile::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, text3);
    QFETCH(bool, team3);
    const QString path = this->path("set");
    if (file != "<none>")
        TestFolders::writeFile(path, file);
    const ChatSlots chat = chatsetfile::read(path);
    QCOMPARE(chat.texts[3], text3);
    QCOMPARE(chat.teams[3], team3);
    QCOMPARE(chat.teams[0], false);
}

void TestChatSetFile::writeKeepsOtherContent()
{
    const QString path = this->path("set");
    TestFolders::writeFile(path, "; mine\r\n[ChatList]\r\nTEAM0=1\r\nExtra=kept\r\nMSG0=old\r\n[Other]\r\nx=y\r\n");
    ChatSlots chat;
    chat.texts[0] = "new";
    chatsetfile::save(folder(), QStringLiteral("set"), chat);
    const QByteArray after = TestFolders::readFile(path);
    QVERIFY(after.startsWith("; mine\r\n[ChatList]\r\nTEAM0=0\r\nExtra=kept\r\nMSG0=new\r\nMSG1=\r\n"));
    QVERIFY(after.endsWith("TEAM9=0\r\n[Other]\r\nx=y\r\n"));
}

void TestChatSetFile::unreadableFileIsNotReplaced()
{
    // A folder where the set file should be cannot be read: neither read nor written over.
    const QString path = this->path("set");
    QVERIFY(QDir().mkdir(path));
    QVERIFY_THROWS_EXCEPTION(UserError, chatsetfile::read(path));
    QVERIFY_THROWS_EXCEPTION(UserError, chatsetfile::save(folder(), QStringLiteral("set"), sample()));
    QVERIFY(QFileInfo(path).isDir());
}

void TestChatSetFile::fullDiskKeepsOldFile()
{
    const QString path = this->path("set");
    TestFolders::writeFile(path, "[ChatList]\r\nMSG0=old\r\n");
    {
        FileSizeLimit limit(64);
        if (!limit.isActive())
            QSKIP("file size limit unavailable");
        try {
            chatsetfile::save(folder(), QStringLiteral("set"), sample());
            QFAIL("written past a full disk");
        } catch (const UserError& e) {
            QVERIFY2(e.text().contains(QStringLiteral("に書き込めません")), qPrintable(e.text()));
        }
    }
    QCOMPARE(TestFolders::readFile(path), QByteArray("[ChatList]\r\nMSG0=old\r\n"));
}

void TestChatSetFile::listNames()
{
    for (const char* name : {"beta.lst", "Alpha.lst", "gamma.LST", "a.b.lst", ".lst", "notes.txt"})
        TestFolders::writeFile(m_dir->filePath(QString::fromLatin1(name)), "");
    QVERIFY(QDir().mkdir(m_dir->filePath(QStringLiteral("folder.lst"))));
    QCOMPARE(chatsetfile::listNames(folder()),
             (QStringList{QStringLiteral("a.b"), QStringLiteral("Alpha"), QStringLiteral("beta")}));
}

void TestChatSetFile::isSetFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("set");
    QTest::newRow("lst") << QStringLiteral("/a/x.lst") << true;
    QTest::newRow("LST") << QStringLiteral("/a/x.LST") << false;
    QTest::newRow("lst folder") << QStringLiteral("/a.lst/x") << false;
    QTest::newRow("other") << QStringLiteral("/a/x.lst.txt") << false;
}

void TestChatSetFile::isSetFile()
{
    QFETCH(QString, path);
    QFETCH(bool, set);
    QCOMPARE(chatsetfile::isSetFile(path), set);
}

QTEST_GUILESS_MAIN(TestChatSetFile)
#include "tst_ChatSetFile.moc"

// SPDX-License-Identifier: MIT
// The mod catalogue, the active-mod file on disk, and the two list models, on real folders.
#include "mods/ModLists.h"
#include "mods/TSearchMOD.h"
#include "platform/Errors.h"
#include "support/FileSizeLimit.h"
#include "support/TestFolders.h"

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/xattr.h>

using Entries = QList<QByteArray>;

namespace {

const QByteArray header = QByteArrayLiteral("// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM\r\n");

// A game folder with the given mod folders ("Name" or "Name/" for a folder, "Name=bytes" for a file).
class Game
{
public:
    explicit Game(const QStringList& mods, const QString& modsFolder = QStringLiteral("Mods"))
    {
        QDir().mkpath(folder() + QLatin1Char('/') + modsFolder);
        for (const QString& mod : mods)
            QDir().mkpath(folder() + QLatin1Char('/') + modsFolder + QLatin1Char('/') + mod);
    }
    QString folder() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    void writeModsSet(const QByteArray& bytes, const QString& name = QStringLiteral("modsset.txt")) const
    {
        TestFolders::writeFile(path(name), bytes);
    }

private:
    QTemporaryDir m_dir;
};

QStringList found(const Game& game, const QString& modsFolder = QStringLiteral("Mods"))
{
    TSearchMOD search(game.path(modsFolder) + QStringLiteral("/*.*"));
    search.Search();
    QStringList names = search.FoundMods;
    names.sort(); // the file system's order is its own
    return names;
}

} // namespace

class TestModLists : public QObject
{
    Q_OBJECT
private slots:
    void catalogue();
    void folderAttributes();
    void storedAttributes();
    void namesInAnyCase();
    void missingFolderAndFile();
    void badModsSet_data();
    void badModsSet();
    void unreadableModsSetChangesNothing_data();
    void unreadableModsSetChangesNothing();
    void writeFailureKeepsTheFile();
    void description_data();
    void description();
    void moves();
    void sorting();
    void replaceActive();
};

void TestModLists::catalogue()
{
    // MP1 and mp2 are active; folder names arrive in lower case and the comparison ignores case.
    Game game({QStringLiteral("MP1"), QStringLiteral("mp2"), QStringLiteral("extra")});
    game.writeModsSet(header + "\"\\mods\\mp1\"\r\n\"\\mods\\mp2\"\r\n\"\\mods\\gone\"\r\n");
    ModLists lists;
    QAbstractItemModelTester availableTester(&lists.available());
    QAbstractItemModelTester activeTester(&lists.active());
    lists.LoadModLists(game.folder());
    QCOMPARE(lists.activeEntries(), (Entries{"mp1", "mp2", "gone"}));
    QCOMPARE(lists.available().entries(), Entries{"extra"});
    QVERIFY(lists.isInstalled("MP2"));
    QVERIFY(lists.isInstalled("Extra"));
    QVERIFY(lists.isInstalled("gone")); // named by the file though not installed
    QVERIFY(!lists.isInstalled("mp"));

    // Written back as shown, the entry that is not installed included.
    lists.WriteModsSet(game.folder());
    QCOMPARE(TestFolders::readFile(game.path(QStringLiteral("modsset.txt"))),
             header + "\"\\mods\\mp1\"\r\n\"\\mods\\mp2\"\r\n\"\\mods\\gone\"\r\n");
}

void TestModLists::folderAttributes()
{
    Game game({QStringLiteral("Origmiss"), QStringLiteral("origmiss"), QStringLiteral(".hidden"),
               QStringLiteral("ReadOnly"), QStringLiteral("plain")});
    TestFolders::writeFile(game.path(QStringLiteral("Mods/file")), "x");
    QVERIFY(QFile::setPermissions(game.path(QStringLiteral("Mods/ReadOnly")),
                                  QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup));
    QVERIFY(QFile::link(game.path(QStringLiteral("Mods/plain")), game.path(QStringLiteral("Mods/linked"))));
    QVERIFY(QFile::link(game.path(QStringLiteral("Mods/none")), game.path(QStringLiteral("Mods/dangling"))));
    // Only "Origmiss" in that exact spelling is the game's own; a link counts as the folder it names.
    QCOMPARE(found(game), (QStringList{QStringLiteral("linked"), QStringLiteral("origmiss"), QStringLiteral("plain")}));
    QFile::setPermissions(game.path(QStringLiteral("Mods/ReadOnly")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestModLists::storedAttributes()
{
    // Wine and Samba keep the Windows attributes in "user.DOSATTRIB"; then they decide, not the name.
    Game game(
        {QStringLiteral("Hidden"), QStringLiteral(".dotted"), QStringLiteral("Archive"), QStringLiteral("Garbage")});
    const auto tag = [&](const QString& mod, QByteArrayView value) {
        const QByteArray path = QFile::encodeName(game.path(QStringLiteral("Mods/") + mod));
        return setxattr(path.constData(), "user.DOSATTRIB", value.data(), size_t(value.size()), 0) == 0;
    };
    if (!tag(QStringLiteral("Hidden"), "0x12"))
        QSKIP("the temporary folder's file system keeps no user extended attributes");
    QVERIFY(tag(QStringLiteral(".dotted"), QByteArrayView("0x10\0binary", 11)));
    QVERIFY(tag(QStringLiteral("Archive"), "0x30"));
    QVERIFY(tag(QStringLiteral("Garbage"), "hidden"));
    QCOMPARE(found(game), (QStringList{QStringLiteral(".dotted"), QStringLiteral("garbage")}));
}

void TestModLists::namesInAnyCase()
{
    // "Mods" and "modsset.txt" in other spellings; two folders whose names differ only in case.
    Game game({QStringLiteral("Alpha"), QStringLiteral("ALPHA"), QStringLiteral("Beta")}, QStringLiteral("MODS"));
    game.writeModsSet(header + "\"\\mods\\alpha\"\r\n", QStringLiteral("ModsSet.TXT"));
    ModLists lists;
    lists.LoadModLists(game.folder());
    QCOMPARE(lists.activeEntries(), Entries{"alpha"});
    Entries available = lists.available().entries();
    std::sort(available.begin(), available.end());
    QCOMPARE(available, (Entries{"alpha", "beta"})); // the active entry takes one of the two
    lists.WriteModsSet(game.folder());
    QCOMPARE(TestFolders::readFile(game.path(QStringLiteral("ModsSet.TXT"))), header + "\"\\mods\\alpha\"\r\n");
    QVERIFY(!QFile::exists(game.path(QStringLiteral("modsset.txt"))));
}

void TestModLists::missingFolderAndFile()
{
    QTemporaryDir game;
    ModLists lists;
    lists.active().setEntries({"left over"});
    lists.LoadModLists(game.path());
    QCOMPARE(lists.available().count(), 0);
    QCOMPARE(lists.active().count(), 0);
    // The file is made at the next write.
    lists.WriteModsSet(game.path());
    QCOMPARE(TestFolders::readFile(game.filePath(QStringLiteral("modsset.txt"))), header);

    // Without a game folder nothing is read or written in the working folder.
    const QString working = QDir::currentPath();
    QVERIFY(QDir::setCurrent(game.path()));
    lists.active().setEntries({"x"});
    lists.LoadModLists(QString());
    QCOMPARE(lists.active().count(), 0);
    lists.active().setEntries({"x"});
    QVERIFY_THROWS_EXCEPTION(UserError, lists.WriteModsSet(QString()));
    QDir::setCurrent(working);
    QCOMPARE(TestFolders::readFile(game.filePath(QStringLiteral("modsset.txt"))), header);
}

void TestModLists::badModsSet_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("entries"); // -1: some
    QByteArray binary;
    for (int i = 0; i < 65536; ++i)
        binary += char((i * 7919 + 13) % 251 + 1); // no NUL, line ends now and then
    QTest::newRow("binary") << binary << -1;
    QTest::newRow("10 MB, one line") << QByteArray(10 * 1024 * 1024, 'x') << 0;
    QTest::newRow("a NUL after the header") << header + QByteArrayLiteral("\0\"\\mods\\a\"\r\n") << 0;
}

void TestModLists::badModsSet()
{
    QFETCH(QByteArray, file);
    QFETCH(int, entries);
    Game game({QStringLiteral("extra")});
    game.writeModsSet(file);
    ModLists lists;
    lists.LoadModLists(game.folder());
    if (entries >= 0)
        QCOMPARE(lists.active().count(), entries);
    else
        QVERIFY(lists.active().count() > 0);
    for (const QByteArray& entry : lists.activeEntries())
        QVERIFY(!entry.contains('\r') && !entry.contains('\n'));
    QCOMPARE(lists.available().count(), 1);
}

void TestModLists::unreadableModsSetChangesNothing_data()
{
    QTest::addColumn<bool>("folderInPlace");
    QTest::newRow("a folder in its place") << true;
    QTest::newRow("larger than any real one") << false;
}

void TestModLists::unreadableModsSetChangesNothing()
{
    QFETCH(bool, folderInPlace);
    Game game({QStringLiteral("extra")});
    if (folderInPlace)
        QVERIFY(QDir().mkpath(game.path(QStringLiteral("modsset.txt"))));
    else
        game.writeModsSet(QByteArray(ModLists::MaxModsSetBytes + 1, '\n'));
    ModLists lists;
    lists.available().setEntries({"before"});
    lists.active().setEntries({"active before"});
    try {
        lists.LoadModLists(game.folder());
        QFAIL("an unreadable modsset.txt was read");
    } catch (const UserError& e) {
        QVERIFY2(e.text().contains(QStringLiteral("modsset.txt を読み込めません")), qPrintable(e.text()));
    }
    QCOMPARE(lists.available().entries(), Entries{"before"});
    QCOMPARE(lists.activeEntries(), Entries{"active before"});
}

void TestModLists::writeFailureKeepsTheFile()
{
    Game game({});
    const QByteArray old = header + "\"\\mods\\old\"\r\n";
    game.writeModsSet(old);
    ModLists lists;
    lists.active().setEntries(Entries(200, QByteArray(60, 'm')));
    {
        FileSizeLimit limit(1000);
        QVERIFY(limit.isActive());
        QVERIFY_THROWS_EXCEPTION(UserError, lists.WriteModsSet(game.folder()));
    }
    QCOMPARE(TestFolders::readFile(game.path(QStringLiteral("modsset.txt"))), old);
}

void TestModLists::description_data()
{
    QTest::addColumn<QByteArray>("entry");
    QTest::addColumn<int>("lines"); // -1: none
    QTest::newRow("eight lines, other case") << QByteArray("HEAVYARMS") << 8;
    QTest::newRow("no description file") << QByteArray("testrange") << -1;
    QTest::newRow("not installed") << QByteArray("gone") << -1;
    QTest::newRow("outside Mods") << QByteArray("..") << -1;
    QTest::newRow("full-width name in the other case") << QByteArray("\x82\x81\x82\x82") << 1;
}

void TestModLists::description()
{
    QFETCH(QByteArray, entry);
    QFETCH(int, lines);
    TestFolders folders;
    // Its description has a trail byte 0x5C ("表") in its one line.
    TestFolders::writeFile(folders.game(QStringLiteral("Mods/ＡＢ/modscont.txt")), "\x95\x5c\r\n");
    TestFolders::writeFile(folders.game(QStringLiteral("modscont.txt")), "outside\r\n");
    const std::optional<Entries> text = ModLists::description(folders.gameFolder(), entry);
    QCOMPARE(text ? int(text->size()) : -1, lines);
}

void TestModLists::moves()
{
    ModLists lists;
    QAbstractItemModelTester availableTester(&lists.available());
    QAbstractItemModelTester activeTester(&lists.active());
    lists.available().setEntries({"a", "b", "c"});
    lists.active().setEntries({"x", "y"});
    lists.activate(1);
    QCOMPARE(lists.activeEntries(), (Entries{"x", "y", "b"}));
    lists.deactivate(0);
    QCOMPARE(lists.available().entries(), (Entries{"a", "c", "x"}));
    // ">>" then "<<": the former active entries first, in their order, then the list's own.
    lists.active().setEntries({"x", "y"});
    lists.available().setEntries({"a", "b"});
    lists.activateAll();
    QCOMPARE(lists.activeEntries(), (Entries{"x", "y", "a", "b"}));
    QCOMPARE(lists.available().count(), 0);
    lists.deactivateAll();
    QCOMPARE(lists.available().entries(), (Entries{"x", "y", "a", "b"}));
    QCOMPARE(lists.active().count(), 0);
    lists.activate(-1);
    lists.deactivate(5);
    QCOMPARE(lists.available().count(), 4);
}

void TestModLists::sorting()
{
    ModListModel list;
    QAbstractItemModelTester tester(&list);
    list.setEntries({"b", "C", "a"});
    list.add("B");
    QCOMPARE(list.entries(), (Entries{"b", "C", "a", "B"}));
    // Switching on re-sorts, letter case ignored, equal names in the order they came.
    list.setSorted(true);
    QCOMPARE(list.entries(), (Entries{"a", "b", "B", "C"}));
    QCOMPARE(list.add("ab"), 1);
    QCOMPARE(list.add("b"), 4);
    // Switching off keeps the order and adds at the end.
    list.setSorted(false);
    list.add("0");
    QCOMPARE(list.entries(), (Entries{"a", "ab", "b", "B", "b", "C", "0"}));
    list.move(0, 6);
    list.move(5, 0);
    QCOMPARE(list.entries(), (Entries{"0", "ab", "b", "B", "b", "C", "a"}));
    QCOMPARE(list.indexOf("c"), 5);
    QCOMPARE(list.indexOf("BB"), -1);
}

void TestModLists::replaceActive()
{
    ModLists lists;
    lists.available().setEntries({"a", "B", "c"});
    lists.active().setEntries({"x"});
    // Entries that name no installed mod come all the same; installed ones leave the available list.
    lists.replaceActive({"b", "nowhere", "x"});
    QCOMPARE(lists.activeEntries(), (Entries{"b", "nowhere", "x"}));
    QCOMPARE(lists.available().entries(), (Entries{"a", "c"}));
}

QTEST_GUILESS_MAIN(TestModLists)
#include "tst_ModLists.moc"

// SPDX-License-Identifier: MIT
// The "MOD" tab as the user works it: real widgets offscreen, the scripted prompter, and the demo
// game installation and an empty program folder on disk.
#include "game/GameInstallation.h"
#include "mods/ModListView.h"
#include "mods/ModsPage.h"
#include "platform/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Entries = QList<QByteArray>;

namespace {

const QByteArray header = QByteArrayLiteral("// MODS SETTINGS - LIST OF MODS ACTIVE ON THIS SYSTEM\r\n");

Entries sorted(Entries e)
{
    std::sort(e.begin(), e.end());
    return e;
}

} // namespace

class TestModsPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void loadsTheDemo();
    void descriptionPane_data();
    void descriptionPane();
    void damagedDescription();
    void doubleClicksAndButtonsMoveEntries();
    void drops_data();
    void drops();
    void insertionLineFollowsThePointer();
    void autoScroll();
    void rightButtonAndFolders();
    void missingFoldersAreReported();
    void clipboard();
    void saveWritesWhatIsShown();
    void unreadableModsSetIsNeverOverwritten();
    void refreshDropsUnsavedChanges();
    void sortOption();
    void setsSaveAndLoad();
    void setNamesDifferingInCase();
    void currentSettingIsNeverSaved();
    void badSetNamesAreRefused_data();
    void badSetNamesAreRefused();
    void deleteSet();
    void vanishedSet();
    void registerSetFile();

private:
    ModsPage& makePage();
    ModListView* available() const { return m_page->availableView(); }
    ModListView* active() const { return m_page->activeView(); }
    QComboBox* setBox() const { return m_page->findChild<QComboBox*>(QStringLiteral("CmbModSetName")); }
    QPlainTextEdit* memo() const { return m_page->findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }
    void click(const char* button) const
    {
        auto* b = m_page->findChild<QPushButton*>(QString::fromLatin1(button));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QPoint centreOf(ModListView* list, int row) const
    {
        return list->visualRect(list->model()->index(row, 0)).center();
    }
    void drag(QEvent::Type type, const QPoint& pos);
    void pickSet(const QString& name);

    std::unique_ptr<TestFolders> m_folders;
    ScriptedPrompter m_prompter;
    std::unique_ptr<GameInstallation> m_game;
    QStringList m_notices;
    std::unique_ptr<ModsPage> m_page;
    QStringList m_opened;
    QMimeData m_entryDrag;
};

void TestModsPage::init()
{
    m_folders = std::make_unique<TestFolders>();
    m_prompter = ScriptedPrompter();
    m_game = std::make_unique<GameInstallation>(m_folders->gameFolder());
    m_notices.clear();
    m_opened.clear();
    m_entryDrag.setData(QString::fromLatin1(ModListView::entryMimeType), "0");
}

void TestModsPage::cleanup()
{
    m_page.reset();
    m_game.reset();
}

ModsPage& TestModsPage::makePage()
{
    m_page = std::make_unique<ModsPage>(m_prompter, m_folders->programFolder(), *m_game);
    connect(m_page.get(), &ModsPage::notice, this, [this](const QString& text) { m_notices << text; });
    m_page->setFolderOpener([this](const QString& folder) {
        m_opened << folder;
        return true;
    });
    m_page->resize(386, 380);
    m_page->show();
    if (!QTest::qWaitForWindowExposed(m_page.get()))
        qWarning("the page was not exposed");
    return *m_page;
}

void TestModsPage::drag(QEvent::Type type, const QPoint& pos)
{
    QWidget* viewport = active()->viewport();
    if (type == QEvent::DragEnter) {
        QDragEnterEvent e(pos, Qt::MoveAction, &m_entryDrag, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
        QVERIFY(e.isAccepted());
    } else if (type == QEvent::DragMove) {
        QDragMoveEvent e(pos, Qt::MoveAction, &m_entryDrag, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
        QVERIFY(e.isAccepted());
    } else if (type == QEvent::Drop) {
        QDropEvent e(pos, Qt::MoveAction, &m_entryDrag, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &e);
        QVERIFY(e.isAccepted());
    } else {
        QDragLeaveEvent e;
        QApplication::sendEvent(viewport, &e);
    }
}

void TestModsPage::pickSet(const QString& name)
{
    QComboBox* box = setBox();
    const int i = box->findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    QVERIFY2(i >= 0, qPrintable(name));
    box->setCurrentIndex(i);
    emit box->activated(i);
}

void TestModsPage::loadsTheDemo()
{
    ModsPage& page = makePage();
    QVERIFY(page.store().load());
    QCOMPARE(page.activeMods(), (Entries{"heavyarms", "japanmap"}));
    QCOMPARE(sorted(page.lists().available().entries()), (Entries{"testrange", "urbanops"}));
    QVERIFY(page.isInstalled("URBANOPS"));
    QCOMPARE(setBox()->currentText(), QStringLiteral("現在の設定"));
    QVERIFY(m_prompter.asked.isEmpty());
}

void TestModsPage::descriptionPane_data()
{
    QTest::addColumn<QByteArray>("mod");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("scrollBar");
    QTest::newRow("8 lines") << QByteArray("heavyarms") << 8 << true;
    QTest::newRow("3 lines") << QByteArray("japanmap") << 3 << false;
    QTest::newRow("none") << QByteArray("testrange") << 1 << false;
}

void TestModsPage::descriptionPane()
{
    QFETCH(QByteArray, mod);
    QFETCH(int, lines);
    QFETCH(bool, scrollBar);
    makePage().store().load();
    // First a long description in the other list, so that every case must set the bar itself.
    active()->selectRow(0);
    QCOMPARE(memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    ModListView* list = available();
    int row = list->mods()->indexOf(mod);
    if (row < 0) {
        list = active();
        row = list->mods()->indexOf(mod);
        list->selectRow(-1);
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centreOf(list, row));
    QCOMPARE(list->selectedRow(), row);
    QCOMPARE(memo()->toPlainText().split(QLatin1Char('\n')).size(), lines);
    QCOMPARE(memo()->verticalScrollBarPolicy(), scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (mod == "testrange")
        QCOMPARE(memo()->toPlainText(), QStringLiteral("MODの情報なし"));
    if (mod == "japanmap") // its text has the trail byte 0x5C of "表" and "十"
        QVERIFY(memo()->toPlainText().contains(QStringLiteral("HeavyArms が必要です")));
}

void TestModsPage::damagedDescription()
{
    // A megabyte of binary bytes, NULs and stray lead bytes included: shown, not hung on.
    QByteArray bytes;
    for (int i = 0; i < 1024 * 1024; ++i)
        bytes += char((i * 2654435761u) >> 24);
    TestFolders::writeFile(m_folders->game(QStringLiteral("Mods/UrbanOps/modscont.txt")), bytes);
    makePage().store().load();
    available()->selectRow(available()->mods()->indexOf("urbanops"));
    QVERIFY(memo()->toPlainText().size() > 10000);
    QCOMPARE(memo()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestModsPage::doubleClicksAndButtonsMoveEntries()
{
    ModsPage& page = makePage();
    page.lists().available().setEntries({"a", "b"});
    page.lists().active().setEntries({"x"});
    // An empty part of a list with nothing selected: nothing happens.
    QTest::mouseDClick(available()->viewport(), Qt::LeftButton, {}, QPoint(5, available()->viewport()->height() - 3));
    QCOMPARE(page.lists().available().entries(), (Entries{"a", "b"}));

    QTest::mouseDClick(available()->viewport(), Qt::LeftButton, {}, centreOf(available(), 0));
    QCOMPARE(page.activeMods(), (Entries{"x", "a"}));
    QCOMPARE(page.lists().available().entries(), Entries{"b"});
    QTest::mouseDClick(active()->viewport(), Qt::LeftButton, {}, centreOf(active(), 0));
    QCOMPARE(page.activeMods(), Entries{"a"});
    QCOMPARE(page.lists().available().entries(), (Entries{"b", "x"}));
    // ">>" and "<<".
    click("Button29");
    QCOMPARE(page.activeMods(), (Entries{"a", "b", "x"}));
    click("Button30");
    QCOMPARE(page.lists().available().entries(), (Entries{"a", "b", "x"}));
    QVERIFY(page.activeMods().isEmpty());
}

void TestModsPage::drops_data()
{
    QTest::addColumn<int>("dropRow"); // -1: below the last entry
    QTest::addColumn<bool>("upperHalf");
    QTest::addColumn<Entries>("order");
    // "b" is dragged; the entry lands at the index under the pointer, wherever the line was.
    QTest::newRow("on the first entry, upper half") << 0 << true << Entries{"b", "a", "c", "d"};
    QTest::newRow("on the first entry, lower half") << 0 << false << Entries{"b", "a", "c", "d"};
    QTest::newRow("on itself") << 1 << true << Entries{"a", "b", "c", "d"};
    QTest::newRow("on a later entry") << 2 << false << Entries{"a", "c", "b", "d"};
    QTest::newRow("on the last entry") << 3 << true << Entries{"a", "c", "d", "b"};
    QTest::newRow("below the last entry") << -1 << true << Entries{"a", "c", "d", "b"};
}

void TestModsPage::drops()
{
    QFETCH(int, dropRow);
    QFETCH(bool, upperHalf);
    QFETCH(Entries, order);
    ModsPage& page = makePage();
    page.lists().active().setEntries({"a", "b", "c", "d"});
    active()->selectRow(1);
    QPoint at;
    if (dropRow < 0) {
        at = QPoint(10, active()->visualRect(active()->model()->index(3, 0)).bottom() + 20);
    } else {
        const QRect r = active()->visualRect(active()->model()->index(dropRow, 0));
        at = QPoint(10, upperHalf ? r.top() + 1 : r.bottom() - 1);
    }
    drag(QEvent::DragEnter, centreOf(active(), 1));
    drag(QEvent::DragMove, at);
    QVERIFY(active()->isInsertionLineDrawn());
    drag(QEvent::Drop, at);
    QCOMPARE(page.activeMods(), order);
    QVERIFY(!active()->isInsertionLineDrawn());
    QVERIFY(!active()->autoScrollTimer()->isActive());
    // The moved entry stays selected, so that it can be dragged on.
    QCOMPARE(active()->selectedRow(), int(order.indexOf("b")));
}

void TestModsPage::insertionLineFollowsThePointer()
{
    makePage().lists().active().setEntries({"a", "b", "c"});
    const QRect second = active()->visualRect(active()->model()->index(1, 0));
    const QRect third = active()->visualRect(active()->model()->index(2, 0));
    const QImage before = active()->viewport()->grab().toImage();
    drag(QEvent::DragEnter, second.center());
    // Moving down marks the entry's bottom edge, moving up its top edge.
    drag(QEvent::DragMove, second.center() + QPoint(0, 1));
    QCOMPARE(active()->insertionLineY(), second.top() + second.height());
    drag(QEvent::DragMove, second.center());
    QCOMPARE(active()->insertionLineY(), second.top());
    // Below the last entry: the last entry's bottom edge.
    drag(QEvent::DragMove, QPoint(5, third.bottom() + 30));
    QCOMPARE(active()->insertionLineY(), third.top() + third.height());
    // Drawn clearly across the list, and gone without a trace when the drag leaves.
    const QImage during = active()->viewport()->grab().toImage();
    const QColor ink = active()->palette().color(QPalette::Text);
    const int y = active()->insertionLineY() * during.height() / active()->viewport()->height();
    QCOMPARE(QColor(during.pixel(during.width() / 2, y)), ink);
    QCOMPARE(QColor(during.pixel(1, y)), ink);
    drag(QEvent::DragLeave, {});
    QVERIFY(!active()->isInsertionLineDrawn());
    QCOMPARE(active()->viewport()->grab().toImage(), before);
}

void TestModsPage::autoScroll()
{
    ModsPage& page = makePage();
    Entries many;
    for (int i = 0; i < 60; ++i)
        many << QByteArray::number(i);
    page.lists().active().setEntries(many);
    ModListView* list = active();
    QTRY_VERIFY(list->verticalScrollBar()->maximum() > 20); // laid out
    list->verticalScrollBar()->setValue(20);
    QCOMPARE(list->topIndex(), 20);
    drag(QEvent::DragEnter, centreOf(list, 22));
    // Resting on the first visible entry scrolls up.
    drag(QEvent::DragMove, centreOf(list, 20));
    QVERIFY(list->autoScrollTimer()->isActive());
    QTRY_COMPARE_WITH_TIMEOUT(list->topIndex(), 18, 2000);
    // An entry away from both edges stops it, wherever the list is scrolled to.
    drag(QEvent::DragMove, centreOf(list, list->topIndex() + 2));
    QVERIFY(!list->autoScrollTimer()->isActive());
    // The last whole row scrolls down.
    const int rows = (list->viewport()->height() - 1) / list->visualRect(list->model()->index(0, 0)).height();
    const int top = list->topIndex();
    drag(QEvent::DragMove, centreOf(list, top + rows));
    QCOMPARE(list->autoScrollStep(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(list->topIndex() > top, 2000);
    // Leaving the list ends it.
    drag(QEvent::DragLeave, {});
    QVERIFY(!list->autoScrollTimer()->isActive());
    // At the top of the list the first entry does not scroll.
    list->verticalScrollBar()->setValue(0);
    drag(QEvent::DragEnter, centreOf(list, 0));
    drag(QEvent::DragMove, centreOf(list, 0));
    QVERIFY(!list->autoScrollTimer()->isActive());
    drag(QEvent::Drop, centreOf(list, 0));
}

void TestModsPage::rightButtonAndFolders()
{
    ModsPage& page = makePage();
    page.store().load();
    const int row = available()->mods()->indexOf("urbanops");
    QTest::mousePress(available()->viewport(), Qt::RightButton, {}, centreOf(available(), row));
    QCOMPARE(available()->selectedRow(), row);
    QCOMPARE(memo()->toPlainText().split(QLatin1Char('\n')).size(), 6);
    QAction* mod2 = page.popupMenu()->findChild<QAction*>(QStringLiteral("MOD2"));
    QVERIFY(mod2);
    mod2->trigger();
    QCOMPARE(m_opened, QStringList{m_folders->game(QStringLiteral("Mods/UrbanOps"))});

    // A press on an empty part selects nothing, and the folder command then does nothing.
    QTest::mousePress(active()->viewport(), Qt::RightButton, {}, QPoint(5, active()->viewport()->height() - 3));
    QCOMPARE(active()->selectedRow(), -1);
    mod2->trigger();
    QCOMPARE(m_opened.size(), 1);

    click("btnOpenModFolder");
    QCOMPARE(m_opened.last(), m_folders->game(QStringLiteral("Mods")));
    QVERIFY(m_prompter.asked.isEmpty());
}

void TestModsPage::missingFoldersAreReported()
{
    ModsPage& page = makePage();
    page.lists().active().setEntries({"gone", ".."});
    for (int row : {0, 1}) {
        QTest::mousePress(active()->viewport(), Qt::RightButton, {}, centreOf(active(), row));
        page.popupMenu()->findChild<QAction*>(QStringLiteral("MOD2"))->trigger();
    }
    QVERIFY(QDir(m_folders->game(QStringLiteral("Mods"))).removeRecursively());
    click("btnOpenModFolder");
    QVERIFY(m_opened.isEmpty());
    QCOMPARE(m_prompter.asked.size(), 3);
    for (const auto& q : m_prompter.asked)
        QVERIFY2(q.text.startsWith(QStringLiteral("フォルダが見つかりませんでした")), qPrintable(q.text));
    // A desktop that cannot open it is reported too.
    QVERIFY(QDir().mkpath(m_folders->game(QStringLiteral("Mods"))));
    page.setFolderOpener([](const QString&) { return false; });
    click("btnOpenModFolder");
    QVERIFY(m_prompter.asked.last().text.startsWith(QStringLiteral("フォルダを開けませんでした")));
}

void TestModsPage::clipboard()
{
    ModsPage& page = makePage();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    click("Button28");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    page.replaceActiveMods({"mp1", "mp2", "mappack s1", "extra"});
    click("Button28");
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\"DS\",\"IT\",\"SOAF1\",\"EXTRA\""));
}

void TestModsPage::saveWritesWhatIsShown()
{
    ModsPage& page = makePage();
    page.store().load();
    // The demo's second active mod dragged to the top, then "保存".
    active()->selectRow(1);
    drag(QEvent::DragEnter, centreOf(active(), 1));
    drag(QEvent::DragMove, centreOf(active(), 0));
    drag(QEvent::Drop, centreOf(active(), 0));
    // Capitals are written small.
    page.lists().active().add("UrbanOps");
    click("btnSaveModList");
    const QByteArray expected = header + "\"\\mods\\japanmap\"\r\n\"\\mods\\heavyarms\"\r\n\"\\mods\\urbanops\"\r\n";
    QCOMPARE(TestFolders::readFile(m_folders->game(QStringLiteral("modsset.txt"))), expected);
    QCOMPARE(m_notices, QStringList{QStringLiteral("現在の構成を保存しました")});

    // The end writes the list as shown.
    page.lists().deactivate(0);
    QVERIFY(page.store().save());
    QCOMPARE(TestFolders::readFile(m_folders->game(QStringLiteral("modsset.txt"))),
             header + "\"\\mods\\heavyarms\"\r\n\"\\mods\\urbanops\"\r\n");
}

void TestModsPage::unreadableModsSetIsNeverOverwritten()
{
    const QString path = m_folders->game(QStringLiteral("modsset.txt"));
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    ModsPage& page = makePage();
    QVERIFY(!page.store().load());
    QCOMPARE(m_prompter.asked.size(), 1);
    QVERIFY(m_prompter.asked[0].text.contains(QStringLiteral("modsset.txt を読み込めません")));
    QVERIFY(!page.store().save());
    QVERIFY(QFileInfo(path).isDir());
    // "保存" writes nothing the file did not hold, says why, and gives no notice.
    click("btnSaveModList");
    QCOMPARE(m_prompter.asked.size(), 2);
    QVERIFY(m_prompter.asked[1].text.contains(QStringLiteral("modsset.txt を読み込めなかったため")));
    QVERIFY(m_notices.isEmpty());
}

void TestModsPage::refreshDropsUnsavedChanges()
{
    ModsPage& page = makePage();
    page.store().load();
    click("Button30");
    QVERIFY(page.activeMods().isEmpty());
    click("btnRefleshMod");
    QCOMPARE(page.activeMods(), (Entries{"heavyarms", "japanmap"}));
}

void TestModsPage::sortOption()
{
    ModsPage& page = makePage();
    ModListModel& list = page.lists().available();
    list.setEntries({"b", "C", "a"});
    QAction* mod1 = page.mod1Action();
    // Read ticked, it sorts from the start-up step on.
    const ProfileFile ini = ProfileFile::fromBytes("[Morvane]\r\nSortModList=1\r\n");
    page.readSettings(ini);
    QVERIFY(mod1->isChecked());
    QCOMPARE(list.entries(), (Entries{"b", "C", "a"}));
    page.applySortOption();
    QCOMPARE(list.entries(), (Entries{"a", "b", "C"}));
    mod1->trigger(); // unticked: the order stays, additions go to the end
    list.add("0");
    QCOMPARE(list.entries(), (Entries{"a", "b", "C", "0"}));
    ProfileFile out = ini;
    page.writeSettings(out);
    QCOMPARE(out.bytes(), QByteArray("[Morvane]\r\nSortModList=0\r\n"));
    mod1->trigger(); // ticked by hand: sorted at once
    QCOMPARE(list.entries(), (Entries{"0", "a", "b", "C"}));
    mod1->trigger();
    list.add("1");
    // "v" sorts, whatever MOD1 shows, until MOD1 is clicked off again.
    click("Button39");
    QVERIFY(!mod1->isChecked());
    QCOMPARE(list.entries(), (Entries{"0", "1", "a", "b", "C"}));
    list.add("B");
    QCOMPARE(list.entries(), (Entries{"0", "1", "a", "b", "B", "C"}));
}

void TestModsPage::setsSaveAndLoad()
{
    ModsPage& page = makePage();
    page.store().load();
    const QByteArray modsSet = TestFolders::readFile(m_folders->game(QStringLiteral("modsset.txt")));
    setBox()->setEditText(QStringLiteral("Coop"));
    click("btnSaveModSet");
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Coop.mst"))),
             QByteArray("heavyarms\r\njapanmap\r\n"));
    QCOMPARE(setBox()->count(), 1);

    // Other changes, then the set brings the same list back; a mod that is not installed comes too.
    click("Button30");
    page.lists().activate(page.lists().available().indexOf("urbanops"));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Coop.mst")), "heavyarms\r\njapanmap\r\nnowhere\r\n");
    pickSet(QStringLiteral("Coop"));
    QCOMPARE(page.activeMods(), (Entries{"heavyarms", "japanmap", "nowhere"}));
    QCOMPARE(sorted(page.lists().available().entries()), (Entries{"testrange", "urbanops"}));
    // The game's file changes only with "保存" or at the end.
    QCOMPARE(TestFolders::readFile(m_folders->game(QStringLiteral("modsset.txt"))), modsSet);

    // Typing a listed name and saving replaces that set with the list shown; it does not load it first.
    click("Button30");
    setBox()->setCurrentIndex(-1);
    setBox()->setEditText(QStringLiteral("Coop"));
    setBox()->setFocus();
    click("btnSaveModSet");
    QVERIFY(page.activeMods().isEmpty());
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Coop.mst"))), QByteArray());
    QCOMPARE(setBox()->count(), 1);
    QVERIFY(m_prompter.asked.isEmpty());
}

void TestModsPage::setNamesDifferingInCase()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("b.mst")), "x\r\n");
    TestFolders::writeFile(m_folders->program(QStringLiteral("Set1.mst")), "old\r\n");
    TestFolders::writeFile(m_folders->program(QStringLiteral("a.MST")), "y\r\n");
    ModsPage& page = makePage();
    page.lists().active().setEntries({"mp1"});
    setBox()->setEditText(QStringLiteral("set1"));
    click("btnSaveModSet");
    // Listed once, and the listed spelling still finds it.
    QCOMPARE(setBox()->count(), 3);
    page.lists().active().clear();
    pickSet(QStringLiteral("Set1"));
    QCOMPARE(page.activeMods(), Entries{"mp1"});
}

void TestModsPage::currentSettingIsNeverSaved()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("現在の設定.mst")), "keep\r\n");
    ModsPage& page = makePage();
    page.lists().active().setEntries({"mp1"});
    page.showCurrentSetting();
    QCOMPARE(setBox()->currentText(), QStringLiteral("現在の設定"));
    click("btnSaveModSet");
    click("btnDeleteModSet");
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("現在の設定.mst"))), QByteArray("keep\r\n"));
    setBox()->setEditText(QString());
    click("btnSaveModSet");
    QVERIFY(m_prompter.asked.isEmpty());
    QCOMPARE(QDir(m_folders->programFolder()).entryList(QDir::Files).size(), 1);
}

void TestModsPage::badSetNamesAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("blank") << QStringLiteral("   ");
    QTest::newRow("slash") << QStringLiteral("../x");
}

void TestModsPage::badSetNamesAreRefused()
{
    QFETCH(QString, name);
    makePage();
    setBox()->setEditText(name);
    click("btnSaveModSet");
    click("btnDeleteModSet");
    QCOMPARE(m_prompter.asked.size(), 2);
    for (const auto& q : m_prompter.asked)
        QCOMPARE(q.kind, QStringLiteral("message")); // refused before any question
    QCOMPARE(setBox()->count(), 0);
    QVERIFY(QDir(m_folders->programFolder()).entryList(QDir::Files).isEmpty());
    QVERIFY(QDir(m_folders->path(QString())).entryList(QDir::Files).isEmpty());
}

void TestModsPage::deleteSet()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("Coop.mst")), "a\r\n");
    TestFolders::writeFile(m_folders->program(QStringLiteral("Versus.mst")), "b\r\n");
    makePage();
    // "Versus" picked, then "coop" typed: the set named is deleted and its entry leaves the list.
    setBox()->setCurrentIndex(1);
    setBox()->setEditText(QStringLiteral("coop"));
    m_prompter.answers = {false};
    click("btnDeleteModSet");
    QCOMPARE(m_prompter.asked.size(), 1);
    QCOMPARE(m_prompter.asked[0].text, QStringLiteral("\"coop\"セットを消してもよろしいですか？"));
    QVERIFY(QFile::exists(m_folders->program(QStringLiteral("Coop.mst"))));
    m_prompter.answers = {true};
    click("btnDeleteModSet");
    QVERIFY(!QFile::exists(m_folders->program(QStringLiteral("Coop.mst"))));
    QCOMPARE(setBox()->count(), 1);
    QCOMPARE(setBox()->itemText(0), QStringLiteral("Versus"));
    QCOMPARE(setBox()->currentText(), QString());
    // A name with no file: nothing happens after the question.
    setBox()->setEditText(QStringLiteral("none"));
    m_prompter.answers = {true};
    click("btnDeleteModSet");
    QCOMPARE(setBox()->count(), 1);
    QCOMPARE(m_prompter.asked.size(), 3);
}

void TestModsPage::vanishedSet()
{
    TestFolders::writeFile(m_folders->program(QStringLiteral("Gone.mst")), "a\r\n");
    ModsPage& page = makePage();
    page.lists().active().setEntries({"x"});
    QVERIFY(QFile::remove(m_folders->program(QStringLiteral("Gone.mst"))));
    pickSet(QStringLiteral("Gone"));
    QCOMPARE(m_prompter.texts(), QStringList{QStringLiteral("セットファイルが見つかりませんでした")});
    QCOMPARE(setBox()->count(), 0);
    QCOMPARE(page.activeMods(), Entries{"x"});
}

void TestModsPage::registerSetFile()
{
    QTemporaryDir elsewhere;
    const QString chosen = elsewhere.filePath(QStringLiteral("Host A.mst"));
    TestFolders::writeFile(chosen, "mp1\r\nmp2\r\n");
    ModsPage& page = makePage();
    m_prompter.answers = {chosen};
    click("btnLoadMstFile");
    QCOMPARE(m_prompter.asked[1].text, QStringLiteral("Host A 設定が登録されました"));
    QCOMPARE(setBox()->count(), 1);
    // Copied in, so that picking the name later finds the set.
    QFile::remove(chosen);
    pickSet(QStringLiteral("Host A"));
    QCOMPARE(page.activeMods(), (Entries{"mp1", "mp2"}));

    // The same name again: asked before the set is replaced; "No" changes nothing.
    TestFolders::writeFile(chosen, "other\r\n");
    m_prompter.asked.clear();
    m_prompter.answers = {chosen, false};
    click("btnLoadMstFile");
    QCOMPARE(m_prompter.asked[1].kind, QStringLiteral("confirm"));
    QVERIFY(m_prompter.asked[1].text.startsWith(QStringLiteral("既にその設定名は登録済みです")));
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Host A.mst"))), QByteArray("mp1\r\nmp2\r\n"));
    m_prompter.answers = {chosen, true};
    click("btnLoadMstFile");
    QCOMPARE(TestFolders::readFile(m_folders->program(QStringLiteral("Host A.mst"))), QByteArray("other\r\n"));
    QCOMPARE(setBox()->count(), 1);
    // The program folder's own file: already registered, nothing to copy.
    m_prompter.asked.clear();
    m_prompter.answers = {m_folders->program(QStringLiteral("Host A.mst"))};
    click("btnLoadMstFile");
    QCOMPARE(m_prompter.texts().last(), QStringLiteral("既にその設定名は登録済みです"));
    // Cancelled: nothing.
    m_prompter.asked.clear();
    click("btnLoadMstFile");
    QCOMPARE(m_prompter.asked.size(), 1);
}

QTEST_MAIN(TestModsPage)
#include "tst_ModsPage.moc"

// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostNameDelegate.h"
#include "hosts/HostsPage.h"
#include "hosts/THostEditDlg.h"
#include "hosts/THostList.h"
#include "platform/Cp932.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

QByteArray nameOf(int i) { return QByteArrayLiteral("host") + QByteArray::number(i); }
QByteArray addressOf(int i)
{
    return QByteArrayLiteral("10.0.0.") + QByteArray::number(i) + QByteArrayLiteral(":2346");
}

struct Page
{
    ScriptedPrompter prompter;
    std::unique_ptr<HostsPage> page;
    HostGridView* grid = nullptr;
    HostGridModel* hosts = nullptr;

    explicit Page(int count = 0)
    {
        page = std::make_unique<HostsPage>(prompter);
        grid = page->grid();
        hosts = &page->hosts();
        for (int i = 0; i < count; ++i)
            hosts->appendHost(nameOf(i), addressOf(i));
        page->resize(420, 300);
        page->show();
    }

    QList<QByteArray> names() const
    {
        QList<QByteArray> out;
        for (int i = 0; i < hosts->hostCount(); ++i)
            out << hosts->host(i).name;
        return out;
    }

    QPoint cellCentre(int row, int column = HostGridModel::NameColumn) const
    {
        const QModelIndex index = hosts->index(row, column);
        grid->scrollTo(index);
        return grid->visualRect(index).center();
    }

    void click(int row, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        QTest::mouseClick(grid->viewport(), button, mods, cellCentre(row));
    }

    template <class T> T* child(const QString& name) const
    {
        T* w = page->findChild<T*>(name);
        if (!w)
            qWarning("no child %s", qPrintable(name));
        return w;
    }
};

QList<QByteArray> firstNames(std::initializer_list<int> order)
{
    QList<QByteArray> out;
    for (int i : order)
        out << nameOf(i);
    return out;
}

// Runs `step` on the modal dialog the next handler opens, then makes sure that it is closed, so a
// test can never hang on a dialog it failed to end.
void onNextDialog(std::function<void(THostEditDlg*)> step, bool* seen = nullptr)
{
    QTimer::singleShot(0, qApp, [step = std::move(step), seen] {
        auto* dialog = qobject_cast<THostEditDlg*>(QApplication::activeModalWidget());
        if (seen)
            *seen = dialog != nullptr;
        if (!dialog)
            return;
        step(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

QRgb pixelAt(QWidget* w, const QPoint& p) { return w->grab().toImage().pixel(p); }

} // namespace

class TestHostsPage : public QObject
{
    Q_OBJECT
private slots:
    void statusColumnTakesTheRestOfTheGrid_data();
    void statusColumnTakesTheRestOfTheGrid();
    void controls_data();
    void controls();
    void popupMenuDefaults();
    void add_data();
    void add();
    void addWhenFull();
    void addThroughTheButton();
    void scrollBarAtTenAndNine();
    void deleteHost_data();
    void deleteHost();
    void deleteKeyAsks();
    void deleteOnEmptyList();
    void move_data();
    void move();
    void emptyRowsCannotBecomeCurrent();
    void rightButtonPicksTheCell_data();
    void rightButtonPicksTheCell();
    void contextMenuNotOnHeader();
    void join_data();
    void join();
    void doubleClickOnEmptyRowJoinsNothing();
    void copyAddress();
    void checkIdleDisablesEditing();
    void editChangesTheHost();
    void editKeepsUnchangedBytes();
    void editRefusesEmptyAddress();
    void editRefusesTextThatWouldChange();
    void editEmptyNameBecomesIpHost();
    void editEscapeChangesNothing();
    void editOnEmptyListOpensNothing();
    void boldNamesForLiveHosts();
    void schemeColours_data();
    void schemeColours();
};

void TestHostsPage::statusColumnTakesTheRestOfTheGrid_data()
{
    QTest::addColumn<int>("hosts");
    QTest::addColumn<int>("pageWidth");
    QTest::newRow("as in the window") << 3 << 390;
    QTest::newRow("with the scroll bar") << 12 << 390;
    QTest::newRow("narrow page") << 3 << 200;
}

void TestHostsPage::statusColumnTakesTheRestOfTheGrid()
{
    QFETCH(int, hosts);
    QFETCH(int, pageWidth);
    Page p(hosts);
    p.page->resize(pageWidth, 300);
    QTRY_COMPARE(p.grid->viewport()->width() > 0, true);
    QCoreApplication::processEvents();
    const int status = p.grid->columnWidth(HostGridModel::StatusColumn);
    const int rest = p.grid->viewport()->width() - p.grid->columnWidth(HostGridModel::NameColumn) -
                     p.grid->columnWidth(HostGridModel::AddressColumn);
    QCOMPARE(status, std::max(rest, HostGridView::StatusWidth));
    if (pageWidth >= 390) {
        // qstat's remaining time comes as HH:MM:SS; the whole cell must show.
        const int needed = p.grid->fontMetrics().horizontalAdvance(QStringLiteral("16/16[00:01:40]")) + 6;
        QVERIFY2(status >= needed, qPrintable(QStringLiteral("%1 < %2").arg(status).arg(needed)));
    }
    // Widening another column by hand takes room from the status column, down to its minimum.
    p.grid->setColumnWidth(HostGridModel::NameColumn, p.grid->columnWidth(HostGridModel::NameColumn) + 30);
    QCOMPARE(p.grid->columnWidth(HostGridModel::StatusColumn), std::max(rest - 30, HostGridView::StatusWidth));
}

void TestHostsPage::controls_data()
{
    addControlColumns();
    addControlRow(u"lblHostListHint", u"接続したいホストをダブルクリックして下さい");
    addControlRow(u"btnAddHost", u"追加", u"新しいホストを登録します");
    addControlRow(u"btnEditHost", u"編集", u"選択されたホストを編集します");
    addControlRow(u"btnDeleteHost", u"削除", u"選択されたホストを削除します");
    addControlRow(u"Button4", u"↑", u"選択されたホストを上に移動します");
    addControlRow(u"Button5", u"↓", u"選択されたホストを下に移動します");
    addControlRow(u"actAddHost", u"追加", u"新しいホストを登録します");
    addControlRow(u"actEditHost", u"編集", u"選択されたホストを編集します");
    addControlRow(u"actDelHost", u"削除", u"選択されたホストを削除します");
    addControlRow(u"N18", u"ホストの情報");
    addControlRow(u"Connect1", u"接続");
    addControlRow(u"JoinWithMods1", u"このMODで接続");
    addControlRow(u"CopyAddress1", u"アドレスをコピー", u"選択されたホストのアドレスをクリップボードにコピーします");
    addControlRow(u"Edit3", u"編集");
    addControlRow(u"Delete1", u"削除");
    addControlRow(u"N22", u"稼働中ホストを優先して並べる");
}

void TestHostsPage::controls()
{
    Page p;
    checkControlRow(*p.page);
}

void TestHostsPage::popupMenuDefaults()
{
    Page p;
    QMenu* menu = p.page->popupMenu();
    QCOMPARE(menu->defaultAction(), menu->actions().at(2));
    // Off until the host information knows the host's mods.
    QCOMPARE(menu->actions().at(3), p.page->joinWithModsAction());
    QVERIFY(!p.page->joinWithModsAction()->isEnabled());
}

void TestHostsPage::add_data()
{
    QTest::addColumn<QVariantList>("answers");
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("name"); // empty: nothing added
    QTest::addColumn<QString>("address");
    const QString address = QStringLiteral("192.168.1.5:2346");
    QTest::newRow("address left at its default")
        << QVariantList{QStringLiteral("000.000.000.000:0000")} << 1 << QString() << QString();
    QTest::newRow("address cancelled") << QVariantList{} << 1 << QString() << QString();
    QTest::newRow("address empty") << QVariantList{QString()} << 1 << QString() << QString();
    QTest::newRow("address blank") << QVariantList{QStringLiteral("   ")} << 1 << QString() << QString();
    QTest::newRow("name given") << QVariantList{address, QStringLiteral("練習鯖")} << 2 << QStringLiteral("練習鯖")
                                << address;
    QTest::newRow("name left at its default") << QVariantList{address, QStringLiteral("識別しやすい名前を入れましょう")}
                                              << 2 << QStringLiteral("IPホスト") << address;
    QTest::newRow("name emptied") << QVariantList{address, QString()} << 2 << QStringLiteral("IPホスト") << address;
    QTest::newRow("name cancelled") << QVariantList{address} << 2 << QStringLiteral("IPホスト") << address;
    QTest::newRow("a domain") << QVariantList{QStringLiteral("gr.example.jp"), QStringLiteral("x")} << 2
                              << QStringLiteral("x") << QStringLiteral("gr.example.jp");
    // Refused with a message (one question more): text that would not come back as it was typed.
    QTest::newRow("address with a line break")
        << QVariantList{QStringLiteral("10.0.0.1\n:2346")} << 2 << QString() << QString();
    QTest::newRow("address code page 932 cannot hold")
        << QVariantList{QStringLiteral(u"10.0.0.1€")} << 2 << QString() << QString();
    QTest::newRow("name code page 932 cannot hold")
        << QVariantList{address, QStringLiteral(u"Café")} << 3 << QString() << QString();
}

void TestHostsPage::add()
{
    QFETCH(QVariantList, answers);
    QFETCH(int, questions);
    QFETCH(QString, name);
    QFETCH(QString, address);
    Page p(2);
    p.click(0);
    p.prompter.answers = answers;
    p.page->addHostAction()->trigger();

    QCOMPARE(p.prompter.asked.size(), questions);
    QCOMPARE(p.prompter.asked.at(0).kind, QStringLiteral("input"));
    if (name.isEmpty() && questions > 1) {
        // The refusal names what is wrong.
        const auto& refusal = p.prompter.asked.last();
        QCOMPARE(refusal.kind, QStringLiteral("message"));
        QVERIFY2(refusal.text.contains(QStringLiteral("改行")) || refusal.text.contains(QStringLiteral("「€」")) ||
                     refusal.text.contains(QStringLiteral("「é」")),
                 qPrintable(refusal.text));
    }
    if (name.isEmpty()) {
        QCOMPARE(p.hosts->hostCount(), 2);
    } else {
        QCOMPARE(p.hosts->hostCount(), 3);
        QCOMPARE(p.hosts->nameText(2), name);
        QCOMPARE(p.hosts->host(2).name, cp932::fromUnicode(name));
        QCOMPARE(p.hosts->addressText(2), address);
    }
    // The new host goes to the end; the selection stays where it was.
    QCOMPARE(p.page->currentHost(), 0);
}

void TestHostsPage::addWhenFull()
{
    Page p(50);
    p.prompter.answers = {QStringLiteral("1.1.1.1")};
    p.page->addHostAction()->trigger();
    QCOMPARE(p.prompter.asked.size(), 1);
    QCOMPARE(p.prompter.asked.at(0).kind, QStringLiteral("message"));
    QCOMPARE(p.prompter.asked.at(0).icon, Prompter::Icon::Warning);
    QCOMPARE(p.prompter.asked.at(0).text, QStringLiteral("これ以上新たにホストを登録出来ません"));
    QCOMPARE(p.hosts->hostCount(), 50);
}

void TestHostsPage::addThroughTheButton()
{
    Page p;
    p.prompter.answers = {QStringLiteral("5.6.7.8"), QStringLiteral("five")};
    QTest::mouseClick(p.child<QPushButton>(QStringLiteral("btnAddHost")), Qt::LeftButton);
    QCOMPARE(p.hosts->hostCount(), 1);
    QCOMPARE(p.hosts->nameText(0), QStringLiteral("five"));
    // The first host of an empty list is current and selected.
    QCOMPARE(p.page->currentHost(), 0);
    QVERIFY(p.grid->selectionModel()->isRowSelected(0, {}));
}

void TestHostsPage::scrollBarAtTenAndNine()
{
    Page p(9);
    QVERIFY(QTest::qWaitForWindowExposed(p.page.get()));
    QCOMPARE(p.grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(!p.grid->verticalScrollBar()->isVisible());

    p.prompter.answers = {QStringLiteral("10.10.10.10"), QStringLiteral("tenth")};
    p.page->actAddHostExecute();
    QCOMPARE(p.hosts->hostCount(), 10);
    QCOMPARE(p.grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QTRY_VERIFY(p.grid->verticalScrollBar()->isVisible());

    p.grid->scrollToBottom();
    p.click(9);
    QVERIFY(p.grid->verticalScrollBar()->value() > 0);
    p.prompter.answers = {true};
    p.page->actDelHostExecute();
    QCOMPARE(p.hosts->hostCount(), 9);
    QCOMPARE(p.grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QTRY_VERIFY(!p.grid->verticalScrollBar()->isVisible());
    QCOMPARE(p.grid->verticalScrollBar()->value(), 0);
    QCOMPARE(p.page->currentHost(), 8);
}

void TestHostsPage::deleteHost_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("the last of several") << 3 << 2 << true << firstNames({0, 1}) << 1;
    QTest::newRow("one in the middle") << 3 << 1 << true << firstNames({0, 2}) << 1;
    QTest::newRow("the first") << 3 << 0 << true << firstNames({1, 2}) << 0;
    QTest::newRow("the only one") << 1 << 0 << true << QList<QByteArray>{} << -1;
    QTest::newRow("answered No") << 3 << 1 << false << firstNames({0, 1, 2}) << 1;
}

void TestHostsPage::deleteHost()
{
    QFETCH(int, count);
    QFETCH(int, current);
    QFETCH(bool, yes);
    QFETCH(QList<QByteArray>, names);
    QFETCH(int, currentAfter);
    Page p(count);
    p.hosts->setStatus(current, QStringLiteral("2/8[5]"));
    p.click(current);
    p.prompter.answers = {yes};
    p.page->delHostAction()->trigger();
    QCOMPARE(p.prompter.asked.size(), 1);
    QCOMPARE(p.prompter.asked.at(0).kind, QStringLiteral("confirm"));
    QCOMPARE(p.prompter.asked.at(0).text, QStringLiteral("host%1 をリストから削除しますか？").arg(current));
    QCOMPARE(p.names(), names);
    QCOMPARE(p.page->currentHost(), currentAfter);
    if (currentAfter >= 0) {
        QVERIFY(p.grid->selectionModel()->isRowSelected(currentAfter, {}));
        QCOMPARE(p.page->currentHostName(), QString::fromLatin1(names.at(currentAfter)));
    } else {
        QCOMPARE(p.grid->currentIndex().row(), 0);
        QCOMPARE(p.page->currentHostName(), QString());
        QVERIFY(p.grid->selectionModel()->selectedIndexes().isEmpty());
    }
    if (yes) // the freed slot is empty, status and all
        QCOMPARE(p.hosts->host(count - 1).status, QString());
    else // the host asked about keeps everything, its status too
        QCOMPARE(p.hosts->host(current).status, QStringLiteral("2/8[5]"));
    QCOMPARE(p.hosts->rowCount(), 50);
}

void TestHostsPage::deleteKeyAsks()
{
    Page p(2);
    p.click(1);
    p.prompter.answers = {true};
    QTest::keyClick(p.grid, Qt::Key_Delete);
    QCOMPARE(p.prompter.texts(), QStringList{QStringLiteral("host1 をリストから削除しますか？")});
    QCOMPARE(p.names(), firstNames({0}));
}

void TestHostsPage::deleteOnEmptyList()
{
    Page p;
    p.prompter.answers = {true};
    p.page->actDelHostExecute();
    QTest::keyClick(p.grid, Qt::Key_Delete);
    QVERIFY(p.prompter.asked.isEmpty());
}

void TestHostsPage::move_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QList<QByteArray>>("names");
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("up on the first") << 0 << QStringLiteral("Button4") << firstNames({0, 1, 2}) << 0;
    QTest::newRow("down on the last") << 2 << QStringLiteral("Button5") << firstNames({0, 1, 2}) << 2;
    QTest::newRow("up from the last") << 2 << QStringLiteral("Button4") << firstNames({0, 2, 1}) << 1;
    QTest::newRow("down from the first") << 0 << QStringLiteral("Button5") << firstNames({1, 0, 2}) << 1;
    QTest::newRow("down from the middle") << 1 << QStringLiteral("Button5") << firstNames({0, 2, 1}) << 2;
}

void TestHostsPage::move()
{
    QFETCH(int, current);
    QFETCH(QString, button);
    QFETCH(QList<QByteArray>, names);
    QFETCH(int, currentAfter);
    Page p(3);
    p.hosts->setStatus(current, QStringLiteral("1/4[9]"));
    p.click(current);
    QTest::mouseClick(p.child<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(p.names(), names);
    QCOMPARE(p.page->currentHost(), currentAfter);
    QVERIFY(p.grid->selectionModel()->isRowSelected(currentAfter, {}));
    QCOMPARE(p.hosts->host(currentAfter).status, QStringLiteral("1/4[9]"));
}

void TestHostsPage::emptyRowsCannotBecomeCurrent()
{
    Page p(3);
    p.click(1);
    QCOMPARE(p.page->currentHost(), 1);
    p.click(5);
    QCOMPARE(p.page->currentHost(), 1);
    QVERIFY(p.grid->selectionModel()->isRowSelected(1, {}));
    // Dragging from a host onto an empty row does not move there either.
    QTest::mousePress(p.grid->viewport(), Qt::LeftButton, {}, p.cellCentre(2));
    QMouseEvent drag(QEvent::MouseMove, QPointF(p.cellCentre(6)), p.grid->viewport()->mapToGlobal(p.cellCentre(6)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(p.grid->viewport(), &drag);
    QTest::mouseRelease(p.grid->viewport(), Qt::LeftButton, {}, p.cellCentre(6));
    QCOMPARE(p.page->currentHost(), 2);
    QVERIFY(p.grid->selectionModel()->isRowSelected(2, {}));
    // Nor do the arrow keys beyond the last host.
    QTest::keyClick(p.grid, Qt::Key_Down);
    QCOMPARE(p.page->currentHost(), 2);
    QTest::keyClick(p.grid, Qt::Key_End);
    QCOMPARE(p.page->currentHost(), 2);
    QTest::keyClick(p.grid, Qt::Key_Up);
    QCOMPARE(p.page->currentHost(), 1);
}

void TestHostsPage::rightButtonPicksTheCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("mods");
    QTest::addColumn<int>("currentAfter");
    QTest::newRow("right alone") << 2 << Qt::RightButton << Qt::KeyboardModifiers() << 2;
    QTest::newRow("right with Shift") << 2 << Qt::RightButton << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
    QTest::newRow("right with Ctrl") << 2 << Qt::RightButton << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("right on an empty row") << 7 << Qt::RightButton << Qt::KeyboardModifiers() << 0;
    QTest::newRow("middle button") << 2 << Qt::MiddleButton << Qt::KeyboardModifiers() << 0;
}

void TestHostsPage::rightButtonPicksTheCell()
{
    QFETCH(int, row);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, mods);
    QFETCH(int, currentAfter);
    Page p(3);
    p.click(0);
    QTest::mousePress(p.grid->viewport(), button, mods, p.cellCentre(row, HostGridModel::StatusColumn));
    QCOMPARE(p.page->currentHost(), currentAfter);
    if (currentAfter == row)
        QCOMPARE(p.grid->currentIndex().column(), int(HostGridModel::StatusColumn));
    QTest::mouseRelease(p.grid->viewport(), button, mods, p.cellCentre(row, HostGridModel::StatusColumn));
    QVERIFY(p.grid->selectionModel()->isRowSelected(currentAfter, {}));
}

void TestHostsPage::contextMenuNotOnHeader()
{
    Page p(3);
    QVERIFY(QTest::qWaitForWindowExposed(p.page.get()));
    QMenu* menu = p.page->popupMenu();
    QHeaderView* header = p.grid->horizontalHeader();
    const QPoint onHeader(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QContextMenuEvent headerEvent(QContextMenuEvent::Mouse, onHeader, header->viewport()->mapToGlobal(onHeader));
    QApplication::sendEvent(header->viewport(), &headerEvent);
    QVERIFY(!menu->isVisible());

    const QPoint onRow = p.cellCentre(1);
    QContextMenuEvent rowEvent(QContextMenuEvent::Mouse, onRow, p.grid->viewport()->mapToGlobal(onRow));
    QApplication::sendEvent(p.grid->viewport(), &rowEvent);
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
}

void TestHostsPage::join_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("joins");
    for (const QString& how :
         {QStringLiteral("Enter"), QStringLiteral("Return"), QStringLiteral("menu"), QStringLiteral("double-click")}) {
        QTest::addRow("%s on an empty list", qPrintable(how)) << 0 << how << 0;
        QTest::addRow("%s on a host", qPrintable(how)) << 3 << how << 1;
    }
}

void TestHostsPage::join()
{
    QFETCH(int, count);
    QFETCH(QString, how);
    QFETCH(int, joins);
    Page p(count);
    QSignalSpy spy(p.page.get(), &HostsPage::joinRequested);
    if (count > 0)
        p.click(1);
    if (how == QStringLiteral("Enter"))
        QTest::keyClick(p.grid, Qt::Key_Enter);
    else if (how == QStringLiteral("Return"))
        QTest::keyClick(p.grid, Qt::Key_Return);
    else if (how == QStringLiteral("menu"))
        p.page->popupMenu()->actions().at(2)->trigger();
    else
        QTest::mouseDClick(p.grid->viewport(), Qt::LeftButton, {}, p.cellCentre(count > 0 ? 1 : 0));
    QCOMPARE(spy.size(), joins);
    if (joins) {
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("10.0.0.1:2346"));
        QCOMPARE(spy.at(0).at(1).toString(), QStringLiteral("host1"));
    }
}

void TestHostsPage::doubleClickOnEmptyRowJoinsNothing()
{
    Page p(2);
    QSignalSpy spy(p.page.get(), &HostsPage::joinRequested);
    p.click(0);
    QTest::mouseDClick(p.grid->viewport(), Qt::LeftButton, {}, p.cellCentre(4));
    QCOMPARE(spy.size(), 0);
    QCOMPARE(p.page->currentHost(), 0);
}

void TestHostsPage::copyAddress()
{
    Page p(3);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    p.click(2);
    p.page->findChild<QAction*>(QStringLiteral("CopyAddress1"))->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10.0.0.2:2346"));
}

void TestHostsPage::checkIdleDisablesEditing()
{
    Page p(3);
    p.click(1);
    p.page->setCheckIdle(false);
    QVERIFY(!p.page->isCheckIdle());
    const QStringList names = {QStringLiteral("btnAddHost"), QStringLiteral("btnEditHost"),
                               QStringLiteral("btnDeleteHost"), QStringLiteral("Button4"), QStringLiteral("Button5")};
    for (const QString& name : names)
        QVERIFY2(!p.child<QPushButton>(name)->isEnabled(), qPrintable(name));
    for (QAction* a : {p.page->addHostAction(), p.page->editHostAction(), p.page->delHostAction()})
        QVERIFY(!a->isEnabled());
    QVERIFY(!p.page->findChild<QAction*>(QStringLiteral("Edit3"))->isEnabled());
    QVERIFY(!p.page->findChild<QAction*>(QStringLiteral("Delete1"))->isEnabled());
    // Joining and copying stay possible while a check runs.
    QVERIFY(p.page->popupMenu()->actions().at(2)->isEnabled());
    QVERIFY(p.page->findChild<QAction*>(QStringLiteral("CopyAddress1"))->isEnabled());

    p.prompter.answers = {true};
    QTest::keyClick(p.grid, Qt::Key_Delete);
    QTest::mouseClick(p.child<QPushButton>(QStringLiteral("btnDeleteHost")), Qt::LeftButton);
    QTest::mouseClick(p.child<QPushButton>(QStringLiteral("Button4")), Qt::LeftButton);
    p.page->findChild<QAction*>(QStringLiteral("Delete1"))->trigger();
    QVERIFY(p.prompter.asked.isEmpty());
    QCOMPARE(p.names(), firstNames({0, 1, 2}));

    p.page->setCheckIdle(true);
    for (const QString& name : names)
        QVERIFY2(p.child<QPushButton>(name)->isEnabled(), qPrintable(name));
    QVERIFY(p.page->findChild<QAction*>(QStringLiteral("Delete1"))->isEnabled());
    p.page->findChild<QAction*>(QStringLiteral("Delete1"))->trigger();
    QCOMPARE(p.prompter.asked.size(), 1);
    QCOMPARE(p.names(), firstNames({0, 2}));
}

void TestHostsPage::editChangesTheHost()
{
    Page p(3);
    p.click(1);
    onNextDialog([](THostEditDlg* d) {
        QCOMPARE(d->nameEdit()->text(), QStringLiteral("host1"));
        QCOMPARE(d->addressEdit()->text(), QStringLiteral("10.0.0.1:2346"));
        d->nameEdit()->setText(QStringLiteral("新しい名前"));
        d->addressEdit()->setText(QStringLiteral("gr.example.net:2346"));
        QTest::keyClick(d->nameEdit(), Qt::Key_Return); // the default button
        QVERIFY(!d->isVisible());
    });
    p.page->editHostAction()->trigger();
    QCOMPARE(p.hosts->host(1).name, cp932::fromUnicode(QStringLiteral("新しい名前")));
    QCOMPARE(p.hosts->addressText(1), QStringLiteral("gr.example.net:2346"));
    QCOMPARE(p.hosts->host(0).name, nameOf(0));
    QCOMPARE(p.hosts->host(2).name, nameOf(2));
    QCOMPARE(p.hosts->hostCount(), 3);
}

void TestHostsPage::editKeepsUnchangedBytes()
{
    Page p;
    QCOMPARE(THostList(*p.hosts).LoadHostList(QStringLiteral(HOSTS_DATA_DIR "/invalid_bytes.txt")), 2);
    const QByteArray badName = p.hosts->host(0).name;
    const QByteArray badAddress = p.hosts->host(1).address;
    p.click(0);
    onNextDialog([](THostEditDlg* d) {
        d->addressEdit()->setText(QStringLiteral("9.9.9.9"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    p.page->actEditHostExecute();
    QCOMPARE(p.hosts->host(0).name, badName);
    QCOMPARE(p.hosts->host(0).address, QByteArrayLiteral("9.9.9.9"));

    p.click(1);
    onNextDialog([](THostEditDlg* d) {
        d->nameEdit()->setText(QStringLiteral("renamed"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    p.page->actEditHostExecute();
    QCOMPARE(p.hosts->host(1).name, QByteArrayLiteral("renamed"));
    QCOMPARE(p.hosts->host(1).address, badAddress);
}

void TestHostsPage::editRefusesEmptyAddress()
{
    Page p(2);
    p.click(0);
    bool stayedOpen = false;
    ScriptedPrompter* prompter = &p.prompter;
    onNextDialog([&stayedOpen, prompter](THostEditDlg* d) {
        d->nameEdit()->setText(QStringLiteral("changed"));
        for (const QString& address : {QString(), QStringLiteral("  ")}) {
            d->addressEdit()->setText(address);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        }
        stayedOpen = d->isVisible();
        QCOMPARE(prompter->texts(),
                 (QStringList{QStringLiteral("IPは必ず入力してください"), QStringLiteral("IPは必ず入力してください")}));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnCancel")), Qt::LeftButton);
    });
    p.page->actEditHostExecute();
    QVERIFY(stayedOpen);
    QCOMPARE(p.hosts->host(0).name, nameOf(0));
    QCOMPARE(p.hosts->host(0).address, addressOf(0));
}

void TestHostsPage::editRefusesTextThatWouldChange()
{
    Page p(2);
    p.click(0);
    bool stayedOpen = false;
    ScriptedPrompter* prompter = &p.prompter;
    onNextDialog([&stayedOpen, prompter](THostEditDlg* d) {
        d->nameEdit()->setText(QStringLiteral(u"練習€"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        d->nameEdit()->setText(QStringLiteral("ok"));
        d->addressEdit()->setText(QStringLiteral("1.2.3.4\r\n:5"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
        stayedOpen = d->isVisible();
        QCOMPARE(prompter->asked.size(), 2);
        QVERIFY(prompter->asked[0].text.contains(QStringLiteral("「€」")));
        QVERIFY(prompter->asked[1].text.contains(QStringLiteral("改行")));
    });
    p.page->actEditHostExecute();
    QVERIFY(stayedOpen);
    QCOMPARE(p.hosts->host(0).name, nameOf(0));
    QCOMPARE(p.hosts->host(0).address, addressOf(0));
}

void TestHostsPage::editEmptyNameBecomesIpHost()
{
    Page p(1);
    onNextDialog([](THostEditDlg* d) {
        d->nameEdit()->clear();
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    });
    p.page->actEditHostExecute();
    QCOMPARE(p.hosts->nameText(0), QStringLiteral("IPホスト"));
    QCOMPARE(p.hosts->host(0).address, addressOf(0));
}

void TestHostsPage::editEscapeChangesNothing()
{
    Page p(1);
    bool closed = false;
    onNextDialog([&closed](THostEditDlg* d) {
        d->nameEdit()->setText(QStringLiteral("x"));
        d->addressEdit()->setText(QStringLiteral("y"));
        QTest::keyClick(d->nameEdit(), Qt::Key_Escape);
        closed = !d->isVisible();
    });
    p.page->findChild<QAction*>(QStringLiteral("Edit3"))->trigger();
    QVERIFY(closed);
    QCOMPARE(p.hosts->host(0).name, nameOf(0));
    QCOMPARE(p.hosts->host(0).address, addressOf(0));
}

void TestHostsPage::editOnEmptyListOpensNothing()
{
    Page p;
    bool seen = true;
    onNextDialog([](THostEditDlg*) {}, &seen);
    p.page->actEditHostExecute();
    QCoreApplication::processEvents(); // the check above runs here when no dialog ran an event loop
    QVERIFY(!seen);
    QCOMPARE(p.hosts->hostCount(), 0);
}

void TestHostsPage::boldNamesForLiveHosts()
{
    Page p(3);
    QVERIFY(QTest::qWaitForWindowExposed(p.page.get()));
    QVERIFY(qobject_cast<HostNameDelegate*>(p.grid->itemDelegate()));
    p.click(2); // keep the selection off row 1
    const QRect cell = p.grid->visualRect(p.hosts->index(1, HostGridModel::NameColumn));
    auto cellImage = [&] { return p.grid->viewport()->grab(cell).toImage(); };
    const QImage regular = cellImage();
    p.hosts->setStatus(1, QStringLiteral("3/16[25]"));
    const QImage bold = cellImage();
    QVERIFY(bold != regular);
    QVERIFY(HostNameDelegate::isBold(p.hosts->index(1, HostGridModel::NameColumn)));
    QVERIFY(!HostNameDelegate::isBold(p.hosts->index(1, HostGridModel::AddressColumn)));
    QVERIFY(!HostNameDelegate::isBold(p.hosts->index(0, HostGridModel::NameColumn)));
    p.hosts->clearStatuses();
    QCOMPARE(cellImage(), regular);
}

void TestHostsPage::schemeColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<QRgb>("header");
    QTest::newRow("標準") << QStringLiteral("標準") << qRgb(255, 255, 255) << qRgb(192, 220, 192);
    QTest::newRow("マトリックス") << QStringLiteral("マトリックス") << qRgb(0, 0, 0) << qRgb(0, 64, 0);
    QTest::newRow("Varsity") << QStringLiteral("Varsity") << qRgb(134, 129, 106) << qRgb(113, 30, 2);
}

void TestHostsPage::schemeColours()
{
    QFETCH(QString, name);
    QFETCH(QRgb, background);
    QFETCH(QRgb, header);
    Page p(1);
    QVERIFY(QTest::qWaitForWindowExposed(p.page.get()));
    p.page->ApplyHostViewColor(name);
    QCOMPARE(p.grid->scheme().name, name);
    const QPoint emptyCell = p.cellCentre(5, HostGridModel::AddressColumn);
    QCOMPARE(QColor(pixelAt(p.grid->viewport(), emptyCell)), QColor(background));
    QHeaderView* h = p.grid->horizontalHeader();
    const QPoint headerCell(h->sectionViewportPosition(2) + 10, 1);
    QCOMPARE(QColor(pixelAt(h->viewport(), headerCell)), QColor(header));
    QCOMPARE(p.grid->palette().color(QPalette::Text), QColor(hostViewScheme(name).text));
}

QTEST_MAIN(TestHostsPage)
#include "tst_HostsPage.moc"

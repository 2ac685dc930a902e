// SPDX-License-Identifier: MIT
#include "hosts/HostGridModel.h"
#include "hosts/HostListTransfer.h"
#include "hosts/THostList.h"
#include "hosts/THostListDlg.h"
#include "platform/Cp932.h"
#include "platform/ProfileFile.h"
#include "support/LoopbackHttpServer.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

const QByteArray ListPath = "/Morvane/archives/hostlist.txt";

QByteArray entry(int n, const QByteArray& name, const QByteArray& address)
{
    const QByteArray k = QByteArray::number(n);
    return "Hostname:" + k + '=' + name + "\r\nHostIP:" + k + '=' + address + "\r\n";
}

// Runs step on the web list dialog once it is up, then makes sure it is closed, so that a test can
// never hang on a dialog it failed to end. The download comes first, so it watches until its end.
class DialogDriver
{
public:
    explicit DialogDriver(std::function<void(THostListDlg*)> step = {}) : m_step(std::move(step))
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<THostListDlg*>(QApplication::activeModalWidget());
            if (!dialog || seen)
                return;
            seen = true;
            if (m_step)
                m_step(dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
        m_poll.start(10);
    }
    bool seen = false;

private:
    std::function<void(THostListDlg*)> m_step;
    QTimer m_poll;
};

struct Fixture
{
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    QWidget window;
    HostGridModel hosts;
    HostListTransfer transfer{prompter, hosts, folder.path(), &window};

    explicit Fixture(const QByteArray& url = {})
    {
        if (!url.isEmpty())
            transfer.readSettings(ProfileFile::fromBytes("[Network]\r\nHostListURL=" + url + "\r\n"));
        window.show();
    }
    QString tempFile() const { return folder.filePath(QStringLiteral("hostlist.tmp")); }
    void fill(int count)
    {
        for (int i = 0; i < count; ++i)
            hosts.appendHost("host" + QByteArray::number(i), "10.0.0." + QByteArray::number(i) + ":2346");
    }
};

struct Row
{
    QString name, address, mark;
    bool checked;
    bool operator==(const Row&) const = default;
};

QList<Row> rowsOf(THostListDlg* d)
{
    QList<Row> out;
    QTableWidget* v = d->hostsView();
    for (int r = 0; r < v->rowCount(); ++r)
        out.append({v->item(r, 0)->text(), v->item(r, 1)->text(), v->item(r, 2)->text(), d->isChecked(r)});
    return out;
}

} // namespace

namespace QTest {
template <> char* toString(const Row& r)
{
    return qstrdup(QStringLiteral("%1|%2|%3|%4").arg(r.name, r.address, r.mark).arg(r.checked).toUtf8().constData());
}
} // namespace QTest

class TestHostListForm : public QObject
{
    Q_OBJECT
private slots:
    void webListIsListedMarkedAndImported();
    void importIntoANearlyFullList();
    void failedDownloads_data();
    void failedDownloads();
    void withoutAUrlItExplainsWhereToSetIt();
    void theFirstRunQuestionSurvivesAFailedDownload();
    void allTicksEveryRow();
    void newHostsAreMarkedInBlue();
    void importFromAFile();
    void importFromAnUnreadableFile();
    void exportToAFile();
    void importingWaitsForTheStatusCheck();
};

void TestHostListForm::webListIsListedMarkedAndImported()
{
    LoopbackHttpServer server;
    const QByteArray japanese = TestFolders::readFile(QStringLiteral(HOSTS_DATA_DIR "/weblist_japanese.txt"));
    // The fixture's two entries, then ours: one registered, one registered in other case.
    const QByteArray body =
        japanese + entry(3, "Mine again", "host.example:2346") + entry(4, "Shouting", "HOST.example:2346");
    server.serve(ListPath, body);
    Fixture f(server.url(ListPath));
    f.hosts.appendHost("mine", "host.example:2346");
    f.prompter.answers << true;

    QList<Row> rows;
    DialogDriver driver([&](THostListDlg* d) {
        rows = rowsOf(d);
        d->setChecked(0, false); // keep the first one out
        QTest::mouseClick(d->importButton(), Qt::LeftButton);
        QVERIFY(!d->isVisible());
    });
    f.transfer.checkWebHostListAction()->trigger();
    QTRY_VERIFY(driver.seen);

    const QList<Row> expected{
        {QStringLiteral("ソフト表示の部屋"), QStringLiteral("192.0.2.10:2346"), QStringLiteral("新規ホスト"), true},
        {QStringLiteral("Ｇｈｏｓｔ鯖"), QStringLiteral("192.0.2.11:2346"), QStringLiteral("新規ホスト"), true},
        {QStringLiteral("Mine again"), QStringLiteral("host.example:2346"), QStringLiteral("登録済み"), false},
        {QStringLiteral("Shouting"), QStringLiteral("HOST.example:2346"), QStringLiteral("新規ホスト"), true},
    };
    QCOMPARE(rows, expected);
    // Kept as received, and asked for without a cached copy.
    QCOMPARE(TestFolders::readFile(f.tempFile()), body);
    QCOMPARE(server.requests().constFirst().header("Cache-Control"), QByteArrayLiteral("no-cache"));
    // Rows 2 and 4 were checked and appended, in order.
    QCOMPARE(f.hosts.hostCount(), 3);
    QCOMPARE(f.hosts.nameText(1), QStringLiteral("Ｇｈｏｓｔ鯖"));
    QCOMPARE(f.hosts.host(2).address, QByteArrayLiteral("HOST.example:2346"));
    QCOMPARE(f.prompter.texts(), (QStringList{QStringLiteral("指定されたホストの情報を取り込みますか？"),
                                              QStringLiteral("2 件のホスト情報を取り込みました")}));
}

void TestHostListForm::importIntoANearlyFullList()
{
    Fixture f;
    f.fill(48);
    THostListDlg d(f.prompter, f.hosts, f.folder.path(), &f.window);
    QList<WebHostEntry> entries;
    for (int i = 0; i < 5; ++i)
        entries.append({"web" + QByteArray::number(i), "10.9.0." + QByteArray::number(i) + ":1", false, true});
    d.setEntries(entries);
    f.prompter.answers << true;
    d.btnImportClick();
    const QString full = QStringLiteral("これ以上ホストを追加できません。不必要なホスト情報を削除してください");
    QCOMPARE(f.prompter.texts(), (QStringList{QStringLiteral("指定されたホストの情報を取り込みますか？"), full, full,
                                              full, QStringLiteral("2 件のホスト情報を取り込みました")}));
    QCOMPARE(f.prompter.asked.at(1).icon, Prompter::Icon::Warning);
    QCOMPARE(f.hosts.hostCount(), 50);
    QCOMPARE(f.hosts.host(49).name, QByteArrayLiteral("web1"));
    QCOMPARE(d.result(), int(QDialog::Accepted));

    // "No" imports nothing and leaves the dialog as it was.
    ScriptedPrompter no;
    Fixture g;
    THostListDlg e(no, g.hosts, g.folder.path(), &g.window);
    e.setEntries(entries);
    no.answers << false;
    e.btnImportClick();
    QCOMPARE(g.hosts.hostCount(), 0);
    QCOMPARE(no.asked.size(), 1);
}

void TestHostListForm::failedDownloads_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("reason"); // a part of the message
    QTest::addColumn<bool>("tempWritten");
    // How each transfer failure reads is the HTTP client's own table; here, that any one is shown
    // and keeps the earlier download.
    QTest::newRow("404") << QByteArrayLiteral("/missing") << QStringLiteral("404") << false;
    QTest::newRow("over 1 MiB") << QByteArrayLiteral("/huge") << QStringLiteral("1048576") << false;
    QTest::newRow("an error page with 200")
        << QByteArrayLiteral("/page") << QStringLiteral("取り込めるホストがありませんでした") << true;
}

void TestHostListForm::failedDownloads()
{
    QFETCH(QByteArray, path);
    QFETCH(QString, reason);
    QFETCH(bool, tempWritten);
    LoopbackHttpServer server;
    server.serve("/huge", QByteArray((1 << 20) + 1, 'x'));
    server.serve("/page", "<html><body>Not here</body></html>", 200, "text/html");
    Fixture f(server.url(path));
    // A previous download stays when this one fails.
    TestFolders::writeFile(f.tempFile(), "previous");
    DialogDriver driver;
    f.transfer.checkWebHostListAction()->trigger();
    QTRY_COMPARE(f.prompter.asked.size(), 1);
    QVERIFY(!driver.seen);
    QVERIFY2(f.prompter.asked[0].text.contains(reason), qPrintable(f.prompter.asked[0].text));
    QCOMPARE(TestFolders::readFile(f.tempFile()) != "previous", tempWritten);
    QCOMPARE(f.hosts.hostCount(), 0);
    QVERIFY(f.window.isEnabled());
}

void TestHostListForm::withoutAUrlItExplainsWhereToSetIt()
{
    Fixture f;
    QVERIFY(!f.transfer.webListOpener());
    f.transfer.checkWebHostListAction()->trigger();
    QCOMPARE(f.prompter.asked.size(), 1);
    const QString text = f.prompter.asked[0].text;
    for (const char* word : {"Morvane.ini", "[Network]", "HostListURL", "/Morvane/archives/hostlist.txt"})
        QVERIFY2(text.contains(QLatin1String(word)), qPrintable(text));
}

void TestHostListForm::theFirstRunQuestionSurvivesAFailedDownload()
{
    Fixture f("http://127.0.0.1:" + QByteArray::number(LoopbackHttpServer::unusedPort()) + ListPath);
    f.prompter.answers << true;
    THostList list(f.hosts);
    // The opener shows the failure itself: nothing is thrown into the start-up.
    QVERIFY(list.CheckHostListFile(f.folder.filePath(THostList::fileName()), f.prompter, f.transfer.webListOpener()));
    QTRY_COMPARE(f.prompter.asked.size(), 2);
    QCOMPARE(f.prompter.asked[1].icon, Prompter::Icon::Error);
    QVERIFY(!QFile::exists(f.tempFile()));
}

void TestHostListForm::allTicksEveryRow()
{
    Fixture f;
    f.hosts.appendHost("mine", "1.1.1.1:1");
    THostListDlg d(f.prompter, f.hosts, f.folder.path(), &f.window);
    d.setEntries(
        webhostlist::read("[HostList]\r\n" + entry(1, "a", "1.1.1.1:1") + entry(2, "b", "2.2.2.2:2"), f.hosts));
    d.show();
    QCOMPARE(d.isChecked(0), false);
    QCOMPARE(d.isChecked(1), true);
    QTest::mouseClick(d.allBox(), Qt::LeftButton, {}, QPoint(5, d.allBox()->height() / 2));
    QVERIFY(d.allBox()->isChecked());
    QVERIFY(d.isChecked(0) && d.isChecked(1));
    QTest::mouseClick(d.allBox(), Qt::LeftButton, {}, QPoint(5, d.allBox()->height() / 2));
    QVERIFY(!d.isChecked(0) && !d.isChecked(1));
}

void TestHostListForm::newHostsAreMarkedInBlue()
{
    Fixture f;
    f.hosts.appendHost("mine", "1.1.1.1:1");
    THostListDlg d(f.prompter, f.hosts, f.folder.path(), &f.window);
    d.setEntries(
        webhostlist::read("[HostList]\r\n" + entry(1, "a", "2.2.2.2:2") + entry(2, "b", "1.1.1.1:1"), f.hosts));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    QTableWidget* v = d.hostsView();
    v->clearSelection();
    const QImage image = v->viewport()->grab().toImage();
    // The first clearly blue pixel of each mark cell, if any (the glyphs' edges are blended).
    auto isBlue = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 90 && qGreen(c) < 90; };
    auto firstBlue = [&](int row) -> QPoint {
        const QRect cell = v->visualRect(v->model()->index(row, THostListDlg::MarkColumn));
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (isBlue(image.pixel(x, y)))
                    return QPoint(x - cell.left(), y - cell.top());
        return QPoint(-1, -1);
    };
    const QPoint blue = firstBlue(0);
    QVERIFY2(blue.x() >= 4 && blue.y() >= 2, qPrintable(QStringLiteral("%1,%2").arg(blue.x()).arg(blue.y())));
    QCOMPARE(firstBlue(1), QPoint(-1, -1));
}

void TestHostListForm::importFromAFile()
{
    Fixture f;
    f.fill(45);
    HostGridModel ten;
    for (int i = 0; i < 10; ++i)
        ten.appendHost("file" + QByteArray::number(i), "10.3.0." + QByteArray::number(i) + ":2346");
    const QString path = f.folder.filePath(QStringLiteral("ten.txt"));
    THostList(ten).ExportHostList(path);
    f.prompter.answers << path;
    f.transfer.importAction()->trigger();
    QCOMPARE(f.hosts.hostCount(), 50);
    QCOMPARE(f.hosts.host(45).name, QByteArrayLiteral("file0"));
    QCOMPARE(f.prompter.asked.size(), 1); // the dialog only: no message follows

    // Cancelled: nothing.
    f.transfer.importAction()->trigger();
    QCOMPARE(f.prompter.asked.size(), 2);
    QCOMPARE(f.hosts.hostCount(), 50);
}

void TestHostListForm::importFromAnUnreadableFile()
{
    Fixture f;
    f.prompter.answers << f.folder.path(); // a folder where a file was expected
    f.transfer.importAction()->trigger();
    QCOMPARE(f.prompter.asked.size(), 2);
    QCOMPARE(f.prompter.asked[1].icon, Prompter::Icon::Error);
    QVERIFY2(f.prompter.asked[1].text.contains(QStringLiteral("を読み込めません")),
             qPrintable(f.prompter.asked[1].text));
}

void TestHostListForm::exportToAFile()
{
    Fixture f;
    f.fill(3);
    const QString path = f.folder.filePath(QStringLiteral("out.txt"));
    f.prompter.answers << path;
    f.transfer.exportAction()->trigger();
    const ProfileFile written(path);
    int keys = 0;
    for (int n = 1; n <= 50; ++n)
        keys += written.hasKey("HostList", "Hostname" + QByteArray::number(n)) +
                written.hasKey("HostList", "HostIP" + QByteArray::number(n));
    QCOMPARE(keys, 6);
    QCOMPARE(f.prompter.texts().last(), QStringLiteral("3 件のデータをエクスポートしました"));

    // An empty list into a new file: no file and no message.
    Fixture g;
    const QString none = g.folder.filePath(QStringLiteral("none.txt"));
    g.prompter.answers << none;
    g.transfer.exportAction()->trigger();
    QVERIFY(!QFile::exists(none));
    QCOMPARE(g.prompter.asked.size(), 1);
}

void TestHostListForm::importingWaitsForTheStatusCheck()
{
    Fixture f;
    f.transfer.setCheckIdle(false);
    QVERIFY(!f.transfer.importAction()->isEnabled());
    QVERIFY(!f.transfer.checkWebHostListAction()->isEnabled());
    QVERIFY(f.transfer.exportAction()->isEnabled());
    f.transfer.setCheckIdle(true);
    QVERIFY(f.transfer.importAction()->isEnabled());

    // The web list's own download keeps its menu item off, and a check that starts while the list
    // shows keeps the import off.
    LoopbackHttpServer server;
    server.hold(ListPath);
    Fixture g(server.url(ListPath));
    g.transfer.checkWebHostListAction()->trigger();
    QTRY_COMPARE(server.heldCount(), 1);
    g.transfer.setCheckIdle(true);
    QVERIFY(!g.transfer.checkWebHostListAction()->isEnabled());
    bool importEnabled = true;
    DialogDriver driver([&](THostListDlg* d) {
        g.transfer.setCheckIdle(false);
        importEnabled = d->importButton()->isEnabled();
        g.transfer.setCheckIdle(true);
    });
    server.release("[HostList]\r\n" + entry(1, "a", "192.0.2.1:1"));
    QTRY_VERIFY(driver.seen);
    QVERIFY(!importEnabled);
    QVERIFY(g.transfer.checkWebHostListAction()->isEnabled());
}

QTEST_MAIN(TestHostListForm)
#include "tst_HostListForm.moc"

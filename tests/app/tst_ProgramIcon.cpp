// SPDX-License-Identifier: MIT
// The program's own icon: its renderings, the notification area, the about box and, on a real X
// server, the running program's window.
#include "app/TAboutBox.h"
#include "app/TrayController.h"
#include "support/TestFolders.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <unistd.h>

namespace {

// Pixmaps hold premultiplied pixels: compare in that form, as a round trip to straight alpha rounds.
QImage argb(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32_Premultiplied); }

// Ends a child process on every way out of a test, a failed check included.
struct Reaper
{
    QProcess& process;
    ~Reaper()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

} // namespace

class TestProgramIcon : public QObject
{
    Q_OBJECT
private slots:
    void renderingIsDrawnAtItsSize_data();
    void renderingIsDrawnAtItsSize();
    void trayShowsTheProgramIcon();
    void aboutBoxShowsTheProgramIcon();
    void programWindowCarriesTheIcon();

private:
    static bool startX(QProcess& server, int& display);
};

void TestProgramIcon::renderingIsDrawnAtItsSize_data()
{
    QTest::addColumn<bool>("tray");
    QTest::addColumn<int>("size");
    // The sizes a window's title bar and task list ask for, and those of a notification area.
    for (int size : {16, 32, 48})
        QTest::addRow("window %dpx", size) << false << size;
    for (int size : {16, 22, 24})
        QTest::addRow("tray %dpx", size) << true << size;
}

void TestProgramIcon::renderingIsDrawnAtItsSize()
{
    QFETCH(bool, tray);
    QFETCH(int, size);
    // Each size must come as drawn, not scaled from another one.
    const QIcon icon = tray ? TrayController::trayIcon() : TrayController::programIcon();
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
    const QImage drawn(QStringLiteral(":/icons/%1x%1/morvane.png").arg(size));
    QCOMPARE(drawn.size(), QSize(size, size));
    QCOMPARE(argb(pixmap.toImage()), argb(drawn));
    // Opaque in the middle: the field behind the reticle keeps it readable on any panel.
    QCOMPARE(qAlpha(drawn.pixel(size / 2, size / 2)), 255);
}

void TestProgramIcon::trayShowsTheProgramIcon()
{
    QWidget window;
    QMenu menu;
    TrayController tray(&window, &menu);
    auto* icon = tray.findChild<QSystemTrayIcon*>(QStringLiteral("TrayIcon"));
    QVERIFY(icon);
    QVERIFY(!icon->icon().isNull());
    // The small sizes a tray asks for are the ones drawn for it.
    for (int size : {16, 22, 24}) {
        const QImage shown = icon->icon().pixmap(QSize(size, size), 1.0).toImage();
        QCOMPARE(argb(shown), argb(QImage(QStringLiteral(":/icons/%1x%1/morvane.png").arg(size))));
    }
}

void TestProgramIcon::aboutBoxShowsTheProgramIcon()
{
    TAboutBox box;
    auto* label = box.findChild<QLabel*>(QStringLiteral("ProgramIcon"));
    QVERIFY(label);
    const QPixmap shown = label->pixmap();
    QVERIFY(!shown.isNull());
    const QPixmap ours = TrayController::programIcon().pixmap(shown.size(), shown.devicePixelRatio());
    QCOMPARE(argb(shown.toImage()), argb(ours.toImage()));
}

// An X server of our own on a display number that nobody uses; -displayfd reports when it is ready.
bool TestProgramIcon::startX(QProcess& server, int& display)
{
    const int first = 200 + static_cast<int>(::getpid() % 500);
    for (display = first; display < first + 20; ++display) {
        // -noreset: a server resets when its last client leaves and refuses whoever connects
        // meanwhile, so a search that ends before the program connects would turn the program away.
        const QStringList args = {
            QStringLiteral(":%1").arg(display), QStringLiteral("-displayfd"), QStringLiteral("1"),
            QStringLiteral("-noreset"),         QStringLiteral("-nolisten"),  QStringLiteral("tcp"),
            QStringLiteral("-screen"),          QStringLiteral("0"),          QStringLiteral("800x600x24")};
        server.start(QStringLiteral("Xvfb"), args);
        if (!server.waitForStarted(5000))
            return false;
        // A display in use ends the server at once; a free one prints its number when it listens.
        QDeadlineTimer deadline(10000);
        while (server.state() == QProcess::Running && !server.canReadLine() && !deadline.hasExpired())
            server.waitForReadyRead(100);
        if (server.state() == QProcess::Running && server.canReadLine())
            return true;
        server.kill();
        server.waitForFinished(1000);
    }
    return false;
}

void TestProgramIcon::programWindowCarriesTheIcon()
{
    for (const char* tool : {"Xvfb", "xdotool", "xprop"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            QSKIP("needs Xvfb, xdotool and xprop (scripts/deps installs xvfb, xdotool and x11-utils)");

    QProcess server;
    server.setStandardErrorFile(QProcess::nullDevice());
    Reaper serverReaper{server};
    int display = 0;
    QVERIFY2(startX(server, display), "no X server could be started");

    TestFolders folders;
    const QString runtime = folders.path(QStringLiteral("runtime"));
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    TestFolders::writeFile(folders.program(QStringLiteral("Morvane.ini")),
                           QByteArrayLiteral("[Path]\r\nGhostReconPath=") + folders.gameFolder().toUtf8() +
                               QByteArrayLiteral("\r\n[StartUp]\r\nGetIP=0\r\n"));
    TestFolders::writeFile(folders.program(QStringLiteral("hostlist.txt")),
                           QByteArrayLiteral("[HostList]\r\nHostname1=A\r\nHostIP1=127.0.0.1:2346\r\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("MORVANE_HOME"), folders.programFolder());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);

    QProcess program;
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    Reaper programReaper{program};
    program.start(QStringLiteral(MORVANE_PROGRAM), {});
    QVERIFY(program.waitForStarted());

    auto x11 = [&env](const QString& tool, const QStringList& args) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(tool, args);
        if (!p.waitForFinished(10000))
            p.kill();
        return p.readAllStandardOutput();
    };
    const QStringList search = {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                QString::number(program.processId())};
    QByteArray windows;
    QDeadlineTimer shown(20000);
    while ((windows = x11(QStringLiteral("xdotool"), search).trimmed()).isEmpty() && !shown.hasExpired() &&
           program.state() == QProcess::Running)
        QTest::qWait(100);
    // What the program said tells why no window came: a display it could not reach, a crash.
    const QByteArray why =
        (program.state() == QProcess::Running ? QByteArray("program still running: ")
                                              : "program ended with " + QByteArray::number(program.exitCode()) + ": ") +
        program.readAll();
    QVERIFY2(!windows.isEmpty(), why.constData());
    const QString window = QString::fromLatin1(windows.split('\n').first());
    const QByteArray icon =
        x11(QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_ICON")});
    // The window manager's title bar and task switcher show the small renderings.
    QVERIFY2(icon.contains("Icon (16 x 16)"), icon.left(200).constData());
    QVERIFY2(icon.contains("Icon (32 x 32)"), icon.left(200).constData());

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), 0);
}

QTEST_MAIN(TestProgramIcon)
#include "tst_ProgramIcon.moc"

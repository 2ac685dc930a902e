// SPDX-License-Identifier: MIT
#include "app/TMainForm.h"

#include "app/AboutDlg.h"
#include "app/GameFolder.h"
#include "game/GameInstallation.h"
#include "app/HostTab.h"
#include "app/LinksPage.h"
#include "app/TrayController.h"
#include "hosts/HostViewScheme.h"
#include "hosts/HostsPage.h"
#include "hosts/THostList.h"
#include "launch/AddressBar.h"
#include "launch/AddressHistory.h"
#include "launch/DirectIPConnect.h"
#include "launch/GameLauncher.h"
#include "launch/StateInfo.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "platform/UiFont.h"
#include "status/QueryFiles.h"
#include "status/StatusCheck.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 394;
const QString historyFileName = QStringLiteral("iphistory.txt");
constexpr int ClientHeight = 446;

struct IntervalItem
{
    const char* name;
    const char16_t* caption;
    quint32 interval;
};

constexpr IntervalItem intervalItems[] = {
    {"NI10", u"10秒", 10000},   {"NI20", u"20秒", 20000},   {"NI30", u"30秒", 30000},   {"NI60", u"１分", 60000},
    {"NI120", u"２分", 120000}, {"NI180", u"３分", 180000}, {"NI300", u"５分", 300000},
};

const char16_t* const musicLabels[6] = {u"メインテーマ",        u"アクション＆メイン画面", u"ミッションロード中1",
                                        u"ミッションロード中2", u"ミッション成功",         u"ミッション失敗"};

} // namespace

TMainForm::TMainForm(Prompter& prompter, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("モルベーン"));
    setFont(uiFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_history = new AddressHistory(this);
    m_launcher = new GameLauncher(m_prompter, this);
    m_launcher->setWindowParent(this);
    m_launcher->setGameFolderSource([this] { return m_gameFolder; });
    createMenus();
    createTabs();
    wireSubsystems();
    m_tray = new TrayController(this, m_trayMenu, this);
    connect(m_tray, &TrayController::iconDoubleClicked, this, &TMainForm::N7Click);
    // The client area is fixed; the menu bar sits above it, as on Windows.
    centralWidget()->setFixedSize(ClientWidth, ClientHeight);
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(212, 141);
}

TMainForm::~TMainForm() = default;

QAction* TMainForm::action(const QString& objectName) const { return m_actions.value(objectName); }

bool TMainForm::trayMode() const { return m_tray->trayMode(); }

void TMainForm::connectGuarded(QAction* action, std::function<void()> handler)
{
    connect(action, &QAction::triggered, this, guarded(m_prompter, [handler = std::move(handler)] { handler(); }));
}

QAction* TMainForm::addAction(QMenu* menu, const QString& name, const QString& caption, bool enabled)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setEnabled(enabled);
    if (menu)
        menu->addAction(a);
    m_actions.insert(name, a);
    return a;
}

QAction* TMainForm::checkable(QMenu* menu, const QString& name, const QString& caption, bool checked)
{
    QAction* a = addAction(menu, name, caption);
    a->setCheckable(true);
    a->setChecked(checked);
    return a;
}

void TMainForm::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(QStringLiteral("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    addAction(file, QStringLiteral("ReloadConfigFile"), QStringLiteral("設定ファイル再読込(&R)"), false);
    QMenu* hostList = file->addMenu(QStringLiteral("ホストリスト"));
    hostList->setObjectName(QStringLiteral("HostList1"));
    addAction(hostList, QStringLiteral("Import1"), QStringLiteral("インポート"), false);
    addAction(hostList, QStringLiteral("Export1"), QStringLiteral("エクスポート"), false);
    hostList->addSeparator();
    addAction(hostList, QStringLiteral("CheckWebHostList1"), QStringLiteral("最新ホストリストをチェック"), false);
    connectGuarded(addAction(file, QStringLiteral("IP2"), QStringLiteral("IP履歴のクリア")),
                   [this] { m_hostTab->addressBar()->IP2Click(); });
    file->addSeparator();
    connectGuarded(addAction(file, QStringLiteral("Exit1"), QStringLiteral("終了(&X)")), [this] { Exit1Click(); });

    QMenu* options = bar->addMenu(QStringLiteral("オプション(&O)"));
    options->setObjectName(QStringLiteral("Option1"));
    options->setToolTipsVisible(true);
    checkable(options, QStringLiteral("N3"), QStringLiteral("起動時にＩＰを取得"), true)->setEnabled(false);
    connectGuarded(checkable(options, QStringLiteral("N11"), QStringLiteral("最小化でタスクトレイに入る"), false),
                   [this] { N11Click(); });
    QAction* n12 =
        checkable(options, QStringLiteral("N12"), QStringLiteral("終了までタスクトレイで起動し続ける"), false);
    n12->setToolTip(QStringLiteral("メニューから終了しない限り、終了しません"));
    connectGuarded(n12, [this] { N12Click(); });
    options->addSeparator();
    checkable(options, QStringLiteral("MOD1"), QStringLiteral("MODリストを常にアルファベット順に並べる"), false)
        ->setEnabled(false);
    options->addSeparator();
    checkable(options, QStringLiteral("N22"), QStringLiteral("稼働中ホストを優先して並べる"), false);

    QMenu* interval = options->addMenu(QStringLiteral("ホストチェック間隔"));
    interval->setObjectName(QStringLiteral("HostCheckInterval1"));
    m_intervalGroup = new QActionGroup(this);
    m_intervalGroup->setExclusive(true);
    for (const IntervalItem& item : intervalItems) {
        QAction* a = checkable(interval, QString::fromLatin1(item.name), QString::fromUtf16(item.caption),
                               item.interval == 10000);
        a->setData(item.interval);
        m_intervalGroup->addAction(a);
    }

    QMenu* colours = options->addMenu(QStringLiteral("ホストビューカラー"));
    colours->setObjectName(QStringLiteral("HostViewColor1"));
    m_colorGroup = new QActionGroup(this);
    m_colorGroup->setExclusive(true);
    // "標準" and "マトリックス" tick themselves; "Varsity" neither ticks nor clears the others.
    for (const auto& [name, caption] : {std::pair{"N26", u"標準"}, std::pair{"N27", u"マトリックス"}}) {
        QAction* a = checkable(colours, QString::fromLatin1(name), QString::fromUtf16(caption), false);
        m_colorGroup->addAction(a);
        connectGuarded(a, [this, a] { ApplyHostViewColor(a->text()); });
    }
    QAction* varsity = addAction(colours, QStringLiteral("Varsity1"), QStringLiteral("Varsity"));
    connectGuarded(varsity, [this, varsity] { ApplyHostViewColor(varsity->text()); });
    options->addSeparator();
    connectGuarded(addAction(options, QStringLiteral("GR1"), QStringLiteral("GhostReconフォルダ指定")),
                   [this] { GR1Click(); });

    QAction* about = addAction(nullptr, QStringLiteral("About1"), QStringLiteral("バージョン情報(&A)"));
    bar->addAction(about);
    connectGuarded(about, [this] { About1Click(); });

    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenuOnTray"));
    connectGuarded(addAction(m_trayMenu, QStringLiteral("N7"), QStringLiteral("モルベーンを表示")),
                   [this] { N7Click(); });
    m_trayMenu->addSeparator();
    connectGuarded(addAction(m_trayMenu, QStringLiteral("GhostRecon1"), QStringLiteral("Ghost Recon起動")),
                   [this] { m_launcher->BtnStartGRClick(); });
    connectGuarded(addAction(m_trayMenu, QStringLiteral("IP1"), QStringLiteral("IP指定接続")), [this] { IP1Click(); });
    m_trayMenu->addSeparator();
    connectGuarded(addAction(m_trayMenu, QStringLiteral("N8"), QStringLiteral("モルベーンを終了")),
                   [this] { Exit1Click(); });
}

void TMainForm::createTabs()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    auto addPage = [this](const QString& name, const QString& caption, QWidget* page = nullptr) {
        if (!page)
            page = new QWidget;
        page->setObjectName(name);
        m_tabs->addTab(page, caption);
        return page;
    };
    m_hostTab = new HostTab(m_prompter, m_programFolder, *m_history, *m_launcher);
    addPage(QStringLiteral("TabHost"), QStringLiteral("ホスト"), m_hostTab);
    addPage(QStringLiteral("TabMod"), QStringLiteral("MOD"));
    addPage(QStringLiteral("TabMultiplay"), QStringLiteral("ﾏﾙﾁﾌﾟﾚｲ"));
    addPage(QStringLiteral("TabScreenShot"), QStringLiteral("SSビュー"));

    auto* general = new QTabWidget;
    general->setObjectName(QStringLiteral("PageControl2"));
    auto* generalPage = new QWidget;
    generalPage->setObjectName(QStringLiteral("TabGeneral1"));
    general->addTab(generalPage, QStringLiteral("一般"));
    auto* musicPage = new QWidget;
    musicPage->setObjectName(QStringLiteral("TabMusic"));
    auto* musicLayout = new QFormLayout(musicPage);
    for (int i = 0; i < 6; ++i) {
        m_musicEdits[i] = new QLineEdit(musicPage);
        m_musicEdits[i]->setObjectName(QStringLiteral("LabeledEdit%1").arg(i + 1));
        m_musicEdits[i]->setReadOnly(true);
        musicLayout->addRow(QString::fromUtf16(musicLabels[i]), m_musicEdits[i]);
    }
    general->addTab(musicPage, QStringLiteral("ミュージック"));
    addPage(QStringLiteral("TabGeneral"), QStringLiteral("全般"), general);
    addPage(QStringLiteral("TabLink"), QStringLiteral("リンク"), new LinksPage);
    layout->addWidget(m_tabs);

    m_startButton = new QPushButton(QStringLiteral("Ghost Recon起動"), central);
    m_startButton->setObjectName(QStringLiteral("BitBtn1"));
    m_startButton->setToolTip(QStringLiteral("Ghost Reconを起動します"));
    connect(m_startButton, &QPushButton::clicked, this, guarded(m_prompter, [this] { m_launcher->BtnStartGRClick(); }));
    layout->addWidget(m_startButton);
    setCentralWidget(central);
}

void TMainForm::wireSubsystems()
{
    HostsPage* hosts = m_hostTab->hostsPage();
    connect(hosts, &HostsPage::joinRequested, this,
            guarded(m_prompter, [this](const QString& address, const QString& name) {
                m_launcher->LaunchGame(LaunchMode::Join, address, GameLauncher::statusText(LaunchMode::Join, name));
            }));

    StatusCheck* check = m_hostTab->statusCheck();
    QList<QAction*> intervals = m_intervalGroup->actions();
    check->connectIntervalMenu(intervals);
    QAction* n22 = action(QStringLiteral("N22"));
    check->setSortLiveHostsFirst([n22] { return n22->isChecked(); });

    m_stateInfo = new TStateInfoForm(this);
}

bool TMainForm::runStep(const std::function<void()>& step) { return handlerguard::run(m_prompter, step); }

void TMainForm::FormCreate()
{
    // The program folder came with construction; the defaults come before the settings.
    m_gameFolder = apppaths::defaultGameFolder();
    m_hostTab->statusCheck()->setInterval(10000);

    m_settingsLoaded = runStep([this] { LoadSettings(); });

    if (!gamefolder::EnsureGameFolder(m_prompter, m_gameFolder)) {
        m_endRequested = true;
        m_gameFolderUnusable = true;
    }

    m_hostListLoaded = runStep([this] {
        THostList list(m_hostTab->hostsPage()->hosts());
        const QString path = apppaths::join(m_programFolder, THostList::fileName());
        list.CheckHostListFile(path, m_prompter, {});
        list.LoadHostList(path);
    });

    m_tray->setTrayMode(action(QStringLiteral("N11"))->isChecked());

    if (!QFileInfo::exists(gameinstallation::optionsPath(m_gameFolder))) {
        m_prompter.message(
            Prompter::Icon::Error,
            QStringLiteral("設定ファイルが見つかりませんでした\r\nGhostReconを起動し、初期設定を行ってください"));
        m_endRequested = true;
        m_gameFolderUnusable = true;
    }

    N12Click();
    m_historyLoaded = runStep([this] {
        const QString path = apppaths::join(m_programFolder, historyFileName);
        if (QFileInfo::exists(path))
            m_history->loadFile(path);
    });
    runStep([this] { queryfiles::WriteQueryTemplates(m_programFolder); });
}

void TMainForm::FormDestroy()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_launcher->programEnding(); // games started from here go on running
    // The check thread must be gone before the grid it writes into.
    m_hostTab->statusCheck()->stopAndWait();
    // Each store is written on its own: one that cannot be written is reported, the others still are.
    if (m_hostListLoaded)
        runStep([this] {
            THostList(m_hostTab->hostsPage()->hosts())
                .SaveHostList(apppaths::join(m_programFolder, THostList::fileName()));
        });
    if (m_settingsLoaded)
        runStep([this] { SaveSettings(); });
    if (m_historyLoaded)
        runStep([this] { m_history->saveFile(apppaths::join(m_programFolder, historyFileName)); });
    queryfiles::deleteWorkFiles(m_programFolder);
}

void TMainForm::applySettings(const SettingsValues& v)
{
    m_gameFolder = v.gameFolder;
    action(QStringLiteral("N3"))->setChecked(v.getIp);
    action(QStringLiteral("N11"))->setChecked(v.inTray);
    action(QStringLiteral("N12"))->setChecked(v.noClose);
    action(QStringLiteral("MOD1"))->setChecked(v.sortModList);
    action(QStringLiteral("N22"))->setChecked(v.sortHost);
    ApplyHostViewColor(v.hostViewColor);
    m_hostTab->statusCheck()->setInterval(static_cast<quint32>(v.checkInterval));
    // An interval with no menu item of its own keeps the tick where it was.
    if (QAction* item = action(settings::intervalItemName(v.checkInterval));
        item && item->actionGroup() == m_intervalGroup)
        item->setChecked(true);
    for (int i = 0; i < 6; ++i)
        m_musicEdits[i]->setText(v.music[static_cast<std::size_t>(i)]);
    m_launcher->setGameRunner(v.gameRunner);
}

SettingsValues TMainForm::collectSettings() const
{
    SettingsValues v;
    v.gameFolder = m_gameFolder;
    v.getIp = action(QStringLiteral("N3"))->isChecked();
    v.inTray = action(QStringLiteral("N11"))->isChecked();
    v.noClose = action(QStringLiteral("N12"))->isChecked();
    v.sortModList = action(QStringLiteral("MOD1"))->isChecked();
    v.sortHost = action(QStringLiteral("N22"))->isChecked();
    v.hostViewColor = m_hostViewColor;
    v.checkInterval = static_cast<qint32>(m_hostTab->statusCheck()->interval());
    for (int i = 0; i < 6; ++i)
        v.music[static_cast<std::size_t>(i)] = m_musicEdits[i]->text();
    return v;
}

void TMainForm::LoadSettings()
{
    const QString path = settings::filePath(m_programFolder);
    if (!QFileInfo(path).isFile())
        return; // the designed values stay; the file is made at the end
    applySettings(settings::read(path, collectSettings()));
}

void TMainForm::SaveSettings() { settings::write(settings::filePath(m_programFolder), collectSettings()); }

void TMainForm::ApplyHostViewColor(const QString& name)
{
    const HostViewScheme scheme = hostViewScheme(name);
    m_hostTab->hostsPage()->setScheme(scheme);
    m_hostViewColor = scheme.name;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: unless closing is allowed, a close only minimises into the notification area.
    if (m_allowClose) {
        event->accept();
        FormDestroy();
        QApplication::quit();
        return;
    }
    event->ignore();
    m_tray->setTrayMode(true);
    m_tray->minimise();
}

void TMainForm::Exit1Click()
{
    m_allowClose = true;
    close();
}

void TMainForm::endSession()
{
    m_allowClose = true;
    // A question still open would hold the end up, or keep start-up waiting: cancel it.
    for (int i = 0; i < 16; ++i) {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal)
            break;
        modal->reject();
    }
    // Closed from the main loop, so that an end asked for during start-up still ends the program.
    QTimer::singleShot(0, this, [this] { close(); });
}

void TMainForm::N7Click() { m_tray->restore(); }

void TMainForm::N11Click() { m_tray->setTrayMode(action(QStringLiteral("N11"))->isChecked()); }

void TMainForm::N12Click() { m_allowClose = !action(QStringLiteral("N12"))->isChecked(); }

void TMainForm::About1Click()
{
    TAboutBox box(this);
    box.exec();
}

void TMainForm::bringToFront() { m_tray->restore(); }

void TMainForm::GR1Click()
{
    const std::optional<QString> chosen = gamefolder::chooseOtherInstallation(m_prompter, m_gameFolder);
    if (!chosen)
        return;
    m_gameFolder = *chosen;
    m_gameFolderUnusable = false;
    if (gamefolder::askReloadNewGame(m_prompter)) {
        // The new game's mods and options are read here once those pages exist.
    }
}

void TMainForm::IP1Click() { ipConnectionDialog()->exec(); }

TIPConnectionDlg* TMainForm::ipConnectionDialog()
{
    // Made on first use rather than at start-up; it then lives, and keeps its text, to the end.
    if (!m_ipDialog)
        m_ipDialog = new TIPConnectionDlg(m_prompter, *m_history, *m_launcher, this);
    return m_ipDialog;
}

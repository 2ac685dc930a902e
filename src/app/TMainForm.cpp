// SPDX-License-Identifier: MIT
#include "app/TMainForm.h"

#include "app/DeferredPage.h"
#include "app/GameFolder.h"
#include "app/HostTab.h"
#include "app/Language.h"
#include "app/LinksPage.h"
#include "app/TAboutBox.h"
#include "app/TrayController.h"
#include "game/GameInstallation.h"
#include "hosts/HostListTransfer.h"
#include "hosts/HostsPage.h"
#include "launch/AddressBar.h"
#include "launch/AddressHistory.h"
#include "launch/GameLauncher.h"
#include "launch/LaunchSettings.h"
#include "launch/NoticeWindow.h"
#include "launch/PublicAddressPanel.h"
#include "launch/TIPConnectionDlg.h"
#include "mods/ModsPage.h"
#include "music/MusicPage.h"
#include "options/GeneralPage.h"
#include "options/MultiplayPage.h"
#include "options/OptionsEditor.h"
#include "platform/AppPaths.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "platform/UiFont.h"
#include "screens/ScreenshotPage.h"
#include "status/ModJoin.h"
#include "status/QueryFiles.h"
#include "status/StatusCheck.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 394;
constexpr int ClientHeight = 446;

} // namespace

TMainForm::TMainForm(Prompter& prompter, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_programFolder(programFolder), m_settings(programFolder),
      m_settingsStore(
          prompter, [this] { LoadSettings(); }, [this] { SaveSettings(); }),
      m_historyStore(
          prompter, [this] { m_history->loadFile(historyPath()); }, [this] { m_history->saveFile(historyPath()); })
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(tr("モルベーン"));
    setFont(uiFont());
    // Only with CustomizeWindowHint do X11 window managers leave out the buttons not asked for.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    m_history = new AddressHistory(this);
    m_launcher = new GameLauncher(m_prompter, m_game, this);
    m_launcher->setWindowParent(this);
    m_notices = new NoticeWindow(this);
    createTabs();
    createMenus();
    m_tray = new TrayController(this, m_trayMenu, this);
    connect(m_tray, &TrayController::iconDoubleClicked, this, &TMainForm::N7Click);
    wireSubsystems();
    // The client area is fixed; the menu bar sits above it, as on Windows.
    centralWidget()->setFixedSize(ClientWidth, ClientHeight);
    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    move(212, 141);
}

TMainForm::~TMainForm()
{
    // The music page waits outside the window until its tab is first shown.
    if (m_music && !m_music->parent())
        delete m_music.data();
}

void TMainForm::wireSubsystems()
{
    // "このMODで接続": the dialog and the grid's item switch the mod tab's lists for the join.
    m_modJoin = new ModJoin(m_prompter, m_programFolder, m_mods->lists(), m_game, this);
    m_hostTab->attachModJoin(*m_modJoin, [this](QByteArrayView mod) { return m_mods->isInstalled(mod); });
    connect(m_modJoin, &ModJoin::runningChanged, m_mods, &ModsPage::setJoinLock);
    m_hostTab->attachTray(*m_tray);
    // Every page's one-second notice goes to the one shared window.
    connect(m_modJoin, &ModJoin::notice, m_notices, &NoticeWindow::show);
    connect(m_hostTab, &HostTab::notice, m_notices, &NoticeWindow::show);
    connect(m_hostTab, &HostTab::noticeRenewed, m_notices, &NoticeWindow::renew);
    connect(m_hostTab, &HostTab::noticeWithdrawn, m_notices, &NoticeWindow::withdraw);
    connect(m_mods, &ModsPage::notice, m_notices, &NoticeWindow::show);
    connect(m_options, &OptionsEditor::notice, m_notices, &NoticeWindow::show);
}

HostsPage* TMainForm::hostsPage() const { return m_hostTab->hostsPage(); }

StatusCheck* TMainForm::statusCheck() const { return m_hostTab->statusCheck(); }

bool TMainForm::trayMode() const { return m_tray->trayMode(); }

QString TMainForm::hostViewColorName() const { return hostsPage()->schemeName(); }

QAction* TMainForm::makeAction(const QString& name, const QString& caption, const std::function<void()>& handler,
                               bool checkable)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, guarded(m_prompter, handler));
    return a;
}

void TMainForm::createTabs()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    // Only the host tab is in the window at the start; the others take their pages in when first
    // shown (DeferredPage), so the start neither makes nor lays out what it does not show.
    auto addPage = [this](const QString& name, const QString& caption, QWidget* page) {
        page->setObjectName(name);
        m_tabs->addTab(page, caption);
    };
    auto addDeferred = [this](const QString& name, const QString& caption, QWidget* page) {
        page->setObjectName(name);
        m_tabs->addTab(new DeferredPage(page), caption);
    };
    auto addMade = [this](const QString& name, const QString& caption, const std::function<QWidget*()>& make) {
        m_tabs->addTab(new DeferredPage([name, make] {
                           QWidget* page = make();
                           page->setObjectName(name);
                           return page;
                       }),
                       caption);
    };
    m_hostTab = new HostTab(m_prompter, m_programFolder, *m_history, *m_launcher);
    m_mods = new ModsPage(m_prompter, m_programFolder, m_game);
    m_options = new OptionsEditor(
        m_prompter, m_game, [this] { m_mods->store().load(); }, this);
    addPage(QStringLiteral("TabHost"), tr("ホスト"), m_hostTab);
    addDeferred(QStringLiteral("TabMod"), tr("MOD"), m_mods);
    // These pages are made when first shown: the options editor keeps the document's values for its
    // pages until then.
    addMade(QStringLiteral("TabMultiplay"), tr("ﾏﾙﾁﾌﾟﾚｲ"), [this] { return m_options->multiplayPage(); });
    addMade(QStringLiteral("TabScreenShot"), tr("SSビュー"), [this] { return new ScreenshotPage(m_prompter, m_game); });
    m_music = new MusicPage(m_prompter, m_game);
    addMade(QStringLiteral("TabGeneral"), tr("全般"), [this] {
        auto* general = new QTabWidget;
        general->setObjectName(QStringLiteral("PageControl2"));
        general->addTab(m_options->generalPage(), tr("一般"));
        general->addTab(m_music, tr("ミュージック"));
        return general;
    });
    addMade(QStringLiteral("TabLink"), tr("リンク"), [] { return new LinksPage; });
    layout->addWidget(m_tabs);

    m_startButton = new QPushButton(tr("Ghost Recon起動"), central);
    m_startButton->setObjectName(QStringLiteral("BitBtn1"));
    m_startButton->setToolTip(tr("Ghost Reconを起動します"));
    connect(m_startButton, &QPushButton::clicked, this, guarded(m_prompter, [this] { m_launcher->BtnStartGRClick(); }));
    layout->addWidget(m_startButton);
    setCentralWidget(central);
}

void TMainForm::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file = bar->addMenu(tr("ファイル(&F)"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(m_options->reloadConfigFileAction());
    QMenu* hostList = file->addMenu(tr("ホストリスト"));
    hostList->setObjectName(QStringLiteral("HostList1"));
    HostListTransfer* transfer = m_hostTab->hostListTransfer();
    hostList->addActions({transfer->importAction(), transfer->exportAction()});
    hostList->addSeparator();
    hostList->addAction(transfer->checkWebHostListAction());
    file->addAction(m_hostTab->addressBar()->clearHistoryAction());
    file->addSeparator();
    m_exit = makeAction(QStringLiteral("Exit1"), tr("終了(&X)"), [this] { Exit1Click(); });
    file->addAction(m_exit);

    QMenu* options = bar->addMenu(tr("オプション(&O)"));
    options->setObjectName(QStringLiteral("Option1"));
    options->setToolTipsVisible(true);
    m_inTray = makeAction(
        QStringLiteral("N11"), tr("最小化でタスクトレイに入る"), [this] { N11Click(); }, true);
    m_noClose = makeAction(
        QStringLiteral("N12"), tr("終了までタスクトレイで起動し続ける"), [this] { N12Click(); }, true);
    m_noClose->setToolTip(tr("メニューから終了しない限り、終了しません"));
    options->addActions({m_hostTab->publicAddress()->getIpAtStartUpAction(), m_inTray, m_noClose});
    options->addSeparator();
    options->addAction(m_mods->mod1Action());
    options->addSeparator();
    options->addAction(hostsPage()->sortLiveHostsFirstAction());
    QMenu* interval = options->addMenu(tr("ホストチェック間隔"));
    interval->setObjectName(QStringLiteral("HostCheckInterval1"));
    interval->addActions(statusCheck()->intervalActions());
    QMenu* colours = options->addMenu(tr("ホストビューカラー"));
    colours->setObjectName(QStringLiteral("HostViewColor1"));
    colours->addActions(hostsPage()->schemeActions());
    options->addSeparator();
    m_chooseGame = makeAction(QStringLiteral("GR1"), tr("GhostReconフォルダ指定"), [this] { GR1Click(); });
    options->addAction(m_chooseGame);
    // In both languages, so that whoever cannot read the one shown finds it; the languages go by
    // their own names.
    QMenu* languages = options->addMenu(QStringLiteral("言語 / Language"));
    languages->setObjectName(QStringLiteral("Language1"));
    auto* languageGroup = new QActionGroup(this);
    m_japanese = makeAction(
        QStringLiteral("LanguageJa"), QStringLiteral("日本語"), [this] { chooseLanguage("ja"); }, true);
    m_english = makeAction(
        QStringLiteral("LanguageEn"), QStringLiteral("English"), [this] { chooseLanguage("en"); }, true);
    for (QAction* a : {m_japanese, m_english})
        languages->addAction(languageGroup->addAction(a));
    (language::current() == language::Language::English ? m_english : m_japanese)->setChecked(true);

    bar->addAction(makeAction(QStringLiteral("About1"), tr("バージョン情報(&A)"), [this] { About1Click(); }));

    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenuOnTray"));
    m_trayMenu->addAction(makeAction(QStringLiteral("N7"), tr("モルベーンを表示"), [this] { N7Click(); }));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(
        makeAction(QStringLiteral("GhostRecon1"), tr("Ghost Recon起動"), [this] { m_launcher->BtnStartGRClick(); }));
    m_trayMenu->addAction(makeAction(QStringLiteral("IP1"), tr("IP指定接続"), [this] { IP1Click(); }));
    m_trayMenu->addSeparator();
    m_trayMenu->addAction(makeAction(QStringLiteral("N8"), tr("モルベーンを終了"), [this] { Exit1Click(); }));
}

bool TMainForm::runStep(const std::function<void()>& step) { return handlerguard::run(m_prompter, step); }

void TMainForm::requestEnd()
{
    m_endRequested = true;
    m_gameFolderUnusable = true;
}

void TMainForm::FormCreate()
{
    m_startingUp = true;
    // The program folder came with construction; the defaults come before the settings.
    m_game.setFolder(apppaths::defaultGameFolder());
    m_settingsStore.load(); // each subsystem takes its own keys
    m_mods->applySortOption();
    m_mods->showCurrentSetting();
    QString gameFolder = m_game.folder();
    if (!gamefolder::EnsureGameFolder(m_prompter, gameFolder))
        requestEnd();
    m_game.setFolder(gameFolder);
    runStep([this] { m_hostTab->checkHostListFile(); });
    m_hostTab->hostListStore().load();
    m_hostTab->watchStore().load(); // the watched hosts' rules, by address
    m_hostTab->publicAddress()->FetchPublicAddressAtStartUp();
    m_tray->setTrayMode(m_inTray->isChecked());
    if (!m_options->OptionsFileExists()) {
        m_prompter.message(Prompter::Icon::Error,
                           tr("設定ファイルが見つかりませんでした\r\nGhostReconを起動し、初期設定を行ってください"));
        requestEnd();
    }
    m_options->FillResolutionList();
    m_options->store().load();
    N12Click();
    m_historyStore.load();
    m_music->fixMusicFolder();
    m_mods->store().load();
    // Once the mod lists are read: a join with a host's mods that a crash cut short puts the list back.
    runStep([this] { m_modJoin->restoreAfterCrash(); });
    runStep([this] { queryfiles::WriteQueryTemplates(m_programFolder); });
    if (m_gameFolderUnusable) {
        // The program ends at once: nothing of the game's is written back.
        m_mods->store().unload();
        m_options->store().unload();
    }
    m_startingUp = false;
}

void TMainForm::FormDestroy()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_launcher->programEnding(); // games started from here go on running
    m_modJoin->programEnding();  // a join with a host's mods puts the list back before it is written
    // The check thread must be gone before the grid it writes into.
    statusCheck()->stopAndWait();
    // Each store on its own: one that cannot be written is reported, the others still are.
    m_hostTab->hostListStore().save();
    m_hostTab->watchStore().save();
    m_settingsStore.save();
    m_mods->store().save();
    m_options->store().save();
    m_historyStore.save();
    queryfiles::deleteWorkFiles(m_programFolder);
}

void TMainForm::LoadSettings()
{
    if (!m_settings.read())
        return; // the designed values stay; the file is made at the end
    const ProfileFile& ini = m_settings.file();
    m_frameSettings = FrameSettings::read(ini, m_game.folder());
    m_game.setFolder(m_frameSettings.gameFolder.value());
    m_inTray->setChecked(m_frameSettings.inTray.value());
    m_noClose->setChecked(m_frameSettings.noClose.value());
    if (const auto stored = language::fromCode(m_frameSettings.language.value()))
        (*stored == language::Language::English ? m_english : m_japanese)->setChecked(true);
    m_hostTab->publicAddress()->readSettings(ini);
    m_mods->readSettings(ini);
    hostsPage()->readSettings(ini);
    m_hostTab->hostListTransfer()->readSettings(ini);
    statusCheck()->readSettings(ini);
    m_music->readSettings(ini);
    m_launcher->setGameRunner(LaunchSettings::read(ini).gameRunner.value());
}

void TMainForm::SaveSettings()
{
    m_settings.write([this](ProfileFile& ini) {
        m_frameSettings.write(ini, m_game.folder(), m_inTray->isChecked(), m_noClose->isChecked(), m_chosenLanguage);
        m_hostTab->publicAddress()->writeSettings(ini);
        m_mods->writeSettings(ini);
        hostsPage()->writeSettings(ini);
        m_hostTab->hostListTransfer()->writeSettings(ini);
        statusCheck()->writeSettings(ini);
        m_music->writeSettings(ini);
    });
}

QString TMainForm::historyPath() const { return apppaths::join(m_programFolder, QStringLiteral("iphistory.txt")); }

void TMainForm::closeEvent(QCloseEvent* event)
{
    // FormCloseQuery: unless closing is allowed, a close only minimises into the notification area.
    if (m_allowClose) {
        event->accept();
        // The window goes at once, and its pixels go back before the end's saving, which may still
        // make the option pages that were never shown.
        hide();
        destroy();
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

void TMainForm::cancelOpenQuestions()
{
    for (int i = 0; i < 16; ++i) {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal)
            break;
        modal->reject();
    }
}

void TMainForm::endSession()
{
    m_allowClose = true;
    // A question still open would hold the end up: cancel it.
    cancelOpenQuestions();
    if (m_startingUp) {
        // The end waits until start-up is over (main() then ends the program); questions start-up
        // still asks meanwhile are cancelled as they come.
        m_endRequested = true;
        auto* canceller = new QTimer(this);
        canceller->setInterval(50);
        connect(canceller, &QTimer::timeout, this, [this, canceller] {
            cancelOpenQuestions();
            if (!m_startingUp)
                canceller->deleteLater();
        });
        canceller->start();
        return;
    }
    // Closed from the main loop, not from inside whatever handler is running now.
    QTimer::singleShot(0, this, [this] { close(); });
}

void TMainForm::N7Click() { m_tray->restore(); }

void TMainForm::N11Click() { m_tray->setTrayMode(m_inTray->isChecked()); }

void TMainForm::N12Click() { m_allowClose = !m_noClose->isChecked(); }

void TMainForm::About1Click()
{
    TAboutBox box(this);
    box.exec();
}

void TMainForm::bringToFront() { m_tray->restore(); }

void TMainForm::GR1Click()
{
    const std::optional<QString> chosen = gamefolder::chooseOtherInstallation(m_prompter, m_game.folder());
    if (!chosen)
        return;
    m_game.setFolder(*chosen);
    m_gameFolderUnusable = false;
    if (gamefolder::askReloadNewGame(m_prompter)) {
        m_mods->store().load();
        m_options->store().load();
    }
}

void TMainForm::chooseLanguage(const QByteArray& code)
{
    m_chosenLanguage = code;
    m_prompter.message(Prompter::Icon::Information,
                       tr("表示する言語は、次にモルベーンを起動したときから切り替わります"));
}

void TMainForm::IP1Click() { ipConnectionDialog()->exec(); }

TIPConnectionDlg* TMainForm::ipConnectionDialog()
{
    // Made on first use rather than at start-up; it then lives, and keeps its text, to the end.
    if (!m_ipDialog)
        m_ipDialog = new TIPConnectionDlg(m_prompter, *m_history, *m_launcher, this);
    return m_ipDialog;
}

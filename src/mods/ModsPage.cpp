// SPDX-License-Identifier: MIT
#include "mods/ModsPage.h"

#include "ui_ModsPage.h"

#include "game/GameInstallation.h"
#include "mods/ModListView.h"
#include "mods/ModRules.h"
#include "mods/ModSets.h"
#include "platform/Cp932.h"
#include "platform/FileNames.h"
#include "platform/HandlerGuard.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QUrl>

namespace {

QString noDescription() { return QCoreApplication::translate("ModsPage", "MODの情報なし"); }
// The info pane shows this many lines without a scroll bar.
constexpr int PaneLines = 6;

bool openWithDesktop(const QString& folder) { return QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); }

} // namespace

ModsPage::ModsPage(Prompter& prompter, const QString& programFolder, const GameInstallation& game, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_programFolder(programFolder), m_game(game),
      m_store(
          prompter, [this] { LoadModLists(); }, [this] { WriteModsSet(); }),
      m_openFolder(openWithDesktop)
{
    // The menu's item is there from the start; the page's widgets wait until the page is first needed.
    m_mod1 = new QAction(tr("MODリストを常にアルファベット順に並べる"), this);
    m_mod1->setObjectName(QStringLiteral("MOD1"));
    m_mod1->setCheckable(true);
    connect(m_mod1, &QAction::triggered, this, guarded(m_prompter, [this] { MOD1Click(); }));
}

ModsPage::~ModsPage() = default;

void ModsPage::setVisible(bool visible)
{
    if (visible)
        buildWidgets();
    QWidget::setVisible(visible);
}

void ModsPage::buildWidgets()
{
    if (m_ui)
        return;
    m_ui = std::make_unique<Ui::ModsPage>();
    m_ui->setupUi(this);
    m_ui->ListBox1->setModel(&m_lists.available());
    m_ui->ListBox2->setModel(&m_lists.active());
    m_ui->ListBox2->setMovesEntries(true);

    // Six lines of the pane's font, as designed, with room for the frame.
    const QFontMetrics metrics(m_ui->Memo1->font());
    const int frame = 2 * (m_ui->Memo1->frameWidth() + int(m_ui->Memo1->document()->documentMargin()));
    m_ui->Memo1->setFixedHeight(PaneLines * metrics.lineSpacing() + frame);

    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuOnMod"));
    m_mod2 = m_popup->addAction(tr("このMODのフォルダを開く"));
    m_mod2->setObjectName(QStringLiteral("MOD2"));

    m_joinNote = new QLabel(tr("ホストのMODで接続中です。ゲームが終わるとMODの構成は元に戻ります。"
                               "それまでMODの構成は変更できません。"),
                            this);
    m_joinNote->setObjectName(QStringLiteral("lblModJoinNote"));
    m_joinNote->setWordWrap(true);
    QPalette notePalette = m_joinNote->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0xC0, 0x00, 0x00));
    m_joinNote->setPalette(notePalette);
    m_joinNote->hide();
    m_ui->pageLayout->insertWidget(0, m_joinNote);
    // A join that began before the widgets were made.
    if (m_joinLocked)
        showJoinLock();

    QComboBox* box = m_ui->CmbModSetName;
    box->addItems(modsets::listNames(m_programFolder));
    // Only a pick from the list loads a set. Qt would also pick the entry matching a typed name when
    // the box loses focus, so that typing a set's name and pressing its save button would load the set
    // over the active list before saving it; and a completion would complete the name to another set's.
    box->setCompleter(nullptr);
    disconnect(box->lineEdit(), &QLineEdit::editingFinished, box, nullptr);
    showCurrentSetting();
    connectHandlers();
}

Ui::ModsPage& ModsPage::ui() const
{
    // Asked for by whoever needs a widget before the page was shown (a test, or a join's lock).
    const_cast<ModsPage*>(this)->buildWidgets();
    return *m_ui;
}

ModListView* ModsPage::availableView() const { return ui().ListBox1; }
ModListView* ModsPage::activeView() const { return ui().ListBox2; }

QLabel* ModsPage::joinNote() const
{
    ui();
    return m_joinNote;
}

QMenu* ModsPage::popupMenu() const
{
    ui();
    return m_popup;
}

void ModsPage::connectList(ModListView* list)
{
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            guarded(m_prompter, [this, list] { ModListClick(list); }));
    connect(list, &QAbstractItemView::clicked, this, guarded(m_prompter, [this, list] { ModListClick(list); }));
    connect(list, &ModListView::entryDoubleClicked, this, guarded(m_prompter, [this, list] { ModListDblClick(list); }));
    connect(list, &ModListView::rightPressed, this, guarded(m_prompter, [this, list] { ModListMouseDown(list); }));
    connect(list, &QWidget::customContextMenuRequested, this, guarded(m_prompter, [this, list](const QPoint& pos) {
                // The menu key opens it too: it then works on the list it was opened on.
                m_contextList = list;
                m_popup->popup(list->viewport()->mapToGlobal(pos));
            }));
}

void ModsPage::connectHandlers()
{
    connectList(m_ui->ListBox1);
    connectList(m_ui->ListBox2);
    const auto onClick = [this](QAbstractButton* button, void (ModsPage::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, guarded(m_prompter, [this, handler] { (this->*handler)(); }));
    };
    onClick(m_ui->Button29, &ModsPage::Button29Click);
    onClick(m_ui->Button30, &ModsPage::Button30Click);
    onClick(m_ui->Button39, &ModsPage::Button39Click);
    onClick(m_ui->btnOpenModFolder, &ModsPage::btnOpenModFolderClick);
    onClick(m_ui->Button28, &ModsPage::Button28Click);
    onClick(m_ui->btnSaveModList, &ModsPage::btnSaveModListClick);
    onClick(m_ui->btnRefleshMod, &ModsPage::btnRefleshModClick);
    onClick(m_ui->btnSaveModSet, &ModsPage::btnSaveModSetClick);
    onClick(m_ui->btnDeleteModSet, &ModsPage::btnDeleteModSetClick);
    onClick(m_ui->btnLoadMstFile, &ModsPage::btnLoadMstFileClick);
    connect(m_ui->CmbModSetName, &QComboBox::activated, this,
            guarded(m_prompter, [this](int index) { CmbModSetNameSelect(index); }));
    connect(m_mod2, &QAction::triggered, this, guarded(m_prompter, [this] { MOD2Click(); }));
}

void ModsPage::readSettings(const ProfileFile& ini)
{
    m_settings = ModsSettings::read(ini);
    m_mod1->setChecked(m_settings.sortModList.value());
}

void ModsPage::writeSettings(ProfileFile& ini) const { m_settings.write(ini, m_mod1->isChecked()); }

void ModsPage::applySortOption() { m_lists.available().setSorted(m_mod1->isChecked()); }

void ModsPage::showCurrentSetting()
{
    // Widgets not made yet show it when they are.
    if (!m_ui)
        return;
    m_ui->CmbModSetName->setCurrentIndex(-1);
    m_ui->CmbModSetName->setEditText(modsets::currentSettingName());
}

bool ModsPage::isInstalled(QByteArrayView modName) const { return m_lists.isInstalled(modName); }

QList<QByteArray> ModsPage::activeMods() const { return m_lists.activeEntries(); }

void ModsPage::replaceActiveMods(const QList<QByteArray>& entries) { m_lists.replaceActive(entries); }

void ModsPage::LoadModLists() { m_lists.LoadModLists(m_game.folder()); }

void ModsPage::WriteModsSet() { m_lists.WriteModsSet(m_game.folder()); }

void ModsPage::showDescription(const QStringList& lines)
{
    ui().Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    ui().Memo1->setVerticalScrollBarPolicy(lines.size() > PaneLines ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void ModsPage::ModListClick(ModListView* list)
{
    const int row = list->selectedRow();
    if (row < 0)
        return;
    const std::optional<QList<QByteArray>> lines = ModLists::description(m_game.folder(), list->mods()->entry(row));
    if (!lines) {
        // One line needs no scroll bar, whatever the description before it had.
        showDescription({noDescription()});
        return;
    }
    QStringList text;
    text.reserve(lines->size());
    for (const QByteArray& line : *lines) {
        QString decoded = cp932::toUnicode(line);
        // A NUL would end the pane's text early; damaged files show what follows it too.
        decoded.replace(QChar(0), QChar(0xFFFD));
        text.append(decoded);
    }
    showDescription(text);
}

void ModsPage::setJoinLock(bool locked)
{
    m_joinLocked = locked;
    if (m_ui)
        showJoinLock();
}

void ModsPage::showJoinLock()
{
    const bool locked = m_joinLocked;
    m_joinNote->setVisible(locked);
    m_ui->ListBox2->setMovesEntries(!locked);
    for (QWidget* w : {static_cast<QWidget*>(m_ui->Button29), static_cast<QWidget*>(m_ui->Button30),
                       static_cast<QWidget*>(m_ui->btnSaveModList), static_cast<QWidget*>(m_ui->btnRefleshMod)})
        w->setEnabled(!locked);
}

void ModsPage::ModListDblClick(ModListView* list)
{
    const int row = list->selectedRow();
    if (row < 0 || m_joinLocked)
        return;
    if (list == ui().ListBox1)
        m_lists.activate(row);
    else
        m_lists.deactivate(row);
}

void ModsPage::ModListMouseDown(ModListView* list)
{
    ModListClick(list);
    m_contextList = list;
}

void ModsPage::Button29Click()
{
    if (!m_joinLocked)
        m_lists.activateAll();
}

void ModsPage::Button30Click()
{
    if (!m_joinLocked)
        m_lists.deactivateAll();
}

void ModsPage::Button39Click() { m_lists.available().setSorted(true); }

void ModsPage::MOD1Click() { m_lists.available().setSorted(m_mod1->isChecked()); }

void ModsPage::openFolder(const QString& folder)
{
    const QString shown = QDir::toNativeSeparators(folder);
    if (!QFileInfo(folder).isDir()) {
        m_prompter.message(Prompter::Icon::Warning, tr("フォルダが見つかりませんでした\r\n%1").arg(shown));
        return;
    }
    if (!m_openFolder(folder))
        m_prompter.message(Prompter::Icon::Error, tr("フォルダを開けませんでした\r\n%1").arg(shown));
}

void ModsPage::MOD2Click()
{
    if (!m_contextList)
        return;
    const int row = m_contextList->selectedRow();
    if (row < 0)
        return;
    const QByteArray entry = m_contextList->mods()->entry(row);
    const QString game = m_game.folder();
    const QString folder = ModLists::modFolder(game, entry);
    if (folder.isEmpty()) {
        // Named only: an active entry that is not installed, or one that names no folder of "Mods".
        const QString shown = gameinstallation::modsFolder(game) + QLatin1Char('/') + cp932::toUnicode(entry);
        m_prompter.message(Prompter::Icon::Warning,
                           tr("フォルダが見つかりませんでした\r\n%1").arg(QDir::toNativeSeparators(shown)));
        return;
    }
    openFolder(folder);
}

void ModsPage::btnOpenModFolderClick() { openFolder(gameinstallation::modsFolder(m_game.folder())); }

void ModsPage::Button28Click()
{
    QGuiApplication::clipboard()->setText(modrules::clipboardText(m_lists.activeEntries()));
}

void ModsPage::btnSaveModListClick()
{
    if (m_joinLocked)
        return;
    WriteModsSet();
    emit notice(tr("現在の構成を保存しました"));
}

void ModsPage::btnRefleshModClick()
{
    if (!m_joinLocked)
        m_store.load();
}

int ModsPage::findSet(const QString& name) const
{
    const QComboBox* box = ui().CmbModSetName;
    for (int i = 0; i < box->count(); ++i) {
        if (modsets::sameName(box->itemText(i), name))
            return i;
    }
    return -1;
}

bool ModsPage::checkSetName(const QString& name)
{
    const QString error = filenames::setNameError(name);
    if (error.isEmpty())
        return true;
    m_prompter.message(Prompter::Icon::Warning, error);
    return false;
}

void ModsPage::btnSaveModSetClick()
{
    const QString name = ui().CmbModSetName->currentText();
    if (name.isEmpty() || name == modsets::currentSettingName() || !checkSetName(name))
        return;
    // Written first: a set that cannot be written changes neither the list nor the file.
    modsets::save(m_programFolder, name, m_lists.activeEntries());
    if (findSet(name) < 0)
        ui().CmbModSetName->addItem(name);
}

void ModsPage::btnDeleteModSetClick()
{
    QComboBox* box = ui().CmbModSetName;
    const QString name = box->currentText();
    if (name.isEmpty() || name == modsets::currentSettingName() || !checkSetName(name))
        return;
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("\"%1\"セットを消してもよろしいですか？").arg(name)))
        return;
    if (!modsets::remove(m_programFolder, name))
        return;
    // The entry of the deleted set leaves the list, whichever entry was picked before the name was typed.
    if (const int i = findSet(name); i >= 0)
        box->removeItem(i);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

void ModsPage::CmbModSetNameSelect(int index)
{
    QComboBox* box = ui().CmbModSetName;
    if (index < 0 || index >= box->count())
        return;
    if (m_joinLocked) {
        // Picking a set would replace the host's mods while its game runs.
        m_prompter.message(Prompter::Icon::Information, m_joinNote->text());
        return;
    }
    const QString name = box->itemText(index);
    const std::optional<QList<QByteArray>> entries = modsets::read(modsets::setPath(m_programFolder, name));
    if (!entries) {
        m_prompter.message(Prompter::Icon::Warning, tr("セットファイルが見つかりませんでした"));
        box->removeItem(index);
        box->setCurrentIndex(-1);
        box->setEditText(name);
        return;
    }
    m_lists.replaceActive(*entries);
}

void ModsPage::btnLoadMstFileClick()
{
    Prompter::FileRequest request;
    request.title = tr("MOD設定ファイルの登録");
    request.filter = tr("MOD設定ファイル(*.mst)|*.mst");
    request.initialName = QStringLiteral("*.mst");
    request.defaultSuffix = QStringLiteral("mst");
    const std::optional<QString> chosen = m_prompter.openFile(request);
    if (!chosen)
        return;
    const QString name = QFileInfo(*chosen).completeBaseName();
    if (!checkSetName(name))
        return;
    const bool listed = findSet(name) >= 0;
    const QString target = modsets::setPath(m_programFolder, name);
    const bool targetExists = QFileInfo(target).isFile();
    const bool sameFile =
        targetExists && QFileInfo(target).canonicalFilePath() == QFileInfo(*chosen).canonicalFilePath();

    if (sameFile && listed) {
        m_prompter.message(Prompter::Icon::Warning, tr("既にその設定名は登録済みです"));
        return;
    }
    // The set is copied in, so that picking its name later finds it; a set of that name is replaced
    // only when the user agrees.
    if (!sameFile) {
        if (listed || targetExists) {
            const QString question =
                listed ? tr("既にその設定名は登録済みです\r\n選んだファイルで置き換えますか？")
                       : tr("「%1」のセットファイルが既にあります\r\n選んだファイルで置き換えますか？").arg(name);
            if (!m_prompter.confirm(Prompter::Icon::Question, question))
                return;
        }
        modsets::import(*chosen, m_programFolder, name);
    }
    if (listed) {
        m_prompter.message(Prompter::Icon::Information, tr("%1 設定を置き換えました").arg(name));
        return;
    }
    m_prompter.message(Prompter::Icon::Information, tr("%1 設定が登録されました").arg(name));
    ui().CmbModSetName->addItem(name);
}

// SPDX-License-Identifier: MIT
#include "status/THostInfoDlg.h"
#include "ui_THostInfoDlg.h"

#include "hosts/HostGridModel.h"
#include "hosts/HostsPage.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/PlainToolTip.h"
#include "platform/Prompter.h"
#include "status/HostInfoQuery.h"
#include "status/ModJoin.h"
#include "status/ModJoinRules.h"
#include "status/PlayerListModel.h"
#include "status/TModChkForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <functional>

namespace {

QString fetchingText() { return QCoreApplication::translate("THostInfoDlg", "情報を取得しています..."); }
QString noAnswerText() { return QCoreApplication::translate("THostInfoDlg", "ホスト非稼働"); }

constexpr int GridRows = 8;
constexpr int TitleWidth = 73;
constexpr int ValueWidth = 344;
constexpr int RowHeight = 18;
constexpr int ModsRow = 2;
constexpr int ModsRowHeight = 43; // the wrapped mod list
constexpr int PlayerNameWidth = 200;
constexpr int TeamTextIndent = 3;
// The shared notice closes itself a second after it was last shown; a fetch keeps it up.
constexpr int NoticeRefreshMs = 700;

// Hands the painting of a view's cells to the dialog.
class PaintDelegate : public QStyledItemDelegate
{
public:
    using Paint = std::function<void(QPainter*, const QStyleOptionViewItem&, const QModelIndex&)>;
    PaintDelegate(Paint paint, QObject* parent) : QStyledItemDelegate(parent), m_paint(std::move(paint)) {}
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        m_paint(painter, option, index);
        painter->restore();
    }

private:
    Paint m_paint;
};

} // namespace

THostInfoDlg::THostInfoDlg(Prompter& prompter, QString programFolder, HostsPage& hosts,
                           hostinfo::ModPresence isModInstalled, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_programFolder(std::move(programFolder)), m_hosts(hosts),
      m_isModInstalled(std::move(isModInstalled))
{
    FormCreate();
    connect(m_hosts.hostInfoAction(), &QAction::triggered, this, guarded(m_prompter, [this] { N18Click(); }));
    connect(m_ui->Button1, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button1Click(); }));
    connect(m_ui->Button3, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button3Click(); }));
    connect(m_ui->btnJoinWithMods, &QPushButton::clicked, this,
            guarded(m_prompter, [this] { btnJoinWithModsClick(); }));
    connect(m_hosts.joinWithModsAction(), &QAction::triggered, this,
            guarded(m_prompter, [this] { JoinWithMods1Click(); }));
    // The grid's item follows the host under the pointer, so it is decided as the menu opens.
    connect(m_hosts.popupMenu(), &QMenu::aboutToShow, this, [this] { updateJoinCommands(); });
    connect(m_ui->btnClose, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnCloseClick(); }));
    connect(m_ui->ListView1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            guarded(m_prompter, [this](int column) { ListView1ColumnClick(column); }));
    connect(this, &QDialog::finished, this, guarded(m_prompter, [this] { FormClose(); }));
    connect(m_noticeTimer, &QTimer::timeout, this, guarded(m_prompter, [this] { keepNoticeUp(); }));
    updateJoinCommands();
}

THostInfoDlg::~THostInfoDlg() = default;

void THostInfoDlg::FormCreate()
{
    m_ui = std::make_unique<Ui::HostInfoDlg>();
    m_ui->setupUi(this);

    // The grid's measures are fixed; the outer size follows from them and the style's frame.
    QTableWidget* grid = m_ui->HostInfoGrid;
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setColumnWidth(0, TitleWidth);
    grid->setColumnWidth(1, ValueWidth);
    for (int row = 0; row < GridRows; ++row) {
        grid->setRowHeight(row, row == ModsRow ? ModsRowHeight : RowHeight);
        grid->setItem(row, 1, new QTableWidgetItem);
    }
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(TitleWidth + ValueWidth + frame, 7 * RowHeight + ModsRowHeight + frame);
    grid->setItemDelegate(new PaintDelegate(
        [this](QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) { HostInfoGridDrawCell(p, o, i); },
        grid));

    m_players = new PlayerListModel(this);
    QTableView* list = m_ui->ListView1;
    list->setModel(m_players);
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
    list->horizontalHeader()->setSectionsClickable(true);
    list->horizontalHeader()->setSortIndicatorShown(true);
    list->setColumnWidth(PlayerListModel::NameColumn, PlayerNameWidth);
    list->setItemDelegate(new PaintDelegate(
        [this](QPainter* p, const QStyleOptionViewItem& o, const QModelIndex& i) { ListView1DrawItem(p, o, i); },
        list));
    updateSortIndicator();

    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setInterval(NoticeRefreshMs);
}

QTabWidget* THostInfoDlg::pageControl() const { return m_ui->PageControl1; }
QTableWidget* THostInfoDlg::hostInfoGrid() const { return m_ui->HostInfoGrid; }
QTableView* THostInfoDlg::listView() const { return m_ui->ListView1; }
QPushButton* THostInfoDlg::refreshButton() const { return m_ui->Button1; }
QPushButton* THostInfoDlg::modCheckButton() const { return m_ui->Button3; }
QPushButton* THostInfoDlg::joinWithModsButton() const { return m_ui->btnJoinWithMods; }

void THostInfoDlg::FormClose() { m_ui->PageControl1->setCurrentIndex(0); }

void THostInfoDlg::btnCloseClick() { close(); }

void THostInfoDlg::Button1Click() { N18Click(); }

void THostInfoDlg::N18Click()
{
    if (m_fetching)
        return;
    const int host = m_hosts.currentHost();
    if (host < 0)
        return;
    // Both are taken now: the grid may be reordered or another host selected while the query runs,
    // and the captions must name the host whose information is shown.
    const QString address = m_hosts.hosts().addressText(host);
    const QString name = m_hosts.hosts().nameText(host);

    m_fetching = true;
    m_hosts.hostInfoAction()->setEnabled(false);
    m_ui->Button1->setEnabled(false);
    emit notice(fetchingText());
    m_noticeTimer->start();
    // A query program that is missing or cannot start throws; the fetch still ends in order.
    auto ending = qScopeGuard([this] { endFetch(); });

    const hostinfo::HostInfoResult result = hostinfo::fetchHostInfo(m_programFolder, address, m_timeoutMs);
    if (result.outcome == hostinfo::HostInfoResult::Outcome::Failed)
        return;
    showResult(result);
    m_shownAddress = address;
    m_shownName = name;
    m_shownAnswered = result.outcome == hostinfo::HostInfoResult::Outcome::Answered;
    if (m_shownAnswered && modjoin::isModListKnown(result.info.Mods))
        m_knownMods.insert(address, result.info.Mods);
    else
        m_knownMods.remove(address);
    updateJoinCommands();
    ending.dismiss();
    endFetch();

    m_ui->GroupBox->setTitle(name);
    m_ui->GroupBox1->setTitle(name);
    show();
    raise();
    activateWindow();
}

void THostInfoDlg::endFetch()
{
    m_noticeTimer->stop();
    m_ui->Button1->setEnabled(true);
    m_hosts.hostInfoAction()->setEnabled(true);
    // Another notice that took the window over meanwhile is left to close by itself.
    emit noticeWithdrawn(fetchingText());
    m_fetching = false;
    emit fetchEnded();
}

void THostInfoDlg::keepNoticeUp()
{
    if (m_fetching)
        emit noticeRenewed(fetchingText());
}

void THostInfoDlg::setValue(int row, const QString& text, const QString& toolTip)
{
    QTableWidgetItem* item = m_ui->HostInfoGrid->item(row, 1);
    item->setText(text);
    item->setToolTip(plainToolTip(toolTip));
}

void THostInfoDlg::showResult(const hostinfo::HostInfoResult& result)
{
    m_players->clear();
    if (result.outcome != hostinfo::HostInfoResult::Outcome::Answered) {
        setValue(0, noAnswerText());
        for (int row = 1; row < GridRows; ++row)
            setValue(row, {});
        m_ui->Button3->setEnabled(false);
        return;
    }
    const TQStatData& info = result.info;
    m_ui->Button3->setEnabled(true);
    m_currentHostMods = info.Mods;
    setValue(0, cp932::toUnicode(info.ServerName));
    setValue(1, hostinfo::playersText(info));
    // The grid draws line breaks as "\n"; the whole list stays readable as a tip.
    setValue(ModsRow,
             cp932::toUnicode(hostinfo::wrapText(info.Mods)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
             cp932::toUnicode(info.Mods));
    const QByteArray* const rest[] = {&info.Patch, &info.Map, &info.Mission, &info.GameMode, &info.MissionType};
    for (int i = 0; i < 5; ++i)
        setValue(3 + i, cp932::toUnicode(*rest[i]));

    m_players->setSortColumn(PlayerListModel::NameColumn);
    for (const hostinfo::PlayerEntry& player : result.players)
        m_players->addPlayer(player);
    updateSortIndicator();
}

void THostInfoDlg::Button3Click()
{
    TModChkForm form(this);
    const QList<QByteArray> entries = hostinfo::SplitModList(m_currentHostMods);
    form.setMods(hostinfo::missingMods(entries, m_isModInstalled));
    if (form.MODList()->count() == 0) {
        m_prompter.message(Prompter::Icon::Information, tr("MODは全てインストール済みです"));
        return;
    }
    form.exec();
}

void THostInfoDlg::attachModJoin(ModJoin* join)
{
    m_modJoin = join;
    if (join)
        connect(join, &ModJoin::runningChanged, this, [this] { updateJoinCommands(); });
    updateJoinCommands();
}

std::optional<QByteArray> THostInfoDlg::knownHostMods(const QString& address) const
{
    const auto it = m_knownMods.constFind(address);
    if (it == m_knownMods.constEnd())
        return std::nullopt;
    return *it;
}

void THostInfoDlg::updateJoinCommands()
{
    const bool free = m_modJoin && !m_modJoin->isRunning();
    m_ui->btnJoinWithMods->setEnabled(free && m_shownAnswered && modjoin::isModListKnown(m_currentHostMods));
    const int host = m_hosts.currentHost();
    m_hosts.joinWithModsAction()->setEnabled(free && host >= 0 &&
                                             m_knownMods.contains(m_hosts.hosts().addressText(host)));
}

void THostInfoDlg::btnJoinWithModsClick()
{
    if (!m_shownAnswered)
        return;
    joinWithHostMods(m_shownAddress, m_shownName, m_currentHostMods);
}

void THostInfoDlg::JoinWithMods1Click()
{
    const int host = m_hosts.currentHost();
    if (host < 0)
        return;
    const QString address = m_hosts.hosts().addressText(host);
    const std::optional<QByteArray> mods = knownHostMods(address);
    if (!mods)
        return;
    joinWithHostMods(address, m_hosts.hosts().nameText(host), *mods);
}

void THostInfoDlg::joinWithHostMods(const QString& address, const QString& name, const QByteArray& mods)
{
    if (!m_modJoin || !modjoin::isModListKnown(mods))
        return;
    const QList<QByteArray> missing = m_modJoin->JoinWithHostMods(address, name, mods);
    if (missing.isEmpty())
        return;
    // As the mod check shows them, and nothing else happens.
    TModChkForm form(this);
    form.setMods(missing);
    form.exec();
}

void THostInfoDlg::ListView1ColumnClick(int column)
{
    m_players->columnClicked(column);
    updateSortIndicator();
}

void THostInfoDlg::updateSortIndicator()
{
    m_ui->ListView1->horizontalHeader()->setSortIndicator(
        m_players->sortColumn(), m_players->isDescending() ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void THostInfoDlg::HostInfoGridDrawCell(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const bool title = index.column() == 0;
    const QPalette& palette = m_ui->HostInfoGrid->palette();
    painter->fillRect(option.rect, title ? palette.button() : palette.base());
    painter->setFont(m_ui->HostInfoGrid->font());
    painter->setPen(title ? palette.buttonText().color() : palette.text().color());
    painter->drawText(option.rect.adjusted(2, 2, -2, -2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                      index.data().toString());
}

void THostInfoDlg::ListView1DrawItem(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const
{
    QColor background;
    if (option.state & QStyle::State_Selected)
        background = QColor(128, 128, 128);
    else
        background = index.row() % 2 ? QColor(Qt::black) : QColor(22, 0, 0);
    painter->fillRect(option.rect, background);
    const QRect text =
        option.rect.adjusted(index.column() == PlayerListModel::TeamColumn ? TeamTextIndent : 2, 0, -2, 0);
    painter->setFont(option.font);
    painter->setPen(QColor::fromRgb(index.data(PlayerListModel::TeamColourRole).toUInt()));
    painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                      option.fontMetrics.elidedText(index.data().toString(), Qt::ElideRight, text.width()));
}

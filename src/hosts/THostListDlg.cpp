// SPDX-License-Identifier: MIT
#include "hosts/THostListDlg.h"

#include "hosts/HostGridModel.h"
#include "platform/AppPaths.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

constexpr int NewRole = Qt::UserRole + 1;
constexpr int RowHeight = 18;

// The mark is drawn by hand, 4 px right of and 2 px below the cell's corner, new hosts in blue. The
// item keeps the mark as its text too, so that what is drawn is also what assistive tools read.
class MarkDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        QColor colour = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        if (index.data(NewRole).toBool() && !selected)
            colour = QColor(0, 0, 255);
        painter->save();
        painter->setPen(colour);
        painter->setFont(opt.font);
        painter->drawText(opt.rect.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
        painter->restore();
    }
};

QString newMark() { return QCoreApplication::translate("THostListDlg", "新規ホスト"); }
QString registeredMark() { return QCoreApplication::translate("THostListDlg", "登録済み"); }

} // namespace

THostListDlg::THostListDlg(Prompter& prompter, HostGridModel& hosts, const QString& programFolder, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_hosts(hosts), m_programFolder(programFolder)
{
    setObjectName(QStringLiteral("HostListDlg"));
    setWindowTitle(tr("最新のホストリスト"));
    // A dialog border with the close button only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    auto* label = new QLabel(tr("取り込みたいホスト情報をチェックし、「取込」ボタンを押してください"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setWordWrap(true);

    m_view = new QTableWidget(0, 3, this);
    m_view->setObjectName(QStringLiteral("LvHosts"));
    m_view->setHorizontalHeaderLabels({tr("ホスト名"), tr("アドレス"), tr("状態")});
    m_view->verticalHeader()->hide();
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(true);
    m_view->setColumnWidth(NameColumn, 145);
    m_view->setColumnWidth(AddressColumn, 150);
    m_view->setShowGrid(true);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setWordWrap(false);
    m_view->setItemDelegateForColumn(MarkColumn, new MarkDelegate(m_view));

    m_all = new QCheckBox(tr("全て"), this);
    m_all->setObjectName(QStringLiteral("chkAll"));
    m_import = new QPushButton(tr("取込"), this);
    m_import->setObjectName(QStringLiteral("btnImport"));
    m_cancel = new QPushButton(tr("キャンセル"), this);
    m_cancel->setObjectName(QStringLiteral("btnCancel"));
    m_import->setAutoDefault(false);
    m_cancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_all);
    buttons->addStretch(1);
    buttons->addWidget(m_import);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);

    connect(m_all, &QCheckBox::clicked, this, guarded(m_prompter, [this] { chkAllClick(); }));
    connect(m_import, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnImportClick(); }));
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(480, 320);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void THostListDlg::LoadWebHostList(const QByteArray& body)
{
    textfile::writeAtomic(apppaths::join(m_programFolder, webhostlist::tempFileName()), body);
    setEntries(webhostlist::read(body, m_hosts));
}

void THostListDlg::setEntries(const QList<WebHostEntry>& entries)
{
    m_entries = entries;
    m_view->setRowCount(0);
    m_view->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < entries.size(); ++row) {
        const WebHostEntry& e = entries.at(row);
        auto* name = new QTableWidgetItem(cp932::toUnicode(e.name));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        name->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
        auto* address = new QTableWidgetItem(cp932::toUnicode(e.address));
        address->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        auto* mark = new QTableWidgetItem(e.registered ? registeredMark() : newMark());
        mark->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        mark->setData(NewRole, !e.registered);
        m_view->setItem(row, NameColumn, name);
        m_view->setItem(row, AddressColumn, address);
        m_view->setItem(row, MarkColumn, mark);
    }
}

bool THostListDlg::isChecked(int row) const
{
    const QTableWidgetItem* item = m_view->item(row, NameColumn);
    return item && item->checkState() == Qt::Checked;
}

void THostListDlg::setChecked(int row, bool checked)
{
    if (QTableWidgetItem* item = m_view->item(row, NameColumn))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void THostListDlg::chkAllClick()
{
    for (int row = 0; row < m_view->rowCount(); ++row)
        setChecked(row, m_all->isChecked());
}

void THostListDlg::btnImportClick()
{
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("指定されたホストの情報を取り込みますか？")))
        return;
    QList<WebHostEntry> chosen;
    for (int row = 0; row < m_entries.size(); ++row) {
        if (isChecked(row))
            chosen.append(m_entries.at(row));
    }
    const webhostlist::ImportResult result = webhostlist::importHosts(m_hosts, chosen);
    // One warning for every checked entry that did not fit, as each one is refused.
    for (int i = 0; i < result.refused; ++i)
        m_prompter.message(Prompter::Icon::Warning,
                           tr("これ以上ホストを追加できません。不必要なホスト情報を削除してください"));
    m_prompter.message(Prompter::Icon::Question, tr("%1 件のホスト情報を取り込みました").arg(result.added));
    accept();
}

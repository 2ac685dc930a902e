// SPDX-License-Identifier: MIT
#include "hosts/HostGridView.h"

#include "hosts/HostGridModel.h"
#include "hosts/HostNameDelegate.h"
#include "hosts/HostWatches.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Header cells in the scheme's colours. Painted here rather than through a style sheet: a style
// sheet would cost more at start-up than the whole rest of the grid.
class HostGridHeader : public QHeaderView
{
public:
    explicit HostGridHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    void setScheme(const HostViewScheme& scheme)
    {
        m_scheme = scheme;
        viewport()->update();
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->save();
        painter->fillRect(rect, QColor::fromRgb(m_scheme.header));
        painter->setPen(QColor::fromRgb(m_scheme.header == 0 ? 0x404040 : 0x808080));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(QColor::fromRgb(m_scheme.text));
        const QString text = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
        painter->drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
        painter->restore();
    }

private:
    HostViewScheme m_scheme = designedHostViewScheme();
};

} // namespace

HostGridView::HostGridView(HostGridModel* hosts, QWidget* parent) : HostGridView(parent) { setHosts(hosts); }

HostGridView::HostGridView(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("HostNameList"));
    setHorizontalHeader(new HostGridHeader(this));

    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setContextMenuPolicy(Qt::CustomContextMenu);

    QHeaderView* vertical = verticalHeader();
    vertical->hide();
    vertical->setMinimumSectionSize(1);
    vertical->setSectionResizeMode(QHeaderView::Fixed);
    vertical->setDefaultSectionSize(RowHeight);
}

void HostGridView::setHosts(HostGridModel* hosts)
{
    m_hosts = hosts;
    // Only now the model: with the row header fixed it need not measure 50 row labels.
    setModel(hosts);
    auto* delegate = new HostNameDelegate(this);
    delegate->setWatchedTest([this](int row) {
        return m_watches && m_hosts->isHost(row) && m_watches->isWatched(m_hosts->host(row).address);
    });
    setItemDelegate(delegate);

    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSectionsMovable(false);
    // A right click on the header row opens no menu.
    header->setContextMenuPolicy(Qt::PreventContextMenu);
    setColumnHidden(HostGridModel::BlankColumn, true);
    setColumnWidth(HostGridModel::NameColumn, NameWidth);
    setColumnWidth(HostGridModel::AddressColumn, AddressWidth);
    setColumnWidth(HostGridModel::StatusColumn, StatusWidth);
    // The status column takes what the others leave: qstat's times ("16/16[00:01:40]") need the room.
    connect(header, &QHeaderView::sectionResized, this, [this](int section) {
        if (section != HostGridModel::StatusColumn)
            fitStatusColumn();
    });

    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(hosts, &HostGridModel::hostCountChanged, this, &HostGridView::hostCountChanged);
    hostCountChanged(hosts->hostCount());

    setScheme(designedHostViewScheme());
    setCurrentHost(0);
}

bool HostGridView::isHostIndex(const QModelIndex& index) const
{
    return index.isValid() && index.model() == m_hosts && m_hosts->isHost(index.row());
}

int HostGridView::currentHost() const
{
    const QModelIndex current = currentIndex();
    return isHostIndex(current) ? current.row() : -1;
}

void HostGridView::setCurrentHost(int i)
{
    if (i < 0 || i >= m_hosts->rowCount())
        return;
    const QModelIndex index = m_hosts->index(i, HostGridModel::NameColumn);
    if (!m_hosts->isHost(i))
        clearSelection();
    setCurrentIndex(index);
}

void HostGridView::hostCountChanged(int count)
{
    setVerticalScrollBarPolicy(count > 9 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    // The grid always has a current row; once it holds a host, it shows as selected.
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        setCurrentHost(0);
    } else if (isHostIndex(current) && !selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void HostGridView::fitStatusColumn()
{
    const int others = columnWidth(HostGridModel::NameColumn) + columnWidth(HostGridModel::AddressColumn);
    setColumnWidth(HostGridModel::StatusColumn, std::max(StatusWidth, viewport()->width() - others));
}

void HostGridView::setWatches(const HostWatches* watches)
{
    if (m_watches)
        disconnect(m_watches, nullptr, this, nullptr);
    m_watches = watches;
    if (watches)
        connect(watches, &HostWatches::rulesChanged, viewport(), qOverload<>(&QWidget::update));
    viewport()->update();
}

QString HostGridView::hostToolTip(int i) const
{
    if (!m_watches || !m_hosts->isHost(i))
        return {};
    return m_watches->toolTip(m_hosts->host(i).address);
}

bool HostGridView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = hostToolTip(indexAt(help->pos()).row());
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(indexAt(help->pos())));
        return true;
    }
    // The viewport also narrows when the scroll bar comes.
    if (event->type() == QEvent::Resize)
        fitStatusColumn();
    return QTableView::viewportEvent(event);
}

void HostGridView::setScheme(const HostViewScheme& scheme)
{
    m_scheme = scheme;
    QPalette p = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, QColor::fromRgb(scheme.background));
        p.setColor(group, QPalette::Window, QColor::fromRgb(scheme.background));
        p.setColor(group, QPalette::Text, QColor::fromRgb(scheme.text));
        p.setColor(group, QPalette::WindowText, QColor::fromRgb(scheme.text));
    }
    setPalette(p);
    static_cast<HostGridHeader*>(horizontalHeader())->setScheme(scheme);
    viewport()->update();
}

QItemSelectionModel::SelectionFlags HostGridView::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (!isHostIndex(index))
        return QItemSelectionModel::NoUpdate;
    return QTableView::selectionCommand(index, event);
}

void HostGridView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        // Only the right button alone picks the cell under the pointer, and only a host's cell.
        setFocus(Qt::MouseFocusReason);
        if (event->buttons() == Qt::RightButton && event->modifiers() == Qt::NoModifier && isHostIndex(index))
            setCurrentIndex(index);
        event->accept();
        return;
    }
    // Only the left button selects; a click on an empty slot leaves the current host as it is.
    if (event->button() != Qt::LeftButton || !isHostIndex(index)) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableView::mousePressEvent(event);
}

void HostGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double-click on an empty slot must not join whichever host happens to be current.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !isHostIndex(index)) {
        event->accept();
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
    emit hostActivated();
}

void HostGridView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit hostActivated();
        return;
    case Qt::Key_Delete:
        event->accept();
        emit deletePressed();
        return;
    default:
        QTableView::keyPressEvent(event);
    }
}

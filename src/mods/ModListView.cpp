// SPDX-License-Identifier: MIT
#include "mods/ModListView.h"

#include "mods/ModListModel.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int LineThickness = 2;

} // namespace

ModListView::ModListView(QWidget* parent) : QListView(parent), m_autoScrollTimer(new QTimer(this))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    // Scrolling counts whole entries, as the automatic scrolling does.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::CustomContextMenu);
    // The list's own rules scroll during a drag, not Qt's.
    setAutoScroll(false);
    m_autoScrollTimer->setObjectName(QStringLiteral("AutoScrollTimer"));
    m_autoScrollTimer->setInterval(AutoScrollInterval);
    connect(m_autoScrollTimer, &QTimer::timeout, this, &ModListView::AutoScrollTimerTimer);
}

void ModListView::setMovesEntries(bool moves)
{
    m_movesEntries = moves;
    setDragEnabled(moves);
    setAcceptDrops(moves);
    viewport()->setAcceptDrops(moves);
    setDragDropMode(moves ? QAbstractItemView::DragDrop : QAbstractItemView::NoDragDrop);
    setDropIndicatorShown(false);
}

ModListModel* ModListView::mods() const { return qobject_cast<ModListModel*>(model()); }

int ModListView::selectedRow() const
{
    if (!selectionModel())
        return -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ModListView::selectRow(int row)
{
    if (!model() || !selectionModel())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    setCurrentIndex(model()->index(row, 0));
}

int ModListView::topIndex() const { return verticalScrollBar()->value(); }

int ModListView::entryHeight() const
{
    const int h = model() && model()->rowCount() > 0 ? sizeHintForRow(0) : 0;
    return h > 0 ? h : fontMetrics().height();
}

int ModListView::entryAt(const QPoint& pos) const
{
    // Entries span the list's width: only the height decides.
    const QModelIndex index = indexAt(QPoint(1, pos.y()));
    return index.isValid() ? index.row() : -1;
}

int ModListView::autoScrollStepFor(int entry, int topIndex, int clientHeight, int entryHeight)
{
    if (entry == topIndex && entry != 0)
        return -1;
    // Counted from the first visible entry: counted from the top of the list, every entry past the
    // first screenful would scroll the list down as soon as it had been scrolled at all.
    if (entryHeight > 0 && entry - topIndex >= (clientHeight - 1) / entryHeight)
        return 1;
    return 0;
}

int ModListView::dropTarget(int entry, int count)
{
    const int target = entry < 0 ? count : entry;
    return target >= count ? count - 1 : target;
}

QRect ModListView::lineRect(int y) const { return QRect(0, y - LineThickness / 2, viewport()->width(), LineThickness); }

void ModListView::setInsertionLine(bool drawn, int y)
{
    if (m_lineDrawn)
        viewport()->update(lineRect(m_lineY));
    m_lineDrawn = drawn;
    m_lineY = y;
    if (m_lineDrawn)
        viewport()->update(lineRect(m_lineY));
}

void ModListView::ListBox2DragOver(const QPoint& pos)
{
    const int entry = entryAt(pos);
    const int count = model() ? model()->rowCount() : 0;
    int y = 0;
    if (entry >= 0) {
        const QRect r = visualRect(model()->index(entry, 0));
        // Moving up marks the entry's top edge, otherwise its bottom edge.
        y = pos.y() < m_previousY ? r.top() : r.top() + r.height();
    } else if (count > 0) {
        const QRect last = visualRect(model()->index(count - 1, 0));
        y = last.top() + last.height();
    }
    setInsertionLine(true, y);

    if (entry >= 0) {
        m_step = autoScrollStepFor(entry, topIndex(), viewport()->height(), entryHeight());
        if (m_step == 0)
            m_autoScrollTimer->stop();
        else if (!m_autoScrollTimer->isActive())
            m_autoScrollTimer->start(); // not restarted on every move, or it would never fire
    }
    m_previousY = pos.y();
}

void ModListView::ListBox2DragDrop(const QPoint& pos)
{
    setInsertionLine(false);
    ModListModel* list = mods();
    if (list) {
        const int target = dropTarget(entryAt(pos), list->count());
        const int from = selectedRow();
        if (from >= 0 && target >= 0)
            list->move(from, target);
    }
    m_autoScrollTimer->stop();
}

void ModListView::AutoScrollTimerTimer()
{
    // The scroll bar keeps the value within range.
    verticalScrollBar()->setValue(verticalScrollBar()->value() + m_step);
}

void ModListView::endDrag()
{
    setInsertionLine(false);
    m_autoScrollTimer->stop();
}

void ModListView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && event->buttons() == Qt::RightButton &&
        event->modifiers() == Qt::NoModifier) {
        // ModListMouseDown: the right button selects what it points at, or nothing.
        selectRow(entryAt(event->position().toPoint()));
        emit rightPressed();
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void ModListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit entryDoubleClicked();
}

void ModListView::startDrag(Qt::DropActions)
{
    const int row = selectedRow();
    if (!m_movesEntries || row < 0)
        return;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(entryMimeType), QByteArray::number(row));
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction, Qt::MoveAction);
    // Dropped elsewhere or cancelled: nothing of the drag may stay behind.
    endDrag();
}

bool ModListView::isEntryDrag(const QDropEvent* event) const
{
    return m_movesEntries && event->mimeData() && event->mimeData()->hasFormat(QString::fromLatin1(entryMimeType));
}

void ModListView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!isEntryDrag(event)) {
        event->ignore();
        return;
    }
    m_previousY = event->position().toPoint().y();
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ModListView::dragMoveEvent(QDragMoveEvent* event)
{
    if (!isEntryDrag(event)) {
        event->ignore();
        return;
    }
    ListBox2DragOver(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ModListView::dragLeaveEvent(QDragLeaveEvent* event)
{
    endDrag();
    event->accept();
}

void ModListView::dropEvent(QDropEvent* event)
{
    if (!isEntryDrag(event)) {
        event->ignore();
        return;
    }
    ListBox2DragDrop(event->position().toPoint());
    event->setDropAction(Qt::MoveAction);
    event->accept();
}

void ModListView::paintEvent(QPaintEvent* event)
{
    QListView::paintEvent(event);
    if (!m_lineDrawn)
        return;
    QPainter painter(viewport());
    painter.fillRect(lineRect(m_lineY), palette().color(QPalette::Text));
}

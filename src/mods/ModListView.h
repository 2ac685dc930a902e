// SPDX-License-Identifier: MIT
#pragma once

#include <QListView>

class ModListModel;
class QTimer;

// A mod list ("ListBox1", "ListBox2"): single selection, a right-button press selects the entry under
// the pointer before the context menu opens. The active list also moves entries by dragging: a line
// marks where the entry will land, and the list scrolls by itself while the pointer rests on its first
// or last visible entry.
class ModListView : public QListView
{
    Q_OBJECT
public:
    // The format of a drag that moves an entry within the list.
    static constexpr char entryMimeType[] = "application/x-morvane-mod-entry";
    static constexpr int AutoScrollInterval = 250;

    explicit ModListView(QWidget* parent = nullptr);

    // Only the active list starts drags and accepts drops.
    void setMovesEntries(bool moves);
    bool movesEntries() const { return m_movesEntries; }

    ModListModel* mods() const;
    // The selected entry, or -1; selecting -1 clears the selection.
    int selectedRow() const;
    void selectRow(int row);
    // The first visible entry.
    int topIndex() const;
    // The entry at a point of the viewport, counting only existing entries, or -1.
    int entryAt(const QPoint& pos) const;

    // The drag state, for painting and for tests.
    bool isInsertionLineDrawn() const { return m_lineDrawn; }
    int insertionLineY() const { return m_lineY; }
    QTimer* autoScrollTimer() const { return m_autoScrollTimer; } // "AutoScrollTimer"
    int autoScrollStep() const { return m_step; }

    // Which way the list scrolls while the pointer rests on `entry` during a drag: -1 up (the first
    // visible entry, unless it is the first entry), +1 down (an entry at or past the last whole row of
    // the view), 0 stop.
    static int autoScrollStepFor(int entry, int topIndex, int clientHeight, int entryHeight);
    // Where a drop at `entry` (-1: below the last entry) lands in a list of `count` entries.
    static int dropTarget(int entry, int count);

    // The drag handlers: every pointer move of a drag over the list, and the release.
    void ListBox2DragOver(const QPoint& pos);
    void ListBox2DragDrop(const QPoint& pos);
    void AutoScrollTimerTimer();

signals:
    // A left-button double-click anywhere on the list.
    void entryDoubleClicked();
    // A press of the right button alone; the entry under the pointer is selected by now.
    void rightPressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int entryHeight() const;
    bool isEntryDrag(const QDropEvent* event) const;
    void setInsertionLine(bool drawn, int y = 0);
    // The end of a drag, however it ends: no line, no scrolling.
    void endDrag();
    QRect lineRect(int y) const;

    QTimer* m_autoScrollTimer;
    int m_step = 0;
    bool m_movesEntries = false;
    bool m_lineDrawn = false;
    int m_lineY = 0;
    int m_previousY = 0;
};

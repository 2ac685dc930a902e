// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Draws a host's name in bold while its status cell holds a result: hosts that answered the last
// check stand out from those that did not. A watched host carries a bold mark before its name.
class HostNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static bool isBold(const QModelIndex& index);
    // The mark drawn before a watched host's name.
    static QString watchMark() { return QStringLiteral("★"); }

    // Whether the host in a row is watched.
    void setWatchedTest(std::function<bool(int row)> test) { m_isWatched = std::move(test); }
    bool isMarked(const QModelIndex& index) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::function<bool(int row)> m_isWatched;
};

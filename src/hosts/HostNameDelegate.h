// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

// Draws a host's name in bold while its status cell holds a result: hosts that answered the last
// check stand out from those that did not.
class HostNameDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static bool isBold(const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

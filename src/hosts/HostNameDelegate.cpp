// SPDX-License-Identifier: MIT
#include "hosts/HostNameDelegate.h"

#include "hosts/HostGridModel.h"

bool HostNameDelegate::isBold(const QModelIndex& index)
{
    if (!index.isValid() || index.column() != HostGridModel::NameColumn)
        return false;
    return !index.siblingAtColumn(HostGridModel::StatusColumn).data().toString().isEmpty();
}

void HostNameDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (isBold(index))
        option->font.setBold(true);
}

// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/WebHostList.h"

#include <QDialog>
#include <QList>

class HostGridModel;
class Prompter;
class QCheckBox;
class QPushButton;
class QTableWidget;

// "最新のホストリスト": the published host list, each entry marked "新規ホスト" or "登録済み", from
// which the checked entries are appended to the host list. Made for one showing and let go after.
class THostListDlg : public QDialog
{
    Q_OBJECT
public:
    enum Column
    {
        NameColumn,
        AddressColumn,
        MarkColumn
    };

    THostListDlg(Prompter& prompter, HostGridModel& hosts, const QString& programFolder, QWidget* parent = nullptr);

    // The downloaded list: kept as "hostlist.tmp" in the program folder, then its entries listed.
    // When it cannot be kept, throws UserError saying why, and nothing is listed.
    void LoadWebHostList(const QByteArray& body);
    // Lists these entries, replacing what was listed.
    void setEntries(const QList<WebHostEntry>& entries);
    int entryCount() const { return static_cast<int>(m_entries.size()); }

    QTableWidget* hostsView() const { return m_view; } // "LvHosts"
    QCheckBox* allBox() const { return m_all; }        // "chkAll"
    QPushButton* importButton() const { return m_import; }
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);

    // Every row takes the state of "全て".
    void chkAllClick();
    // "取込": appends the checked entries while the list has room, then closes.
    void btnImportClick();

private:
    Prompter& m_prompter;
    HostGridModel& m_hosts;
    QString m_programFolder;
    QList<WebHostEntry> m_entries;
    QTableWidget* m_view;
    QCheckBox* m_all;
    QPushButton* m_import;
    QPushButton* m_cancel;
};

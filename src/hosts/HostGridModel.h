// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// The favourite hosts, as the host grid shows them: always MaxHostCount slot rows, hosts in rows
// 0 to hostCount()-1 (the grid's rows 1 to HostCount; its header row is the view's header), the
// slots after them empty. Names and addresses are kept as the code-page-932 bytes they were read
// as, so a name that is not valid code page 932 is written back unchanged when nobody edited it.
//
// Only host rows are enabled and selectable, so a view cannot make an empty slot current.
class HostGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int MaxHostCount = 50;
    enum Column
    {
        BlankColumn,
        NameColumn,
        AddressColumn,
        StatusColumn,
        ColumnCount
    };

    struct Host
    {
        QByteArray name;
        QByteArray address;
        QString status; // empty: unknown or not answering
    };

    explicit HostGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The header as the grid is laid out with: "-,ホストネーム,アドレス,人数[残時間]".
    static QString headerText();

    int hostCount() const { return m_count; }
    bool isFull() const { return m_count >= MaxHostCount; }
    bool isHost(int i) const { return i >= 0 && i < m_count; }
    // Slot i, 0 <= i < MaxHostCount; slots past hostCount() are empty.
    const Host& host(int i) const { return m_slots.at(i); }
    QString nameText(int i) const;
    QString addressText(int i) const;

    // Whether a typed address is one: blanks alone, or a pair of quotes around nothing, count as an
    // empty answer and must not enter the list.
    static bool isUsableAddress(QByteArrayView address);
    // Why a typed name or address cannot be stored, or empty when it can: a line break, or a character
    // that code page 932 cannot hold (it would come back as "?" at the next start).
    static QString refusalFor(const QString& typed);

    // Line breaks in a name or an address are stored as blanks, wherever they come from.
    // Appends after the last host; false (and nothing changes) when the list is full or the address
    // is empty, since the first empty address ends the list when the file is read back.
    bool appendHost(const QByteArray& name, const QByteArray& address);
    // Replaces host i's name and address; false (and nothing changes) when i is not a host or the
    // address is empty.
    bool setHost(int i, const QByteArray& name, const QByteArray& address);
    // Removes host i; the hosts below move up one and the slot count stays MaxHostCount.
    void removeHost(int i);
    void clear();
    // Moves host `from` (all columns) to position `to`; the hosts between shift one towards `from`.
    // Both must be hosts; persistent indexes (a view's current row) follow the moved host.
    void moveHostRow(int from, int to);

    // Host i's status text; ignored for a slot that holds no host.
    void setStatus(int i, const QString& status);
    void clearStatuses();
    bool isLive(int i) const { return !m_slots.at(i).status.isEmpty(); }

signals:
    void hostCountChanged(int count);

private:
    QList<Host> m_slots;
    int m_count = 0;
};

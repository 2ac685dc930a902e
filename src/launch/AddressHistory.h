// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QString>

// The addresses joined by typing them, newest first, at most ten; the list of both address boxes.
// Entries are kept as the code-page-932 bytes of "iphistory.txt", so a line that is not valid code
// page 932 is written back unchanged.
class AddressHistory : public QAbstractListModel
{
    Q_OBJECT
public:
    static constexpr int MaxEntries = 10;
    // The host tab's box starts with this text; joining it does not enter the history.
    static QString defaultAddress() { return QStringLiteral("000.000.000.000:0000"); }

    explicit AddressHistory(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    int count() const { return int(m_entries.size()); }
    const QList<QByteArray>& entries() const { return m_entries; }
    QString text(int i) const;
    QStringList texts() const;
    // The first entry equal to text without regard to letter case, as a combo box list finds it; or -1.
    int indexOf(const QString& text) const;

    // The host tab's rule: a text already there (in any letter case) stays where it is, and the
    // default text is not recorded. True when the text was inserted.
    bool insertTyped(const QString& text);
    // The direct-connect dialog's rule: always at the top, even when it is already there.
    void insertAtTop(const QString& text);
    void clear();
    // At most the first MaxEntries entries are kept.
    void setEntries(QList<QByteArray> entries);

    // A missing file leaves the history empty; only the first ten lines are read. Throws UserError
    // when the file is there but cannot be read.
    void loadFile(const QString& path);
    // Replaces the file atomically; throws UserError when it cannot be written.
    void saveFile(const QString& path) const;
    // The file's bytes: one entry per line, each ended by CR LF.
    QByteArray fileBytes() const;

private:
    void insertBytesAtTop(const QByteArray& entry);

    QList<QByteArray> m_entries;
};

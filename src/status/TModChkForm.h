// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QList>

class QListWidget;
class QPushButton;

// "結果": the mods a host uses that are not installed here, shown modally in the middle of the
// desktop. Made for one check and freed after it.
class TModChkForm : public QDialog
{
    Q_OBJECT
public:
    explicit TModChkForm(QWidget* parent = nullptr);

    QListWidget* MODList() const { return m_list; }
    // Lists the mods, names as the host gave them (code page 932).
    void setMods(const QList<QByteArray>& mods);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QListWidget* m_list;
    QPushButton* m_close;
};

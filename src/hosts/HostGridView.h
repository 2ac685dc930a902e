// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/HostViewScheme.h"

#include <QTableView>

class HostGridModel;
class HostWatches;

// The host grid "HostNameList": a header row over the 50 slot rows, whole-row selection, no
// editing in place. Only host rows can become current; a click on an empty slot changes nothing.
// The vertical scroll bar is there only while more than nine hosts are listed. The status column
// takes the width the other columns leave, and never less than StatusWidth.
class HostGridView : public QTableView
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 18;
    static constexpr int NameWidth = 106;
    static constexpr int AddressWidth = 118;
    static constexpr int StatusWidth = 90;

    explicit HostGridView(HostGridModel* hosts, QWidget* parent = nullptr);
    // As a form builds it: empty until setHosts() gives it its model, once.
    explicit HostGridView(QWidget* parent);
    void setHosts(HostGridModel* hosts);

    HostGridModel* hosts() const { return m_hosts; }
    // The current host, 0-based, or -1 when the current row holds no host.
    int currentHost() const;
    // Makes row i current (and selected when it holds a host).
    void setCurrentHost(int i);

    // Watched hosts carry a bold mark before their name; the tooltip on a host tells when it last
    // answered and what it showed then.
    void setWatches(const HostWatches* watches);
    const HostWatches* watches() const { return m_watches; }
    // The tooltip for host i.
    QString hostToolTip(int i) const;

    // Background, text and header colours.
    void setScheme(const HostViewScheme& scheme);
    const HostViewScheme& scheme() const { return m_scheme; }

signals:
    // Double-click on a host row, or Enter.
    void hostActivated();
    void deletePressed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    bool isHostIndex(const QModelIndex& index) const;
    void hostCountChanged(int count);
    void fitStatusColumn();

    HostGridModel* m_hosts = nullptr;
    HostViewScheme m_scheme;
    const HostWatches* m_watches = nullptr;
};

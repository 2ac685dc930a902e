// SPDX-License-Identifier: MIT
#pragma once

#include "hosts/HostViewScheme.h"
#include "hosts/HostViewSettings.h"

#include <QString>
#include <QWidget>

#include <memory>

class HostGridModel;
class HostGridView;
class HostWatches;
class ProfileFile;
class Prompter;
class QAction;
class QActionGroup;
class QBoxLayout;
class QMenu;

namespace Ui {
class HostsPage;
}

// The host tab's own part: the hint label, the host grid and the row of editing buttons, with the
// handlers that add, edit, delete and reorder hosts and the grid's pop-up menu. It owns the host
// model and the grid's two options (live hosts first, the colour scheme). Whoever composes the tab
// adds its own controls to headerLayout(), above the grid at the right of the hint, or places the
// page inside a layout of its own.
class HostsPage : public QWidget
{
    Q_OBJECT
public:
    explicit HostsPage(Prompter& prompter, QWidget* parent = nullptr);
    ~HostsPage() override;

    HostGridModel& hosts() const { return *m_hosts; }
    HostGridView* grid() const;
    QWidget* buttonsRow() const;
    QBoxLayout* headerLayout() const;

    QMenu* popupMenu() const { return m_popup; }           // "PopupMenuOnHost"
    QAction* hostInfoAction() const { return m_hostInfo; } // "N18", handled by the host information dialog
    // "このMODで接続" under "接続" (JoinWithMods1), handled by the host information dialog, which knows
    // the hosts' mods; disabled until it enables it.
    QAction* joinWithModsAction() const { return m_joinWithMods; }
    QAction* addHostAction() const;
    QAction* editHostAction() const;
    QAction* delHostAction() const;
    // "稼働中ホストを優先して並べる" (N22): live hosts move up as the status results come in.
    QAction* sortLiveHostsFirstAction() const { return m_sortLiveFirst; }
    bool sortLiveHostsFirst() const;
    // The items of "ホストビューカラー": N26 "標準" and N27 "マトリックス" tick themselves, Varsity1 does not.
    QList<QAction*> schemeActions() const;

    // Morvane.ini: SortHost and HostViewColor.
    void readSettings(const ProfileFile& ini);
    void writeSettings(ProfileFile& ini) const;

    // Adding, editing, deleting and reordering are possible only while the status check is idle:
    // the check calls setCheckIdle(false) when it starts and setCheckIdle(true) when it has ended.
    void setCheckIdle(bool idle);
    bool isCheckIdle() const { return m_checkIdle; }

    // The current host, 0-based, or -1 when the current row holds none; its name, or empty.
    int currentHost() const;
    QString currentHostName() const;

    // Sets the grid's colours for the scheme of that name ("標準" when it is none of the three) and
    // remembers the name, which the settings store.
    void ApplyHostViewColor(const QString& name);
    // The remembered scheme name: empty until a scheme was applied.
    const QString& schemeName() const { return m_schemeName; }

    // The watched favourites: the edit dialog shows and changes a host's rules, the grid marks watched
    // hosts and tells in its tooltip what each host last showed.
    void setWatches(HostWatches* watches);
    HostWatches* watches() const { return m_watches; }
    // A line right under the grid (the status check's messages).
    void setGridFooter(QWidget* footer);

    // Moves host `from` to position `to` (0-based); the current row follows the moved host.
    void MoveHostRow(int from, int to);

    void actAddHostExecute();
    void actEditHostExecute();
    void actDelHostExecute();
    void Button4Click(); // "↑"
    void Button5Click(); // "↓"
    // Double-click, Enter and "接続".
    void HostNameListDblClick();
    // "アドレスをコピー".
    void CopyAddressClick();

signals:
    // The user wants to join the host at `address`, listed as `name`.
    void joinRequested(const QString& address, const QString& name);

private:
    void buildPopupMenu();
    void buildOptionActions();
    void showPopupMenu(const QPoint& viewportPos);

    Prompter& m_prompter;
    HostGridModel* m_hosts;
    std::unique_ptr<Ui::HostsPage> m_ui;
    QMenu* m_popup = nullptr;
    QAction* m_hostInfo = nullptr;
    QAction* m_connect = nullptr;
    QAction* m_joinWithMods = nullptr;
    QAction* m_copyAddress = nullptr;
    QAction* m_edit3 = nullptr;
    QAction* m_delete1 = nullptr;
    QAction* m_sortLiveFirst = nullptr;
    QActionGroup* m_schemeGroup = nullptr;
    QAction* m_varsity = nullptr;
    QString m_schemeName;
    HostViewSettings m_settings;
    bool m_checkIdle = true;
    HostWatches* m_watches = nullptr;
};

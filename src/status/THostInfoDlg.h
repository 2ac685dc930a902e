// SPDX-License-Identifier: MIT
#pragma once

#include "status/HostInfoRules.h"
#include "status/QueryRunner.h"

#include <QByteArray>
#include <QDialog>
#include <QHash>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class HostsPage;
class ModJoin;
class PlayerListModel;
class Prompter;
class QModelIndex;
class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class QTabWidget;
class QTableView;
class QTableWidget;
class QTimer;

namespace Ui {
class HostInfoDlg;
}

namespace hostinfo {
struct HostInfoResult;
}

// "ホストの情報": one host's rules and players, fetched through the query program for the host
// selected in the host grid, and the check of its mods against the installed ones. Made the first
// time it is asked for and kept for the rest of the run; it shows beside the main window without
// blocking it and always opens on its first page. It handles the host grid's "ホストの情報" (N18) itself.
class THostInfoDlg : public QDialog
{
    Q_OBJECT
public:
    // isModInstalled answers whether a mod of that name is installed (the mod lists, letter case
    // ignored).
    THostInfoDlg(Prompter& prompter, QString programFolder, HostsPage& hosts, hostinfo::ModPresence isModInstalled,
                 QWidget* parent = nullptr);
    ~THostInfoDlg() override;

    // The fetch for the host selected in the host grid at this moment; fills the dialog and shows
    // it. The window stays live meanwhile, with N18 and "更新" disabled until the fetch has ended.
    void N18Click();
    void Button1Click(); // "更新"
    void Button3Click(); // "MODチェック"
    // "このMODで接続" beside "MODチェック": joins the host shown with exactly its mods.
    void btnJoinWithModsClick();
    // The host grid's "このMODで接続": the same for the selected host, with the mods it last reported.
    void JoinWithMods1Click();

    // Where "このMODで接続" goes; without it both commands stay disabled.
    void attachModJoin(ModJoin* join);
    // The mod list a host reported at its last fetch in this run, if it answered with one.
    std::optional<QByteArray> knownHostMods(const QString& address) const;
    void ListView1ColumnClick(int column);
    void btnCloseClick();

    // The mod list of the last host that answered, as it reported it (at most 510 bytes).
    QByteArray CurrentHostMods() const { return m_currentHostMods; }
    bool isFetching() const { return m_fetching; }
    // For tests: the longest one query run may take.
    void setQueryTimeoutMs(int ms) { m_timeoutMs = ms; }

    QTabWidget* pageControl() const;
    QTableWidget* hostInfoGrid() const;
    QTableView* listView() const;
    PlayerListModel* players() const { return m_players; }
    QPushButton* refreshButton() const;
    QPushButton* modCheckButton() const;
    QPushButton* joinWithModsButton() const;

signals:
    // After every fetch, whatever its outcome.
    void fetchEnded();
    // The one-second notice "情報取得中…" while a fetch runs: shown as it starts, renewed while it runs
    // unless another notice took the window over, and withdrawn as it ends if it is still the one shown.
    void notice(const QString& text);
    void noticeRenewed(const QString& text);
    void noticeWithdrawn(const QString& text);

private:
    void FormCreate();
    void FormClose();
    void HostInfoGridDrawCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void ListView1DrawItem(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    void setValue(int row, const QString& text, const QString& toolTip = {});
    void showResult(const hostinfo::HostInfoResult& result);
    void updateSortIndicator();
    void keepNoticeUp();
    void endFetch();
    void updateJoinCommands();
    void joinWithHostMods(const QString& address, const QString& name, const QByteArray& mods);

    Prompter& m_prompter;
    const QString m_programFolder;
    HostsPage& m_hosts;
    hostinfo::ModPresence m_isModInstalled;

    std::unique_ptr<Ui::HostInfoDlg> m_ui;
    PlayerListModel* m_players = nullptr;
    QTimer* m_noticeTimer = nullptr;

    QByteArray m_currentHostMods;
    QString m_shownAddress; // the host whose answer is shown
    QString m_shownName;
    bool m_shownAnswered = false;
    QHash<QString, QByteArray> m_knownMods; // by address, for the run
    QPointer<ModJoin> m_modJoin;
    bool m_fetching = false;
    int m_timeoutMs = queryrunner::QueryTimeoutMs;
};

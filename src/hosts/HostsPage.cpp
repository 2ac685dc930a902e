// SPDX-License-Identifier: MIT
#include "hosts/HostsPage.h"

#include "hosts/HostEdit.h"
#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostWatches.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

const QString AddressDefault = QStringLiteral("000.000.000.000:0000");
const QString NameDefault = QStringLiteral("識別しやすい名前を入れましょう");
const QString UnnamedHost = QStringLiteral("IPホスト");

} // namespace

HostsPage::HostsPage(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_hosts(new HostGridModel(this))
{
    setObjectName(QStringLiteral("HostsPage"));
    m_label = new QLabel(QStringLiteral("接続したいホストをダブルクリックして下さい"), this);
    m_label->setObjectName(QStringLiteral("lblHostListHint"));
    m_grid = new HostGridView(m_hosts, this);

    m_addHost =
        makeAction(QStringLiteral("actAddHost"), QStringLiteral("追加"), QStringLiteral("新しいホストを登録します"));
    m_editHost = makeAction(QStringLiteral("actEditHost"), QStringLiteral("編集"),
                            QStringLiteral("選択されたホストを編集します"));
    m_delHost = makeAction(QStringLiteral("actDelHost"), QStringLiteral("削除"),
                           QStringLiteral("選択されたホストを削除します"));
    connect(m_addHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actAddHostExecute(); }));
    connect(m_editHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actEditHostExecute(); }));
    connect(m_delHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actDelHostExecute(); }));

    m_buttonsRow = new QWidget(this);
    m_buttonsRow->setObjectName(QStringLiteral("HostButtons"));
    auto* row = new QHBoxLayout(m_buttonsRow);
    row->setContentsMargins(0, 0, 0, 0);
    m_addButton =
        makeButton(QStringLiteral("btnAddHost"), QStringLiteral("追加"), QStringLiteral("新しいホストを登録します"));
    m_editButton = makeButton(QStringLiteral("btnEditHost"), QStringLiteral("編集"),
                              QStringLiteral("選択されたホストを編集します"));
    m_deleteButton = makeButton(QStringLiteral("btnDeleteHost"), QStringLiteral("削除"),
                                QStringLiteral("選択されたホストを削除します"));
    m_upButton =
        makeButton(QStringLiteral("Button4"), QStringLiteral("↑"), QStringLiteral("選択されたホストを上に移動します"));
    m_downButton =
        makeButton(QStringLiteral("Button5"), QStringLiteral("↓"), QStringLiteral("選択されたホストを下に移動します"));
    for (QPushButton* b : {m_addButton, m_editButton, m_deleteButton, m_upButton, m_downButton})
        row->addWidget(b);
    row->addStretch();

    // The buttons serve the actions, so they follow their enabled state.
    const std::pair<QPushButton*, QAction*> served[] = {
        {m_addButton, m_addHost}, {m_editButton, m_editHost}, {m_deleteButton, m_delHost}};
    for (const auto& [button, action] : served) {
        connect(button, &QPushButton::clicked, action, [action = action] { action->trigger(); });
        connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    }
    connect(m_upButton, &QPushButton::clicked, this, guarded(m_prompter, [this](bool) { Button4Click(); }));
    connect(m_downButton, &QPushButton::clicked, this, guarded(m_prompter, [this](bool) { Button5Click(); }));

    buildPopupMenu();
    buildOptionActions();
    connect(m_grid, &HostGridView::hostActivated, this, guarded(m_prompter, [this] { HostNameListDblClick(); }));
    connect(m_grid, &HostGridView::deletePressed, this, guarded(m_prompter, [this] {
                if (m_delHost->isEnabled())
                    m_delHost->trigger();
            }));
    connect(m_grid, &QWidget::customContextMenuRequested, this,
            guarded(m_prompter, [this](const QPoint& pos) { showPopupMenu(pos); }));

    m_header = new QHBoxLayout;
    m_header->addWidget(m_label, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_header);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_buttonsRow);
}

HostsPage::~HostsPage() = default;

QAction* HostsPage::makeAction(const QString& name, const QString& caption, const QString& hint)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    addAction(action);
    return action;
}

QPushButton* HostsPage::makeButton(const QString& name, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

void HostsPage::buildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuOnHost"));
    m_popup->setToolTipsVisible(true);

    m_hostInfo = m_popup->addAction(QStringLiteral("ホストの情報"));
    m_hostInfo->setObjectName(QStringLiteral("N18"));
    m_popup->addSeparator();
    m_connect = m_popup->addAction(QStringLiteral("接続"));
    m_connect->setObjectName(QStringLiteral("Connect1"));
    m_popup->setDefaultAction(m_connect);
    m_joinWithMods = m_popup->addAction(QStringLiteral("このMODで接続"));
    m_joinWithMods->setObjectName(QStringLiteral("JoinWithMods1"));
    m_joinWithMods->setToolTip(
        QStringLiteral("ホストの情報で分かったMODだけを有効にして接続し、ゲームが終わったら元に戻します"));
    m_joinWithMods->setEnabled(false);
    m_popup->addSeparator();
    m_copyAddress = m_popup->addAction(QStringLiteral("アドレスをコピー"));
    m_copyAddress->setObjectName(QStringLiteral("CopyAddress1"));
    m_copyAddress->setToolTip(QStringLiteral("選択されたホストのアドレスをクリップボードにコピーします"));
    m_edit3 = m_popup->addAction(QStringLiteral("編集"));
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    m_delete1 = m_popup->addAction(QStringLiteral("削除"));
    m_delete1->setObjectName(QStringLiteral("Delete1"));

    connect(m_connect, &QAction::triggered, this, guarded(m_prompter, [this](bool) { HostNameListDblClick(); }));
    connect(m_copyAddress, &QAction::triggered, this, guarded(m_prompter, [this](bool) { CopyAddressClick(); }));
    connect(m_edit3, &QAction::triggered, this, guarded(m_prompter, [this](bool) { m_editHost->trigger(); }));
    connect(m_delete1, &QAction::triggered, this, guarded(m_prompter, [this](bool) { m_delHost->trigger(); }));
}

void HostsPage::buildOptionActions()
{
    m_sortLiveFirst = new QAction(QStringLiteral("稼働中ホストを優先して並べる"), this);
    m_sortLiveFirst->setObjectName(QStringLiteral("N22"));
    m_sortLiveFirst->setCheckable(true);

    m_schemeGroup = new QActionGroup(this);
    m_schemeGroup->setExclusive(true);
    for (const auto& [name, caption] : {std::pair{"N26", u"標準"}, std::pair{"N27", u"マトリックス"}}) {
        auto* a = new QAction(QString::fromUtf16(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        m_schemeGroup->addAction(a);
        connect(a, &QAction::triggered, this, guarded(m_prompter, [this, a] { ApplyHostViewColor(a->text()); }));
    }
    m_varsity = new QAction(QStringLiteral("Varsity"), this);
    m_varsity->setObjectName(QStringLiteral("Varsity1"));
    connect(m_varsity, &QAction::triggered, this,
            guarded(m_prompter, [this] { ApplyHostViewColor(m_varsity->text()); }));
}

bool HostsPage::sortLiveHostsFirst() const { return m_sortLiveFirst->isChecked(); }

QList<QAction*> HostsPage::schemeActions() const { return m_schemeGroup->actions() << m_varsity; }

void HostsPage::readSettings(const ProfileFile& ini)
{
    m_settings = HostViewSettings::read(ini);
    m_sortLiveFirst->setChecked(m_settings.sortLiveHostsFirst.value());
    ApplyHostViewColor(m_settings.scheme.value());
}

void HostsPage::writeSettings(ProfileFile& ini) const
{
    m_settings.write(ini, m_sortLiveFirst->isChecked(), m_schemeName);
}

void HostsPage::ApplyHostViewColor(const QString& name)
{
    const HostViewScheme scheme = hostViewScheme(name);
    m_grid->setScheme(scheme);
    m_schemeName = scheme.name;
}

void HostsPage::showPopupMenu(const QPoint& viewportPos)
{
    m_popup->popup(m_grid->viewport()->mapToGlobal(viewportPos));
}

void HostsPage::setCheckIdle(bool idle)
{
    m_checkIdle = idle;
    for (QAction* a : {m_addHost, m_editHost, m_delHost, m_edit3, m_delete1})
        a->setEnabled(idle);
    m_upButton->setEnabled(idle);
    m_downButton->setEnabled(idle);
}

int HostsPage::currentHost() const { return m_grid->currentHost(); }

QString HostsPage::currentHostName() const
{
    const int i = currentHost();
    return i < 0 ? QString() : m_hosts->nameText(i);
}

void HostsPage::setWatches(HostWatches* watches)
{
    m_watches = watches;
    m_grid->setWatches(watches);
}

void HostsPage::setGridFooter(QWidget* footer)
{
    auto* box = static_cast<QBoxLayout*>(layout());
    box->insertWidget(box->indexOf(m_grid) + 1, footer);
}

void HostsPage::MoveHostRow(int from, int to)
{
    m_hosts->moveHostRow(from, to);
    if (m_grid->currentIndex().isValid())
        m_grid->scrollTo(m_grid->currentIndex());
}

void HostsPage::actAddHostExecute()
{
    if (m_hosts->isFull()) {
        m_prompter.message(Prompter::Icon::Warning, QStringLiteral("これ以上新たにホストを登録出来ません"));
        return;
    }
    const QString address = m_prompter.input(QStringLiteral("ホスト追加"), QStringLiteral("アドレス"), AddressDefault);
    const QByteArray addressBytes = cp932::fromUnicode(address);
    // An empty answer counts as a cancel: an empty address would end the list when it is read back.
    if (address == AddressDefault || !HostGridModel::isUsableAddress(addressBytes))
        return;
    if (const QString refusal = HostGridModel::refusalFor(address); !refusal.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, refusal);
        return;
    }
    QString name =
        m_prompter.input(QStringLiteral("ホスト名"), QStringLiteral("ホスト名(入力しなくても可)"), NameDefault);
    if (name.isEmpty() || name == NameDefault)
        name = UnnamedHost;
    if (const QString refusal = HostGridModel::refusalFor(name); !refusal.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, refusal);
        return;
    }
    m_hosts->appendHost(cp932::fromUnicode(name), addressBytes);
}

void HostsPage::actEditHostExecute()
{
    // With no host listed there is nothing to edit, and a name must not land in an empty slot.
    const int i = currentHost();
    if (i < 0)
        return;
    THostEditDlg dialog(m_prompter, this);
    const QByteArray oldAddress = m_hosts->host(i).address;
    dialog.setHost(m_hosts->host(i).name, oldAddress);
    if (m_watches)
        dialog.setWatchRule(m_watches->rule(oldAddress));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!m_hosts->setHost(i, dialog.hostName(), dialog.hostAddress()) || !m_watches)
        return;
    // Rules belong to the address: a new address takes them along unless another host keeps the old one.
    const QByteArray newAddress = m_hosts->host(i).address;
    if (newAddress != oldAddress) {
        bool oldStillListed = false;
        for (int k = 0; k < m_hosts->hostCount(); ++k)
            oldStillListed = oldStillListed || m_hosts->host(k).address == oldAddress;
        if (!oldStillListed)
            m_watches->setRule(oldAddress, {});
    }
    if (dialog.watchRule() != m_watches->rule(newAddress))
        m_watches->setRule(newAddress, dialog.watchRule());
}

void HostsPage::actDelHostExecute()
{
    const int count = m_hosts->hostCount();
    const int r = currentHost();
    if (count == 0 || r < 0)
        return;
    if (!m_prompter.confirm(Prompter::Icon::Question,
                            QStringLiteral("%1 をリストから削除しますか？").arg(m_hosts->nameText(r))))
        return;
    m_hosts->removeHost(r);
    const int left = m_hosts->hostCount();
    if (left == 0) {
        m_grid->setCurrentHost(0);
        return;
    }
    const int current = r >= left ? r - 1 : r;
    if (left < 10)
        m_grid->scrollToTop();
    m_grid->setCurrentHost(current);
}

void HostsPage::Button4Click()
{
    const int r = currentHost();
    if (r > 0)
        MoveHostRow(r, r - 1);
}

void HostsPage::Button5Click()
{
    const int r = currentHost();
    if (r >= 0 && r < m_hosts->hostCount() - 1)
        MoveHostRow(r, r + 1);
}

void HostsPage::HostNameListDblClick()
{
    const int r = currentHost();
    if (m_hosts->hostCount() == 0 || r < 0)
        return;
    emit joinRequested(m_hosts->addressText(r), m_hosts->nameText(r));
}

void HostsPage::CopyAddressClick()
{
    const int r = currentHost();
    if (r < 0)
        return;
    QGuiApplication::clipboard()->setText(m_hosts->addressText(r));
}

// SPDX-License-Identifier: MIT
#include "hosts/HostsPage.h"
#include "ui_HostsPage.h"

#include "hosts/HostGridModel.h"
#include "hosts/HostGridView.h"
#include "hosts/HostWatches.h"
#include "hosts/THostEditDlg.h"
#include "platform/Cp932.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

#include <tuple>

namespace {

const QString AddressDefault = QStringLiteral("000.000.000.000:0000");
// The host list holds it, so it is the same in every language.
const QString UnnamedHost = QStringLiteral("IPホスト");

// What QToolButton::setDefaultAction does, for a push button: the caption, hint and state are the
// action's, so they are written once, and a click triggers it.
void setDefaultAction(QPushButton* button, QAction* action)
{
    const auto follow = [button, action] {
        button->setText(action->text());
        button->setToolTip(action->toolTip());
        button->setEnabled(action->isEnabled());
    };
    follow();
    QObject::connect(action, &QAction::changed, button, follow);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
}

} // namespace

HostsPage::HostsPage(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_hosts(new HostGridModel(this)), m_ui(std::make_unique<Ui::HostsPage>())
{
    m_ui->setupUi(this);
    m_ui->HostNameList->setHosts(m_hosts);
    setDefaultAction(m_ui->btnAddHost, m_ui->actAddHost);
    setDefaultAction(m_ui->btnEditHost, m_ui->actEditHost);
    setDefaultAction(m_ui->btnDeleteHost, m_ui->actDelHost);
    connect(m_ui->actAddHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actAddHostExecute(); }));
    connect(m_ui->actEditHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actEditHostExecute(); }));
    connect(m_ui->actDelHost, &QAction::triggered, this, guarded(m_prompter, [this](bool) { actDelHostExecute(); }));
    connect(m_ui->Button4, &QPushButton::clicked, this, guarded(m_prompter, [this](bool) { Button4Click(); }));
    connect(m_ui->Button5, &QPushButton::clicked, this, guarded(m_prompter, [this](bool) { Button5Click(); }));

    buildPopupMenu();
    buildOptionActions();
    HostGridView* grid = m_ui->HostNameList;
    connect(grid, &HostGridView::hostActivated, this, guarded(m_prompter, [this] { HostNameListDblClick(); }));
    connect(grid, &HostGridView::deletePressed, this, guarded(m_prompter, [this] {
                if (m_ui->actDelHost->isEnabled())
                    m_ui->actDelHost->trigger();
            }));
    connect(grid, &QWidget::customContextMenuRequested, this,
            guarded(m_prompter, [this](const QPoint& pos) { showPopupMenu(pos); }));
}

HostsPage::~HostsPage() = default;

HostGridView* HostsPage::grid() const { return m_ui->HostNameList; }
QWidget* HostsPage::buttonsRow() const { return m_ui->HostButtons; }
QBoxLayout* HostsPage::headerLayout() const { return m_ui->header; }
QAction* HostsPage::addHostAction() const { return m_ui->actAddHost; }
QAction* HostsPage::editHostAction() const { return m_ui->actEditHost; }
QAction* HostsPage::delHostAction() const { return m_ui->actDelHost; }

void HostsPage::buildPopupMenu()
{
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenuOnHost"));
    m_popup->setToolTipsVisible(true);

    m_hostInfo = m_popup->addAction(tr("ホストの情報"));
    m_hostInfo->setObjectName(QStringLiteral("N18"));
    m_popup->addSeparator();
    m_connect = m_popup->addAction(tr("接続"));
    m_connect->setObjectName(QStringLiteral("Connect1"));
    m_popup->setDefaultAction(m_connect);
    m_joinWithMods = m_popup->addAction(tr("このMODで接続"));
    m_joinWithMods->setObjectName(QStringLiteral("JoinWithMods1"));
    m_joinWithMods->setToolTip(tr("ホストの情報で分かったMODだけを有効にして接続し、ゲームが終わったら元に戻します"));
    m_joinWithMods->setEnabled(false);
    m_popup->addSeparator();
    m_copyAddress = m_popup->addAction(tr("アドレスをコピー"));
    m_copyAddress->setObjectName(QStringLiteral("CopyAddress1"));
    m_copyAddress->setToolTip(tr("選択されたホストのアドレスをクリップボードにコピーします"));
    m_edit3 = m_popup->addAction(m_ui->actEditHost->text());
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    m_delete1 = m_popup->addAction(m_ui->actDelHost->text());
    m_delete1->setObjectName(QStringLiteral("Delete1"));

    connect(m_connect, &QAction::triggered, this, guarded(m_prompter, [this](bool) { HostNameListDblClick(); }));
    connect(m_copyAddress, &QAction::triggered, this, guarded(m_prompter, [this](bool) { CopyAddressClick(); }));
    connect(m_edit3, &QAction::triggered, this, guarded(m_prompter, [this](bool) { m_ui->actEditHost->trigger(); }));
    connect(m_delete1, &QAction::triggered, this, guarded(m_prompter, [this](bool) { m_ui->actDelHost->trigger(); }));
}

void HostsPage::buildOptionActions()
{
    m_sortLiveFirst = new QAction(tr("稼働中ホストを優先して並べる"), this);
    m_sortLiveFirst->setObjectName(QStringLiteral("N22"));
    m_sortLiveFirst->setCheckable(true);

    m_schemeGroup = new QActionGroup(this);
    m_schemeGroup->setExclusive(true);
    // The scheme's name is what Morvane.ini holds; only the caption is translated.
    for (const auto& [name, scheme, caption] :
         {std::tuple{"N26", u"標準", tr("標準")}, std::tuple{"N27", u"マトリックス", tr("マトリックス")}}) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        m_schemeGroup->addAction(a);
        connect(a, &QAction::triggered, this,
                guarded(m_prompter, [this, scheme = QString::fromUtf16(scheme)] { ApplyHostViewColor(scheme); }));
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
    m_ui->HostNameList->setScheme(scheme);
    m_schemeName = scheme.name;
}

void HostsPage::showPopupMenu(const QPoint& viewportPos)
{
    m_popup->popup(m_ui->HostNameList->viewport()->mapToGlobal(viewportPos));
}

void HostsPage::setCheckIdle(bool idle)
{
    m_checkIdle = idle;
    for (QAction* a : {m_ui->actAddHost, m_ui->actEditHost, m_ui->actDelHost, m_edit3, m_delete1})
        a->setEnabled(idle);
    m_ui->Button4->setEnabled(idle);
    m_ui->Button5->setEnabled(idle);
}

int HostsPage::currentHost() const { return m_ui->HostNameList->currentHost(); }

QString HostsPage::currentHostName() const
{
    const int i = currentHost();
    return i < 0 ? QString() : m_hosts->nameText(i);
}

void HostsPage::setWatches(HostWatches* watches)
{
    m_watches = watches;
    m_ui->HostNameList->setWatches(watches);
}

void HostsPage::setGridFooter(QWidget* footer)
{
    auto* box = static_cast<QBoxLayout*>(layout());
    box->insertWidget(box->indexOf(m_ui->HostNameList) + 1, footer);
}

void HostsPage::MoveHostRow(int from, int to)
{
    m_hosts->moveHostRow(from, to);
    if (m_ui->HostNameList->currentIndex().isValid())
        m_ui->HostNameList->scrollTo(m_ui->HostNameList->currentIndex());
}

void HostsPage::actAddHostExecute()
{
    if (m_hosts->isFull()) {
        m_prompter.message(Prompter::Icon::Warning, tr("これ以上新たにホストを登録出来ません"));
        return;
    }
    const QString address = m_prompter.input(tr("ホスト追加"), tr("アドレス"), AddressDefault);
    const QByteArray addressBytes = cp932::fromUnicode(address);
    // An empty answer counts as a cancel: an empty address would end the list when it is read back.
    if (address == AddressDefault || !HostGridModel::isUsableAddress(addressBytes))
        return;
    if (const QString refusal = HostGridModel::refusalFor(address); !refusal.isEmpty()) {
        m_prompter.message(Prompter::Icon::Warning, refusal);
        return;
    }
    const QString nameDefault = tr("識別しやすい名前を入れましょう");
    QString name = m_prompter.input(tr("ホスト名"), tr("ホスト名(入力しなくても可)"), nameDefault);
    if (name.isEmpty() || name == nameDefault)
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
    if (!m_prompter.confirm(Prompter::Icon::Question, tr("%1 をリストから削除しますか？").arg(m_hosts->nameText(r))))
        return;
    m_hosts->removeHost(r);
    const int left = m_hosts->hostCount();
    if (left == 0) {
        m_ui->HostNameList->setCurrentHost(0);
        return;
    }
    const int current = r >= left ? r - 1 : r;
    if (left < 10)
        m_ui->HostNameList->scrollToTop();
    m_ui->HostNameList->setCurrentHost(current);
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

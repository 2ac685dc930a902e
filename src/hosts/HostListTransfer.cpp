// SPDX-License-Identifier: MIT
#include "hosts/HostListTransfer.h"

#include "hosts/THostList.h"
#include "hosts/THostListDlg.h"
#include "platform/Errors.h"
#include "platform/HandlerGuard.h"
#include "platform/HttpTask.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QWidget>

namespace {

Prompter::FileRequest hostListFile(const QString& title)
{
    Prompter::FileRequest r;
    r.title = title;
    r.filter = QCoreApplication::translate("HostListTransfer", "ホストリスト(*.txt)|*.txt");
    r.initialName = QStringLiteral("*.txt");
    r.defaultSuffix = QStringLiteral("txt");
    return r;
}

} // namespace

HostListTransfer::HostListTransfer(Prompter& prompter, HostGridModel& hosts, const QString& programFolder,
                                   QWidget* window)
    : QObject(window), m_prompter(prompter), m_hosts(hosts), m_programFolder(programFolder), m_window(window),
      m_download(new HttpTask(this))
{
    m_import = makeAction(QStringLiteral("Import1"), tr("インポート"));
    m_export = makeAction(QStringLiteral("Export1"), tr("エクスポート"));
    m_checkWebList = makeAction(QStringLiteral("CheckWebHostList1"), tr("最新ホストリストをチェック"));
    connect(m_import, &QAction::triggered, this, guarded(m_prompter, [this] { Import1Click(); }));
    connect(m_export, &QAction::triggered, this, guarded(m_prompter, [this] { Export1Click(); }));
    connect(m_checkWebList, &QAction::triggered, this, guarded(m_prompter, [this] { CheckWebHostList1Click(); }));
    connect(m_download, &HttpTask::finished, this, &HostListTransfer::downloadFinished);
}

QAction* HostListTransfer::makeAction(const QString& name, const QString& caption)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    return action;
}

void HostListTransfer::readSettings(const ProfileFile& ini) { m_settings = WebHostListSettings::read(ini); }

void HostListTransfer::writeSettings(ProfileFile& ini) const { m_settings.write(ini); }

std::function<void()> HostListTransfer::webListOpener()
{
    if (!m_settings.hasUrl())
        return {};
    return [this] { handlerguard::run(m_prompter, [this] { CheckWebHostList1Click(); }); };
}

void HostListTransfer::setCheckIdle(bool idle)
{
    m_checkIdle = idle;
    enableActions();
}

void HostListTransfer::enableActions()
{
    m_import->setEnabled(m_checkIdle);
    m_checkWebList->setEnabled(m_checkIdle && !m_download->isRunning());
    // A check may start while the list shows (its timer); the import waits for it to end.
    if (m_webList)
        m_webList->importButton()->setEnabled(m_checkIdle);
}

void HostListTransfer::Import1Click()
{
    const std::optional<QString> path = m_prompter.openFile(hostListFile(tr("ホストリストのインポート")));
    if (!path)
        return;
    // A file the user picked and we cannot read is said so, not taken for an empty list.
    const std::optional<QByteArray> bytes = textfile::readExisting(*path);
    if (!bytes)
        throw UserError(cannotReadMessage(*path));
    THostList(m_hosts).LoadHostList(ProfileFile::fromBytes(*bytes));
}

void HostListTransfer::Export1Click()
{
    const std::optional<QString> path = m_prompter.saveFile(hostListFile(tr("ホストリストのエクスポート")));
    if (!path)
        return;
    const bool existed = QFileInfo::exists(*path);
    const int written = THostList(m_hosts).ExportHostList(*path);
    if (written > 0 || existed)
        m_prompter.message(Prompter::Icon::Question, tr("%1 件のデータをエクスポートしました").arg(written));
}

void HostListTransfer::CheckWebHostList1Click()
{
    if (!m_settings.hasUrl()) {
        m_prompter.message(Prompter::Icon::Information, webhostlist::noUrlMessage());
        return;
    }
    if (m_download->isRunning())
        return;
    m_download->start(webhostlist::request(m_settings.hostListUrl.value()));
    enableActions();
}

bool HostListTransfer::isDownloading() const { return m_download->isRunning(); }

void HostListTransfer::downloadFinished()
{
    enableActions();
    handlerguard::run(m_prompter, [this] { showWebList(); });
}

void HostListTransfer::showWebList()
{
    if (m_download->failed())
        throw UserError(webhostlist::downloadFailedMessage(m_download->errorText()));
    // Made for this showing only: most sessions never open it.
    THostListDlg dialog(m_prompter, m_hosts, m_programFolder, m_window);
    dialog.LoadWebHostList(m_download->body());
    if (dialog.entryCount() == 0) {
        m_prompter.message(Prompter::Icon::Information,
                           tr("ダウンロードしたホストリストには、取り込めるホストがありませんでした。"));
        return;
    }
    m_webList = &dialog;
    enableActions();
    dialog.exec();
    m_webList = nullptr;
}

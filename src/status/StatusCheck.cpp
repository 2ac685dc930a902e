// SPDX-License-Identifier: MIT
#include "status/StatusCheck.h"

#include "hosts/HostGridModel.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"
#include "status/HostChkThread.h"
#include "status/QueryFiles.h"
#include "status/QueryProblems.h"
#include "status/StatusRules.h"
#include "status/StatusSettings.h"

#include <QAction>
#include <QActionGroup>
#include <QColor>
#include <QDir>
#include <QEventLoop>
#include <QPalette>
#include <QPushButton>

namespace {

// Source texts, translated as they are shown.
const char* const StartCaption = QT_TRANSLATE_NOOP("StatusCheck", "ﾁｪｯｸ開始");
const char* const StopCaption = QT_TRANSLATE_NOOP("StatusCheck", "ﾁｪｯｸ停止");
const char* const QueryingCaption = QT_TRANSLATE_NOOP("StatusCheck", "ﾁｪｯｸ...");
const char* const StoppingCaption = QT_TRANSLATE_NOOP("StatusCheck", "停止中..");
const char* const StartHint = QT_TRANSLATE_NOOP("StatusCheck", "登録されているホストの稼働状況チェックを開始します");
const char* const StopHint = QT_TRANSLATE_NOOP("StatusCheck", "稼働チェックを停止します");
const QColor IdleColour(0x00, 0x00, 0xFF);
const QColor RunningColour(0xFF, 0x00, 0x00);

struct IntervalItem
{
    const char* name;
    const char* caption; // translated in context "StatusCheck"
    quint32 interval;
};

constexpr IntervalItem IntervalItems[] = {
    {"NI10", QT_TRANSLATE_NOOP("StatusCheck", "10秒"), 10000},
    {"NI20", QT_TRANSLATE_NOOP("StatusCheck", "20秒"), 20000},
    {"NI30", QT_TRANSLATE_NOOP("StatusCheck", "30秒"), 30000},
    {"NI60", QT_TRANSLATE_NOOP("StatusCheck", "１分"), 60000},
    {"NI120", QT_TRANSLATE_NOOP("StatusCheck", "２分"), 120000},
    {"NI180", QT_TRANSLATE_NOOP("StatusCheck", "３分"), 180000},
    {"NI300", QT_TRANSLATE_NOOP("StatusCheck", "５分"), 300000},
};

} // namespace

StatusCheck::StatusCheck(Prompter& prompter, HostGridModel& hosts, QString programFolder, QPushButton* button,
                         QObject* parent)
    : HostCheckSteps(parent), m_prompter(prompter), m_hosts(hosts), m_programFolder(std::move(programFolder)),
      m_button(button), m_intervalGroup(new QActionGroup(this))
{
    m_intervalGroup->setExclusive(true);
    for (const IntervalItem& item : IntervalItems) {
        auto* a = new QAction(tr(item.caption), this);
        a->setObjectName(QString::fromLatin1(item.name));
        a->setCheckable(true);
        a->setChecked(item.interval == DefaultInterval);
        a->setData(item.interval);
        m_intervalGroup->addAction(a);
        connect(a, &QAction::triggered, this, guarded(m_prompter, [this, a] { HostCheckIntervalClick(a); }));
    }
    if (m_button->objectName().isEmpty())
        m_button->setObjectName(QStringLiteral("BtnStatus"));
    show(State::Idle, StartCaption, &IdleColour, StartHint, true);
    connect(m_button, &QPushButton::clicked, this, guarded(m_prompter, [this] { BtnStatusClick(); }));
}

StatusCheck::~StatusCheck() { stopAndWait(); }

void StatusCheck::show(State state, const char* caption, const QColor* colour, const char* hint, bool enabled)
{
    m_button->setText(tr(caption));
    if (colour) {
        QPalette palette = m_button->palette();
        // The disabled look stays the style's own, so a stopping check reads as greyed out.
        palette.setColor(QPalette::Active, QPalette::ButtonText, *colour);
        palette.setColor(QPalette::Inactive, QPalette::ButtonText, *colour);
        m_button->setPalette(palette);
    }
    if (hint) {
        m_hint = tr(hint);
        updateToolTip();
    }
    // Disabling a focused button hands the focus on, to the address box with its text selected, where
    // the next Space (meant for the button) would replace the typed address. The focus is parked and
    // given back once the button can take it again.
    if (!enabled && m_button->hasFocus()) {
        m_button->clearFocus();
        m_focusParked = true;
    }
    m_button->setEnabled(enabled);
    if (enabled && m_focusParked) {
        m_focusParked = false;
        if (!m_button->window()->focusWidget())
            m_button->setFocus(Qt::OtherFocusReason);
    }
    if (m_state != state) {
        m_state = state;
        emit stateChanged(state);
    }
}

void StatusCheck::updateToolTip()
{
    m_button->setToolTip(m_problem.isEmpty() ? m_hint : m_hint + QStringLiteral("\n\n") + m_problem);
}

void StatusCheck::setProblem(const QString& problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    updateToolTip();
    emit queryProblemChanged(problem);
}

QList<QAction*> StatusCheck::intervalActions() const { return m_intervalGroup->actions(); }

void StatusCheck::readSettings(const ProfileFile& ini)
{
    m_settings = StatusSettings::read(ini);
    m_interval = quint32(m_settings.checkInterval.value());
    const QString name = StatusSettings::intervalItemName(m_settings.checkInterval.value());
    for (QAction* item : m_intervalGroup->actions()) {
        if (item->objectName() == name)
            item->setChecked(true);
    }
}

void StatusCheck::writeSettings(ProfileFile& ini) const { m_settings.write(ini, qint32(m_interval)); }

void StatusCheck::HostCheckIntervalClick(QAction* item)
{
    bool ok = false;
    const quint32 ms = item->data().toUInt(&ok);
    if (!ok)
        return;
    m_interval = ms;
    item->setChecked(true);
}

void StatusCheck::BtnStatusClick()
{
    if (m_button->text() != tr(StartCaption)) {
        show(State::Stopping, StoppingCaption, nullptr, StartHint, false);
        if (m_thread)
            m_thread->requestStop();
        return;
    }
    // A check that has shown its end has nothing left to do but return.
    if (m_thread)
        m_thread->wait();
    setProblem({});
    show(State::Started, StopCaption, &RunningColour, StopHint, true);
    emit checkIdleChanged(false);
    try {
        WriteHostAddressFile();
    } catch (...) {
        // The check never began; the user hears why from the handler guard.
        ShowCheckStopped({});
        throw;
    }
    m_thread = new HostChkThread(*this, {m_interval, m_programFolder, m_queryTimeoutMs});
    m_thread->begin();
}

void StatusCheck::stopAndWait()
{
    if (!m_thread)
        return;
    QEventLoop loop;
    connect(m_thread, &QThread::finished, &loop, &QEventLoop::quit);
    m_thread->abort();
    // The check's closing steps need this thread; the user's clicks have to wait.
    if (!m_thread->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    // The loop may already have freed the thread (it deletes itself once finished).
    if (m_thread)
        m_thread->wait();
}

void StatusCheck::ShowCheckRunning()
{
    show(m_state == State::Stopping ? State::Stopping : State::Querying, QueryingCaption, &RunningColour, nullptr,
         m_button->isEnabled());
}

int StatusCheck::WriteHostAddressFile()
{
    const queryproblems::AddressPlan plan = queryproblems::planAddresses(m_hosts);
    // With none to ask, the file is not written and no query runs; an older file stays.
    if (!plan.sent.isEmpty())
        textfile::writeAtomic(QDir(m_programFolder).filePath(queryfiles::AddressFile), plan.bytes);
    m_sentHosts = plan.sent;
    m_rejectedText = queryproblems::rejectedText(m_hosts, plan.rejected);
    return int(plan.sent.size());
}

void StatusCheck::ShowQueryRun(const QString& problem)
{
    QStringList parts;
    for (const QString& part : {problem, m_rejectedText}) {
        if (!part.isEmpty())
            parts << part;
    }
    setProblem(parts.join(QLatin1Char('\n')));
}

void StatusCheck::ApplyStatusResults(const QList<QByteArray>& results)
{
    statusrules::ApplyStatusResults(m_hosts, queryproblems::resultsPerHost(results, m_sentHosts, m_hosts.hostCount()),
                                    m_sortLiveHostsFirst && m_sortLiveHostsFirst());
    emit resultsApplied();
}

void StatusCheck::ShowCheckWaiting()
{
    show(m_state == State::Stopping ? State::Stopping : State::Waiting, StopCaption, &RunningColour, nullptr,
         m_button->isEnabled());
}

void StatusCheck::ShowCheckStopped(const QString& error)
{
    // The hint is set too: a check that ends by itself (the query program is missing) was never
    // asked to stop, and would otherwise still offer to stop.
    show(State::Idle, StartCaption, &IdleColour, StartHint, true);
    emit checkIdleChanged(true);
    if (!error.isEmpty()) {
        // Shown after this step, so the check thread is not held while the user reads it.
        QMetaObject::invokeMethod(
            this, [this, error] { m_prompter.message(Prompter::Icon::Error, error); }, Qt::QueuedConnection);
    }
}

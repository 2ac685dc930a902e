// SPDX-License-Identifier: MIT
#include "launch/PublicAddressPanel.h"

#include "launch/PublicAddress.h"
#include "platform/Errors.h"
#include "platform/HandlerGuard.h"
#include "platform/HttpTask.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

PublicAddressPanel::PublicAddressPanel(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_label(new QLabel(tr("あなたのグローバルＩＰ"), this)),
      m_edit(new QLineEdit(QStringLiteral("000.000.000.000"), this)), m_copy(new QPushButton(tr("コピー"), this)),
      m_get(new QPushButton(this)), m_n3(new QAction(tr("起動時にＩＰを取得"), this)), m_fetch(new HttpTask(this))
{
    setObjectName(QStringLiteral("PublicAddressPanel"));
    m_label->setObjectName(QStringLiteral("lblGlobalIP"));
    m_edit->setObjectName(QStringLiteral("Edit2"));
    m_edit->setReadOnly(true);
    QFont font = m_edit->font();
    font.setPixelSize(16);
    font.setBold(true);
    m_edit->setFont(font);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, QColor(255, 0, 0));
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    m_edit->setPalette(palette);
    m_label->setBuddy(m_edit);

    m_copy->setObjectName(QStringLiteral("btnCopySelfIP"));
    m_copy->setToolTip(tr("IPをクリップボードにコピーします"));
    m_get->setObjectName(QStringLiteral("btnGetSelfIP"));
    showFetching(false);
    // Narrow buttons leave the address its room in the fixed-width window.
    for (QPushButton* b : {m_copy, m_get}) {
        b->setAutoDefault(false);
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(b->text()) + 16);
    }

    m_n3->setObjectName(QStringLiteral("N3"));
    m_n3->setCheckable(true);
    m_n3->setChecked(true);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_label);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_copy);
    layout->addWidget(m_get);

    connect(m_get, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnGetSelfIPClick(); }));
    connect(m_fetch, &HttpTask::finished, this, &PublicAddressPanel::fetchFinished);
    connect(m_copy, &QPushButton::clicked, this, guarded(m_prompter, [this] { btnCopySelfIPClick(); }));
}

PublicAddressPanel::~PublicAddressPanel() = default;

void PublicAddressPanel::readSettings(const ProfileFile& ini)
{
    m_settings = PublicAddressSettings::read(ini);
    m_n3->setChecked(m_settings.getIp.value());
}

void PublicAddressPanel::writeSettings(ProfileFile& ini) const { m_settings.write(ini, m_n3->isChecked()); }

void PublicAddressPanel::FetchPublicAddressAtStartUp()
{
    if (!m_n3->isChecked())
        return;
    QWidget* top = window();
    if (top->isVisible()) {
        startFetch(false);
        return;
    }
    // Start-up runs before the window shows: wait for it, so that nothing delays its first paint.
    if (!m_awaitedWindow) {
        m_awaitedWindow = top;
        top->installEventFilter(this);
    }
}

bool PublicAddressPanel::isFetching() const { return m_fetch->isRunning(); }

bool PublicAddressPanel::eventFilter(QObject* watched, QEvent* event)
{
    // After the window's first paint: the request's set-up must not hold the window up.
    if (watched == m_awaitedWindow && event->type() == QEvent::Paint) {
        m_awaitedWindow->removeEventFilter(this);
        m_awaitedWindow = nullptr;
        QTimer::singleShot(0, this, [this] {
            if (!m_fetch->isRunning())
                startFetch(false);
        });
    }
    return QWidget::eventFilter(watched, event);
}

void PublicAddressPanel::startFetch(bool byUser)
{
    m_fetchByUser = byUser;
    m_fetch->start(publicaddress::request(echoUrl()));
    showFetching(byUser);
}

void PublicAddressPanel::fetchFinished()
{
    showFetching(false);
    const auto show = [this] {
        if (m_fetch->failed())
            throw UserError(publicaddress::fetchFailedMessage(m_fetch->errorText()));
        showAddress(publicaddress::addressFromPage(m_fetch->body()));
    };
    if (m_fetchByUser) {
        handlerguard::run(m_prompter, show);
        return;
    }
    try {
        show();
    } catch (const UserError& e) {
        m_edit->setToolTip(e.text());
    }
}

void PublicAddressPanel::showFetching(bool fetching)
{
    m_get->setText(fetching ? tr("中止") : tr("取得"));
    m_get->setToolTip(fetching ? tr("グローバルIPアドレスの取得を中止します")
                               : tr("あなたのグローバルIPアドレスを取得します"));
}

void PublicAddressPanel::showAddress(const QString& address)
{
    m_edit->setText(address);
    m_edit->setCursorPosition(0);
    m_edit->setToolTip(QString());
}

void PublicAddressPanel::btnGetSelfIPClick()
{
    if (m_fetch->isRunning() && m_fetchByUser) {
        m_fetch->cancel();
        showFetching(false);
        return;
    }
    // The user's own request replaces a start-up fetch still under way.
    startFetch(true);
}

void PublicAddressPanel::btnCopySelfIPClick()
{
    m_edit->selectAll();
    QGuiApplication::clipboard()->setText(m_edit->text());
}

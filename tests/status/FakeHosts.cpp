// SPDX-License-Identifier: MIT
#include "FakeHosts.h"

#include <QDeadlineTimer>

FakeHosts::FakeHosts(const QStringList& hostOptions)
{
    QStringList args;
    for (const QString& options : hostOptions)
        args << QStringLiteral("--host") << QStringLiteral("port=0,") + options;
    m_process.setProgram(QStringLiteral(MORVANE_FAKE_GRHOST));
    m_process.setArguments(args);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    QStringList lines;
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        while (m_process.canReadLine())
            lines << QString::fromLatin1(m_process.readLine()).trimmed();
        if (!lines.isEmpty() && lines.last() == QLatin1String("ready")) {
            lines.removeLast();
            m_addresses = lines;
            return;
        }
        m_process.waitForReadyRead(int(deadline.remainingTime()));
    }
}

FakeHosts::~FakeHosts()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished();
}

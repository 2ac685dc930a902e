// SPDX-License-Identifier: MIT
#include "status/QueryProblems.h"

#include "hosts/HostGridModel.h"
#include "platform/Cp932.h"
#include "platform/TextFile.h"
#include "status/QueryFiles.h"

#include <QCoreApplication>
#include <limits>

namespace queryproblems {

namespace {

constexpr int ShownErrorLines = 5;
constexpr qsizetype ShownLineLength = 200;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }

// The port as C's strtol reads the text after the first ":": blanks, a sign, digits; saturated at the
// limits of a 64-bit long. Nothing when no digit follows (qstat then uses its default port).
std::optional<qint64> portValue(QByteArrayView address)
{
    const qsizetype colon = address.indexOf(':');
    if (colon < 0)
        return std::nullopt;
    qsizetype i = colon + 1;
    while (i < address.size() && isBlank(address[i]))
        ++i;
    bool negative = false;
    if (i < address.size() && (address[i] == '+' || address[i] == '-'))
        negative = address[i++] == '-';
    const qsizetype digits = i;
    quint64 value = 0;
    bool overflow = false;
    for (; i < address.size() && address[i] >= '0' && address[i] <= '9'; ++i) {
        if (value > (quint64(1) << 62))
            overflow = true;
        else
            value = value * 10 + quint64(address[i] - '0');
    }
    if (i == digits)
        return std::nullopt;
    if (overflow || value > quint64(std::numeric_limits<qint64>::max()))
        return negative ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    return negative ? -qint64(value) : qint64(value);
}

} // namespace

QString rejectionReason(QByteArrayView address)
{
    for (char c : address) {
        if (isBlank(c))
            return QCoreApplication::translate("queryproblems",
                                               "空白を含むアドレスは、qstat が二つのホストとして扱います");
    }
    if (address.size() > MaxAddressBytes)
        return QCoreApplication::translate("queryproblems", "%1バイトを超えるアドレスでは qstat が異常終了します")
            .arg(MaxAddressBytes);
    if (const std::optional<qint64> port = portValue(address); port && (*port & 0xFFFF) == 0)
        return QCoreApplication::translate("queryproblems", "ポート番号 %1 は qstat が受け付けません").arg(*port);
    return {};
}

AddressPlan planAddresses(const HostGridModel& hosts)
{
    AddressPlan plan;
    QList<QByteArray> lines;
    for (int i = 0; i < hosts.hostCount(); ++i) {
        const QByteArray& address = hosts.host(i).address;
        if (!rejectionReason(address).isEmpty()) {
            plan.rejected.append(i);
            continue;
        }
        plan.sent.append(i);
        lines.append(QByteArrayLiteral("GRS ") + address);
    }
    plan.bytes = textfile::joinCrLf(lines);
    return plan;
}

QList<QByteArray> resultsPerHost(const QList<QByteArray>& results, const QList<int>& sent, int hostCount)
{
    QList<QByteArray> perHost(std::max(0, hostCount), queryfiles::NoAnswer);
    const qsizetype lines = std::min(results.size(), sent.size());
    for (qsizetype k = 0; k < lines; ++k) {
        const int host = sent[k];
        if (host >= 0 && host < hostCount)
            perHost[host] = results[k];
    }
    return perHost;
}

QString rejectedText(const HostGridModel& hosts, const QList<int>& rejected)
{
    QStringList lines;
    for (int i : rejected) {
        if (!hosts.isHost(i))
            continue;
        lines << QCoreApplication::translate("queryproblems", "「%1」(%2) は確認できません: %3")
                     .arg(hosts.nameText(i), hosts.addressText(i), rejectionReason(hosts.host(i).address));
    }
    return lines.join(QLatin1Char('\n'));
}

QString runProblemText(const RunReport& report)
{
    if (report.isClean())
        return {};
    QStringList lines;
    if (report.timedOut)
        lines << QCoreApplication::translate("queryproblems", "qstat が %1 秒たっても終わらないため、止めました")
                     .arg(report.timeoutMs / 1000);
    else if (report.crashed)
        lines << QCoreApplication::translate("queryproblems", "qstat が異常終了しました");
    else if (report.exitCode != 0)
        lines << QCoreApplication::translate("queryproblems", "qstat がエラーで終了しました（終了コード %1）")
                     .arg(report.exitCode);
    int shown = 0;
    for (const QByteArray& raw : textfile::splitLines(report.errorOutput)) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (shown++ == ShownErrorLines) {
            lines << QStringLiteral("qstat: …");
            break;
        }
        QByteArray cut = line.left(cp932::boundaryAtOrBefore(line, ShownLineLength));
        lines << QStringLiteral("qstat: ") + cp932::toUnicode(cut) +
                     (cut.size() < line.size() ? QStringLiteral("…") : QString());
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace queryproblems

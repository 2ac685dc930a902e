// SPDX-License-Identifier: MIT
#include "hosts/WebHostList.h"

#include "hosts/HostGridModel.h"
#include "hosts/WebHostListSettings.h"
#include "platform/ProfileFile.h"

#include <QCoreApplication>
#include <QSet>

namespace {

const QByteArray Section = QByteArrayLiteral("HostList");

bool hasControlByte(const QByteArray& text)
{
    for (const char c : text) {
        if (static_cast<uchar>(c) < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}

bool isRegistered(const HostGridModel& hosts, const QByteArray& address)
{
    for (int i = 0; i < hosts.hostCount(); ++i) {
        if (hosts.host(i).address == address)
            return true;
    }
    return false;
}

} // namespace

namespace webhostlist {

HttpRequest request(const QByteArray& url)
{
    HttpRequest r;
    r.url = url;
    r.headers << QByteArrayLiteral("Cache-control: no-cache");
    r.maxBodyBytes = MaxBodyBytes;
    return r;
}

QList<WebHostEntry> read(const QByteArray& body, const HostGridModel& hosts)
{
    const ProfileFile file = ProfileFile::fromBytes(body);
    QList<WebHostEntry> entries;
    QSet<QByteArray> seen;
    for (int n = 1; n <= MaxEntries; ++n) {
        const QByteArray number = QByteArray::number(n);
        WebHostEntry e;
        e.address = file.readString(Section, QByteArrayLiteral("HostIP:") + number);
        if (e.address.isEmpty())
            break;
        // Such an address would end the list when "hostlist.txt" is read back, or split a line of the
        // query program's address file.
        if (!HostGridModel::isUsableAddress(e.address) || hasControlByte(e.address))
            continue;
        e.name = file.readString(Section, QByteArrayLiteral("Hostname:") + number);
        e.registered = isRegistered(hosts, e.address);
        e.checked = !e.registered && !seen.contains(e.address);
        seen.insert(e.address);
        entries.append(e);
    }
    return entries;
}

ImportResult importHosts(HostGridModel& hosts, const QList<WebHostEntry>& entries)
{
    ImportResult result;
    for (const WebHostEntry& e : entries) {
        if (hosts.appendHost(e.name, e.address))
            ++result.added;
        else
            ++result.refused;
    }
    return result;
}

QString downloadFailedMessage(const QString& reason)
{
    return QCoreApplication::translate("webhostlist", "最新のホストリストをダウンロードできませんでした。\n%1")
        .arg(reason);
}

QString noUrlMessage()
{
    const WebHostListSettings unread;
    const ProfileKey<QByteArray>& key = unread.hostListUrl;
    return QCoreApplication::translate("webhostlist",
                                       "最新のホストリストの取得先が設定されていません。\n"
                                       "Morvane.ini のセクション [%1] にキー %2 を加え、"
                                       "値に \"/Morvane/archives/hostlist.txt\" で終わるURLを書いてください。")
        .arg(QLatin1String(key.section()), QLatin1String(key.name()));
}

} // namespace webhostlist

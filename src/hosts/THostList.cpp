// SPDX-License-Identifier: MIT
#include "hosts/THostList.h"

#include "hosts/HostGridModel.h"
#include "platform/ProfileFile.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QByteArray Section = QByteArrayLiteral("HostList");

QByteArray nameKey(int n) { return QByteArrayLiteral("Hostname") + QByteArray::number(n); }
QByteArray addressKey(int n) { return QByteArrayLiteral("HostIP") + QByteArray::number(n); }

// The reader drops blanks around a value and then one pair of enclosing quotes. A value that either
// would change goes into quotes of its own, so that it reads back exactly as it was written.
QByteArray storedValue(const QByteArray& value)
{
    if (value.isEmpty())
        return value;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const char first = value.front();
    const char last = value.back();
    const bool quoted = value.size() >= 2 && (first == '"' || first == '\'') && last == first;
    if (blank(first) || blank(last) || quoted)
        return '"' + value + '"';
    return value;
}

} // namespace

bool THostList::CheckHostListFile(const QString& path, Prompter& prompter, const std::function<void()>& openWebList)
{
    // Anything in its place, even what cannot be read, is not a first run; and without a web list to
    // offer there is nothing to ask.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink() || !openWebList)
        return false;
    const bool download = prompter.confirm(
        Prompter::Icon::Question,
        QCoreApplication::translate("THostList", "ホストリストが見つかりませんでした。\r\nインターネットから最"
                                                 "新のホストリストをダウンロードすることが出来ます。"
                                                 "\r\nダウンロードを実行しますか？"));
    if (download)
        openWebList();
    return true;
}

int THostList::LoadHostList(const QString& path)
{
    return LoadHostList(ProfileFile::fromBytes(textfile::readExisting(path).value_or(QByteArray())));
}

int THostList::LoadHostList(const ProfileFile& file)
{
    int added = 0;
    for (int n = 1; n <= SlotCount; ++n) {
        const QByteArray name = file.readString(Section, nameKey(n));
        const QByteArray address = file.readString(Section, addressKey(n));
        if (address.isEmpty() || m_hosts.isFull())
            break;
        if (!m_hosts.appendHost(name, address))
            break;
        ++added;
    }
    return added;
}

void THostList::SaveHostList(const QString& path)
{
    ProfileFile file(path);
    for (int n = 1; n <= SlotCount; ++n) {
        const int i = n - 1;
        const bool listed = i < HostGridModel::MaxHostCount && m_hosts.isHost(i);
        file.writeString(Section, nameKey(n), listed ? storedValue(m_hosts.host(i).name) : QByteArray());
        file.writeString(Section, addressKey(n), listed ? storedValue(m_hosts.host(i).address) : QByteArray());
    }
    file.save();
}

int THostList::ExportHostList(const QString& path)
{
    const int count = m_hosts.hostCount();
    if (count == 0 && !QFileInfo::exists(path))
        return 0;
    // A new file rather than keys written into the old one: slots that an earlier, longer export
    // left behind must not come back with the next import.
    ProfileFile file = ProfileFile::fromBytes('[' + Section + "]\r\n");
    for (int i = 0; i < count; ++i) {
        file.writeString(Section, nameKey(i + 1), storedValue(m_hosts.host(i).name));
        file.writeString(Section, addressKey(i + 1), storedValue(m_hosts.host(i).address));
    }
    textfile::writeAtomic(path, file.bytes());
    return count;
}

// SPDX-License-Identifier: MIT
#include "app/Settings.h"

#include "platform/AppPaths.h"
#include "platform/TextFile.h"

namespace {

// A new file lists its sections in this order, whichever subsystem writes its keys first.
ProfileFile newFile()
{
    return ProfileFile::fromBytes(QByteArrayLiteral("[Path]\r\n[StartUp]\r\n[Morvane]\r\n[GRMusic]\r\n"));
}

} // namespace

Settings::Settings(const QString& programFolder) : m_path(apppaths::join(programFolder, fileName())), m_file(newFile())
{
    m_file.setPath(m_path);
}

bool Settings::read()
{
    const std::optional<QByteArray> bytes = textfile::readExisting(m_path);
    m_existed = bytes.has_value();
    m_file = m_existed ? ProfileFile::fromBytes(*bytes) : newFile();
    m_file.setPath(m_path);
    return m_existed;
}

void Settings::save()
{
    // A new file is written even when every value is a default: the next start finds it.
    if (!m_existed)
        textfile::writeAtomic(m_path, m_file.bytes());
    else
        m_file.save();
    m_existed = true;
}

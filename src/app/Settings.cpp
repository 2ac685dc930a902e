// SPDX-License-Identifier: MIT
#include "app/Settings.h"

#include "platform/AppPaths.h"
#include "platform/TextFile.h"

Settings::Settings(const QString& programFolder) : m_path(apppaths::join(programFolder, fileName()))
{
    m_file.setPath(m_path);
}

bool Settings::read()
{
    const std::optional<QByteArray> bytes = textfile::readExisting(m_path);
    m_existed = bytes.has_value();
    m_file = ProfileFile::fromBytes(bytes.value_or(QByteArray()));
    m_file.setPath(m_path);
    return m_existed;
}

void Settings::write(const std::function<void(ProfileFile&)>& writeKeys)
{
    for (const char* section : {"Path", "StartUp", "Morvane", "GRMusic"})
        m_file.addSection(section);
    writeKeys(m_file);
    m_file.save();
    m_existed = true;
}

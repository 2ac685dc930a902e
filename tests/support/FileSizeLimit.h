// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

// Makes every write that would grow a file past maxBytes fail, as a full disk does, for as long as
// the object lives. Unlike a read-only folder this also stops root, which the tests may run as.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 maxBytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool isActive() const { return m_active; }

private:
    bool m_active = false;
    quint64 m_oldCurrent = 0;
    quint64 m_oldMaximum = 0;
    void (*m_oldHandler)(int) = nullptr;
};

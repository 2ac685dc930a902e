// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QString>

// Text read from a code-page-932 file together with the bytes it was read as. Bytes that are not
// valid code page 932, and characters with two codes, would change if they were decoded and encoded
// again; text that nobody edited is therefore written back as the very bytes it was read as.
class KeptText
{
public:
    KeptText() = default;
    explicit KeptText(QByteArray bytes) : m_bytes(std::move(bytes)), m_text(cp932::toUnicode(m_bytes)) {}

    const QByteArray& bytes() const { return m_bytes; }
    const QString& text() const { return m_text; }

    // What to write for the text shown now: the bytes read while it is unchanged, else the new text.
    QByteArray bytesFor(const QString& current) const
    {
        return current == m_text ? m_bytes : cp932::fromUnicode(current);
    }

private:
    QByteArray m_bytes;
    QString m_text;
};

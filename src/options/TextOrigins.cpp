// SPDX-License-Identifier: MIT
#include "options/TextOrigins.h"

#include "platform/Cp932.h"
#include "platform/Errors.h"

QString TextOrigins::fill(const QString& field, const QByteArray& bytes)
{
    Origin origin{bytes, cp932::toUnicode(bytes)};
    const QString text = origin.text;
    m_origins.insert(field, std::move(origin));
    return text;
}

QByteArray TextOrigins::bytesFor(const QString& field, const QString& text, const QString& label) const
{
    const auto it = m_origins.constFind(field);
    if (it != m_origins.constEnd() && it->text == text)
        return it->bytes;
    const QString refused = cp932::unencodableMessage(text);
    if (!refused.isEmpty())
        throw UserError(label.isEmpty() ? refused : QStringLiteral("%1: %2").arg(label, refused));
    return cp932::fromUnicode(text);
}

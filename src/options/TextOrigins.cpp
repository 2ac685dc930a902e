// SPDX-License-Identifier: MIT
#include "options/TextOrigins.h"

#include "options/OptionRules.h"
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
    // Only typed text is checked: what the field was filled from goes back as it came, even when another
    // program wrote characters into it that the user could not type here.
    const QString refused = optionrules::typedTextRefusal(text);
    if (!refused.isEmpty())
        throw UserError(label.isEmpty() ? refused : QStringLiteral("%1: %2").arg(label, refused));
    return cp932::fromUnicode(text);
}

// SPDX-License-Identifier: MIT
#include "options/OptionRules.h"

#include "platform/Cp932.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <limits>

namespace optionrules {

std::optional<qint32> parseInteger(QByteArrayView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return static_cast<qint32>(value);
}

QString notIntegerMessage(QByteArrayView text)
{
    return QCoreApplication::translate("optionrules", "'%1' は有効な整数値ではありません").arg(cp932::toUnicode(text));
}

QString gammaText(int position)
{
    if (position >= 100)
        return QStringLiteral("1.000000");
    const QString digits = QString::number(position);
    return (position < 10 ? QStringLiteral("0.0") : QStringLiteral("0.")) + digits + QStringLiteral("0000");
}

int gammaPosition(QByteArrayView gamma)
{
    QByteArray digits = gamma.toByteArray();
    digits.remove(1, 1);
    const std::optional<qint32> position = parseInteger(digits.left(3));
    if (!position)
        throw UserError(QCoreApplication::translate("optionrules", "ガンマ値 %1").arg(notIntegerMessage(gamma)));
    return *position;
}

quint32 colourFromComponents(qint32 red, qint32 green, qint32 blue)
{
    const auto low = [](qint32 v) { return static_cast<quint32>(v) & 0xFFu; };
    return (low(red) << 16) | (low(green) << 8) | low(blue);
}

int red(quint32 colour) { return int((colour >> 16) & 0xFF); }
int green(quint32 colour) { return int((colour >> 8) & 0xFF); }
int blue(quint32 colour) { return int(colour & 0xFF); }

QString bitDepthEntry(QByteArrayView bitDepth)
{
    return bitDepth == "16" ? QStringLiteral("16") : QStringLiteral("32");
}

QString resolutionEntry(QByteArrayView width, QByteArrayView height)
{
    return cp932::toUnicode(width) + QLatin1Char('x') + cp932::toUnicode(height);
}

ResolutionParts splitResolutionEntry(const QString& entry)
{
    const qsizetype x = entry.indexOf(QLatin1Char('x'));
    if (x < 0)
        return {QString(), entry};
    return {entry.left(x), entry.mid(x + 1)};
}

QStringList withDisplayModes(QStringList entries, const QList<DisplayMode>& modes)
{
    for (const DisplayMode& mode : modes) {
        if (mode.width < 640 || mode.height < 480 || (mode.bitsPerPixel != 16 && mode.bitsPerPixel != 0))
            continue;
        const QString entry = QStringLiteral("%1x%2").arg(mode.width).arg(mode.height);
        if (!entries.contains(entry))
            entries.append(entry);
    }
    return entries;
}

QString typedTextRefusal(QStringView text)
{
    if (QString refused = cp932::unencodableMessage(text); !refused.isEmpty())
        return refused;
    for (const QChar c : text) {
        if (c == u'"' || c == u'<' || c == u'>' || c == u'&')
            return QCoreApplication::translate("optionrules",
                                               "「%1」 はゲームの設定ファイルにそのまま書けない文字のため使えません")
                .arg(c);
    }
    return {};
}

} // namespace optionrules

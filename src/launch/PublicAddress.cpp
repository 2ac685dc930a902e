// SPDX-License-Identifier: MIT
#include "launch/PublicAddress.h"

#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/IpAddress.h"
#include "platform/TextFile.h"

#include <QCoreApplication>

namespace {

// The cell's opening markup before the value; after the value, the bytes A1 A1 start the 18 bytes of
// padding and closing markup that the page puts there.
constexpr qsizetype ValuePrefix = 8;
constexpr qsizetype ValueSuffix = 18;

} // namespace

namespace publicaddress {

HttpRequest request(const QByteArray& url)
{
    HttpRequest r;
    r.url = url;
    r.maxBodyBytes = MaxBodyBytes;
    return r;
}

bool isIpAddress(QByteArrayView text) { return isNumericIpAddress(text); }

std::optional<QByteArray> parseEchoPage(QByteArrayView body)
{
    const QList<QByteArray> lines = textfile::splitLines(body);
    static const QByteArray marker = QByteArrayLiteral("<TR><TD nowrap>REMOTE_ADDR</TD>");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!cp932::equalsIgnoreCase(lines[i], marker))
            continue;
        // A marker on the last line has no value after it.
        if (i + 1 >= lines.size())
            return std::nullopt;
        QByteArray value = lines[i + 1].mid(ValuePrefix);
        if (const qsizetype pair = value.indexOf("\xA1\xA1"); pair >= 0)
            value.remove(pair, ValueSuffix);
        if (value.isEmpty())
            return std::nullopt;
        return value;
    }
    // Plain-text echo services answer with the address alone.
    if (lines.size() == 1) {
        const QByteArray text = lines.front().trimmed();
        if (isIpAddress(text))
            return text;
    }
    return std::nullopt;
}

QString addressFromPage(QByteArrayView body)
{
    const std::optional<QByteArray> address = parseEchoPage(body);
    if (!address)
        throw UserError(noAddressMessage());
    return cp932::toUnicode(*address);
}

QString noAddressMessage()
{
    return QCoreApplication::translate(
        "publicaddress", "グローバルIPを取得できませんでした。\n取得したページにアドレスが見つかりません。");
}

QString fetchFailedMessage(const QString& reason)
{
    return QCoreApplication::translate("publicaddress", "グローバルIPを取得できませんでした。\n%1").arg(reason);
}

} // namespace publicaddress

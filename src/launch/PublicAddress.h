// SPDX-License-Identifier: MIT
#pragma once

#include "platform/HttpTask.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The user's address as the internet sees it, from an address-echo page: either a page that lists
// the request's variables as an HTML table, one row a line, with the address on the line after
// "<TR><TD nowrap>REMOTE_ADDR</TD>", or a plain-text page that is just the address.
namespace publicaddress {

constexpr qint64 MaxBodyBytes = 64 * 1024;

HttpRequest request(const QByteArray& url);

// The address on the page, as bytes; nothing when the page holds none.
std::optional<QByteArray> parseEchoPage(QByteArrayView body);
// Whether text is just an IPv4 or IPv6 address.
bool isIpAddress(QByteArrayView text);

// The address on a fetched page; throws UserError(noAddressMessage()) when it holds none.
QString addressFromPage(QByteArrayView body);

QString noAddressMessage();
QString fetchFailedMessage(const QString& reason);

} // namespace publicaddress

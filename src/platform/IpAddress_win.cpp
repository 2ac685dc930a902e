// SPDX-License-Identifier: MIT
#include "platform/IpAddress.h"

#include <QString>

#include <winsock2.h>
#include <ws2tcpip.h>

bool isNumericIpAddress(QByteArrayView text)
{
    if (text.contains('\0'))
        return false;
    const std::wstring wide = QString::fromLatin1(text).toStdWString();
    IN6_ADDR address;
    return InetPtonW(AF_INET, wide.c_str(), &address) == 1 || InetPtonW(AF_INET6, wide.c_str(), &address) == 1;
}

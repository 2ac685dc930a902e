// SPDX-License-Identifier: MIT
#include "platform/IpAddress.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>

bool isNumericIpAddress(QByteArrayView text)
{
    if (text.contains('\0'))
        return false;
    const QByteArray terminated = text.toByteArray();
    in6_addr address;
    return inet_pton(AF_INET, terminated.constData(), &address) == 1 ||
           inet_pton(AF_INET6, terminated.constData(), &address) == 1;
}

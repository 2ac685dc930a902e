// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>

// Whether text is an IPv4 address in four decimal parts or an IPv6 address, as the system's own
// address parser reads them: no name, port, scope, space or shortened IPv4 form.
bool isNumericIpAddress(QByteArrayView text);

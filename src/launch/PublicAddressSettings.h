// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// The public address's keys of Morvane.ini: the tick of "起動時にＩＰを取得" and the page that tells
// us our address. Only a URL key that was there is written back, so a later default still reaches
// the users who never set one.
struct PublicAddressSettings
{
    ProfileKey<bool> getIp{"StartUp", "GetIP", true};
    ProfileKey<QByteArray> echoUrl{"Network", "AddressEchoURL", {}, KeyWritten::WhenReadOrChanged};

    // A public service that answers over HTTPS with the bare address as plain text.
    static QByteArray defaultEchoUrl() { return QByteArrayLiteral("https://api.ipify.org"); }
    // The page asked: an empty URL means the default.
    QByteArray echoUrlOrDefault() const;

    static PublicAddressSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini, bool getIpNow) const;
};

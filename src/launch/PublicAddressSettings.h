// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

#include <optional>

class ProfileFile;

// The public address's keys of Morvane.ini: "GetIP" of the section "StartUp" (the tick of "起動時に
// ＩＰを取得") and "AddressEchoURL" of the section "Network" (the page that tells us our address).
struct PublicAddressSettings
{
    static constexpr const char* StartUpSection = "StartUp";
    static constexpr const char* GetIpKey = "GetIP";
    static constexpr const char* NetworkSection = "Network";
    static constexpr const char* UrlKey = "AddressEchoURL";
    // A public service that answers over HTTPS with the bare address as plain text.
    static QByteArray defaultEchoUrl() { return QByteArrayLiteral("https://api.ipify.org"); }

    bool getIp = true;
    // The page asked; the default when the file names none.
    QByteArray echoUrl = defaultEchoUrl();
    // The URL key's value as the file held it. Only a key that was there is written back, so a
    // later default still reaches the users who never set one.
    std::optional<QByteArray> storedUrl;

    // An empty URL means the default.
    static PublicAddressSettings read(const ProfileFile& ini);
    // Leaves the file's bytes alone where they already say the same.
    void write(ProfileFile& ini) const;
};

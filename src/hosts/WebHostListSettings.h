// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ProfileKey.h"

// Where the published host list is: a full URL ending in "/Morvane/archives/hostlist.txt". No server
// publishes the list today, so there is no default: while the key is unset the list is never fetched.
struct WebHostListSettings
{
    ProfileKey<QByteArray> hostListUrl{"Network", "HostListURL", {}, KeyWritten::WhenReadOrChanged};

    bool hasUrl() const { return !hostListUrl.value().isEmpty(); }

    static WebHostListSettings read(const ProfileFile& ini);
    void write(ProfileFile& ini) const;
};

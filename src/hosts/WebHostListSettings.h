// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>

class ProfileFile;

// Where the published host list is: the key "HostListURL" of the section "Network" of Morvane.ini,
// a full URL ending in "/Morvane/archives/hostlist.txt". No server publishes the list today, so
// there is no default: while the key is unset the list is never fetched.
struct WebHostListSettings
{
    static constexpr const char* Section = "Network";
    static constexpr const char* UrlKey = "HostListURL";

    QByteArray hostListUrl;
    // The key was in the file; only then is it written back, so a file the user never touched gains
    // no empty key.
    bool urlStored = false;

    bool hasUrl() const { return !hostListUrl.isEmpty(); }

    static WebHostListSettings read(const ProfileFile& ini);
    // Leaves the file's bytes alone when they already say the same.
    void write(ProfileFile& ini) const;
};

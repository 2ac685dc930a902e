// SPDX-License-Identifier: MIT
#pragma once

#include <QProcess>
#include <QStringList>

// Stand-in Ghost Recon hosts on 127.0.0.1, one child process serving every host given.
class FakeHosts
{
public:
    // Each host's options as the stand-in takes it ("dedicated=1,slots=4,max=17"); ports are picked freely.
    explicit FakeHosts(const QStringList& hostOptions);
    ~FakeHosts();

    bool isReady() const { return !m_addresses.isEmpty(); }
    // "127.0.0.1:GAMEPORT" per host, in the order of the hostOptions.
    QStringList addresses() const { return m_addresses; }

private:
    QProcess m_process;
    QStringList m_addresses;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class HostGridModel;

// The files and command lines shared with the query program qstat. Every file lies in the program
// folder; the command lines name them relative to it, and the program runs there.
namespace queryfiles {

inline const QString HostInfoTemplateFile = QStringLiteral("hostinfo.tmp");
inline const QString StatusTemplateFile = QStringLiteral("Template.dat");
inline const QString AddressFile = QStringLiteral("HostIPList.dat");
inline const QString StatusOutputFile = QStringLiteral("qout.dat");
inline const QString HostInfoOutputFile = QStringLiteral("hostinfo.dat");
inline const QString PlayersOutputFile = QStringLiteral("players.dat");

inline const QByteArray HostInfoTemplate = QByteArrayLiteral(
    "$SERVERNAME<>$(RULE:dedicated)<>$PLAYERS<>$MAXPLAYERS<>$GAME<>$(RULE:patch)<>$MAP<>$(RULE:mission)<>"
    "$(RULE:gamemode)<>$(RULE:missiontype)");
inline const QByteArray StatusTemplate =
    QByteArrayLiteral("$PLAYERS/$MAXPLAYERS[$(RULE:remainingtime)]$(RULE:dedicated)");

// What a host that did not answer is in the status results.
inline const QByteArray NoAnswer = QByteArrayLiteral("-");

// Start-up: writes "hostinfo.tmp" when it is absent, and "Template.dat" when no "template.dat" in
// any letter case exists. Files already there are kept as they are, so hand edits are used.
// Throws UserError when a template cannot be written.
void WriteQueryTemplates(const QString& programFolder);

// The status template's name as it is spelled in the program folder ("Template.dat" when absent).
QString statusTemplateName(const QString& programFolder);

// "GRS " and the address for each host in the grid's order, each line ended by CR LF.
QByteArray hostAddressBytes(const HostGridModel& hosts);
// Rewrites "HostIPList.dat" from the grid and returns the number of hosts in it. With no hosts the
// file is not written at all and an older one stays. Throws UserError when it cannot be written.
int WriteHostAddressFile(const QString& programFolder, const HostGridModel& hosts);

// The four command lines, without the program's name.
QStringList statusArguments(const QString& programFolder);
QStringList hostInfoArguments(const QString& address);
QStringList playersArguments(const QString& address, bool dedicated);

// The first maxLines lines of a status output, each host's line as qstat wrote it except that a
// host that did not answer ("/[]") becomes NoAnswer. A missing file gives no lines. Reading stops
// after maxLines lines and a bounded number of bytes, whatever the file holds.
QList<QByteArray> readStatusResults(const QString& path, qsizetype maxLines);

// Shutdown: deletes the query program's work files. Missing or undeletable files are passed over.
void deleteWorkFiles(const QString& programFolder);

} // namespace queryfiles

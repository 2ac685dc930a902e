// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The game's own files are named without regard to letter case (it comes from a case-insensitive file
// system); on a case-sensitive one we look them up by comparing ASCII letters without case.
namespace filenames {

// dir joined with relative ('/'-separated components), each component matched without regard to
// ASCII case against what is on disk. An exact match wins over another spelling. Components that
// match nothing are kept as given, so the result names where the file would be created.
QString resolve(const QString& dir, const QString& relative);

// True when resolve() finds an existing file or folder for every component.
bool exists(const QString& dir, const QString& relative);
bool fileExists(const QString& dir, const QString& relative);

// Whether a name typed by the user (a mod set or chat set) can be a file name on every system the
// files travel to: the message that refuses it, or empty when it can. Refused are names that are empty
// after trimming, hold one of / \ : * ? " < > | or a control character, or are "." or "..".
QString setNameError(const QString& name);

} // namespace filenames

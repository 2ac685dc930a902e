// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The language of the user interface. Japanese is the program's own: its texts are the sources of
// every translation, so it needs no translator of ours. English comes from translations/morvane_en.ts,
// built into the program.
namespace language {

enum class Language
{
    Japanese,
    English
};

// How Morvane.ini and MORVANE_LANG spell it: "ja", "en".
QByteArray code(Language language);
std::optional<Language> fromCode(QByteArrayView code);

// MORVANE_LANG first, then the key Language of the Morvane.ini in programFolder, else Japanese. A
// file that cannot be read counts as no choice; start-up reports it later.
Language chosen(const QString& programFolder);

// Puts the translators in place, before any window is made: ours for English, Qt's own Japanese for
// its dialogs and buttons in Japanese. They stay until the program ends.
void install(Language language);
// What install() put in place; Japanese before it ran.
Language current();

} // namespace language

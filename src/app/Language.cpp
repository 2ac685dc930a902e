// SPDX-License-Identifier: MIT
#include "app/Language.h"

#include "app/FrameSettings.h"
#include "app/Settings.h"
#include "platform/Errors.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {

namespace {

Language installed = Language::Japanese;

} // namespace

QByteArray code(Language language)
{
    return language == Language::English ? QByteArrayLiteral("en") : QByteArrayLiteral("ja");
}

std::optional<Language> fromCode(QByteArrayView code)
{
    const QByteArray lower = code.trimmed().toByteArray().toLower();
    if (lower == "ja")
        return Language::Japanese;
    if (lower == "en")
        return Language::English;
    return std::nullopt;
}

Language chosen(const QString& programFolder)
{
    if (const std::optional<Language> fromEnvironment = fromCode(qgetenv("MORVANE_LANG")))
        return *fromEnvironment;
    Settings settings(programFolder);
    try {
        if (!settings.read())
            return Language::Japanese;
    } catch (const UserError&) {
        return Language::Japanese;
    }
    return fromCode(FrameSettings::read(settings.file(), QString()).language.value()).value_or(Language::Japanese);
}

void install(Language language)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    const bool loaded = language == Language::English
                            ? translator->load(QStringLiteral(":/i18n/morvane_en.qm"))
                            : translator->load(QLocale(QStringLiteral("ja_JP")), QStringLiteral("qtbase"),
                                               QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = language;
}

Language current() { return installed; }

} // namespace language

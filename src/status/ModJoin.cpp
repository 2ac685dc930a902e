// SPDX-License-Identifier: MIT
#include "status/ModJoin.h"

#include "game/GameInstallation.h"
#include "mods/ModLists.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/Prompter.h"
#include "platform/TextFile.h"
#include "status/ModJoinRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace {

QString restoredNotice() { return QCoreApplication::translate("ModJoin", "MODの構成を元に戻しました"); }

} // namespace

ModJoin::ModJoin(Prompter& prompter, QString programFolder, ModLists& lists, const GameInstallation& game,
                 QObject* parent)
    : QObject(parent), m_prompter(prompter), m_programFolder(std::move(programFolder)), m_lists(lists), m_game(game)
{
}

ModJoin::~ModJoin() = default;

QString ModJoin::journalPath() const { return QDir(m_programFolder).filePath(modjoin::JournalFileName); }

bool ModJoin::isCurrentGame(const QString& gameFolder) const
{
    const QString& current = m_game.folder();
    return !current.isEmpty() && QDir::cleanPath(current) == QDir::cleanPath(gameFolder);
}

void ModJoin::writeListTo(const QString& gameFolder, const QList<QByteArray>& entries)
{
    if (isCurrentGame(gameFolder)) {
        m_lists.replaceActive(entries);
        m_lists.WriteModsSet(gameFolder);
    } else {
        // The player pointed the program at another game meanwhile: its lists are not this game's.
        ModLists::WriteModsSet(gameFolder, entries);
    }
}

QList<QByteArray> ModJoin::JoinWithHostMods(const QString& address, const QString& name, QByteArrayView hostMods)
{
    if (m_running)
        throw UserError(tr("ホストのMODで接続したゲームが終わるまで、MODの構成は切り替えられません"));
    // A journal kept from an earlier start holds a list not yet put back: it goes back first, and as
    // long as it cannot, no new journal may take its place.
    const bool journalKept = QFileInfo::exists(journalPath()) && !restoreAfterCrash();
    const modjoin::JoinPlan plan = modjoin::planJoin(hostMods, m_lists.activeEntries(),
                                                     [this](QByteArrayView mod) { return m_lists.isInstalled(mod); });
    const auto join = [&] {
        if (m_joiner)
            m_joiner(address, name);
    };
    switch (plan.step) {
    case modjoin::JoinPlan::Step::ShowMissing:
        return plan.missing;
    case modjoin::JoinPlan::Step::JustJoin:
        join();
        return {};
    case modjoin::JoinPlan::Step::Switch:
        break;
    }
    if (journalKept)
        throw UserError(tr("前回の「このMODで接続」のMODの構成を元に戻せていないため、MODを切り替えられません。"
                           "\n記録 %1 は次の起動時にもう一度使います。")
                            .arg(QDir::toNativeSeparators(journalPath())));

    const QString folder = m_game.folder();
    if (folder.isEmpty())
        throw UserError(tr("GhostReconのフォルダが決まっていないため、MODを切り替えられません"));
    const QList<QByteArray> previous = m_lists.activeEntries();
    // The journal first: from the moment "modsset.txt" holds the host's mods, a crash must find it,
    // and find all of it.
    const modjoin::Journal journal{cp932::fromUnicode(folder), cp932::fromUnicode(address), previous};
    const QByteArray journalBytes = modjoin::formatJournal(journal);
    if (journalBytes.size() > modjoin::MaxJournalBytes || modjoin::parseJournal(journalBytes) != journal)
        throw UserError(tr("今のMODの構成を記録できないため、MODを切り替えられません"));
    textfile::writeAtomic(journalPath(), journalBytes);
    m_lists.replaceActive(plan.loadOrder);
    try {
        m_lists.WriteModsSet(folder);
    } catch (...) {
        // "modsset.txt" is as it was (it is replaced atomically or not at all).
        m_lists.replaceActive(previous);
        QFile::remove(journalPath());
        throw;
    }
    m_folder = folder;
    m_previous = previous;
    m_running = true;
    emit runningChanged(true);
    // Whichever way the join ends (the game ended, did not start, or was cancelled), the list goes back.
    const auto back = qScopeGuard([this] { restore(true); });
    join();
    return {};
}

void ModJoin::restore(bool announce)
{
    if (!m_running)
        return;
    m_running = false;
    emit runningChanged(false);
    try {
        writeListTo(m_folder, m_previous);
    } catch (const UserError& e) {
        m_prompter.message(Prompter::Icon::Error,
                           e.text() + tr("\n\nMODの構成を元に戻せませんでした。次の起動時にもう一度戻します。"));
        return;
    }
    QFile::remove(journalPath());
    if (announce)
        emit notice(restoredNotice());
}

void ModJoin::programEnding() { restore(false); }

bool ModJoin::restoreAfterCrash()
{
    const QString path = journalPath();
    const std::optional<QByteArray> bytes = textfile::readExisting(path, modjoin::MaxJournalBytes + 1);
    if (!bytes)
        return true;
    // Not ours to cut short or to delete: a part of it would put back the wrong list.
    if (bytes->size() > modjoin::MaxJournalBytes) {
        m_prompter.message(Prompter::Icon::Warning,
                           tr("前回の「このMODで接続」の記録 %1 が大きすぎるため、MODの構成を元に戻せません"
                              "でした。\n記録はそのまま残します。MODタブで構成を確かめてください。")
                               .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const std::optional<modjoin::Journal> journal = modjoin::parseJournal(*bytes);
    if (!journal) {
        QFile::remove(path);
        m_prompter.message(Prompter::Icon::Warning,
                           tr("前回の「このMODで接続」の記録 %1 が壊れていたため、MODの構成を元に戻せません"
                              "でした。\nMODタブで構成を確かめてください。")
                               .arg(QDir::toNativeSeparators(path)));
        return true;
    }
    const QString folder = cp932::toUnicode(journal->gameFolder);
    const QString shownFolder = QDir::toNativeSeparators(folder);
    const QString list = modjoin::listText(journal->previousActive);
    if (!gameinstallation::holdsGame(folder)) {
        m_prompter.message(Prompter::Icon::Warning,
                           tr("前回「このMODで接続」の途中でモルベーンが終了しましたが、GhostReconのフォルダ "
                              "%1 が見つからないため、MODの構成を元に戻せませんでした。\n"
                              "次の起動時にもう一度戻します。\n\n元の構成: %2")
                               .arg(shownFolder, list));
        return false;
    }
    writeListTo(folder, journal->previousActive);
    QFile::remove(path);
    m_prompter.message(Prompter::Icon::Information,
                       tr("前回「このMODで接続」の途中でモルベーンが終了したため、MODの構成を元に戻しました。"
                          "\n\n%1\n元の構成: %2")
                           .arg(shownFolder, list));
    return true;
}

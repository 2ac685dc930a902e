// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class GameInstallation;
class ModLists;
class Prompter;

// "このMODで接続": joins a host with exactly the mods it runs and puts the player's own active list
// back afterwards. While such a join runs it remembers that list, here and in a small journal in the
// program folder, so that neither the end of the program nor a crash leaves "modsset.txt" holding
// the host's mods. The main window owns the one instance.
class ModJoin : public QObject
{
    Q_OBJECT
public:
    // Starts the game to join the host and returns when that game has ended (or did not start).
    using Joiner = std::function<void(const QString& address, const QString& name)>;

    // lists are the mod tab's lists; the game's folder is asked at the moment of use.
    ModJoin(Prompter& prompter, QString programFolder, ModLists& lists, const GameInstallation& game,
            QObject* parent = nullptr);
    ~ModJoin() override;

    void setJoiner(Joiner joiner) { m_joiner = std::move(joiner); }

    // The join with the host's mods (as the host reported them). When some are not installed it does
    // nothing and returns them. When the active list is the host's already it just joins. Otherwise it
    // remembers the active list, makes the host's mods the active list, writes "modsset.txt", joins,
    // and when the game has ended (or did not start) puts the list back, writes "modsset.txt" again and
    // says so. Throws UserError, with nothing changed, when the switch cannot be made: among others
    // while a journal of an earlier join is kept because its list could not be put back yet.
    QList<QByteArray> JoinWithHostMods(const QString& address, const QString& name, QByteArrayView hostMods);

    // A join with the host's mods is under way: the mod tab must not take edits.
    bool isRunning() const { return m_running; }
    QString journalPath() const;

    // Shutdown, before the mod lists are written: a join still under way puts the remembered list
    // back now (the game goes on running with the mods it has loaded).
    void programEnding();
    // Start-up, after the mod lists were read: a journal that a crash left behind puts its list back
    // into its game's "modsset.txt" and says so. A journal whose game cannot be found, or that is too
    // large to read, is kept for the next start; false then. A join with the host's mods runs it first.
    bool restoreAfterCrash();

signals:
    void runningChanged(bool running);
    // A one-second notice for the user.
    void notice(const QString& text);

private:
    // Puts the remembered list back; a failure is shown and leaves the journal for the next start.
    void restore(bool announce);
    void writeListTo(const QString& gameFolder, const QList<QByteArray>& entries);
    bool isCurrentGame(const QString& gameFolder) const;

    Prompter& m_prompter;
    const QString m_programFolder;
    ModLists& m_lists;
    const GameInstallation& m_game;
    Joiner m_joiner;
    bool m_running = false;
    QString m_folder;             // the game whose "modsset.txt" was switched
    QList<QByteArray> m_previous; // the active list before the switch
};

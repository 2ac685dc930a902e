// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <chrono>

// How the game's executable is started on this platform. On Windows the command line is exactly
// the executable's path, a blank, the mode, a blank and the argument, as the game has always
// received it. Elsewhere the game is started directly when it is a native program, otherwise
// through Wine, with the mode and the argument as one argument each; an address with blanks or
// quotes therefore never turns into more arguments.
namespace gameprocess {

struct Command
{
    QString executable;      // the game's file, as found in the game folder
    QString program;         // what is started: the game itself or its runner
    QStringList arguments;   // elsewhere than Windows
    QString nativeArguments; // Windows: mode + " " + argument, nothing trimmed
};

// The command for one start of the game's executable (as the game installation names it). runner is the program that
// runs a Windows program here (empty: "wine" on PATH); it is not used on Windows. Throws UserError naming the file and
// the reason when the game cannot be started: the file is missing, is no program, or Wine is missing.
Command command(const QString& executable, const QString& mode, const QString& argument, const QString& runner);

// Sets up process to run command from the current working folder of this program. Elsewhere than
// Windows the game leads a session and process group of its own: a Ctrl-C or hang-up meant for this
// program's group does not reach it, and the program's end leaves it running.
void prepare(QProcess& process, const Command& command);

// Starts the prepared process and waits until it runs or has failed to; throws UserError naming
// the file and the reason on failure.
void start(QProcess& process, const Command& command);

// How long a game that was asked to end may take before it is killed.
constexpr std::chrono::milliseconds DefaultEndGrace{3000};

// Ends a started game the user gave up on, without waiting for it: its whole process group, led
// by pid (the game under Wine or a runner script is a grandchild), gets SIGTERM now and SIGKILL
// once grace has passed; on Windows the process is terminated. Takes over process, which is
// deleted once it has ended and the grace is over; owner is the object it lives in until then. If
// owner goes away first (the program ends), the group is killed at once.
void endGame(QProcess* process, qint64 pid, std::chrono::milliseconds grace, QObject* owner);

// Shared by the implementations of each system.
// "<file> を起動できません。" and the reason on a line of its own.
QString cannotStart(const QString& file, const QString& reason);
// The arguments, and elsewhere than Windows the game's own session.
void prepareForSystem(QProcess& process, const Command& command);
// Asks the game's process group led by group to end, or with kill forces it to.
void sendEnd(QProcess& process, qint64 group, bool kill);

} // namespace gameprocess

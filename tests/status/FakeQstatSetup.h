// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Puts the stand-in query program into a program folder and tells it what to answer. The
// scenario and the log are files beside the program folder; the environment names them for
// every query program started afterwards.
class FakeQstatSetup
{
public:
    // Installs the stand-in as "qstat" (a native program, found before anything on PATH).
    explicit FakeQstatSetup(const QString& programFolder, const QString& name = QStringLiteral("qstat"));
    ~FakeQstatSetup();

    QString programPath() const { return m_program; }
    void setScenario(const QByteArray& scenario);
    // The argument lists of the runs so far, one list per run.
    QList<QStringList> runs() const;
    // The working folders of the runs so far.
    QStringList workingFolders() const;
    QString path(const QString& name) const; // a file beside the scenario, for started/wait-for

private:
    QString m_program;
    QString m_scenario;
    QString m_log;
};

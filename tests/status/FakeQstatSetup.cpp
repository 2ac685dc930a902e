// SPDX-License-Identifier: MIT
#include "FakeQstatSetup.h"

#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

FakeQstatSetup::FakeQstatSetup(const QString& programFolder, const QString& name)
{
    const QString side = QFileInfo(programFolder).absolutePath();
    m_program = QDir(programFolder).filePath(name);
    m_scenario = QDir(side).filePath(QStringLiteral("qstat-scenario.txt"));
    m_log = QDir(side).filePath(QStringLiteral("qstat-log.txt"));
    QFile::remove(m_program);
    if (!QFile::copy(QStringLiteral(MORVANE_FAKE_QSTAT), m_program))
        throw std::runtime_error("cannot copy the stand-in query program");
    QFile::setPermissions(m_program, QFile::permissions(m_program) | QFile::ExeOwner | QFile::ExeUser);
    QFile::remove(m_log);
    setScenario({});
    qputenv("MORVANE_FAKE_QSTAT_SCENARIO", QFile::encodeName(m_scenario));
    qputenv("MORVANE_FAKE_QSTAT_LOG", QFile::encodeName(m_log));
}

FakeQstatSetup::~FakeQstatSetup()
{
    qunsetenv("MORVANE_FAKE_QSTAT_SCENARIO");
    qunsetenv("MORVANE_FAKE_QSTAT_LOG");
}

void FakeQstatSetup::setScenario(const QByteArray& scenario) { TestFolders::writeFile(m_scenario, scenario); }

QList<QStringList> FakeQstatSetup::runs() const
{
    QList<QStringList> result;
    const QList<QByteArray> lines = TestFolders::readFile(m_log).split('\n');
    for (const QByteArray& line : lines) {
        if (line == "run")
            result.append(QStringList());
        else if (line.startsWith("arg=") && !result.isEmpty())
            result.last().append(QString::fromUtf8(line.mid(4)));
    }
    return result;
}

QStringList FakeQstatSetup::workingFolders() const
{
    QStringList result;
    const QList<QByteArray> lines = TestFolders::readFile(m_log).split('\n');
    for (const QByteArray& line : lines) {
        if (line.startsWith("cwd="))
            result.append(QString::fromUtf8(line.mid(4)));
    }
    return result;
}

QString FakeQstatSetup::path(const QString& name) const { return QFileInfo(m_scenario).dir().filePath(name); }

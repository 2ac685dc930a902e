// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Real folders for tests: an empty program folder and a copy of the demo game installation
// (tests/fixtures/game) with the stand-in game as "GhostRecon.exe".
class TestFolders
{
public:
    TestFolders();
    ~TestFolders();
    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;
    bool isValid() const { return m_root.isValid(); }

    QString programFolder() const;               // empty at first
    QString gameFolder() const;                  // the copied installation
    QString path(const QString& relative) const; // under the temporary root

    // A path under the program folder or the game folder.
    QString program(const QString& name) const;
    QString game(const QString& name) const;

    static QByteArray readFile(const QString& path);
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QString fixture(const QString& relative); // a file of tests/fixtures

private:
    QTemporaryDir m_root;
};

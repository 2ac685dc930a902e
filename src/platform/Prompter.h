// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <optional>

// Every question the program asks the user goes through this interface: the program uses the Qt
// implementation, tests a scripted one that records each question and returns prepared answers.
class Prompter
{
public:
    enum class Icon
    {
        None,
        Warning,
        Error,
        Information,
        Question
    };

    struct FileRequest
    {
        QString title;
        QString filter;      // as "説明(*.txt)|*.txt", pairs separated by '|'
        QString initialName; // such as "*.txt"
        QString defaultSuffix;
        QString folder; // the folder to open in; empty for the current one
    };

    virtual ~Prompter() = default;

    // A message box with "OK".
    virtual void message(Icon icon, const QString& text) = 0;
    // A message box with "Yes" and "No"; true only on "Yes".
    virtual bool confirm(Icon icon, const QString& text) = 0;
    // A one-line input box; Cancel returns the default text.
    virtual QString input(const QString& caption, const QString& prompt, const QString& defaultText) = 0;
    // The same input box where Cancel must not pass for the default text: nothing on Cancel.
    virtual std::optional<QString> query(const QString& caption, const QString& prompt, const QString& defaultText)
    {
        return input(caption, prompt, defaultText);
    }
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    // Asks before replacing an existing file.
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;
    // The folder picker; initial empty preselects nothing.
    virtual std::optional<QString> pickFolder(const QString& title, const QString& initial) = 0;
    // The colour dialog, colours as 0xRRGGBB.
    virtual std::optional<quint32> pickColour(quint32 initial) = 0;
};

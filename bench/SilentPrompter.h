// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Prompter.h"

#include <cstdio>

// Answers every question with "no" and prints messages to the error output, so a benchmark
// never waits on a dialog and still shows what went wrong.
class SilentPrompter : public Prompter
{
public:
    void message(Icon, const QString& text) override { std::fprintf(stderr, "message: %s\n", qPrintable(text)); }
    bool confirm(Icon, const QString&) override { return false; }
    QString input(const QString&, const QString&, const QString& d) override { return d; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> pickFolder(const QString&, const QString&) override { return std::nullopt; }
    std::optional<quint32> pickColour(quint32) override { return std::nullopt; }
};

// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Prompter.h"

class QWidget;

// The prompter of the running program: Qt's standard dialogs, captioned with the program's name,
// their buttons in Japanese through Qt's own translation.
class QtPrompter : public Prompter
{
public:
    explicit QtPrompter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    void message(Icon icon, const QString& text) override;
    bool confirm(Icon icon, const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> query(const QString& caption, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> pickFolder(const QString& title, const QString& initial) override;
    std::optional<quint32> pickColour(quint32 initial) override;

    // "説明(*.txt)|*.txt|…" as Qt writes filters.
    static QString qtFilter(const QString& pairs);

private:
    QWidget* owner() const;

    QWidget* m_owner;
};

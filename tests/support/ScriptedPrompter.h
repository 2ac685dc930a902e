// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

// A prompter for tests: records every question and answers from a prepared queue. Answers are taken
// in order: a bool for confirm(), a QString for input(), a QString (or an invalid QVariant for
// "cancel") for the dialogs, a quint32 for pickColour(). With the queue empty, confirm() says No,
// input() cancels and the dialogs are cancelled. An answer of the wrong type fails the test.
class ScriptedPrompter : public Prompter
{
public:
    struct Question
    {
        QString kind; // "message", "confirm", "input", "openFile", "saveFile", "pickFolder", "pickColour"
        Icon icon = Icon::None;
        QString text;    // the message, the input prompt or the dialog title
        QString caption; // the input box caption
        QString initial; // the default text, initial folder or initial name
        FileRequest request;
    };

    QList<Question> asked;
    QList<QVariant> answers;
    // Called with each question as it is asked, before it is answered (as a user acts while a box is up).
    std::function<void(const Question&)> onAsk;

    void message(Icon icon, const QString& text) override;
    bool confirm(Icon icon, const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& defaultText) override;
    // Recorded as "input"; an invalid QVariant, or an empty queue, is Cancel.
    std::optional<QString> query(const QString& caption, const QString& prompt, const QString& defaultText) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;
    std::optional<QString> pickFolder(const QString& title, const QString& initial) override;
    std::optional<quint32> pickColour(quint32 initial) override;

    // The texts of all questions asked so far, in order.
    QStringList texts() const;

private:
    void record(Question question);
    QVariant take(const QString& kind, QMetaType::Type expected);
    std::optional<QString> takePath(const QString& kind);
};

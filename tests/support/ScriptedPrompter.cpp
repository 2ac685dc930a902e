// SPDX-License-Identifier: MIT
#include "support/ScriptedPrompter.h"

#include <QTest>

#include <stdexcept>

void ScriptedPrompter::record(Question question)
{
    asked.append(question);
    if (onAsk)
        onAsk(asked.last());
}

QVariant ScriptedPrompter::take(const QString& kind, QMetaType::Type expected)
{
    if (answers.isEmpty())
        return {};
    QVariant a = answers.takeFirst();
    if (a.isValid() && a.typeId() != expected) {
        const QString msg = QStringLiteral("scripted answer for %1 has the wrong type").arg(kind);
        QTest::qFail(msg.toUtf8().constData(), __FILE__, __LINE__);
        throw std::logic_error(msg.toStdString());
    }
    return a;
}

std::optional<QString> ScriptedPrompter::takePath(const QString& kind)
{
    const QVariant a = take(kind, QMetaType::QString);
    if (!a.isValid())
        return std::nullopt;
    return a.toString();
}

void ScriptedPrompter::message(Icon icon, const QString& text)
{
    record({QStringLiteral("message"), icon, text, {}, {}, {}});
}

bool ScriptedPrompter::confirm(Icon icon, const QString& text)
{
    record({QStringLiteral("confirm"), icon, text, {}, {}, {}});
    return take(QStringLiteral("confirm"), QMetaType::Bool).toBool();
}

QString ScriptedPrompter::input(const QString& caption, const QString& prompt, const QString& defaultText)
{
    record({QStringLiteral("input"), Icon::None, prompt, caption, defaultText, {}});
    const QVariant a = take(QStringLiteral("input"), QMetaType::QString);
    return a.isValid() ? a.toString() : defaultText;
}

std::optional<QString> ScriptedPrompter::query(const QString& caption, const QString& prompt,
                                               const QString& defaultText)
{
    asked.append({QStringLiteral("input"), Icon::None, prompt, caption, defaultText, {}});
    return takePath(QStringLiteral("input"));
}

std::optional<QString> ScriptedPrompter::openFile(const FileRequest& request)
{
    record({QStringLiteral("openFile"), Icon::None, request.title, {}, request.initialName, request});
    return takePath(QStringLiteral("openFile"));
}

std::optional<QString> ScriptedPrompter::saveFile(const FileRequest& request)
{
    record({QStringLiteral("saveFile"), Icon::None, request.title, {}, request.initialName, request});
    return takePath(QStringLiteral("saveFile"));
}

std::optional<QString> ScriptedPrompter::pickFolder(const QString& title, const QString& initial)
{
    record({QStringLiteral("pickFolder"), Icon::None, title, {}, initial, {}});
    return takePath(QStringLiteral("pickFolder"));
}

std::optional<quint32> ScriptedPrompter::pickColour(quint32 initial)
{
    record({QStringLiteral("pickColour"), Icon::None, {}, {}, QString::number(initial, 16), {}});
    const QVariant a = take(QStringLiteral("pickColour"), QMetaType::UInt);
    if (!a.isValid())
        return std::nullopt;
    return a.toUInt();
}

QStringList ScriptedPrompter::texts() const
{
    QStringList out;
    for (const Question& q : asked)
        out << q.text;
    return out;
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>

// A failure whose text is the message the user sees. Library code throws it; the handler guard shows it.
class UserError : public std::exception
{
public:
    explicit UserError(QString text) : m_text(std::move(text)), m_utf8(m_text.toUtf8()) {}
    const QString& text() const noexcept { return m_text; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};

// "%s に書き込めません" with the file's path in the platform's own spelling.
QString cannotWriteMessage(const QString& path);

// "%s を読み込めません" with the file's path, and the reason on a line of its own when one is known.
QString cannotReadMessage(const QString& path, const QString& reason = {});

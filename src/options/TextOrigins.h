// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// The bytes each text field was filled from. A field the user did not edit is written back as those
// bytes, so that text code page 932 does not round-trip (bytes without a character, characters with
// two codes) survives a load and a save unchanged; an edited field is encoded once, and text that
// code page 932 cannot hold is refused instead of being saved as '?', as is text with a character the
// options document cannot hold unescaped.
class TextOrigins
{
public:
    // Remembers the bytes for the field and returns the text to show in it.
    QString fill(const QString& field, const QByteArray& bytes);
    void forget(const QString& field) { m_origins.remove(field); }

    // The bytes to write for the field's current text. Throws UserError whose message begins with the
    // label when edited text holds a character that optionrules::typedTextRefusal refuses.
    QByteArray bytesFor(const QString& field, const QString& text, const QString& label) const;

private:
    struct Origin
    {
        QByteArray bytes;
        QString text;
    };
    QHash<QString, Origin> m_origins;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <array>

// The game's "options.xml" as a list of byte lines. It is no XML parser: sections are found by their
// opening line, keys by their opening tag, and the values between the tags are cut out by position,
// exactly as the game lays the document out (one TAB before root keys and section openings, two before
// section keys). Only the lines that a write replaces change; Save writes every other line back with
// the bytes it was read as. Every failure throws UserError with the message the user sees, and nothing
// reaches the disk before Save, so a failed load or edit leaves the document as it was.
class TXMLParser
{
public:
    static constexpr int ChatCount = 10;
    // A document beyond this is no options document; reading it whole would only exhaust memory.
    static constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;

    using ChatTexts = std::array<QByteArray, ChatCount>;
    using ChatTeams = std::array<bool, ChatCount>;
    struct VideoResolution
    {
        QByteArray width;
        QByteArray height;
        QByteArray bitDepth;
    };

    // Reads the document and splits it at CR LF, lone CR and lone LF. A missing file, one that cannot
    // be read and one that is too large throw.
    void Open(const QString& path);
    // The same split on bytes already at hand; name stands for the file in messages.
    void setText(QByteArrayView bytes, const QString& name = {});
    // Every line followed by CR LF, the last one too, written atomically.
    void Save(const QString& path) const;
    QByteArray text() const;
    const QList<QByteArray>& lines() const { return m_lines; }

    static QByteArray OpenTag(QByteArrayView name);
    static QByteArray TeamText(bool flag);

    // Index of the line that is one TAB and "<name>", compared without regard to ASCII case; -1.
    qsizetype FindSection(QByteArrayView name) const;

    // The value of the first line holding the key's opening tag, from the section's opening line to
    // the end of the document; empty when there is none. A missing section throws.
    QByteArray ReadSectionValue(QByteArrayView section, QByteArrayView key) const;
    bool ReadSectionBool(QByteArrayView section, QByteArrayView key) const;
    // The same from the first line of the document; never throws.
    QByteArray ReadRootValue(QByteArrayView key) const;
    bool ReadRootBool(QByteArrayView key) const;
    // The root value as a signed decimal 32-bit integer; anything else throws naming the text.
    qint32 ReadRootInt(QByteArrayView key) const;

    // The ten lines after the opening line of section Multiplayer.
    ChatTexts ReadChatTexts() const;
    ChatTeams ReadChatTeams() const;
    // The three quoted values of the second line after the opening line of section Graphics.
    VideoResolution ReadVideoResolution() const;

    // Replace the key's line; a key (or section) that is not there throws, no line is ever added.
    // CR and LF in a value become blanks, so that a value can never split its line.
    void WriteSectionValue(QByteArrayView section, QByteArrayView key, QByteArrayView value);
    void WriteSectionBool(QByteArrayView section, QByteArrayView key, bool flag);
    void WriteRootValue(QByteArrayView key, QByteArrayView value);
    void WriteRootBool(QByteArrayView key, bool flag);
    void WriteRootInt(QByteArrayView key, qint64 number);
    void WriteChatMessages(const ChatTexts& texts, const ChatTeams& flags);
    void WriteVideoResolution(QByteArrayView width, QByteArrayView height, QByteArrayView bitDepth);

private:
    QList<QByteArray> m_lines;
    QString m_name;

    QString shownName() const;
    qsizetype requireSection(QByteArrayView section) const;
    qsizetype findKeyLine(qsizetype from, QByteArrayView key) const;
    // Index of line `offset` after the section's opening line; a document that ends before it throws.
    qsizetype lineAfterSection(QByteArrayView section, qsizetype offset) const;
};

// SPDX-License-Identifier: MIT
#include "options/TXMLParser.h"

#include "game/GameInstallation.h"
#include "options/OptionRules.h"
#include "platform/Cp932.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The game's document is a Windows text: what the program did with a value is counted in bytes, so a
// cut of n "characters" here is a cut of n bytes, as the game's own tools make it.

// Pos: the 1-based position of needle in text, 0 when absent.
qsizetype pos(QByteArrayView needle, QByteArrayView text) { return text.indexOf(needle) + 1; }

// Delete: removes count bytes from the 1-based position index on; an index outside the text removes
// nothing, and a count past the end stops at the end.
void cut(QByteArray& text, qsizetype index, qsizetype count)
{
    if (index < 1 || index > text.size() || count <= 0)
        return;
    text.remove(index - 1, count);
}

QByteArray singleLine(QByteArrayView value)
{
    QByteArray out = value.toByteArray();
    out.replace('\r', ' ');
    out.replace('\n', ' ');
    return out;
}

QString shown(QByteArrayView bytes) { return cp932::toUnicode(bytes); }

} // namespace

void TXMLParser::Open(const QString& path)
{
    const std::optional<QByteArray> bytes = textfile::readExisting(path, MaxDocumentBytes + 1);
    if (!bytes)
        throw UserError(cannotReadMessage(path, QCoreApplication::translate("TXMLParser", "ファイルがありません")));
    if (bytes->size() > MaxDocumentBytes)
        throw UserError(cannotReadMessage(path, QCoreApplication::translate("TXMLParser", "ファイルが大きすぎます")));
    setText(*bytes, path);
}

void TXMLParser::setText(QByteArrayView bytes, const QString& name)
{
    // A NUL stays in its line: cutting the text there would drop the rest of the game's settings at
    // the next save.
    m_lines = textfile::splitLines(bytes);
    m_name = name;
}

QByteArray TXMLParser::text() const { return textfile::joinCrLf(m_lines); }

void TXMLParser::Save(const QString& path) const { textfile::writeAtomic(path, text()); }

QByteArray TXMLParser::OpenTag(QByteArrayView name) { return '<' + name.toByteArray() + '>'; }

QByteArray TXMLParser::TeamText(bool flag) { return flag ? QByteArrayLiteral("true") : QByteArrayLiteral("false"); }

QString TXMLParser::shownName() const
{
    return m_name.isEmpty() ? gameinstallation::optionsName : QDir::toNativeSeparators(m_name);
}

qsizetype TXMLParser::FindSection(QByteArrayView name) const
{
    const QByteArray wanted = '\t' + OpenTag(name);
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (cp932::equalsIgnoreCase(m_lines[i], wanted))
            return i;
    }
    return -1;
}

qsizetype TXMLParser::requireSection(QByteArrayView section) const
{
    const qsizetype s = FindSection(section);
    if (s < 0)
        throw UserError(QCoreApplication::translate("TXMLParser", "%1 に <%2> セクションがありません")
                            .arg(shownName(), shown(section)));
    return s;
}

qsizetype TXMLParser::findKeyLine(qsizetype from, QByteArrayView key) const
{
    // The opening tag rather than the bare name: a chat message or a name that happens to hold a
    // key's name must not be taken for that key's line.
    const QByteArray tag = OpenTag(key);
    for (qsizetype i = from; i < m_lines.size(); ++i) {
        if (m_lines[i].contains(tag))
            return i;
    }
    return -1;
}

qsizetype TXMLParser::lineAfterSection(QByteArrayView section, qsizetype offset) const
{
    const qsizetype line = requireSection(section) + offset;
    if (line >= m_lines.size())
        throw UserError(QCoreApplication::translate("TXMLParser", "%1 の <%2> セクションが途中で終わっています")
                            .arg(shownName(), shown(section)));
    return line;
}

QByteArray TXMLParser::ReadSectionValue(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype line = findKeyLine(requireSection(section), key);
    if (line < 0)
        return {};
    QByteArray value = m_lines[line];
    cut(value, 1, key.size() + 4);
    cut(value, pos("</", value), key.size() + 5);
    return value;
}

bool TXMLParser::ReadSectionBool(QByteArrayView section, QByteArrayView key) const
{
    return ReadSectionValue(section, key) == "TRUE";
}

QByteArray TXMLParser::ReadRootValue(QByteArrayView key) const
{
    const qsizetype line = findKeyLine(0, key);
    if (line < 0)
        return {};
    QByteArray value = m_lines[line];
    cut(value, 1, key.size() + 3);
    cut(value, pos("</", value), key.size() + 5);
    return value;
}

bool TXMLParser::ReadRootBool(QByteArrayView key) const { return ReadRootValue(key) == "TRUE"; }

qint32 TXMLParser::ReadRootInt(QByteArrayView key) const
{
    const QByteArray value = ReadRootValue(key);
    const std::optional<qint32> number = optionrules::parseInteger(value);
    if (!number)
        throw UserError(QCoreApplication::translate("TXMLParser", "%1 の <%2>: %3")
                            .arg(shownName(), shown(key), optionrules::notIntegerMessage(value)));
    return *number;
}

TXMLParser::ChatTexts TXMLParser::ReadChatTexts() const
{
    ChatTexts texts;
    const qsizetype last = lineAfterSection("Multiplayer", ChatCount);
    for (int k = 0; k < ChatCount; ++k) {
        QByteArray text = m_lines[last - ChatCount + 1 + k];
        cut(text, 1, pos("text =", text) + 7);
        cut(text, pos("\" team", text), 20);
        texts[static_cast<std::size_t>(k)] = text;
    }
    return texts;
}

TXMLParser::ChatTeams TXMLParser::ReadChatTeams() const
{
    ChatTeams teams{};
    const qsizetype last = lineAfterSection("Multiplayer", ChatCount);
    for (int k = 0; k < ChatCount; ++k) {
        QByteArray flag = m_lines[last - ChatCount + 1 + k];
        cut(flag, 1, pos("team = \"", flag) + 7);
        cut(flag, pos("\"/>", flag), 5);
        teams[static_cast<std::size_t>(k)] = flag == "true";
    }
    return teams;
}

TXMLParser::VideoResolution TXMLParser::ReadVideoResolution() const
{
    QByteArray rest = m_lines[lineAfterSection("Graphics", 2)];
    QByteArray values[3];
    for (QByteArray& value : values) {
        cut(rest, 1, pos("\"", rest));
        value = rest;
        cut(value, pos("\"", value), 100);
        cut(rest, 1, pos("\"", rest));
    }
    return {values[0], values[1], values[2]};
}

void TXMLParser::WriteSectionValue(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const qsizetype line = findKeyLine(requireSection(section), key);
    if (line < 0)
        throw UserError(QCoreApplication::translate("TXMLParser", "%1 の <%2> セクションに <%3> の行がありません")
                            .arg(shownName(), shown(section), shown(key)));
    m_lines[line] = "\t\t" + OpenTag(key) + singleLine(value) + "</" + key.toByteArray() + '>';
}

void TXMLParser::WriteSectionBool(QByteArrayView section, QByteArrayView key, bool flag)
{
    WriteSectionValue(section, key, flag ? "TRUE" : "FALSE");
}

void TXMLParser::WriteRootValue(QByteArrayView key, QByteArrayView value)
{
    const qsizetype line = findKeyLine(0, key);
    if (line < 0)
        throw UserError(
            QCoreApplication::translate("TXMLParser", "%1 に <%2> の行がありません").arg(shownName(), shown(key)));
    m_lines[line] = '\t' + OpenTag(key) + singleLine(value) + "</" + key.toByteArray() + '>';
}

void TXMLParser::WriteRootBool(QByteArrayView key, bool flag) { WriteRootValue(key, flag ? "TRUE" : "FALSE"); }

void TXMLParser::WriteRootInt(QByteArrayView key, qint64 number) { WriteRootValue(key, QByteArray::number(number)); }

void TXMLParser::WriteChatMessages(const ChatTexts& texts, const ChatTeams& flags)
{
    const qsizetype last = lineAfterSection("Multiplayer", ChatCount);
    for (int k = 0; k < ChatCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_lines[last - ChatCount + 1 + k] =
            "\t\t<ChatMsg text = \"" + singleLine(texts[i]) + "\" team = \"" + TeamText(flags[i]) + "\"/>";
    }
}

void TXMLParser::WriteVideoResolution(QByteArrayView width, QByteArrayView height, QByteArrayView bitDepth)
{
    m_lines[lineAfterSection("Graphics", 2)] = "\t\t<VideoResolution Width = \"" + singleLine(width) +
                                               "\" Height = \"" + singleLine(height) + "\" BitDepth = \"" +
                                               singleLine(bitDepth) + "\"/>";
}

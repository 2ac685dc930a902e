// SPDX-License-Identifier: MIT
#include "platform/ProfileFile.h"

#include "platform/Cp932.h"
#include "platform/TextFile.h"

#include <limits>

namespace {

const QByteArray CrLf = QByteArrayLiteral("\r\n");

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Blanks cannot be trail bytes (those start at 0x40), so plain byte trimming is safe for code page 932.
QByteArrayView trimmedBlanks(QByteArrayView v)
{
    qsizetype begin = 0;
    qsizetype end = v.size();
    while (begin < end && isBlank(v[begin]))
        ++begin;
    while (end > begin && isBlank(v[end - 1]))
        --end;
    return v.sliced(begin, end - begin);
}

enum class LineKind
{
    Other,
    Section,
    Comment,
    Key
};

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QByteArrayView name;  // section or key name, blanks trimmed
    QByteArrayView value; // for a key: everything after the first '=', blanks trimmed, quotes kept
};

ParsedLine parseLine(QByteArrayView text)
{
    ParsedLine parsed;
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i == text.size())
        return parsed;
    if (text[i] == '[') {
        // Walk by characters: 0x5D is a valid trail byte, and such a character must not close the name.
        const qsizetype start = i + 1;
        qsizetype j = start;
        while (j < text.size() && text[j] != ']')
            j += cp932::charLength(text, j);
        j = std::min(j, text.size());
        parsed.kind = LineKind::Section;
        parsed.name = trimmedBlanks(text.sliced(start, j - start));
        return parsed;
    }
    if (text[i] == ';') {
        parsed.kind = LineKind::Comment;
        return parsed;
    }
    // '=' (0x3D) cannot be a trail byte, so the first one in the bytes is the first one in the text.
    const qsizetype eq = text.indexOf('=', i);
    if (eq < 0)
        return parsed;
    parsed.kind = LineKind::Key;
    parsed.name = trimmedBlanks(text.sliced(i, eq - i));
    parsed.value = trimmedBlanks(text.sliced(eq + 1));
    return parsed;
}

QByteArrayView unquoted(QByteArrayView value)
{
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.sliced(1, value.size() - 2);
    return value;
}

// A value or name with CR or LF in it would become several lines, and those would read back as
// keys or sections of their own.
QByteArray singleLine(QByteArrayView bytes)
{
    QByteArray out = bytes.toByteArray();
    out.replace('\r', ' ');
    out.replace('\n', ' ');
    return out;
}

QByteArray cleanName(QByteArrayView name)
{
    const QByteArray line = singleLine(name);
    return trimmedBlanks(line).toByteArray();
}

} // namespace

ProfileFile::Entry ProfileFile::entryFor(QByteArrayView text)
{
    const ParsedLine parsed = parseLine(text);
    return Entry{static_cast<quint8>(parsed.kind), parsed.name.toByteArray()};
}

ProfileFile::ProfileFile(const QString& path) : m_path(path)
{
    if (const std::optional<QByteArray> bytes = textfile::read(path))
        parse(*bytes);
}

ProfileFile ProfileFile::fromBytes(QByteArray bytes)
{
    ProfileFile file;
    file.parse(bytes);
    return file;
}

void ProfileFile::parse(const QByteArray& bytes)
{
    m_lines = textfile::splitLinesWithEnds(bytes);
    m_entries.clear();
    m_entries.reserve(m_lines.size());
    for (const Line& line : std::as_const(m_lines))
        m_entries.append(entryFor(line.text));
    m_modified = false;
}

QByteArray ProfileFile::bytes() const
{
    QByteArray out;
    for (const Line& line : m_lines) {
        out += line.text;
        out += line.end;
    }
    return out;
}

namespace {

// The lines of a section: the header's index and the index one past the section's last line.
struct SectionRange
{
    qsizetype header = -1;
    qsizetype end = -1;
};

// Only the first section of a name counts, as Windows searches it; later ones are left alone.
template <typename Entries> SectionRange findSection(const Entries& entries, QByteArrayView section)
{
    SectionRange range;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].kind != static_cast<quint8>(LineKind::Section))
            continue;
        if (range.header >= 0) {
            range.end = i;
            return range;
        }
        if (cp932::equalsIgnoreCase(entries[i].name, section))
            range.header = i;
    }
    if (range.header >= 0)
        range.end = entries.size();
    return range;
}

template <typename Entries> qsizetype findKey(const Entries& entries, const SectionRange& range, QByteArrayView key)
{
    for (qsizetype i = range.header + 1; i < range.end; ++i) {
        if (entries[i].kind == static_cast<quint8>(LineKind::Key) && cp932::equalsIgnoreCase(entries[i].name, key))
            return i;
    }
    return -1;
}

} // namespace

QByteArray ProfileFile::readString(QByteArrayView section, QByteArrayView key, QByteArrayView defaultValue) const
{
    const SectionRange range = findSection(m_entries, section);
    if (range.header < 0)
        return defaultValue.toByteArray();
    const qsizetype index = findKey(m_entries, range, key);
    if (index < 0)
        return defaultValue.toByteArray();
    const QByteArrayView value = unquoted(parseLine(m_lines[index].text).value);
    return value.first(cp932::boundaryAtOrBefore(value, MaxValueLength)).toByteArray();
}

qint32 ProfileFile::readInt(QByteArrayView section, QByteArrayView key, qint32 defaultValue) const
{
    // A missing key reads as empty, and empty is not a number.
    return parseInt(readString(section, key)).value_or(defaultValue);
}

bool ProfileFile::readBool(QByteArrayView section, QByteArrayView key, bool defaultValue) const
{
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::hasKey(QByteArrayView section, QByteArrayView key) const
{
    const SectionRange range = findSection(m_entries, section);
    return range.header >= 0 && findKey(m_entries, range, key) >= 0;
}

void ProfileFile::writeString(QByteArrayView section, QByteArrayView key, QByteArrayView value)
{
    const QByteArray sectionName = cleanName(section);
    const QByteArray keyName = cleanName(key);
    const QByteArray newValue = singleLine(value);

    const SectionRange range = findSection(m_entries, sectionName);

    if (range.header < 0) {
        if (!m_lines.isEmpty() && m_lines.last().end.isEmpty())
            m_lines.last().end = CrLf;
        m_lines.append(Line{'[' + sectionName + ']', CrLf});
        m_lines.append(Line{keyName + '=' + newValue, CrLf});
        m_entries.append(entryFor(m_lines[m_lines.size() - 2].text));
        m_entries.append(entryFor(m_lines.last().text));
        m_modified = true;
        return;
    }

    const qsizetype index = findKey(m_entries, range, keyName);
    if (index >= 0) {
        Line& line = m_lines[index];
        const ParsedLine parsed = parseLine(line.text);
        if (parsed.value == newValue)
            return;
        // The key keeps the spelling the file gives it; only its value changes.
        const QByteArray text = parsed.name.toByteArray() + '=' + newValue;
        if (text == line.text && line.end == CrLf)
            return;
        line.text = text;
        line.end = CrLf;
        m_modified = true;
        return;
    }

    // After the section's last key, so that comments and blank lines that close the section stay last.
    qsizetype insertAt = range.header + 1;
    const QList<Entry>& entries = m_entries;
    for (qsizetype i = range.end - 1; i > range.header; --i) {
        if (entries[i].kind == static_cast<quint8>(LineKind::Key)) {
            insertAt = i + 1;
            break;
        }
    }
    if (m_lines[insertAt - 1].end.isEmpty())
        m_lines[insertAt - 1].end = CrLf;
    m_lines.insert(insertAt, Line{keyName + '=' + newValue, CrLf});
    m_entries.insert(insertAt, entryFor(m_lines[insertAt].text));
    m_modified = true;
}

void ProfileFile::addSection(QByteArrayView section)
{
    const QByteArray sectionName = cleanName(section);
    if (findSection(m_entries, sectionName).header >= 0)
        return;
    if (!m_lines.isEmpty() && m_lines.last().end.isEmpty())
        m_lines.last().end = CrLf;
    m_lines.append(Line{'[' + sectionName + ']', CrLf});
    m_entries.append(entryFor(m_lines.last().text));
    m_modified = true;
}

void ProfileFile::writeInt(QByteArrayView section, QByteArrayView key, qint64 value)
{
    writeString(section, key, QByteArray::number(value));
}

void ProfileFile::writeBool(QByteArrayView section, QByteArrayView key, bool value)
{
    writeString(section, key, value ? QByteArrayView("1") : QByteArrayView("0"));
}

void ProfileFile::save()
{
    if (!m_modified)
        return;
    textfile::writeAtomic(m_path, bytes());
    m_modified = false;
}

QByteArray ProfileFile::quotedForReading(QByteArrayView value)
{
    if (value.isEmpty())
        return {};
    const bool quoted = unquoted(value).size() != value.size();
    if (isBlank(value.front()) || isBlank(value.back()) || quoted)
        return '"' + value.toByteArray() + '"';
    return value.toByteArray();
}

std::optional<qint32> ProfileFile::parseInt(QByteArrayView text)
{
    const QByteArrayView t = trimmedBlanks(text);
    if (t.isEmpty())
        return std::nullopt;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        const QByteArrayView digits = t.sliced(2);
        if (digits.isEmpty())
            return std::nullopt;
        quint64 value = 0;
        for (const char c : digits) {
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                digit = c - 'A' + 10;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + quint64(digit);
            if (value > 0xFFFFFFFFu)
                return std::nullopt;
        }
        // Thirty-two bits as written: 0xFFFFFFFF is -1, as Windows hands it to a signed int.
        return qint32(quint32(value));
    }
    qsizetype i = 0;
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i == t.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > qint64(1) << 31)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return qint32(value);
}

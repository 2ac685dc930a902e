// SPDX-License-Identifier: MIT
#include "platform/Cp932.h"

#include "platform/Cp932Converter.h"

#include <QCoreApplication>

#include <algorithm>

namespace cp932 {

namespace {

constexpr char16_t ReplacementChar = 0xFFFD;

// Converters that follow IBM's table (ICU's "CP932" is IBM-943C) order the control codes 0x1A, 0x1C
// and 0x7F the IBM way, and some have no mapping for 0x80, 0xA0 and 0xFD-0xFF. These single bytes are
// mapped here, both ways, as Windows maps them, and never reach the converter.
struct SingleByte
{
    uchar byte;
    char16_t character;
};
constexpr SingleByte WindowsSingleBytes[] = {{0x1A, 0x001A}, {0x1C, 0x001C}, {0x7F, 0x007F}, {0x80, 0x0080},
                                             {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};

// The character Windows gives a single byte of the table; 0 means "ask the converter".
constexpr char16_t windowsSingleByte(uchar b)
{
    for (const SingleByte& s : WindowsSingleBytes) {
        if (s.byte == b)
            return s.character;
    }
    return 0;
}

// The reverse of windowsSingleByte(); -1 means "ask the converter".
constexpr int windowsByteFor(char16_t c)
{
    for (const SingleByte& s : WindowsSingleBytes) {
        if (s.character == c)
            return s.byte;
    }
    return -1;
}

// Characters that other systems' Japanese converters (and input methods) spell with another code
// point than code page 932 does: the same character, written as Windows writes it.
constexpr char16_t windowsTwin(char16_t c)
{
    switch (c) {
    case 0x301C: // WAVE DASH
        return 0xFF5E;
    case 0x2016: // DOUBLE VERTICAL LINE
        return 0x2225;
    case 0x2212: // MINUS SIGN
        return 0xFF0D;
    case 0x00A2: // CENT SIGN
        return 0xFFE0;
    case 0x00A3: // POUND SIGN
        return 0xFFE1;
    case 0x00AC: // NOT SIGN
        return 0xFFE2;
    case 0x2014: // EM DASH
        return 0x2015;
    default:
        return 0;
    }
}

constexpr bool isTrailByte(uchar b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

uchar byteAt(QByteArrayView bytes, qsizetype i) { return static_cast<uchar>(bytes[i]); }

// Decodes a run of whole characters (single bytes the converter maps as Windows does, and lead-trail
// pairs).
void decodeRun(QByteArrayView run, QString& out)
{
    if (run.isEmpty())
        return;
    if (!converter::available()) {
        // Without a converter only ASCII can be told apart; everything else is shown as damaged.
        for (qsizetype i = 0; i < run.size(); i += charLength(run, i))
            out += byteAt(run, i) < 0x80 ? QChar(char16_t(byteAt(run, i))) : QChar(ReplacementChar);
        return;
    }
    if (const std::optional<QString> whole = converter::decode(run)) {
        out += *whole;
        return;
    }
    // An undefined pair somewhere: go character by character so that it becomes exactly one
    // replacement character and its neighbours stay as they are.
    for (qsizetype i = 0; i < run.size();) {
        const qsizetype len = charLength(run, i);
        const std::optional<QString> one = converter::decode(run.sliced(i, len));
        out += one && !one->isEmpty() ? *one : QString(QChar(ReplacementChar));
        i += len;
    }
}

void encodeRun(QStringView run, QByteArray& out)
{
    if (run.isEmpty())
        return;
    const bool available = converter::available();
    if (available) {
        if (const std::optional<QByteArray> whole = converter::encode(run)) {
            out += *whole;
            return;
        }
    }
    // What cannot be mapped becomes '?', as Windows writes it: encode code point by code point.
    for (qsizetype i = 0; i < run.size();) {
        qsizetype len = 1;
        if (run[i].isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate())
            len = 2;
        const QStringView one = run.sliced(i, len);
        i += len;
        if (!available) {
            out += one[0].unicode() < 0x80 ? char(one[0].unicode()) : '?';
            continue;
        }
        if (one[0].isSurrogate() && len == 1) {
            out += '?';
            continue;
        }
        const char16_t twin = len == 1 ? windowsTwin(one[0].unicode()) : 0;
        const std::optional<QByteArray> bytes = converter::encode(twin ? QStringView(&twin, 1) : one);
        out += bytes && !bytes->isEmpty() ? *bytes : QByteArrayLiteral("?");
    }
}

} // namespace

qsizetype charLength(QByteArrayView bytes, qsizetype pos)
{
    if (pos < 0 || pos >= bytes.size())
        return 1;
    return isLeadByte(byteAt(bytes, pos)) && pos + 1 < bytes.size() ? 2 : 1;
}

qsizetype boundaryAtOrBefore(QByteArrayView bytes, qsizetype max)
{
    if (max <= 0)
        return 0;
    if (max >= bytes.size())
        return bytes.size();
    qsizetype pos = 0;
    while (pos < max) {
        const qsizetype next = pos + charLength(bytes, pos);
        if (next > max)
            break;
        pos = next;
    }
    return pos;
}

QString toUnicode(QByteArrayView bytes)
{
    // ASCII is the same in code page 932; most names and keys are ASCII, and opening a converter costs
    // more than the whole conversion.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QString out;
    out.reserve(bytes.size());
    qsizetype runStart = 0;
    qsizetype i = 0;
    const auto flush = [&](qsizetype end) { decodeRun(bytes.sliced(runStart, end - runStart), out); };
    while (i < bytes.size()) {
        const uchar b = byteAt(bytes, i);
        if (isLeadByte(b)) {
            if (i + 1 < bytes.size() && isTrailByte(byteAt(bytes, i + 1))) {
                i += 2;
                continue;
            }
            // A lead byte without a usable trail: it alone is damaged, the next byte is read afresh.
            flush(i);
            out += QChar(ReplacementChar);
            runStart = ++i;
            continue;
        }
        if (const char16_t c = windowsSingleByte(b)) {
            flush(i);
            out += QChar(c);
            runStart = ++i;
            continue;
        }
        ++i;
    }
    flush(i);
    return out;
}

QByteArray fromUnicode(QStringView text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size() * 2);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = windowsByteFor(text[i].unicode());
        if (b < 0)
            continue;
        encodeRun(text.sliced(runStart, i - runStart), out);
        out += char(b);
        runStart = i + 1;
    }
    encodeRun(text.sliced(runStart), out);
    return out;
}

std::optional<char32_t> firstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size();) {
        qsizetype len = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            len = 2;
        const QStringView one = text.sliced(i, len);
        i += len;
        // '?' is the one character that legitimately encodes as '?'.
        if (one != u"?" && fromUnicode(one) == "?")
            return len == 2 ? QChar::surrogateToUcs4(one[0], one[1]) : char32_t(one[0].unicode());
    }
    return std::nullopt;
}

QString unencodableMessage(QStringView text)
{
    const std::optional<char32_t> c = firstUnencodable(text);
    if (!c)
        return {};
    return QCoreApplication::translate("cp932", "「%1」(U+%2) は Shift-JIS で保存できない文字のため使えません")
        .arg(QString::fromUcs4(&*c, 1), QStringLiteral("%1").arg(uint(*c), 4, 16, QLatin1Char('0')).toUpper());
}

QByteArray asciiLower(QByteArrayView bytes)
{
    QByteArray out = bytes.toByteArray();
    for (qsizetype i = 0; i < out.size();) {
        const qsizetype len = charLength(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z')
            out[i] = char(out[i] - 'A' + 'a');
        i += len;
    }
    return out;
}

bool equalsIgnoreCase(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (qsizetype i = 0; i < a.size();) {
        const qsizetype len = charLength(a, i);
        if (len == 2) {
            // A lead byte is never a letter, so b has a character of the same shape here or differs.
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
        } else if (fold(a[i]) != fold(b[i])) {
            return false;
        }
        i += len;
    }
    return true;
}

qsizetype lastBackslash(QByteArrayView bytes)
{
    qsizetype found = -1;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype len = charLength(bytes, i);
        if (len == 1 && bytes[i] == '\\')
            found = i;
        i += len;
    }
    return found;
}

} // namespace cp932

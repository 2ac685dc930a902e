// SPDX-License-Identifier: MIT
#include "platform/Cp932Converter.h"

#include <QtEndian>

#include <cerrno>
#include <iconv.h>

// The C library's converter: its CP932 table is Windows' own, and it is a small module, where ICU's
// would bring its converter code and data into every start.
namespace cp932::converter {

namespace {

constexpr const char* Utf16 = QSysInfo::ByteOrder == QSysInfo::BigEndian ? "UTF-16BE" : "UTF-16LE";

// One descriptor per direction and thread (the status check reads on a thread of its own), opened
// on first use. Code page 932 keeps no shift state, so a descriptor needs no reset between runs.
class Descriptor
{
public:
    Descriptor(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Descriptor()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // All of in converted into out (which must be large enough), or false.
    bool convert(const char* in, size_t inBytes, char* out, size_t& outBytes)
    {
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t outLeft = outBytes;
        const size_t result = iconv(m_cd, &inPtr, &inBytes, &outPtr, &outLeft);
        outBytes -= outLeft;
        // glibc counts characters it replaced by a best fit instead of failing: none is wanted.
        return result == 0 && inBytes == 0;
    }

private:
    iconv_t m_cd;
};

Descriptor& decoder()
{
    thread_local Descriptor d(Utf16, "CP932");
    return d;
}

Descriptor& encoder()
{
    thread_local Descriptor d("CP932", Utf16);
    return d;
}

// glibc writes YEN SIGN and OVERLINE as the ASCII backslash and tilde, which read back as other
// characters; Windows' converter has no mapping for either.
bool mapsToAscii(QStringView run)
{
    for (QChar c : run) {
        if (c.unicode() == 0x00A5 || c.unicode() == 0x203E)
            return true;
    }
    return false;
}

} // namespace

bool available() { return decoder().valid() && encoder().valid(); }

std::optional<QString> decode(QByteArrayView run)
{
    Descriptor& d = decoder();
    if (!d.valid())
        return std::nullopt;
    // A byte never becomes more than one UTF-16 unit.
    QString out(run.size(), Qt::Uninitialized);
    size_t outBytes = size_t(out.size()) * 2;
    if (!d.convert(run.data(), size_t(run.size()), reinterpret_cast<char*>(out.data()), outBytes))
        return std::nullopt;
    out.truncate(qsizetype(outBytes / 2));
    return out;
}

std::optional<QByteArray> encode(QStringView run)
{
    Descriptor& e = encoder();
    if (!e.valid() || mapsToAscii(run))
        return std::nullopt;
    // A UTF-16 unit never becomes more than two bytes.
    QByteArray out(run.size() * 2, Qt::Uninitialized);
    size_t outBytes = size_t(out.size());
    if (!e.convert(reinterpret_cast<const char*>(run.utf16()), size_t(run.size()) * 2, out.data(), outBytes))
        return std::nullopt;
    out.truncate(qsizetype(outBytes));
    return out;
}

} // namespace cp932::converter

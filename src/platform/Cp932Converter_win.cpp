// SPDX-License-Identifier: MIT
#include "platform/Cp932Converter.h"

#include <QStringDecoder>
#include <QStringEncoder>

// Qt's converter, which on Windows is the system's own code page 932.
namespace cp932::converter {

namespace {

constexpr const char* Name = "CP932";

} // namespace

bool available() { return QStringDecoder(Name).isValid(); }

// Qt's converters keep reporting an error once they have seen one, so every run gets its own.
std::optional<QString> decode(QByteArrayView run)
{
    QStringDecoder decoder(Name, QStringConverter::Flag::Stateless);
    QString out = decoder.decode(run);
    if (!decoder.isValid() || decoder.hasError())
        return std::nullopt;
    return out;
}

std::optional<QByteArray> encode(QStringView run)
{
    QStringEncoder encoder(Name, QStringConverter::Flag::Stateless);
    QByteArray out = encoder.encode(run);
    if (!encoder.isValid() || encoder.hasError())
        return std::nullopt;
    return out;
}

} // namespace cp932::converter

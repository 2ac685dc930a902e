// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The system's own code page 932 converter, for runs of whole characters. cp932:: decides what each
// single byte and each unmappable character becomes; these only convert, all or nothing.
namespace cp932::converter {

// False when the system has no converter for the code page: only ASCII can then be read or written.
bool available();
// Every character of run, or nothing when one of them has no mapping.
std::optional<QString> decode(QByteArrayView run);
std::optional<QByteArray> encode(QStringView run);

} // namespace cp932::converter

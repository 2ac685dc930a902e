// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What the fuzz targets share: the input as bytes, a scratch folder for readers that only read
// files, and the stop for a broken property.
namespace fuzz {

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A folder of this process's own, made at the first call and removed when the process ends.
const QString& folder();
// Writes the bytes to the file `name` in folder(), replacing it, and returns its path.
QString writeFile(const QString& name, const QByteArray& bytes);

// Names the broken property on standard error and stops the process, so that libFuzzer keeps the
// input as a crash.
[[noreturn]] void violated(const char* what, const char* file, int line);

} // namespace fuzz

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            fuzz::violated(#condition, __FILE__, __LINE__);                                                            \
    } while (false)

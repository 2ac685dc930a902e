// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Cp932.h"
#include "platform/ProfileFile.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <type_traits>

enum class KeyWritten
{
    Always,           // the program's own keys: a new file lists them all
    WhenReadOrChanged // keys set by hand: a file gains none its user did not write
};

// One key of a profile file: where it is, its value when absent, and what it was read as. A value
// nobody changed is written back as the very bytes it was read as, so text that is not valid code
// page 932, a number spelt "0x1" or a flag spelt "yes" survives a run of the program unchanged.
// T is bool, qint32 (the profile file's number rules), QString (code page 932 text) or QByteArray.
template <typename T> class ProfileKey
{
public:
    // With a rule, a value that breaks it (or is no number where one is wanted) reads as the default
    // and is replaced by it at the end. Without one, a value that is no number also reads as the
    // default, but its bytes are kept while the program does not change the setting.
    using Rule = bool (*)(const T&);

    ProfileKey(QByteArray section, QByteArray name, T defaultValue = T(), KeyWritten written = KeyWritten::Always,
               Rule rule = nullptr)
        : m_section(std::move(section)), m_name(std::move(name)), m_default(std::move(defaultValue)),
          m_value(m_default), m_written(written), m_rule(rule)
    {
    }

    const QByteArray& section() const { return m_section; }
    const QByteArray& name() const { return m_name; }

    void read(const ProfileFile& ini)
    {
        m_value = m_default;
        m_bytes.reset();
        if (!ini.hasKey(m_section, m_name))
            return;
        const QByteArray bytes = ini.readString(m_section, m_name);
        const std::optional<T> value = decoded(bytes);
        if (m_rule && (!value || !m_rule(*value)))
            return;
        m_value = value.value_or(m_default);
        m_bytes = bytes;
    }
    // The default changes with the run (the game folder found before the file is read).
    void read(const ProfileFile& ini, T defaultValue)
    {
        m_default = std::move(defaultValue);
        read(ini);
    }

    // As read, or the default.
    const T& value() const { return m_value; }
    bool isStored() const { return m_bytes.has_value(); }

    // Writes the value the program holds now; a line that already says what was read stays as it is.
    void write(ProfileFile& ini, const T& now) const
    {
        if (m_bytes && now == m_value) {
            if (!ini.hasKey(m_section, m_name) || ini.readString(m_section, m_name) != *m_bytes)
                ini.writeString(m_section, m_name, *m_bytes);
            return;
        }
        if (!m_bytes && m_written == KeyWritten::WhenReadOrChanged && now == m_default)
            return;
        ini.writeString(m_section, m_name, encoded(now));
    }
    // For a key the program never changes.
    void write(ProfileFile& ini) const { write(ini, m_value); }

private:
    QByteArray m_section;
    QByteArray m_name;
    T m_default;
    T m_value;
    std::optional<QByteArray> m_bytes; // the value as read, while the key was there
    KeyWritten m_written;
    Rule m_rule;

    static std::optional<T> decoded(const QByteArray& bytes)
    {
        if constexpr (std::is_same_v<T, QString>)
            return cp932::toUnicode(bytes);
        else if constexpr (std::is_same_v<T, QByteArray>)
            return bytes;
        else if constexpr (std::is_same_v<T, bool>) {
            const std::optional<qint32> number = ProfileFile::parseInt(bytes);
            return number ? std::optional<bool>(*number != 0) : std::nullopt;
        } else
            return ProfileFile::parseInt(bytes);
    }

    static QByteArray encoded(const T& value)
    {
        if constexpr (std::is_same_v<T, QString>)
            return cp932::fromUnicode(value);
        else if constexpr (std::is_same_v<T, QByteArray>)
            return value;
        else if constexpr (std::is_same_v<T, bool>)
            return value ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
        else
            return QByteArray::number(value);
    }

    static_assert(std::is_same_v<T, bool> || std::is_same_v<T, qint32> || std::is_same_v<T, QString> ||
                  std::is_same_v<T, QByteArray>);
};

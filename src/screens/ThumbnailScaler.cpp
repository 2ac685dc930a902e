// SPDX-License-Identifier: MIT
#include "screens/ThumbnailScaler.h"

#include <algorithm>

QSize ThumbnailScaler::fitted(QSize size, QSize box)
{
    if (size.isEmpty() || box.isEmpty())
        return {};
    if (size.width() <= box.width() && size.height() <= box.height())
        return size;
    return size.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

ThumbnailScaler::ThumbnailScaler(QSize source, QSize target)
    : m_source(source), m_target(target), m_column(std::size_t(source.width())),
      m_sums(std::size_t(target.width()) * std::size_t(target.height()) * 3, 0),
      m_colCount(std::size_t(target.width()), 0), m_rowCount(std::size_t(target.height()), 0)
{
    for (int x = 0; x < source.width(); ++x) {
        const int column = int(qint64(x) * target.width() / source.width());
        m_column[std::size_t(x)] = column;
        ++m_colCount[std::size_t(column)];
    }
    for (int y = 0; y < source.height(); ++y)
        ++m_rowCount[std::size_t(qint64(y) * target.height() / source.height())];
}

void ThumbnailScaler::addRow(int y, const quint32* row)
{
    if (y < 0 || y >= m_source.height())
        return;
    quint32* sums = m_sums.data() +
                    std::size_t(qint64(y) * m_target.height() / m_source.height()) * std::size_t(m_target.width()) * 3;
    const int* column = m_column.data();
    for (int x = 0; x < m_source.width(); ++x) {
        const quint32 p = row[x];
        quint32* s = sums + column[x] * 3;
        s[0] += (p >> 16) & 0xFF;
        s[1] += (p >> 8) & 0xFF;
        s[2] += p & 0xFF;
    }
}

std::vector<quint32> ThumbnailScaler::result() const
{
    std::vector<quint32> out(std::size_t(m_target.width()) * std::size_t(m_target.height()));
    for (int ty = 0; ty < m_target.height(); ++ty) {
        for (int tx = 0; tx < m_target.width(); ++tx) {
            const std::size_t i = std::size_t(ty) * std::size_t(m_target.width()) + std::size_t(tx);
            const quint32 n = std::max<quint32>(1, m_colCount[std::size_t(tx)] * m_rowCount[std::size_t(ty)]);
            const quint32* s = m_sums.data() + i * 3;
            out[i] = 0xFF000000u | ((s[0] + n / 2) / n) << 16 | ((s[1] + n / 2) / n) << 8 | ((s[2] + n / 2) / n);
        }
    }
    return out;
}

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
    : m_source(source), m_target(target), m_columnEnd(std::size_t(target.width()), 0),
      m_sums(std::size_t(target.width()) * std::size_t(target.height()) * 3, 0),
      m_colCount(std::size_t(target.width()), 0), m_rowCount(std::size_t(target.height()), 0)
{
    for (int x = 0; x < source.width(); ++x) {
        const auto column = std::size_t(qint64(x) * target.width() / source.width());
        m_columnEnd[column] = x + 1;
        ++m_colCount[column];
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
    // Column by column, so the inner loop is a plain run over the source pixels of one block.
    int x = 0;
    for (std::size_t tx = 0; tx < m_columnEnd.size(); ++tx, sums += 3) {
        quint32 red = 0;
        quint32 green = 0;
        quint32 blue = 0;
        for (const int end = m_columnEnd[tx]; x < end; ++x) {
            const quint32 p = row[x];
            red += (p >> 16) & 0xFF;
            green += (p >> 8) & 0xFF;
            blue += p & 0xFF;
        }
        sums[0] += red;
        sums[1] += green;
        sums[2] += blue;
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

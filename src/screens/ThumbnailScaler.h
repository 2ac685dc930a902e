// SPDX-License-Identifier: MIT
#pragma once

#include <QSize>

#include <vector>

// Shrinks an image row by row while it is being read, averaging each block of source pixels into
// one thumbnail pixel: the full-size image is never held, so a thumbnail of a huge picture costs a
// row and the thumbnail's own pixels.
class ThumbnailScaler
{
public:
    // The size of `size` fitted within `box`, keeping its proportions; never larger than `size`.
    static QSize fitted(QSize size, QSize box);

    ThumbnailScaler(QSize source, QSize target);

    QSize targetSize() const { return m_target; }
    // One row of opaque ARGB pixels, y counting from the top; rows may come in any order.
    void addRow(int y, const quint32* row);
    // The thumbnail's pixels, row after row, opaque ARGB.
    std::vector<quint32> result() const;

private:
    QSize m_source;
    QSize m_target;
    std::vector<int> m_columnEnd;    // first source column past each thumbnail column
    std::vector<quint32> m_sums;     // red, green, blue per thumbnail pixel
    std::vector<quint32> m_colCount; // source columns per thumbnail column
    std::vector<quint32> m_rowCount; // source rows per thumbnail row
};

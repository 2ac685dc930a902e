// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

// A sunken field whose background is a colour, with a hand cursor; a click asks for another colour.
class ColourSwatch : public QLabel
{
    Q_OBJECT
public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    // 0xRRGGBB. The window face colour until set.
    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    quint32 m_colour = 0;
};

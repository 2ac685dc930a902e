// SPDX-License-Identifier: MIT
#pragma once

#include "platform/DisplayMode.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The rules between the game's option values and the editor's controls.
namespace optionrules {

// A signed decimal integer that fits in 32 bits: an optional sign, then digits only.
std::optional<qint32> parseInteger(QByteArrayView text);
// "'<text>' は有効な整数値ではありません".
QString notIntegerMessage(QByteArrayView text);

// The gamma text for a bar position: the position / 100 with six decimals ("0.050000", "1.000000").
QString gammaText(int position);
// The bar position a gamma text stands for: its second character dropped, then the first three
// characters read as an integer ("0.523456" gives 52, "0.5" gives 5, "2.000000" gives 200); the caller
// clamps. A text that gives no integer throws UserError naming the gamma text.
int gammaPosition(QByteArrayView gamma);

// A colour as 0xRRGGBB from the document's three integers, each taken modulo 256.
quint32 colourFromComponents(qint32 red, qint32 green, qint32 blue);
int red(quint32 colour);
int green(quint32 colour);
int blue(quint32 colour);

// The entry of the colour-depth list for the document's BitDepth: "16" for "16", "32" for any other.
QString bitDepthEntry(QByteArrayView bitDepth);
// "<width>x<height>".
QString resolutionEntry(QByteArrayView width, QByteArrayView height);
// Width is the text before the first "x", height the text after it.
struct ResolutionParts
{
    QString width;
    QString height;
};
ResolutionParts splitResolutionEntry(const QString& entry);

// The resolution list after the display modes are added to it in the order they came: each mode of
// at least 640x480 whose depth is 16 bits (or unknown) adds its entry unless the list holds it.
QStringList withDisplayModes(QStringList entries, const QList<DisplayMode>& modes);

// The message that refuses a typed text for the game's options document (and the chat sets that feed
// it), naming the first character it cannot hold; empty when the text can be saved. Refused are the
// characters code page 932 lacks, and '"', '<', '>' and '&': the document holds values unescaped, so a
// quote would end a chat text early and the others would make markup of the text.
QString typedTextRefusal(QStringView text);

} // namespace optionrules

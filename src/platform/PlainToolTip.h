// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// A tooltip of text from outside the program (a host's mod list, the query program's complaints).
// Qt shows a tip whose first line looks like a tag as rich text; such a tip is escaped so that it
// reads as it came. Any other tip is returned as it is.
QString plainToolTip(const QString& text);

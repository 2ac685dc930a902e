// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

// The user-interface font: "ＭＳ Ｐゴシック" at 12 pixels, or the nearest proportional Japanese
// gothic the system has.
QFont uiFont();

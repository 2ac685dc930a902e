// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

#include <functional>

// An icon that make() makes the first time it is drawn, measured or asked for a pixmap: for icons
// that cost something to read and may never be shown.
QIcon deferredIcon(std::function<QIcon()> make);

// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

// The "リンク" tab: link labels with a line of description each; a click opens the page.
class LinksPage : public QWidget
{
    Q_OBJECT
public:
    explicit LinksPage(QWidget* parent = nullptr);
};

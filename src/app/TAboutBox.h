// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

// "バージョン情報": the program's icon, name and version, scrolling credits and two links.
class TAboutBox : public QDialog
{
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void scrollCredits();

    QWidget* m_creditsView = nullptr;
    QLabel* m_credits = nullptr;
    QTimer* m_scroll = nullptr;
};

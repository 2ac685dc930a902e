// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

// The small status window: one centred bold line and a cancel button. Shown with the button, it
// stays until the launcher closes it; shown without, it is a notice that closes itself one second
// after it appears.
class TStateInfoForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ClientWidth = 206;
    static constexpr int ClientHeight = 80;

    explicit TStateInfoForm(QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }
    QPushButton* cancelButton() const { return m_button; }
    void setText(const QString& text);
    QString text() const;
    void setCancelVisible(bool visible);

    // Set by the cancel button, cleared whenever the window is shown.
    bool isCancelled() const { return m_cancelled; }

    // The self-closing notice: the text, no button, closed one second after it appears. Showing it
    // again while it is up restarts the second.
    void showNotice(const QString& text);
    // While the notice with this text is up: restarts its second, or closes it. Another text that
    // took the window over is left alone.
    void renewNotice(const QString& text);
    void withdrawNotice(const QString& text);

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;
    // Esc and the window manager's close do nothing while the launcher owns the window.
    void reject() override;

private:
    void Button1Click(); // "キャンセル"
    void Timer1Timer();  // closes a notice a second after it was shown
    void centreOnDesktop();

    QLabel* m_label;
    QPushButton* m_button;
    QTimer* m_timer;
    bool m_cancelled = false;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>
#include <QString>

class QAbstractItemModel;

// An editable address box over the shared address history: ten visible lines, matching entries
// offered while typing, no input method. QComboBox rewrites its text whenever rows come and go;
// both boxes share one history, so a join in one would change the other's text. This box keeps
// the text the user left in it instead.
class HistoryComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit HistoryComboBox(QWidget* parent = nullptr);

    // Shows model as the drop-down list without taking its first entry as the text.
    void setHistoryModel(QAbstractItemModel* model);

signals:
    // The text was changed by the user, by typing or by picking from the list.
    void userTextChanged(const QString& text);
    // Enter was pressed in the box.
    void enterPressed();

private:
    void keepText();
    void restoreText();

    QString m_keptText;
    bool m_keeping = false;
};

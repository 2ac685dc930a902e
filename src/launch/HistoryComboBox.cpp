// SPDX-License-Identifier: MIT
#include "launch/HistoryComboBox.h"

#include <QAbstractItemModel>
#include <QCompleter>
#include <QLineEdit>

HistoryComboBox::HistoryComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(10);
    lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // None of these signals can throw: they only forward to the owner, whose handlers are guarded.
    connect(lineEdit(), &QLineEdit::textEdited, this, &HistoryComboBox::userTextChanged);
    connect(this, &QComboBox::textActivated, this, &HistoryComboBox::userTextChanged);
    connect(lineEdit(), &QLineEdit::returnPressed, this, &HistoryComboBox::enterPressed);
}

void HistoryComboBox::setHistoryModel(QAbstractItemModel* model)
{
    const QString text = currentText();
    setModel(model);
    // Connected after QComboBox's own handlers, so these run last and have the final word.
    connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this, &HistoryComboBox::keepText);
    connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this, &HistoryComboBox::keepText);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &HistoryComboBox::keepText);
    connect(model, &QAbstractItemModel::layoutAboutToBeChanged, this, &HistoryComboBox::keepText);
    connect(model, &QAbstractItemModel::rowsInserted, this, &HistoryComboBox::restoreText);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &HistoryComboBox::restoreText);
    connect(model, &QAbstractItemModel::modelReset, this, &HistoryComboBox::restoreText);
    connect(model, &QAbstractItemModel::layoutChanged, this, &HistoryComboBox::restoreText);

    // The completer the box made with its line edit. Inline completion would silently extend a typed
    // address; a list of matches leaves it alone.
    QCompleter* completer = this->completer();
    completer->setModel(model);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setMaxVisibleItems(10);

    setCurrentIndex(-1);
    setEditText(text);
}

void HistoryComboBox::keepText()
{
    if (m_keeping)
        return;
    m_keptText = currentText();
    m_keeping = true;
}

void HistoryComboBox::restoreText()
{
    if (!m_keeping)
        return;
    m_keeping = false;
    const int cursor = lineEdit()->cursorPosition();
    setCurrentIndex(-1);
    if (currentText() != m_keptText) {
        setEditText(m_keptText);
        lineEdit()->setCursorPosition(cursor);
    }
}

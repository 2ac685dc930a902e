// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QString>

class QWidget;

// What the user reads on a control found by its object name: the caption of a button, label, group
// box, action or menu, the text of an edit or combo box. A null string when no such control is there.
QString captionOf(const QObject& window, const QString& objectName);
// Its hint (tool tip), or a null string when no such control is there.
QString hintOf(const QObject& window, const QString& objectName);

// The columns of a window's table of controls: "name", "caption", "hint" (an empty hint is not compared).
void addControlColumns();
void addControlRow(const char16_t* name, const char16_t* caption, const char16_t* hint = u"");
// Compares the current row of that table with the window's control.
void checkControlRow(const QObject& window);

// Shows the window and selects every page of every tab control in it, nested ones too, as a user
// looking at each would: pages made when first shown are there afterwards. The first pages end selected.
void showEveryPage(QWidget& window);

// The window's control of that type and object name. The test stops with a message when there is none,
// rather than crashing on it later.
template <typename T> T* control(const QObject& window, const QString& objectName)
{
    T* found = window.findChild<T*>(objectName);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(objectName));
    return found;
}

// SPDX-License-Identifier: MIT
#include "support/Controls.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

namespace {

QObject* find(const QObject& window, const QString& name)
{
    if (window.objectName() == name)
        return const_cast<QObject*>(&window);
    return window.findChild<QObject*>(name);
}

} // namespace

QString captionOf(const QObject& window, const QString& objectName)
{
    QObject* o = find(window, objectName);
    if (auto* b = qobject_cast<QAbstractButton*>(o))
        return b->text();
    if (auto* a = qobject_cast<QAction*>(o))
        return a->text();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(o))
        return g->title();
    if (auto* m = qobject_cast<QMenu*>(o))
        return m->title();
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(o))
        return c->currentText();
    if (auto* w = qobject_cast<QWidget*>(o))
        return w->windowTitle();
    return {};
}

QString hintOf(const QObject& window, const QString& objectName)
{
    QObject* o = find(window, objectName);
    if (auto* a = qobject_cast<QAction*>(o))
        return a->toolTip();
    if (auto* w = qobject_cast<QWidget*>(o))
        return w->toolTip();
    return {};
}

void addControlColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
}

void addControlRow(const char16_t* name, const char16_t* caption, const char16_t* hint)
{
    const QString n = QString::fromUtf16(name);
    QTest::newRow(n.toUtf8().constData()) << n << QString::fromUtf16(caption) << QString::fromUtf16(hint);
}

void checkControlRow(const QObject& window)
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QCOMPARE(captionOf(window, name), caption);
    if (!hint.isEmpty())
        QCOMPARE(hintOf(window, name), hint);
}

void showEveryPage(QWidget& window)
{
    window.show();
    QList<QTabWidget*> seen;
    for (bool more = true; more;) {
        more = false;
        for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
            if (seen.contains(tabs))
                continue;
            seen.append(tabs);
            more = true;
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                QCoreApplication::processEvents();
            }
            tabs->setCurrentIndex(0);
        }
    }
}

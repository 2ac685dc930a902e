// SPDX-License-Identifier: MIT
#include "platform/QtPrompter.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// The real prompter's boxes belong to the window that asked: over a dialog, that dialog.
class TestQtPrompter : public QObject
{
    Q_OBJECT
private slots:
    void boxBelongsToTheDialogThatAsked_data();
    void boxBelongsToTheDialogThatAsked();
};

void TestQtPrompter::boxBelongsToTheDialogThatAsked_data()
{
    QTest::addColumn<bool>("fromDialog");
    QTest::newRow("from the main window") << false;
    QTest::newRow("from a dialog") << true;
}

void TestQtPrompter::boxBelongsToTheDialogThatAsked()
{
    QFETCH(bool, fromDialog);
    QWidget window;
    window.show();
    QDialog dialog(&window);
    if (fromDialog)
        dialog.open();
    QtPrompter prompter(&window);
    QWidget* owner = nullptr;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        owner = box->parentWidget();
        box->accept();
    });
    prompter.message(Prompter::Icon::Information, QStringLiteral("IPは必ず入力してください"));
    QCOMPARE(owner, fromDialog ? static_cast<QWidget*>(&dialog) : &window);
}

QTEST_MAIN(TestQtPrompter)
#include "tst_QtPrompter.moc"

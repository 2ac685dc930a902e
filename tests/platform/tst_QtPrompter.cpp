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
    void qtFilter_data();
    void qtFilter();
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
    Qt::TextFormat format = Qt::AutoText;
    QTimer::singleShot(0, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        owner = box->parentWidget();
        format = box->textFormat();
        box->accept();
    });
    // A host's name that looks like markup is shown as it reads.
    prompter.message(Prompter::Icon::Information, QStringLiteral("<b>Alpha</b> に接続できません"));
    QCOMPARE(owner, fromDialog ? static_cast<QWidget*>(&dialog) : &window);
    QCOMPARE(format, Qt::PlainText);
}

void TestQtPrompter::qtFilter_data()
{
    QTest::addColumn<QString>("pairs");
    QTest::addColumn<QString>("filter");
    QTest::newRow("description names its pattern")
        << QStringLiteral("WAVファイル(*.wav)|*.wav") << QStringLiteral("WAVファイル(*.wav)");
    QTest::newRow("one without, two patterns")
        << QStringLiteral("(*.lst)|*.lst|テキスト|*.txt;*.lst") << QStringLiteral("(*.lst);;テキスト (*.txt *.lst)");
}

void TestQtPrompter::qtFilter()
{
    QFETCH(QString, pairs);
    QFETCH(QString, filter);
    QCOMPARE(QtPrompter::qtFilter(pairs), filter);
}

QTEST_MAIN(TestQtPrompter)
#include "tst_QtPrompter.moc"

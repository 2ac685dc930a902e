// SPDX-License-Identifier: MIT
#include "options/MultiplayPage.h"
#include "platform/Cp932.h"

#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

// The chat sets of the "ﾏﾙﾁﾌﾟﾚｲ" tab, on a temporary working folder with the scripted prompter.
class TestMultiplayPage : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void saveListsANameOnce();
    void saveRefuses_data();
    void saveRefuses();
    void copy_data();
    void copy();
    void deleteSet();
    void loadFromFile_data();
    void loadFromFile();
    void unreadableSetKeepsTheSlots();
    void keypadFocusesSlotsAndIsNotTabbedTo();
    void controlsWithoutCaptionHaveNamesOfTheirOwn();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldCurrent;
};

namespace {

struct Page
{
    ScriptedPrompter prompter;
    MultiplayPage page{prompter};
    QComboBox* sets = control<QComboBox>(page, QStringLiteral("ComboBox3"));

    QLineEdit* mes(int n) const { return control<QLineEdit>(page, QStringLiteral("Mes%1").arg(n)); }
    QCheckBox* tc(int n) const { return control<QCheckBox>(page, QStringLiteral("tc%1").arg(n)); }
    // The keypad button that focuses a slot: "0" is Button16, "9" is Button25.
    QPushButton* keypad(int n) const { return control<QPushButton>(page, QStringLiteral("Button%1").arg(16 + n)); }
    QToolButton* button(const char* name) const { return control<QToolButton>(page, QString::fromLatin1(name)); }

    void fill(const QString& prefix)
    {
        for (int n = 0; n < 10; ++n) {
            mes(n)->setText(prefix + QString::number(n));
            tc(n)->setChecked(n % 3 == 0);
        }
    }
    QStringList texts() const
    {
        QStringList out;
        for (int n = 0; n < 10; ++n)
            out << mes(n)->text() + (tc(n)->isChecked() ? QStringLiteral("+") : QString());
        return out;
    }
    QStringList entries() const
    {
        QStringList out;
        for (int i = 0; i < sets->count(); ++i)
            out << sets->itemText(i);
        return out;
    }
    void choose(const QString& name)
    {
        const int i = sets->findText(name);
        QVERIFY(i >= 0);
        sets->setCurrentIndex(i);
        emit sets->activated(i);
    }
};

} // namespace

void TestMultiplayPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_oldCurrent = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestMultiplayPage::cleanup()
{
    QDir::setCurrent(m_oldCurrent);
    m_dir.reset();
}

void TestMultiplayPage::saveListsANameOnce()
{
    TestFolders::writeFile(QStringLiteral("b.lst"), "");
    TestFolders::writeFile(QStringLiteral("d.lst"), "");
    Page p;
    QCOMPARE(p.entries(), (QStringList{QStringLiteral("b"), QStringLiteral("d")}));
    QCOMPARE(p.sets->currentText(), QStringLiteral("現在の設定"));
    p.fill(QStringLiteral("予定"));
    const QStringList saved = p.texts();
    p.sets->setEditText(QStringLiteral("b"));
    QTest::mouseClick(p.button("btnSaveChatSet"), Qt::LeftButton);
    QVERIFY(TestFolders::readFile(QStringLiteral("b.lst"))
                .startsWith("[ChatList]\r\nMSG0=" + cp932::fromUnicode(u"予定0") + "\r\nTEAM0=1\r\nMSG1="));
    p.sets->setEditText(QStringLiteral("a"));
    QTest::mouseClick(p.button("btnSaveChatSet"), Qt::LeftButton);
    // The initial text is a name like any other.
    p.sets->setEditText(QStringLiteral("現在の設定"));
    QTest::mouseClick(p.button("btnSaveChatSet"), Qt::LeftButton);
    QCOMPARE(p.entries(), (QStringList{QStringLiteral("b"), QStringLiteral("d"), QStringLiteral("a"),
                                       QStringLiteral("現在の設定")}));
    QVERIFY(QFile::exists(QStringLiteral("現在の設定.lst")));

    // Choosing a saved set brings its slots back.
    p.fill(QStringLiteral("other"));
    p.choose(QStringLiteral("b"));
    QCOMPARE(p.texts(), saved);
    QVERIFY(p.prompter.asked.isEmpty());
}

void TestMultiplayPage::saveRefuses_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("slot0");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << QString() << QStringLiteral("x")
                             << QStringLiteral("名前を付けてください。拡張子などは一切要りません。");
    QTest::newRow("a folder in the name")
        << QStringLiteral("../up") << QStringLiteral("x") << QStringLiteral("「../up」は名前に使えません");
    QTest::newRow("text code page 932 cannot hold")
        << QStringLiteral("s") << QStringLiteral("naïve €") << QStringLiteral("ﾒｯｾｰｼﾞ 0: 「ï」");
    QTest::newRow("markup the options document cannot hold")
        << QStringLiteral("s") << QStringLiteral("a&b") << QStringLiteral("ﾒｯｾｰｼﾞ 0: 「&」");
}

void TestMultiplayPage::saveRefuses()
{
    QFETCH(QString, name);
    QFETCH(QString, slot0);
    QFETCH(QString, message);
    Page p;
    p.mes(0)->setText(slot0);
    p.sets->setEditText(name);
    QTest::mouseClick(p.button("btnSaveChatSet"), Qt::LeftButton);
    QCOMPARE(p.prompter.asked.size(), 1);
    QVERIFY2(p.prompter.asked[0].text.contains(message), qPrintable(p.prompter.asked[0].text));
    QVERIFY(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("../up.lst"))));
    QCOMPARE(p.sets->count(), 0);
}

void TestMultiplayPage::copy_data()
{
    QTest::addColumn<QVariant>("answer"); // invalid: Cancel
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("message");
    QTest::newRow("the proposed name") << QVariant(QStringLiteral("abcのコピー"))
                                       << QStringList{QStringLiteral("abc"), QStringLiteral("taken"),
                                                      QStringLiteral("abcのコピー")}
                                       << QString();
    QTest::newRow("cancel") << QVariant() << QStringList{QStringLiteral("abc"), QStringLiteral("taken")} << QString();
    QTest::newRow("name taken") << QVariant(QStringLiteral("taken"))
                                << QStringList{QStringLiteral("abc"), QStringLiteral("taken")}
                                << QStringLiteral("複製に失敗しました。名前が重複しているか、空き容量が足りません");
    QTest::newRow("name refused") << QVariant(QStringLiteral("a:b"))
                                  << QStringList{QStringLiteral("abc"), QStringLiteral("taken")}
                                  << QStringLiteral("「a:b」は名前に使えません");
}

void TestMultiplayPage::copy()
{
    QFETCH(QVariant, answer);
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    TestFolders::writeFile(QStringLiteral("abc.lst"), "[ChatList]\r\nMSG0=from abc\r\n");
    TestFolders::writeFile(QStringLiteral("taken.lst"), "[ChatList]\r\nMSG0=taken\r\n");
    Page p;
    p.choose(QStringLiteral("abc"));
    p.mes(0)->setText(QStringLiteral("typed"));
    p.prompter.answers << answer;
    QTest::mouseClick(p.button("btnCopyChatSet"), Qt::LeftButton);

    const ScriptedPrompter::Question& q = p.prompter.asked.value(0);
    QCOMPARE(q.initial, QStringLiteral("abcのコピー"));
    QVERIFY2(p.prompter.asked.value(1).text.startsWith(message), qPrintable(p.prompter.asked.value(1).text));
    QCOMPARE(p.entries(), entries);
    QCOMPARE(p.sets->currentText(), entries.size() == 3 ? entries.last() : QStringLiteral("abc"));
    QCOMPARE(p.mes(0)->text(), QStringLiteral("typed")); // the slots are not reloaded
    QCOMPARE(TestFolders::readFile(QStringLiteral("taken.lst")), QByteArray("[ChatList]\r\nMSG0=taken\r\n"));
    QCOMPARE(TestFolders::readFile(QStringLiteral("abcのコピー.lst")),
             entries.size() == 3 ? QByteArray("[ChatList]\r\nMSG0=from abc\r\n") : QByteArray());
}

void TestMultiplayPage::deleteSet()
{
    TestFolders::writeFile(QStringLiteral("abc.lst"), "[ChatList]\r\nMSG4=four\r\nTEAM4=1\r\n");
    TestFolders::writeFile(QStringLiteral("def.lst"), "");
    Page p;
    p.choose(QStringLiteral("abc"));
    // Chosen abc, then typed def: def is the set asked about and deleted; abc stays listed and loaded.
    p.sets->setEditText(QStringLiteral("def"));
    p.prompter.answers << false << true;
    QTest::mouseClick(p.button("btnDeleteChatSet"), Qt::LeftButton);
    QVERIFY(QFile::exists(QStringLiteral("def.lst")));
    QTest::mouseClick(p.button("btnDeleteChatSet"), Qt::LeftButton);
    QCOMPARE(p.prompter.asked.value(1).text, QStringLiteral("\"def\" 設定を削除しますか？"));
    QVERIFY(!QFile::exists(QStringLiteral("def.lst")));
    QCOMPARE(p.entries(), QStringList{QStringLiteral("abc")});
    QCOMPARE(p.mes(4)->text(), QStringLiteral("four"));
    QVERIFY(p.tc(4)->isChecked());

    p.sets->setEditText(QStringLiteral("gone"));
    p.prompter.answers << true;
    QTest::mouseClick(p.button("btnDeleteChatSet"), Qt::LeftButton);
    QCOMPARE(p.prompter.asked.value(3).text, QStringLiteral("ファイルが削除出来ませんでした"));
    QCOMPARE(p.entries(), QStringList{QStringLiteral("abc")});

    // Nothing happens without a name.
    p.sets->setEditText(QString());
    QTest::mouseClick(p.button("btnDeleteChatSet"), Qt::LeftButton);
    QTest::mouseClick(p.button("btnCopyChatSet"), Qt::LeftButton);
    QCOMPARE(p.prompter.asked.size(), 4);
}

void TestMultiplayPage::loadFromFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QVariant>("answer");
    QTest::addColumn<QString>("slot3");
    QTest::newRow(".lst") << QStringLiteral("x.lst") << QVariant(QStringLiteral("x.lst")) << QStringLiteral("loaded");
    QTest::newRow(".LST") << QStringLiteral("x.LST") << QVariant(QStringLiteral("x.LST")) << QStringLiteral("kept");
    QTest::newRow("cancel") << QStringLiteral("x.lst") << QVariant() << QStringLiteral("kept");
}

void TestMultiplayPage::loadFromFile()
{
    QFETCH(QString, file);
    QFETCH(QVariant, answer);
    QFETCH(QString, slot3);
    QVERIFY(QDir().mkdir(QStringLiteral("elsewhere")));
    const QString path = QDir(QStringLiteral("elsewhere")).absoluteFilePath(file);
    TestFolders::writeFile(path, "[ChatList]\r\nMSG3=loaded\r\nTEAM3=5\r\n");
    Page p;
    p.mes(3)->setText(QStringLiteral("kept"));
    if (answer.isValid())
        answer = path;
    p.prompter.answers << answer;
    QTest::mouseClick(p.button("btnLoadChatSet"), Qt::LeftButton);
    QCOMPARE(p.mes(3)->text(), slot3);
    QCOMPARE(p.tc(3)->isChecked(), slot3 == QLatin1String("loaded"));
    QCOMPARE(p.sets->count(), 0);
    QCOMPARE(p.sets->currentText(), QStringLiteral("現在の設定"));
}

void TestMultiplayPage::unreadableSetKeepsTheSlots()
{
    TestFolders::writeFile(QStringLiteral("abc.lst"), "");
    Page p;
    QVERIFY(QFile::remove(QStringLiteral("abc.lst")));
    QVERIFY(QDir().mkdir(QStringLiteral("abc.lst")));
    p.mes(0)->setText(QStringLiteral("kept"));
    p.choose(QStringLiteral("abc"));
    QCOMPARE(p.mes(0)->text(), QStringLiteral("kept"));
    QVERIFY(p.prompter.texts().value(0).contains(QStringLiteral("を読み込めません")));

    // A set that vanished reads as empty, as the game's own tools read it.
    QVERIFY(QDir().rmdir(QStringLiteral("abc.lst")));
    p.choose(QStringLiteral("abc"));
    QCOMPARE(p.mes(0)->text(), QString());
}

void TestMultiplayPage::keypadFocusesSlotsAndIsNotTabbedTo()
{
    Page p;
    p.page.show();
    p.page.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&p.page));
    for (int n = 0; n < 10; ++n) {
        QTest::mouseClick(p.keypad(n), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), p.mes(n));
    }
    for (int i = 0; i < 60; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int n = 0; n < 10; ++n)
            QVERIFY(QApplication::focusWidget() != p.keypad(n));
    }
}

void TestMultiplayPage::controlsWithoutCaptionHaveNamesOfTheirOwn()
{
    Page p;
    QList<QWidget*> controls{p.button("btnLoadChatSet"), p.button("btnSaveChatSet"), p.button("btnCopyChatSet"),
                             p.button("btnDeleteChatSet")};
    for (int n = 0; n < MultiplayPage::SlotCount; ++n)
        controls << p.tc(n);
    QSet<QString> names;
    for (QWidget* w : std::as_const(controls)) {
        // What a screen reader reads: a button's tip, each box a name of its own.
        names << QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        QVERIFY(w->toolTip().isEmpty() || names.contains(w->toolTip()));
    }
    names.remove(QString());
    QCOMPARE(names.size(), controls.size());
}

QTEST_MAIN(TestMultiplayPage)
#include "tst_MultiplayPage.moc"

// SPDX-License-Identifier: MIT
#include "game/GameInstallation.h"
#include "options/ColourSwatch.h"
#include "options/GeneralPage.h"
#include "options/MultiplayPage.h"
#include "options/OptionsEditor.h"
#include "platform/Cp932.h"

#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

// The options editor on a copy of the demo installation, with a scripted prompter.
class TestOptionsEditor : public QObject
{
    Q_OBJECT
private slots:
    void loadsTheDocument();
    void editedFieldsChangeOnlyTheirLines();
    void endWithoutChangesKeepsTheDocument_data();
    void endWithoutChangesKeepsTheDocument();
    void loadEdgeCases_data();
    void loadEdgeCases();
    void pagesMadeAfterTheLoad_data() { loadEdgeCases_data(); }
    void pagesMadeAfterTheLoad();
    void gammaFollowsTheBarOnlyWhenItMoves();
    void failedSaveLeavesTheFile_data();
    void failedSaveLeavesTheFile();
    void unreadableDocumentIsNotWrittenAtTheEnd();
    void missingDocument();
    void reloadAsksFirstAndReloadsModsToo();
    void colourAndGammaButtons();
    void resolutionList();
};

namespace {

QByteArray sjis(const QString& text) { return cp932::fromUnicode(text); }

struct Rig
{
    TestFolders folders;
    ScriptedPrompter prompter;
    GameInstallation game{folders.gameFolder()};
    QStringList notices;
    int modsReloaded = 0;
    bool optionsLoadedWhenModsReloaded = false;
    OptionsEditor editor{prompter, game, [this] { ++modsReloaded; }};

    // The pages are made now, or (as in the program) when first asked for.
    explicit Rig(bool pagesNow = true)
    {
        QObject::connect(&editor, &OptionsEditor::notice, [this](const QString& text) { notices << text; });
        if (pagesNow)
            editor.multiplayPage();
        // The demo's resolution is listed unless a test says otherwise.
        editor.FillResolutionList([] { return QList<DisplayMode>{{640, 480, 16}, {800, 600, 16}, {1024, 768, 16}}; });
    }
    // The pages' controls, found by their object names.
    template <typename T> T* find(const char* name)
    {
        T* c = editor.multiplayPage()->findChild<T*>(QString::fromLatin1(name));
        return c ? c : control<T>(*editor.generalPage(), QString::fromLatin1(name));
    }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(name); }
    QCheckBox* box(const char* name) { return find<QCheckBox>(name); }
    QComboBox* list(const char* name) { return find<QComboBox>(name); }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    ColourSwatch* swatch(const char* name) { return find<ColourSwatch>(name); }
    QSlider* gammaBar() { return find<QSlider>("GammaBar"); }
    QString path() const { return folders.game(QStringLiteral("options.xml")); }
    QByteArray bytes() const { return TestFolders::readFile(path()); }
    void setBytes(const QByteArray& b) const { TestFolders::writeFile(path(), b); }
    // Replaces a line of the document (matched whole, without its line end).
    void replaceLine(const QByteArray& from, const QByteArray& to) const
    {
        QByteArray b = bytes();
        const qsizetype at = b.indexOf("\n" + from + "\r\n");
        QVERIFY2(at >= 0, from.constData());
        b.replace(at + 1, from.size(), to);
        setBytes(b);
    }
};

// The lines of a and b that differ, as "before -> after", for documents of equal line counts.
QByteArrayList changedLines(const QByteArray& a, const QByteArray& b)
{
    const QByteArrayList x = a.split('\n');
    const QByteArrayList y = b.split('\n');
    QByteArrayList out;
    for (qsizetype i = 0; i < std::max(x.size(), y.size()); ++i) {
        if (x.value(i) != y.value(i))
            out << x.value(i).trimmed() + " -> " + y.value(i).trimmed();
    }
    return out;
}

} // namespace

void TestOptionsEditor::loadsTheDocument()
{
    Rig rig;
    QVERIFY(rig.editor.OptionsFileExists());
    QVERIFY(rig.editor.store().load());
    QCOMPARE(rig.edit("PlayerName")->text(), QStringLiteral("Ghost_Lead"));
    QCOMPARE(rig.edit("HostName")->text(), QStringLiteral("Morvane CO-OP 初心者歓迎"));
    QVERIFY(rig.edit("HostMessage")->text().startsWith(QStringLiteral("ようこそ！予備弾薬")));
    QCOMPARE(rig.edit("Mes0")->text(), QStringLiteral("了解！"));
    QCOMPARE(rig.edit("Mes9")->text(), QStringLiteral("予備マガジン求む"));
    QCOMPARE(rig.box("tc0")->isChecked(), true);
    QCOMPARE(rig.box("tc3")->isChecked(), false);
    const QList<bool> boxes{rig.box("ChkFullScr")->isChecked(),         rig.box("ChkFrameRate")->isChecked(),
                            rig.box("ChkCompressTexture")->isChecked(), rig.box("ChkDeadBody")->isChecked(),
                            rig.box("ChkShowBlood")->isChecked(),       rig.box("ChkThreatIndicator")->isChecked(),
                            rig.box("ChkSoftwareSound")->isChecked()};
    QCOMPARE(boxes, (QList<bool>{false, true, true, false, false, true, true}));
    QCOMPARE(rig.swatch("ReticuleColor")->colour(), 0xFF4020u);
    QCOMPARE(rig.swatch("ReticuleIFFColor")->colour(), 0x40A0FFu);
    QCOMPARE(rig.gammaBar()->value(), 60);
    QCOMPARE(rig.edit("Edit4")->text(), QStringLiteral("0.600000"));
    QCOMPARE(rig.list("ComboBox1")->currentText(), QStringLiteral("800x600"));
    QCOMPARE(rig.list("ComboBox2")->currentText(), QStringLiteral("16"));
    QVERIFY(rig.prompter.asked.isEmpty());
}

void TestOptionsEditor::editedFieldsChangeOnlyTheirLines()
{
    Rig rig;
    const QByteArray before = rig.bytes();
    QVERIFY(rig.editor.store().load());
    rig.edit("PlayerName")->setText(QStringLiteral("新兵"));
    rig.edit("Mes5")->setText(QStringLiteral("援護求む"));
    rig.box("tc5")->setChecked(true);
    rig.prompter.answers << QVariant(quint32(0x102030));
    rig.swatch("ReticuleColor")->clicked();
    rig.gammaBar()->setValue(75);
    QTest::mouseClick(rig.button("btnSaveMultiplaySettings"), Qt::LeftButton);

    QCOMPARE(changedLines(before, rig.bytes()),
             (QByteArrayList{
                 "<PlayerName>Ghost_Lead</PlayerName> -> <PlayerName>" + sjis(QStringLiteral("新兵")) + "</PlayerName>",
                 "<ReticuleColorR>255</ReticuleColorR> -> <ReticuleColorR>16</ReticuleColorR>",
                 "<ReticuleColorG>64</ReticuleColorG> -> <ReticuleColorG>32</ReticuleColorG>",
                 "<ReticuleColorB>32</ReticuleColorB> -> <ReticuleColorB>48</ReticuleColorB>",
                 "<Gamma>0.600000</Gamma> -> <Gamma>0.750000</Gamma>",
                 "<ChatMsg text = \"\" team = \"false\"/> -> <ChatMsg text = \"" + sjis(QStringLiteral("援護求む")) +
                     "\" team = \"true\"/>",
             }));
    QVERIFY(rig.prompter.asked.size() == 1); // the colour dialog only
}

void TestOptionsEditor::endWithoutChangesKeepsTheDocument_data()
{
    QTest::addColumn<QByteArray>("nl");
    QTest::addColumn<bool>("resolutionListed");
    QTest::addColumn<QByteArray>("player"); // put in place of the demo's; empty: left alone
    QTest::addColumn<QByteArray>("chat");   // the same for the chat text "gg"
    QTest::newRow("as the game wrote it") << QByteArray("\r\n") << true << QByteArray() << QByteArray();
    QTest::newRow("resolution not listed") << QByteArray("\r\n") << false << QByteArray() << QByteArray();
    QTest::newRow("LF only") << QByteArray("\n") << true << QByteArray() << QByteArray();
    QTest::newRow("CR only") << QByteArray("\r") << false << QByteArray() << QByteArray();
    QTest::newRow("bytes without characters") // code page 932 does not round-trip them
        << QByteArray("\r\n") << true << QByteArray("\x80\xa0\xfd\x81\x20\x87\x90") << QByteArray("\xff\xed\x40");
    QTest::newRow("quote and markup from another program")
        << QByteArray("\r\n") << true << QByteArray("A&B <x>") << QByteArray("say \"hi\"");
}

void TestOptionsEditor::endWithoutChangesKeepsTheDocument()
{
    QFETCH(QByteArray, nl);
    QFETCH(bool, resolutionListed);
    QFETCH(QByteArray, player);
    QFETCH(QByteArray, chat);
    Rig rig;
    if (!player.isEmpty()) {
        rig.replaceLine("\t<PlayerName>Ghost_Lead</PlayerName>", "\t<PlayerName>" + player + "</PlayerName>");
        rig.replaceLine("\t\t<ChatMsg text = \"gg\" team = \"false\"/>",
                        "\t\t<ChatMsg text = \"" + chat + "\" team = \"false\"/>");
    }
    const QByteArray game = rig.bytes();
    rig.setBytes(QByteArray(game).replace("\r\n", nl));
    if (!resolutionListed)
        rig.list("ComboBox1")->clear();
    QVERIFY(rig.editor.store().load());
    QVERIFY(rig.editor.store().save());
    QCOMPARE(rig.bytes(), game);
    QVERIFY(rig.prompter.asked.isEmpty());
}

void TestOptionsEditor::loadEdgeCases_data()
{
    QTest::addColumn<QByteArray>("line");    // a line of the demo document
    QTest::addColumn<QByteArray>("becomes"); // what stands there instead
    QTest::addColumn<QString>("error");      // part of the message shown; empty when the load succeeds
    QTest::addColumn<QStringList>("state");  // Edit4, bar, ComboBox1, ComboBox2, reticule colour, FullScreen
    QTest::addColumn<int>("changed");        // lines the end's save then changes

    const QByteArray gamma = "\t\t<Gamma>0.600000</Gamma>";
    const QByteArray red = "\t<ReticuleColorR>255</ReticuleColorR>";
    const QByteArray resolution = "\t\t<VideoResolution Width = \"800\" Height = \"600\" BitDepth = \"16\"/>";
    const auto state = [](const char* edit4, int bar, const char* entry, const char* depth, quint32 colour,
                          bool fullScreen) {
        return QStringList{QString::fromUtf8(edit4),    QString::number(bar),
                           QString::fromUtf8(entry),    QString::fromUtf8(depth),
                           QString::number(colour, 16), fullScreen ? QStringLiteral("1") : QStringLiteral("0")};
    };
    const quint32 face = ColourSwatch().colour();
    QTest::newRow("gamma 0.5") << gamma << QByteArray("\t\t<Gamma>0.5</Gamma>") << QString()
                               << state("0.050000", 5, "800x600", "16", 0xff4020, false) << 1;
    QTest::newRow("gamma 2.000000") << gamma << QByteArray("\t\t<Gamma>2.000000</Gamma>") << QString()
                                    << state("1.000000", 100, "800x600", "16", 0xff4020, false) << 1;
    QTest::newRow("gamma x") << gamma << QByteArray("\t\t<Gamma>x</Gamma>") << QStringLiteral("'x'")
                             << state("x", 50, "", "", 0xff4020, false) << 0;
    QTest::newRow("gamma missing") << gamma << QByteArray("\t\t<Brightness>1</Brightness>")
                                   << QStringLiteral("ガンマ値") << state("", 50, "", "", 0xff4020, false) << 0;
    QTest::newRow("colour 300") << red << QByteArray("\t<ReticuleColorR>300</ReticuleColorR>") << QString()
                                << state("0.600000", 60, "800x600", "16", 0x2c4020, false) << 1;
    QTest::newRow("colour abc") << red << QByteArray("\t<ReticuleColorR>abc</ReticuleColorR>")
                                << QStringLiteral("<ReticuleColorR>: 'abc'") << state("", 50, "", "", face, false) << 0;
    QTest::newRow("BitDepth 24") << resolution
                                 << QByteArray(
                                        "\t\t<VideoResolution Width = \"800\" Height = \"600\" BitDepth = \"24\"/>")
                                 << QString() << state("0.600000", 60, "800x600", "32", 0xff4020, false) << 1;
    QTest::newRow("resolution no display has")
        << resolution << QByteArray("\t\t<VideoResolution Width = \"1023\" Height = \"767\" BitDepth = \"16\"/>")
        << QString() << state("0.600000", 60, "", "16", 0xff4020, false) << 0;
    QTest::newRow("Multiplayer section missing")
        << QByteArray("\t<Multiplayer>") << QByteArray("\t<MultiPlayer >")
        << QStringLiteral("<Multiplayer> セクションがありません") << state("", 50, "", "", face, true) << 0;
}

namespace {

QStringList pageState(Rig& rig)
{
    return {rig.edit("Edit4")->text(),
            QString::number(rig.gammaBar()->value()),
            rig.list("ComboBox1")->currentText(),
            rig.list("ComboBox2")->currentText(),
            QString::number(rig.swatch("ReticuleColor")->colour(), 16),
            rig.box("ChkFullScr")->isChecked() ? QStringLiteral("1") : QStringLiteral("0")};
}

} // namespace

void TestOptionsEditor::loadEdgeCases()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, becomes);
    QFETCH(QString, error);
    QFETCH(QStringList, state);
    QFETCH(int, changed);
    Rig rig;
    rig.replaceLine(line, becomes);
    const QByteArray before = rig.bytes();
    QCOMPARE(rig.editor.store().load(), error.isEmpty());
    QCOMPARE(rig.prompter.texts().size(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty())
        QVERIFY2(rig.prompter.texts().constFirst().contains(error), qPrintable(rig.prompter.texts().constFirst()));
    QCOMPARE(pageState(rig), state);

    // The end writes back only after a load read everything; a resolution no display has stays as it was.
    rig.editor.store().save();
    QCOMPARE(changedLines(before, rig.bytes()).size(), changed);
    // So do both save buttons, which say why they write nothing.
    QTest::mouseClick(rig.button("Button15"), Qt::LeftButton);
    QTest::mouseClick(rig.button("btnSaveMultiplaySettings"), Qt::LeftButton);
    QCOMPARE(changedLines(before, rig.bytes()).size(), changed);
    QCOMPARE(rig.prompter.texts().size(), error.isEmpty() ? 0 : 3);
}

void TestOptionsEditor::pagesMadeAfterTheLoad()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, becomes);
    QFETCH(QString, error);
    QFETCH(QStringList, state);
    QFETCH(int, changed);
    // As at start-up: the document is read before any of its tabs was shown, and the end saves with
    // no page made; the load reports and the end writes as with the pages there.
    Rig rig(false);
    rig.replaceLine(line, becomes);
    const QByteArray before = rig.bytes();
    QCOMPARE(rig.editor.store().load(), error.isEmpty());
    QCOMPARE(rig.prompter.texts().size(), error.isEmpty() ? 0 : 1);
    rig.editor.store().save();
    QCOMPARE(changedLines(before, rig.bytes()).size(), changed);
    QCOMPARE(pageState(rig), state);
}

void TestOptionsEditor::gammaFollowsTheBarOnlyWhenItMoves()
{
    Rig rig;
    rig.replaceLine("\t\t<Gamma>0.600000</Gamma>", "\t\t<Gamma>0.523456</Gamma>");
    QVERIFY(rig.editor.store().load());
    QCOMPARE(rig.gammaBar()->value(), 52);
    QCOMPARE(rig.edit("Edit4")->text(), QStringLiteral("0.520000"));

    // The bar already stands there: the document's text stays, and is what the save writes.
    QVERIFY(rig.editor.store().load());
    QCOMPARE(rig.edit("Edit4")->text(), QStringLiteral("0.523456"));
    QVERIFY(rig.editor.saveGameOptions());
    QVERIFY(rig.bytes().contains("\t\t<Gamma>0.523456</Gamma>\r\n"));
}

void TestOptionsEditor::failedSaveLeavesTheFile_data()
{
    QTest::addColumn<QByteArray>("line"); // removed from the document after the load
    QTest::addColumn<QString>("field");   // the edit typed into
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");
    const QString player = QStringLiteral("PlayerName");
    QTest::newRow("section key missing") << QByteArray("\t\t<MOTD>") << player << QStringLiteral("x")
                                         << QStringLiteral("<MOTD> の行がありません");
    QTest::newRow("section missing") << QByteArray("\t<Sound>") << player << QStringLiteral("x")
                                     << QStringLiteral("<Sound> セクションがありません");
    QTest::newRow("text code page 932 cannot hold")
        << QByteArray() << player << QStringLiteral("Cafe€") << QStringLiteral("プレイヤー名: 「€」");
    const QList<std::pair<QString, QString>> fields{
        {QStringLiteral("Mes9"), QStringLiteral("ﾒｯｾｰｼﾞ 9")},
        {player, QStringLiteral("プレイヤー名")},
        {QStringLiteral("HostName"), QStringLiteral("ホスト名")},
        {QStringLiteral("HostMessage"), QStringLiteral("ホストメッセージ")}};
    for (const auto& [field, label] : fields) {
        for (const QChar c : QStringLiteral("\"<>&"))
            QTest::addRow("%s %c", qPrintable(field), c.toLatin1())
                << QByteArray() << field << QStringLiteral("a%1b").arg(c) << label + QStringLiteral(": 「%1」").arg(c);
    }
    QTest::newRow("gamma <") << QByteArray() << QStringLiteral("Edit4") << QStringLiteral("0.5<")
                             << QStringLiteral("ガンマ値: 「<」");
}

void TestOptionsEditor::failedSaveLeavesTheFile()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, error);
    Rig rig;
    QVERIFY(rig.editor.store().load());
    if (!line.isEmpty()) {
        QByteArray b = rig.bytes();
        const qsizetype at = b.indexOf("\n" + line);
        b.remove(at + 1, b.indexOf('\n', at + 1) - at);
        rig.setBytes(b);
    }
    const QByteArray before = rig.bytes();
    QLineEdit* edit = rig.edit(qPrintable(field));
    edit->setText(typed);
    QTest::mouseClick(rig.button("btnSaveMultiplaySettings"), Qt::LeftButton);
    QTest::mouseClick(rig.button("Button15"), Qt::LeftButton);
    QCOMPARE(rig.bytes(), before);
    QCOMPARE(edit->text(), typed);
    QCOMPARE(rig.prompter.asked.size(), 2);
    for (const auto& asked : rig.prompter.asked)
        QVERIFY2(asked.text.contains(error), qPrintable(asked.text));
    QVERIFY(rig.notices.isEmpty()); // no "saved" for a save that failed
}

void TestOptionsEditor::unreadableDocumentIsNotWrittenAtTheEnd()
{
    Rig rig;
    QVERIFY(QFile::remove(rig.path()));
    QVERIFY(QDir().mkdir(rig.path()));
    QVERIFY(!rig.editor.OptionsFileExists());
    QVERIFY(!rig.editor.store().load());
    QVERIFY(rig.prompter.texts().value(0).contains(QStringLiteral("を読み込めません")));
    QVERIFY(!rig.editor.store().save());
    QVERIFY(QFileInfo(rig.path()).isDir());
}

void TestOptionsEditor::missingDocument()
{
    Rig rig;
    const QByteArray game = rig.bytes();
    QVERIFY(rig.editor.store().load());
    QTest::mouseClick(rig.button("Button15"), Qt::LeftButton);
    QCOMPARE(rig.notices, QStringList{QStringLiteral("現在の設定を保存しました")});
    rig.notices.clear();

    QVERIFY(QFile::remove(rig.path()));
    QTest::mouseClick(rig.button("Button15"), Qt::LeftButton);
    QTest::mouseClick(rig.button("btnSaveMultiplaySettings"), Qt::LeftButton);
    QVERIFY(rig.notices.isEmpty());
    QCOMPARE(rig.prompter.asked.size(), 2);
    QVERIFY(rig.prompter.asked[0].text.contains(QStringLiteral("設定を保存できませんでした")));
    rig.editor.store().save(); // nor at the end, without a message
    QVERIFY(!QFile::exists(rig.path()));

    // A document that appeared after a load found none is not written at the end.
    QVERIFY(rig.editor.store().load()); // nothing to read is no failure
    rig.setBytes(game);                 // the game made its document meanwhile
    rig.editor.store().save();
    QCOMPARE(rig.bytes(), game);

    // Once a document was read, the end writes it.
    QVERIFY(rig.editor.store().load());
    rig.edit("PlayerName")->setText(QStringLiteral("B"));
    QVERIFY(rig.editor.store().save());
    QVERIFY(rig.bytes().contains("\t<PlayerName>B</PlayerName>\r\n"));
    QCOMPARE(rig.prompter.asked.size(), 2);
}

void TestOptionsEditor::reloadAsksFirstAndReloadsModsToo()
{
    Rig rig;
    QVERIFY(rig.editor.store().load());
    rig.box("tc3")->setChecked(true);
    rig.edit("PlayerName")->setText(QStringLiteral("changed"));
    QAction* reload = rig.editor.reloadConfigFileAction();

    rig.prompter.answers << false;
    reload->trigger();
    QCOMPARE(rig.modsReloaded, 0);
    QVERIFY(rig.box("tc3")->isChecked());
    QCOMPARE(rig.prompter.asked[0].text,
             QStringLiteral("現在設定中の全ての設定が失われます。\r\n設定を前回保存の状態に戻しますか？"));

    rig.prompter.answers << true;
    reload->trigger();
    QCOMPARE(rig.modsReloaded, 1);
    QVERIFY(!rig.box("tc3")->isChecked());
    QCOMPARE(rig.edit("PlayerName")->text(), QStringLiteral("Ghost_Lead"));
}

void TestOptionsEditor::colourAndGammaButtons()
{
    Rig rig;
    const quint32 iffBefore = rig.swatch("ReticuleIFFColor")->colour();
    rig.prompter.answers << QVariant(quint32(0x123456)) << QVariant() << QVariant(quint32(0x654321));
    QTest::mouseClick(rig.swatch("ReticuleColor"), Qt::LeftButton);
    QTest::mouseClick(rig.swatch("ReticuleIFFColor"), Qt::LeftButton); // cancelled
    QCOMPARE(rig.swatch("ReticuleIFFColor")->colour(), iffBefore);
    QTest::mouseClick(rig.swatch("ReticuleIFFColor"), Qt::LeftButton);
    QCOMPARE(rig.swatch("ReticuleColor")->colour(), 0x123456u);
    QCOMPARE(rig.swatch("ReticuleIFFColor")->colour(), 0x654321u);
    // One colour dialog: black the first time, then the colour last chosen, whichever swatch asks.
    QStringList initial;
    for (const auto& q : rig.prompter.asked)
        initial << q.initial;
    QCOMPARE(initial, (QStringList{QStringLiteral("0"), QStringLiteral("123456"), QStringLiteral("123456")}));

    QTest::mouseClick(rig.button("Button32"), Qt::LeftButton);
    QCOMPARE(rig.swatch("ReticuleColor")->colour(), 0xFFD611u);
    QCOMPARE(rig.swatch("ReticuleIFFColor")->colour(), 0xA0C8FFu);

    // At 50 already: a typed text stays; elsewhere the bar comes back and its text with it.
    rig.gammaBar()->setValue(50);
    rig.edit("Edit4")->setText(QStringLiteral("0.42"));
    QTest::mouseClick(rig.button("Button35"), Qt::LeftButton);
    QCOMPARE(rig.edit("Edit4")->text(), QStringLiteral("0.42"));
    rig.gammaBar()->setValue(7);
    QTest::mouseClick(rig.button("Button35"), Qt::LeftButton);
    QCOMPARE(rig.edit("Edit4")->text(), QStringLiteral("0.500000"));
}

void TestOptionsEditor::resolutionList()
{
    Rig rig;
    QComboBox* list = rig.list("ComboBox1");
    // Headless, the screen's own size stands for the display's modes.
    list->clear();
    rig.editor.FillResolutionList();
    QVERIFY(list->count() >= 1);
    QVERIFY(list->itemText(0).contains(QLatin1Char('x')));
    QCOMPARE(list->currentIndex(), -1);
}

QTEST_MAIN(TestOptionsEditor)
#include "tst_OptionsEditor.moc"

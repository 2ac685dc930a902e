// SPDX-License-Identifier: MIT
#include "game/GameInstallation.h"
#include "music/MusicPage.h"
#include "platform/ProfileFile.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestMusicPage : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolders> m_folders;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    GameInstallation m_game;
    std::unique_ptr<MusicPage> m_page;

    QString music(const QString& name) const { return m_page->musicFolder() + QLatin1Char('/') + name; }
    QString gameWave(const QString& name) const
    {
        return m_folders->game(QStringLiteral("Mods/Origmiss/Sound/Music/") + name);
    }
    // A copy of one of the game's tones outside the game, to choose.
    QString choice(const QString& from) const
    {
        const QString path = m_folders->path(QStringLiteral("chosen/") + from);
        TestFolders::writeFile(path, TestFolders::readFile(gameWave(from)));
        return path;
    }
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    QPushButton* applyButton() const { return m_page->findChild<QPushButton*>(QStringLiteral("Button44")); }
    QPushButton* restoreButton() const { return m_page->findChild<QPushButton*>(QStringLiteral("LoadDefMusicBtn")); }

private slots:
    void init()
    {
        m_folders = std::make_unique<TestFolders>();
        m_prompter = std::make_unique<ScriptedPrompter>();
        m_game.setFolder(m_folders->gameFolder());
        m_page = std::make_unique<MusicPage>(*m_prompter, m_game);
        m_page->fixMusicFolder();
        m_page->show();
    }

    void applyWithNothingChosenWarns()
    {
        click(applyButton());
        QCOMPARE(m_prompter->texts(), QStringList{QStringLiteral("変更するサウンドが設定されていません;;")});
        QVERIFY(!QFileInfo::exists(music(QStringLiteral("bak(Morvane)"))));
    }

    void applyThenRestoreLeavesTheGameAsBefore()
    {
        const QByteArray original = TestFolders::readFile(music(QStringLiteral("GR_Main_Theme.wav")));
        m_page->edit(0)->setText(choice(QStringLiteral("load3.wav")));
        click(applyButton());
        QCOMPARE(m_prompter->texts(), QStringList{QStringLiteral("サウンドが適用されました")});
        QCOMPARE(TestFolders::readFile(music(QStringLiteral("GR_Main_Theme.wav"))),
                 TestFolders::readFile(gameWave(QStringLiteral("load3.wav"))));

        m_prompter->answers << true;
        click(restoreButton());
        QCOMPARE(m_prompter->asked.last().kind, QStringLiteral("confirm"));
        QCOMPARE(m_prompter->asked.size(), 2); // no message after a restore that went well
        QCOMPARE(TestFolders::readFile(music(QStringLiteral("GR_Main_Theme.wav"))), original);
        QVERIFY(!QFileInfo::exists(music(QStringLiteral("bak(Morvane)"))));
        QCOMPARE(m_page->edit(0)->text(), QString());
    }

    void restoreAnsweredNoChangesNothing()
    {
        m_page->edit(1)->setText(choice(QStringLiteral("load1.wav")));
        click(applyButton());
        const QByteArray applied = TestFolders::readFile(music(QStringLiteral("action1.wav")));
        m_prompter->answers << false;
        click(restoreButton());
        QCOMPARE(m_prompter->asked.last().kind, QStringLiteral("confirm"));
        QCOMPARE(TestFolders::readFile(music(QStringLiteral("action1.wav"))), applied);
        QVERIFY(QFileInfo::exists(music(QStringLiteral("bak(Morvane)/action1.wav"))));
        QVERIFY(!m_page->edit(1)->text().isEmpty());
    }

    void aFailedSlotIsNamedAndNotCountedAsApplied()
    {
        m_page->edit(2)->setText(m_folders->path(QStringLiteral("gone.wav")));
        m_page->edit(1)->setText(choice(QStringLiteral("load1.wav")));
        click(applyButton());
        QCOMPARE(m_prompter->asked.size(), 1);
        const ScriptedPrompter::Question& q = m_prompter->asked.first();
        QCOMPARE(q.icon, Prompter::Icon::Error);
        QVERIFY2(q.text.contains(m_page->slotLabel(2)) && q.text.contains(QStringLiteral("gone.wav")),
                 qPrintable(q.text));
        QVERIFY(!q.text.contains(m_page->slotLabel(1)));
        QVERIFY(!q.text.contains(QStringLiteral("サウンドが適用されました")));
        QVERIFY(!QFileInfo::exists(music(QStringLiteral("bak(Morvane)/load1.wav"))));
    }

    void previewLeavesOnlyItsOwnButton()
    {
        m_page->edit(1)->setText(gameWave(QStringLiteral("action1.wav")));
        click(m_page->playButton(1));
        for (int slot = 0; slot < MusicFiles::SlotCount; ++slot)
            QCOMPARE(m_page->playButton(slot)->isEnabled(), slot == 1);
        QCOMPARE(m_page->playButton(1)->text(), QStringLiteral("停止"));
        QCOMPARE(m_page->previewFile(), gameWave(QStringLiteral("action1.wav")));
        // Without an audio device nothing plays, and that is no error.
        click(m_page->playButton(1));
        for (int slot = 0; slot < MusicFiles::SlotCount; ++slot) {
            QVERIFY(m_page->playButton(slot)->isEnabled());
            QCOMPARE(m_page->playButton(slot)->text(), QStringLiteral("再生"));
        }
        QCOMPARE(m_page->previewFile(), QString());
        QVERIFY(m_prompter->asked.isEmpty());
    }

    void aMissingSoundModuleIsSaidOnPlay()
    {
        const QByteArray modules = qgetenv("MORVANE_MODULE_DIR");
        qputenv("MORVANE_MODULE_DIR", QFile::encodeName(m_folders->path(QStringLiteral("no-modules"))));
        m_page->edit(1)->setText(gameWave(QStringLiteral("action1.wav")));
        click(m_page->playButton(1));
        qputenv("MORVANE_MODULE_DIR", modules);
        QCOMPARE(m_prompter->asked.size(), 1);
        QVERIFY2(m_prompter->asked[0].text.contains(QStringLiteral("morvane_soundpreview")),
                 qPrintable(m_prompter->asked[0].text));
        QCOMPARE(m_page->playButton(1)->text(), QStringLiteral("再生"));
        QVERIFY(m_page->playButton(2)->isEnabled());
        QCOMPARE(m_page->previewFile(), QString());
    }

    void browsingFillsTheClickedSlot()
    {
        const QString path = choice(QStringLiteral("load1.wav"));
        m_prompter->answers << path << QVariant();
        click(m_page->referButton(4));
        QCOMPARE(m_page->edit(4)->text(), path);
        click(m_page->referButton(4)); // cancelled: the choice stays
        QCOMPARE(m_page->edit(4)->text(), path);
        // The second dialog opens where the chosen file lies.
        QCOMPARE(m_prompter->asked.last().request.folder, QFileInfo(path).absolutePath());
        for (int slot : {0, 1, 2, 3, 5})
            QCOMPARE(m_page->edit(slot)->text(), QString());
    }

    void aPathTheSettingsCannotHoldIsRefused()
    {
        m_page->edit(0)->setText(QStringLiteral("/before.wav"));
        m_prompter->answers << QStringLiteral("/music/caf\u00e9.wav");
        click(m_page->referButton(0));
        QCOMPARE(m_prompter->asked.last().kind, QStringLiteral("message"));
        QCOMPARE(m_page->edit(0)->text(), QStringLiteral("/before.wav"));
    }

    void settingsRoundTrip_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::newRow("through the edits") << true;
        QTest::newRow("page never shown") << false;
    }

    void settingsRoundTrip()
    {
        QFETCH(bool, shown);
        const QByteArray file = QByteArrayLiteral("[GRMusic]\r\nMusic1=C:\\\x95\x5c\x80.wav\r\nMusic4=/a.wav\r\n");
        MusicPage page(*m_prompter, m_game);
        page.readSettings(ProfileFile::fromBytes(file));
        if (shown) {
            page.show();
            QCOMPARE(page.edit(3)->text(), QStringLiteral("/a.wav"));
            page.edit(3)->setText(QStringLiteral("/b.wav"));
        }
        ProfileFile out = ProfileFile::fromBytes(file);
        page.writeSettings(out);
        QCOMPARE(out.readString("GRMusic", "Music1"), QByteArray("C:\\\x95\x5c\x80.wav"));
        QCOMPARE(out.readString("GRMusic", "Music4"), shown ? QByteArray("/b.wav") : QByteArray("/a.wav"));
        // Widgets made after the settings were read show them.
        QCOMPARE(page.edit(3)->text(), shown ? QStringLiteral("/b.wav") : QStringLiteral("/a.wav"));
    }
};

QTEST_MAIN(TestMusicPage)
#include "tst_MusicPage.moc"

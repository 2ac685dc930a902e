// SPDX-License-Identifier: MIT
#include "music/MusicSettings.h"
#include "platform/ProfileFile.h"

#include <QTest>

class TestMusicSettings : public QObject
{
    Q_OBJECT

private slots:
    void valuesWriteBackAsRead_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        // 0x80 and a lone lead byte are not text; unchanged, they come back exactly.
        QTest::newRow("invalid bytes, untouched")
            << QByteArray("C:\\m\x80\x81.wav") << false << QString() << QByteArray("C:\\m\x80\x81.wav");
        // 表 ends in 0x5C, as a backslash does.
        QTest::newRow("double-byte with 0x5C, untouched")
            << QByteArray("C:\\\x95\x5c\\a.wav") << false << QString() << QByteArray("C:\\\x95\x5c\\a.wav");
        QTest::newRow("edited") << QByteArray("C:\\m\x80.wav") << true << QStringLiteral("/home/u/表.wav")
                                << QByteArray("/home/u/\x95\x5c.wav");
        QTest::newRow("cleared") << QByteArray("C:\\a.wav") << true << QString() << QByteArray();
        QTest::newRow("absent, set") << QByteArray() << true << QStringLiteral("/a.wav") << QByteArray("/a.wav");
    }

    void valuesWriteBackAsRead()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, edited);
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QByteArray file = QByteArrayLiteral("[Path]\r\nGhostReconPath=C:\\GR\r\n[GRMusic]\r\n");
        if (!stored.isEmpty())
            file += QByteArrayLiteral("Music3=") + stored + QByteArrayLiteral("\r\n");
        const ProfileFile in = ProfileFile::fromBytes(file);
        const MusicSettings settings = MusicSettings::read(in);
        MusicFiles::Choices texts;
        for (std::size_t slot = 0; slot < texts.size(); ++slot)
            texts[slot] = settings.files[slot].value();
        if (edited)
            texts[2] = text;
        ProfileFile out = ProfileFile::fromBytes(file);
        settings.write(out, texts);
        QCOMPARE(out.readString("GRMusic", "Music3"), written);
        for (const char* key : {"Music1", "Music2", "Music4", "Music5", "Music6"})
            QCOMPARE(out.readString("GRMusic", key), QByteArray());
        // Other sections are not touched.
        QVERIFY(out.bytes().startsWith(QByteArrayLiteral("[Path]\r\nGhostReconPath=C:\\GR\r\n[GRMusic]\r\n")));
    }
};

QTEST_GUILESS_MAIN(TestMusicSettings)
#include "tst_MusicSettings.moc"

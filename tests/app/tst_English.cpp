// SPDX-License-Identifier: MIT
// The English user interface: every window, built with English chosen, shows no Japanese; and the
// English translation has a text for every source text.
#include "app/HostTab.h"
#include "app/Language.h"
#include "app/TAboutBox.h"
#include "app/TMainForm.h"
#include "hosts/HostsPage.h"
#include "hosts/THostEditDlg.h"
#include "hosts/THostListDlg.h"
#include "hosts/WebHostList.h"
#include "launch/GameLauncher.h"
#include "launch/TIPConnectionDlg.h"
#include "launch/TStateInfoForm.h"
#include "status/THostInfoDlg.h"
#include "status/TModChkForm.h"
#include "support/Controls.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFolders.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

namespace {

// Kana, CJK ideographs and full- and half-width forms.
bool holdsJapanese(const QString& text)
{
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(japanese);
}

// "<object name> (<class>): <text>" for every text of the window that a user reads and that holds Japanese.
QStringList japaneseTexts(const QWidget& window)
{
    QStringList found;
    auto check = [&found](const QObject* o, const QString& text) {
        // The language menu names itself and the languages in their own words, for either reader.
        static const QStringList ownNames{QStringLiteral("言語 / Language"), QStringLiteral("日本語")};
        if (holdsJapanese(text) && !ownNames.contains(text))
            found << QStringLiteral("%1 (%2): %3")
                         .arg(o->objectName(), QString::fromLatin1(o->metaObject()->className()), text);
    };
    QList<const QWidget*> widgets{&window};
    for (const QWidget* w : window.findChildren<QWidget*>())
        widgets.append(w);
    for (const QWidget* w : widgets) {
        // Buttons' and labels' text, edits' text and placeholder, group boxes' and menus' title...
        for (const char* property : {"windowTitle", "toolTip", "accessibleName", "text", "placeholderText", "plainText",
                                     "title", "currentText"})
            check(w, w->property(property).toString());
        if (auto* c = qobject_cast<const QComboBox*>(w)) {
            for (int i = 0; i < c->count(); ++i)
                check(w, c->itemText(i));
        }
        if (auto* t = qobject_cast<const QTabWidget*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                check(w, t->tabText(i));
                check(w, t->tabToolTip(i));
            }
        }
        if (auto* v = qobject_cast<const QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel* model = v->model();
            for (int c = 0; c < model->columnCount(); ++c)
                check(w, model->headerData(c, Qt::Horizontal).toString());
            for (int r = 0; r < model->rowCount(); ++r) {
                for (int c = 0; c < model->columnCount(); ++c) {
                    const QModelIndex index = model->index(r, c);
                    check(w, index.data(Qt::DisplayRole).toString());
                    check(w, index.data(Qt::ToolTipRole).toString());
                }
            }
        }
    }
    for (const QAction* a : window.findChildren<QAction*>()) {
        check(a, a->text());
        check(a, a->toolTip());
    }
    return found;
}

// An English player's game: the demo installation with its own texts (player name, quick chat, host
// message) in plain ASCII, as code page 932's double-byte and half-width characters become "x".
void makeGameTextsAscii(const QString& optionsPath)
{
    const QByteArray bytes = TestFolders::readFile(optionsPath);
    QByteArray ascii;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))
            ++i; // a lead byte and its trail byte
        ascii.append(b >= 0x80 ? 'x' : char(b));
    }
    TestFolders::writeFile(optionsPath, ascii);
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowsShowNoJapanese_data();
    void windowsShowNoJapanese();
    void translationIsComplete();
    void cleanupTestCase();

private:
    std::unique_ptr<TestFolders> m_folders;
    ScriptedPrompter m_prompter;
    std::unique_ptr<TMainForm> m_form;
};

using WindowMaker = std::function<std::unique_ptr<QWidget>(TMainForm&, Prompter&)>;
Q_DECLARE_METATYPE(WindowMaker)

void TestEnglish::initTestCase()
{
    language::install(language::Language::English);
    QCOMPARE(language::current(), language::Language::English);

    m_folders = std::make_unique<TestFolders>();
    qputenv("WINEPREFIX", m_folders->path(QStringLiteral("no-wine")).toUtf8());
    makeGameTextsAscii(m_folders->game(QStringLiteral("options.xml")));
    TestFolders::writeFile(m_folders->program(QStringLiteral("Morvane.ini")),
                           QByteArrayLiteral("[Path]\r\nGhostReconPath=") + m_folders->gameFolder().toUtf8() +
                               QByteArrayLiteral("\r\n"));
    TestFolders::writeFile(m_folders->program(QStringLiteral("hostlist.txt")),
                           QByteArrayLiteral("[HostList]\r\nHostname1=Alpha\r\nHostIP1=127.0.0.1:2346\r\n"));
    m_form = std::make_unique<TMainForm>(m_prompter, m_folders->programFolder());
    m_form->FormCreate();
    QVERIFY2(m_prompter.texts().isEmpty(), qPrintable(m_prompter.texts().join(QLatin1Char('\n'))));
}

void TestEnglish::cleanupTestCase()
{
    if (m_form)
        m_form->FormDestroy();
    m_form.reset();
}

void TestEnglish::windowsShowNoJapanese_data()
{
    QTest::addColumn<WindowMaker>("make");
    // The main window is the fixture's own; the others are made for the row.
    QTest::newRow("main window") << WindowMaker([](TMainForm&, Prompter&) { return std::unique_ptr<QWidget>(); });
    QTest::newRow("host information") << WindowMaker(
        [](TMainForm& form, Prompter&) { return std::unique_ptr<QWidget>(form.hostTab()->hostInfoDialog()); });
    QTest::newRow("web host list") << WindowMaker([](TMainForm& form, Prompter& prompter) {
        auto d = std::make_unique<THostListDlg>(prompter, form.hostTab()->hostsPage()->hosts(), form.programFolder());
        d->setEntries({{"Alpha", "127.0.0.1:2346", true, true}, {"Bravo", "10.0.0.2:2346", false, true}});
        return std::unique_ptr<QWidget>(std::move(d));
    });
    QTest::newRow("host editor") << WindowMaker(
        [](TMainForm&, Prompter& prompter) { return std::make_unique<THostEditDlg>(prompter); });
    QTest::newRow("join by address") << WindowMaker(
        [](TMainForm& form, Prompter&) { return std::unique_ptr<QWidget>(form.ipConnectionDialog()); });
    QTest::newRow("about box") << WindowMaker([](TMainForm&, Prompter&) { return std::make_unique<TAboutBox>(); });
    QTest::newRow("game status") << WindowMaker([](TMainForm&, Prompter&) {
        auto w = std::make_unique<TStateInfoForm>();
        w->setText(GameLauncher::statusText(LaunchMode::Dedicated));
        return std::unique_ptr<QWidget>(std::move(w));
    });
    QTest::newRow("mod check") << WindowMaker([](TMainForm&, Prompter&) {
        auto w = std::make_unique<TModChkForm>();
        w->setMods({"HeavyArms"});
        return std::unique_ptr<QWidget>(std::move(w));
    });
}

void TestEnglish::windowsShowNoJapanese()
{
    QFETCH(WindowMaker, make);
    std::unique_ptr<QWidget> made = make(*m_form, m_prompter);
    // The dialogs the main window owns stay its own.
    QWidget* window = made ? made.get() : m_form.get();
    if (made && made->parent())
        made.release();
    showEveryPage(*window);
    const QStringList found = japaneseTexts(*window);
    window->hide();
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
}

void TestEnglish::translationIsComplete()
{
    QFile file(QStringLiteral(MORVANE_EN_TS));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader ts(&file);
    QString context;
    QString source;
    int messages = 0;
    QStringList unfinished;
    while (!ts.atEnd()) {
        if (ts.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (ts.name() == QStringLiteral("name")) {
            context = ts.readElementText();
        } else if (ts.name() == QStringLiteral("source")) {
            source = ts.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (ts.name() == QStringLiteral("translation")) {
            ++messages;
            const QString type = ts.attributes().value(QStringLiteral("type")).toString();
            const QString text = ts.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!type.isEmpty() || text.trimmed().isEmpty() || holdsJapanese(text))
                unfinished << QStringLiteral("%1: %2 [%3]").arg(context, source, type);
        }
    }
    QVERIFY2(!ts.hasError(), qPrintable(ts.errorString()));
    QVERIFY(messages > 0);
    QVERIFY2(unfinished.isEmpty(), qPrintable(unfinished.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestEnglish)
#include "tst_English.moc"

// SPDX-License-Identifier: MIT
#include "options/GeneralPage.h"

#include "options/ColourSwatch.h"
#include "options/OptionRules.h"
#include "options/TXMLParser.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "ui_GeneralPage.h"

namespace {

constexpr quint32 DefaultReticuleColour = 0xFFD611;    // 255, 214, 17
constexpr quint32 DefaultReticuleIffColour = 0xA0C8FF; // 160, 200, 255
constexpr int DefaultGamma = 50;

const QByteArray Graphics = QByteArrayLiteral("Graphics");
const QByteArray GamePlay = QByteArrayLiteral("GamePlay");
const QByteArray Sound = QByteArrayLiteral("Sound");

// The entry of a list, or nothing when none is selected.
std::optional<QString> selected(const QComboBox* list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentText();
}

} // namespace

GeneralPage::GeneralPage(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_ui(std::make_unique<Ui::GeneralPage>())
{
    m_ui->setupUi(this);
    // Nothing selected until the document says what it holds.
    m_ui->ComboBox1->setCurrentIndex(-1);
    m_ui->ComboBox2->setCurrentIndex(-1);

    connect(m_ui->Button15, &QPushButton::clicked, this, &GeneralPage::saveRequested);
    connect(m_ui->GammaBar, &QSlider::valueChanged, this, &GeneralPage::GammaBarChange);
    connect(m_ui->Button35, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button35Click(); }));
    connect(m_ui->Button32, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button32Click(); }));
    connect(m_ui->ReticuleColor, &ColourSwatch::clicked, this, guarded(m_prompter, [this] { ReticuleColorClick(); }));
    connect(m_ui->ReticuleIFFColor, &ColourSwatch::clicked, this,
            guarded(m_prompter, [this] { ReticuleIFFColorClick(); }));
}

GeneralPage::~GeneralPage() = default;

void GeneralPage::load(const TXMLParser& doc) { read(doc, this); }

void GeneralPage::check(const TXMLParser& doc) { read(doc, nullptr); }

void GeneralPage::read(const TXMLParser& doc, GeneralPage* into)
{
    Ui::GeneralPage* ui = into ? into->m_ui.get() : nullptr;
    const auto tick = [ui](QCheckBox* Ui::GeneralPage::*box, bool on) {
        if (ui)
            (ui->*box)->setChecked(on);
    };
    tick(&Ui::GeneralPage::ChkFullScr, doc.ReadSectionBool(Graphics, "FullScreen"));
    tick(&Ui::GeneralPage::ChkFrameRate, doc.ReadSectionBool(Graphics, "ShowFrameRate"));
    tick(&Ui::GeneralPage::ChkCompressTexture, doc.ReadSectionBool(Graphics, "CompressTextures"));
    tick(&Ui::GeneralPage::ChkDeadBody, doc.ReadSectionBool(Graphics, "ShowDeadBodies"));
    tick(&Ui::GeneralPage::ChkShowBlood, doc.ReadSectionBool(GamePlay, "BloodOn"));
    tick(&Ui::GeneralPage::ChkThreatIndicator, doc.ReadRootBool("ThreatIndicatorEnabled"));
    tick(&Ui::GeneralPage::ChkSoftwareSound, doc.ReadSectionBool(Sound, "SoundInSoftware"));

    // All six first: a bad one leaves both swatches as they were.
    const qint32 r = doc.ReadRootInt("ReticuleColorR");
    const qint32 g = doc.ReadRootInt("ReticuleColorG");
    const qint32 b = doc.ReadRootInt("ReticuleColorB");
    const qint32 iffR = doc.ReadRootInt("ReticuleIFFColorR");
    const qint32 iffG = doc.ReadRootInt("ReticuleIFFColorG");
    const qint32 iffB = doc.ReadRootInt("ReticuleIFFColorB");
    if (ui) {
        ui->ReticuleColor->setColour(optionrules::colourFromComponents(r, g, b));
        ui->ReticuleIFFColor->setColour(optionrules::colourFromComponents(iffR, iffG, iffB));
    }

    // Edit4 takes the document's text first; the bar then rewrites it only when it moves, and a text
    // that gives no bar position throws with the text left in Edit4.
    const QByteArray gamma = doc.ReadSectionValue(Graphics, "Gamma");
    if (ui)
        ui->Edit4->setText(into->m_origins.fill(ui->Edit4->objectName(), gamma));
    const int gammaPosition = optionrules::gammaPosition(gamma);
    if (ui)
        ui->GammaBar->setValue(gammaPosition);

    const TXMLParser::VideoResolution resolution = doc.ReadVideoResolution();
    if (ui) {
        ui->ComboBox2->setCurrentIndex(ui->ComboBox2->findText(optionrules::bitDepthEntry(resolution.bitDepth)));
        ui->ComboBox1->setCurrentIndex(
            ui->ComboBox1->findText(optionrules::resolutionEntry(resolution.width, resolution.height)));
    }
}

void GeneralPage::save(TXMLParser& doc) const
{
    const QByteArray gamma = m_origins.bytesFor(m_ui->Edit4->objectName(), m_ui->Edit4->text(), tr("ガンマ値"));

    doc.WriteSectionBool(Graphics, "FullScreen", m_ui->ChkFullScr->isChecked());
    doc.WriteSectionBool(Graphics, "ShowFrameRate", m_ui->ChkFrameRate->isChecked());
    doc.WriteSectionBool(Graphics, "CompressTextures", m_ui->ChkCompressTexture->isChecked());
    doc.WriteSectionBool(Graphics, "ShowDeadBodies", m_ui->ChkDeadBody->isChecked());
    doc.WriteSectionBool(GamePlay, "BloodOn", m_ui->ChkShowBlood->isChecked());
    doc.WriteSectionBool(Sound, "SoundInSoftware", m_ui->ChkSoftwareSound->isChecked());
    doc.WriteRootBool("ThreatIndicatorEnabled", m_ui->ChkThreatIndicator->isChecked());

    const quint32 reticule = m_ui->ReticuleColor->colour();
    const quint32 iff = m_ui->ReticuleIFFColor->colour();
    doc.WriteRootInt("ReticuleColorR", optionrules::red(reticule));
    doc.WriteRootInt("ReticuleColorG", optionrules::green(reticule));
    doc.WriteRootInt("ReticuleColorB", optionrules::blue(reticule));
    doc.WriteRootInt("ReticuleIFFColorR", optionrules::red(iff));
    doc.WriteRootInt("ReticuleIFFColorG", optionrules::green(iff));
    doc.WriteRootInt("ReticuleIFFColorB", optionrules::blue(iff));

    doc.WriteSectionValue(Graphics, "Gamma", gamma);

    // With no resolution chosen (the document's was not among the display's modes, or its load
    // stopped early) the line stays as the document has it; a missing depth keeps the document's.
    if (const std::optional<QString> entry = selected(m_ui->ComboBox1)) {
        const optionrules::ResolutionParts parts = optionrules::splitResolutionEntry(*entry);
        const std::optional<QString> depth = selected(m_ui->ComboBox2);
        doc.WriteVideoResolution(parts.width.toLatin1(), parts.height.toLatin1(),
                                 depth ? depth->toLatin1() : doc.ReadVideoResolution().bitDepth);
    }
}

void GeneralPage::addDisplayModes(const QList<DisplayMode>& modes)
{
    QComboBox* list = m_ui->ComboBox1;
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->itemText(i));
    const int current = list->currentIndex();
    const QStringList all = optionrules::withDisplayModes(entries, modes);
    list->addItems(all.mid(entries.size()));
    // Adding to an empty list would select its first entry.
    list->setCurrentIndex(current);
}

void GeneralPage::GammaBarChange(int position) { m_ui->Edit4->setText(optionrules::gammaText(position)); }

void GeneralPage::Button35Click() { m_ui->GammaBar->setValue(DefaultGamma); }

void GeneralPage::Button32Click()
{
    m_ui->ReticuleColor->setColour(DefaultReticuleColour);
    m_ui->ReticuleIFFColor->setColour(DefaultReticuleIffColour);
}

void GeneralPage::ReticuleColorClick() { pickColour(m_ui->ReticuleColor); }

void GeneralPage::ReticuleIFFColorClick() { pickColour(m_ui->ReticuleIFFColor); }

void GeneralPage::pickColour(ColourSwatch* swatch)
{
    const std::optional<quint32> chosen = m_prompter.pickColour(m_dialogColour);
    if (!chosen)
        return;
    m_dialogColour = *chosen;
    swatch->setColour(*chosen);
}

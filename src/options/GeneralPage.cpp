// SPDX-License-Identifier: MIT
#include "options/GeneralPage.h"

#include "options/ColourSwatch.h"
#include "options/OptionRules.h"
#include "platform/HandlerGuard.h"
#include "platform/Prompter.h"
#include "ui_GeneralPage.h"

namespace {

constexpr quint32 DefaultReticuleColour = 0xFFD611;    // 255, 214, 17
constexpr quint32 DefaultReticuleIffColour = 0xA0C8FF; // 160, 200, 255
constexpr int DefaultGamma = 50;

} // namespace

GeneralPage::GeneralPage(Prompter& prompter, QWidget* parent)
    : QWidget(parent), m_prompter(prompter), m_ui(std::make_unique<Ui::GeneralPage>())
{
    m_ui->setupUi(this);
    // Nothing selected until the document says what it holds.
    m_ui->ComboBox1->setCurrentIndex(-1);
    m_ui->ComboBox2->setCurrentIndex(-1);

    connect(m_ui->GammaBar, &QSlider::valueChanged, this, &GeneralPage::GammaBarChange);
    connect(m_ui->Button35, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button35Click(); }));
    connect(m_ui->Button32, &QPushButton::clicked, this, guarded(m_prompter, [this] { Button32Click(); }));
    connect(m_ui->ReticuleColor, &ColourSwatch::clicked, this, guarded(m_prompter, [this] { ReticuleColorClick(); }));
    connect(m_ui->ReticuleIFFColor, &ColourSwatch::clicked, this,
            guarded(m_prompter, [this] { ReticuleIFFColorClick(); }));
}

GeneralPage::~GeneralPage() = default;

QCheckBox* GeneralPage::ChkFullScr() const { return m_ui->ChkFullScr; }
QCheckBox* GeneralPage::ChkFrameRate() const { return m_ui->ChkFrameRate; }
QCheckBox* GeneralPage::ChkCompressTexture() const { return m_ui->ChkCompressTexture; }
QCheckBox* GeneralPage::ChkDeadBody() const { return m_ui->ChkDeadBody; }
QCheckBox* GeneralPage::ChkShowBlood() const { return m_ui->ChkShowBlood; }
QCheckBox* GeneralPage::ChkThreatIndicator() const { return m_ui->ChkThreatIndicator; }
QCheckBox* GeneralPage::ChkSoftwareSound() const { return m_ui->ChkSoftwareSound; }
ColourSwatch* GeneralPage::ReticuleColor() const { return m_ui->ReticuleColor; }
ColourSwatch* GeneralPage::ReticuleIFFColor() const { return m_ui->ReticuleIFFColor; }
QSlider* GeneralPage::GammaBar() const { return m_ui->GammaBar; }
QLineEdit* GeneralPage::Edit4() const { return m_ui->Edit4; }
QComboBox* GeneralPage::ComboBox1() const { return m_ui->ComboBox1; }
QComboBox* GeneralPage::ComboBox2() const { return m_ui->ComboBox2; }
QPushButton* GeneralPage::Button15() const { return m_ui->Button15; }
QPushButton* GeneralPage::Button32() const { return m_ui->Button32; }
QPushButton* GeneralPage::Button35() const { return m_ui->Button35; }

void GeneralPage::setGamma(const QByteArray& gamma)
{
    m_ui->Edit4->setText(m_origins.fill(m_ui->Edit4->objectName(), gamma));
    const int position = optionrules::gammaPosition(gamma);
    // The bar clamps; its change handler runs only when the position really changes.
    m_ui->GammaBar->setValue(position);
}

QByteArray GeneralPage::gammaBytes() const
{
    return m_origins.bytesFor(m_ui->Edit4->objectName(), m_ui->Edit4->text(), QStringLiteral("ガンマ値"));
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

void GeneralPage::selectResolution(const QString& entry)
{
    m_ui->ComboBox1->setCurrentIndex(m_ui->ComboBox1->findText(entry));
}

void GeneralPage::selectBitDepth(const QString& entry)
{
    m_ui->ComboBox2->setCurrentIndex(m_ui->ComboBox2->findText(entry));
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

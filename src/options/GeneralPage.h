// SPDX-License-Identifier: MIT
#pragma once

#include "options/TextOrigins.h"
#include "platform/DisplayMode.h"

#include <QWidget>

#include <memory>

class ColourSwatch;
class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSlider;

namespace Ui {
class GeneralPage;
}

// The "一般" tab inside "全般": graphics and sound switches, the two reticule colours with the shared
// colour dialog, gamma, resolution and colour depth. It owns its own handlers; the options editor
// fills and reads the values and owns the "保存" button's handler.
class GeneralPage : public QWidget
{
    Q_OBJECT
public:
    explicit GeneralPage(Prompter& prompter, QWidget* parent = nullptr);
    ~GeneralPage() override;

    QCheckBox* ChkFullScr() const;
    QCheckBox* ChkFrameRate() const;
    QCheckBox* ChkCompressTexture() const;
    QCheckBox* ChkDeadBody() const;
    QCheckBox* ChkShowBlood() const;
    QCheckBox* ChkThreatIndicator() const;
    QCheckBox* ChkSoftwareSound() const;
    ColourSwatch* ReticuleColor() const;
    ColourSwatch* ReticuleIFFColor() const;
    QSlider* GammaBar() const;
    QLineEdit* Edit4() const;
    QComboBox* ComboBox1() const;
    QComboBox* ComboBox2() const;
    QPushButton* Button15() const;
    QPushButton* Button32() const;
    QPushButton* Button35() const;

    // The document's gamma into Edit4, then the bar from it (which rewrites Edit4 only when the bar
    // moves). A gamma that gives no bar position throws UserError after Edit4 took the text.
    void setGamma(const QByteArray& gamma);
    // Edit4 as bytes: unchanged from the document while nobody edited it.
    QByteArray gammaBytes() const;

    // Adds the entries of the display modes that the resolution list does not hold yet.
    void addDisplayModes(const QList<DisplayMode>& modes);
    // Selects the resolution entry, or none when the list has no such entry.
    void selectResolution(const QString& entry);
    void selectBitDepth(const QString& entry);

    void GammaBarChange(int position);
    void Button35Click(); // "初期値" beside the gamma bar
    void Button32Click(); // "初期色"
    void ReticuleColorClick();
    void ReticuleIFFColorClick();

private:
    void pickColour(ColourSwatch* swatch);

    Prompter& m_prompter;
    std::unique_ptr<Ui::GeneralPage> m_ui;
    TextOrigins m_origins;
    // One colour dialog serves both swatches: it opens on the colour last chosen in it.
    quint32 m_dialogColour = 0;
};

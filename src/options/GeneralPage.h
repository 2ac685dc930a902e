// SPDX-License-Identifier: MIT
#pragma once

#include "options/TextOrigins.h"
#include "platform/DisplayMode.h"

#include <QWidget>

#include <memory>

class ColourSwatch;
class Prompter;
class TXMLParser;

namespace Ui {
class GeneralPage;
}

// The "一般" tab inside "全般": graphics and sound switches, the two reticule colours with the shared
// colour dialog, gamma, resolution and colour depth. It owns its own handlers and moves its values to
// and from the options document; the options editor owns the document and the "保存" button's handler.
class GeneralPage : public QWidget
{
    Q_OBJECT
public:
    explicit GeneralPage(Prompter& prompter, QWidget* parent = nullptr);
    ~GeneralPage() override;

    // The document's values into the controls, in the order the document is read: a value that gives
    // no setting (a colour or gamma that is no integer, a missing section) throws UserError and leaves
    // the controls after it as they were. A resolution the list lacks selects none.
    void load(const TXMLParser& doc);
    // Reads what load() reads and throws as it would, without a page.
    static void check(const TXMLParser& doc);
    // The controls into the document. The gamma text is checked before the document changes, so a
    // refusal (UserError naming the field) leaves it as it was. With no resolution selected the line
    // stays as the document has it.
    void save(TXMLParser& doc) const;

    // Adds the entries of the display modes that the resolution list does not hold yet.
    void addDisplayModes(const QList<DisplayMode>& modes);

    void GammaBarChange(int position);
    void Button35Click(); // "初期値" beside the gamma bar
    void Button32Click(); // "初期色"
    void ReticuleColorClick();
    void ReticuleIFFColorClick();

signals:
    // "保存" was clicked.
    void saveRequested();

private:
    // load() into a page, or check() with none.
    static void read(const TXMLParser& doc, GeneralPage* into);
    void pickColour(ColourSwatch* swatch);

    Prompter& m_prompter;
    std::unique_ptr<Ui::GeneralPage> m_ui;
    TextOrigins m_origins;
    // One colour dialog serves both swatches: it opens on the colour last chosen in it.
    quint32 m_dialogColour = 0;
};

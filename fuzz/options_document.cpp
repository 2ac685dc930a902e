// SPDX-License-Identifier: MIT
// The game's options document, opened, read and saved back as the options editor does. The line
// count never changes, and every value the document's layout can carry (no tag or quote character
// in it) reads back after the save exactly as it was written.
#include "FuzzSupport.h"

#include "options/OptionRules.h"
#include "options/TXMLParser.h"
#include "platform/Errors.h"

#include <algorithm>
#include <iterator>

namespace {

const QByteArray Multiplayer = QByteArrayLiteral("Multiplayer");
const QByteArray Graphics = QByteArrayLiteral("Graphics");
const QByteArray GamePlay = QByteArrayLiteral("GamePlay");
const QByteArray Sound = QByteArrayLiteral("Sound");

bool carried(QByteArrayView value)
{
    for (const char c : value) {
        if (c == '<' || c == '>' || c == '"' || c == '\r' || c == '\n')
            return false;
    }
    return true;
}

struct Values
{
    TXMLParser::ChatTexts chatTexts;
    TXMLParser::ChatTeams chatTeams{};
    QByteArray hostName, message, playerName, gamma;
    bool flags[7] = {};
    qint32 colours[6] = {};
    TXMLParser::VideoResolution resolution;
};

const char* const ColourKeys[6] = {"ReticuleColorR",    "ReticuleColorG",    "ReticuleColorB",
                                   "ReticuleIFFColorR", "ReticuleIFFColorG", "ReticuleIFFColorB"};

// The reads of the editor's load, in its order; a throw ends the load as it ends the editor's.
Values load(const TXMLParser& doc)
{
    Values v;
    v.chatTexts = doc.ReadChatTexts();
    v.chatTeams = doc.ReadChatTeams();
    v.hostName = doc.ReadSectionValue(Multiplayer, "MPGameName");
    v.message = doc.ReadSectionValue(Multiplayer, "MOTD");
    v.playerName = doc.ReadRootValue("PlayerName");
    v.flags[0] = doc.ReadSectionBool(Graphics, "FullScreen");
    v.flags[1] = doc.ReadSectionBool(Graphics, "ShowFrameRate");
    v.flags[2] = doc.ReadSectionBool(Graphics, "CompressTextures");
    v.flags[3] = doc.ReadSectionBool(Graphics, "ShowDeadBodies");
    v.flags[4] = doc.ReadSectionBool(GamePlay, "BloodOn");
    v.flags[5] = doc.ReadRootBool("ThreatIndicatorEnabled");
    v.flags[6] = doc.ReadSectionBool(Sound, "SoundInSoftware");
    for (int i = 0; i < 6; ++i)
        v.colours[i] = doc.ReadRootInt(ColourKeys[i]);
    v.gamma = doc.ReadSectionValue(Graphics, "Gamma");
    v.resolution = doc.ReadVideoResolution();
    optionrules::bitDepthEntry(v.resolution.bitDepth);
    optionrules::resolutionEntry(v.resolution.width, v.resolution.height);
    return v;
}

// The writes of the editor's save, in its order; colours go back as the swatches keep them.
void save(TXMLParser& doc, const Values& v)
{
    doc.WriteSectionValue(Multiplayer, "MPGameName", v.hostName);
    doc.WriteSectionValue(Multiplayer, "MOTD", v.message);
    doc.WriteChatMessages(v.chatTexts, v.chatTeams);
    doc.WriteRootValue("PlayerName", v.playerName);
    doc.WriteSectionBool(Graphics, "FullScreen", v.flags[0]);
    doc.WriteSectionBool(Graphics, "ShowFrameRate", v.flags[1]);
    doc.WriteSectionBool(Graphics, "CompressTextures", v.flags[2]);
    doc.WriteSectionBool(Graphics, "ShowDeadBodies", v.flags[3]);
    doc.WriteSectionBool(GamePlay, "BloodOn", v.flags[4]);
    doc.WriteSectionBool(Sound, "SoundInSoftware", v.flags[6]);
    doc.WriteRootBool("ThreatIndicatorEnabled", v.flags[5]);
    const quint32 reticule = optionrules::colourFromComponents(v.colours[0], v.colours[1], v.colours[2]);
    const quint32 iff = optionrules::colourFromComponents(v.colours[3], v.colours[4], v.colours[5]);
    const int written[6] = {optionrules::red(reticule), optionrules::green(reticule), optionrules::blue(reticule),
                            optionrules::red(iff),      optionrules::green(iff),      optionrules::blue(iff)};
    for (int i = 0; i < 6; ++i)
        doc.WriteRootInt(ColourKeys[i], written[i]);
    doc.WriteSectionValue(Graphics, "Gamma", v.gamma);
    doc.WriteVideoResolution(v.resolution.width, v.resolution.height, v.resolution.bitDepth);
}

bool carriedAll(const Values& v)
{
    for (const QByteArray& text : v.chatTexts) {
        if (!carried(text))
            return false;
    }
    for (const QByteArray* text : {&v.hostName, &v.message, &v.playerName, &v.gamma})
        if (!carried(*text))
            return false;
    // The three resolution values are cut out between quotes, at most 100 bytes on.
    for (const QByteArray* text : {&v.resolution.width, &v.resolution.height, &v.resolution.bitDepth})
        if (!carried(*text) || text->size() > 16)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const QString path = fuzz::writeFile(QStringLiteral("options.xml"), input);
    TXMLParser doc;
    Values read;
    try {
        doc.Open(path);
        read = load(doc);
    } catch (const UserError&) {
        return 0;
    }
    const qsizetype lineCount = doc.lines().size();
    try {
        save(doc, read);
    } catch (const UserError&) {
        return 0;
    }
    FUZZ_CHECK(doc.lines().size() == lineCount);
    doc.Save(path);

    TXMLParser saved;
    saved.Open(path);
    FUZZ_CHECK(saved.lines() == doc.lines());
    if (!carriedAll(read))
        return 0;
    const Values back = load(saved);
    FUZZ_CHECK(back.chatTexts == read.chatTexts);
    FUZZ_CHECK(back.chatTeams == read.chatTeams);
    FUZZ_CHECK(back.hostName == read.hostName);
    FUZZ_CHECK(back.message == read.message);
    FUZZ_CHECK(back.playerName == read.playerName);
    FUZZ_CHECK(std::equal(std::begin(back.flags), std::end(back.flags), std::begin(read.flags)));
    for (int i = 0; i < 6; ++i)
        FUZZ_CHECK(back.colours[i] == (read.colours[i] % 256 + 256) % 256);
    FUZZ_CHECK(back.gamma == read.gamma);
    FUZZ_CHECK(back.resolution.width == read.resolution.width);
    FUZZ_CHECK(back.resolution.height == read.resolution.height);
    FUZZ_CHECK(back.resolution.bitDepth == read.resolution.bitDepth);
    return 0;
}

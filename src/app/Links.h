// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// Every web address the program opens, in one place.
namespace links {

struct Link
{
    const char16_t* caption;
    const char* description; // translated in context "links"
    const char16_t* url;
};

// The "リンク" tab, group "MODのダウンロード".
inline constexpr std::array<Link, 3> modDownloads = {{
    {u"ModDB: Ghost Recon", QT_TRANSLATE_NOOP("links", "Ghost Recon用MODの大きな配布サイト"),
     u"https://www.moddb.com/games/tom-clancys-ghost-recon"},
    {u"GhostRecon.net", QT_TRANSLATE_NOOP("links", "老舗の海外コミュニティ。MODやマップの情報"),
     u"https://www.ghostrecon.net/"},
    {u"Ghost Recon Mods (ModDB)", QT_TRANSLATE_NOOP("links", "新着MODの一覧"),
     u"https://www.moddb.com/games/tom-clancys-ghost-recon/mods"},
}};

// The "リンク" tab, group "GhostRecon全般".
inline constexpr std::array<Link, 3> general = {{
    {u"Ubisoft: Ghost Recon", QT_TRANSLATE_NOOP("links", "Ghost Reconシリーズの公式ページ"),
     u"https://www.ubisoft.com/en-us/game/ghost-recon"},
    {u"GOG.com: Ghost Recon", QT_TRANSLATE_NOOP("links", "Ghost Recon（初代）の販売ページ"),
     u"https://www.gog.com/en/game/tom_clancys_ghost_recon"},
    {u"Wikipedia: Ghost Recon", QT_TRANSLATE_NOOP("links", "初代Ghost Reconの解説（英語）"),
     u"https://en.wikipedia.org/wiki/Tom_Clancy%27s_Ghost_Recon_(video_game)"},
}};

// The about box: the program's page and a new mail to its author.
inline constexpr const char16_t* authorPage = u"https://morvane.example.org/";
inline constexpr const char16_t* authorMail = u"mailto:morvane@example.org";

inline QString text(const char16_t* s) { return QString::fromUtf16(s); }

} // namespace links

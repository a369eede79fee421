// screens/spielstart_seiten.cpp - the wizard's pages as drawn: the summary of the
// current manager's choices, the lists' headings and rows, the count of
// managers, the new-squad switch and the name card.
#include "screens/spielstart_intern.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bilder/wappen.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/stadion.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/team_suche.h"
#include "core/text_format.h"
#include "gfx/alpha.h"
#include "gfx/blit.h"
#include "gfx/start_band.h"
#include "gfx/text_markup.h"
#include "gfx/texteingabe.h"
#include "gui/menue.h"
#include "season/wettbewerb.h"

namespace velmora::spielstart_intern {

const char* Oder_Offen(const char* text) { return text && text[0] ? text : Text(69); }

// The summary of the current manager's choices on the left; the title band's
// lines under its film.
void Uebersicht_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    Naechste_Pruefen();
    Rastport* ziel = Rastport_Target();
    if (!ziel || g.seite < 0) return;
    Start_Band_Titel(ziel, Font_Get(START_BAND_SCHRIFT_TITEL), Font_Get(START_BAND_SCHRIFT_NAME));
    const SpielstartWahl& w = Wahl();
    auto farbe = [](int32_t seite) { return g.seite == seite ? GEWAEHLT : WEISS; };
    Font* f7 = Font_Get(7);
    Font* f8 = Font_Get(8);
    Text_Drucken(f7, "^tz0598%s", 0, 128, WEISS, Text(72 + g.seite));
    if (g.seite == 0) Text_Drucken(Font_Get(9), "^tz0598%s", 0, 149, GEWAEHLT, Text(79));

    // A client's server under the summary's frame (its border is at 532 and
    // 533), in the band above the pitch.
    if (Client()) {
        const std::string server = Text_Format(Text(139), {Adresse_Text(g.adresse).c_str()});
        Text_Drucken(f8, "%s", UEBERSICHT_X, SERVER_Y, WEISS, server.c_str());
    }
    const int32_t anzahl = Spielstart_Anzahl(), nummer = Spielstart_Aktuell() + 1;
    std::string manager;
    if (anzahl < 1) manager = Text_Format(Text(82), {Text(69)});
    else if (anzahl == 1) manager = Text_Format("%d. %s", {nummer, Text(80)});
    else manager = Text_Format(Text(81), {nummer, anzahl});
    Text_Drucken(f8, "%s", 50, 116, farbe(0), manager.c_str());

    const int32_t level = Spielstart_Level();
    Text_Drucken(f8, "%s", UEBERSICHT_X, 170, farbe(1),
                 (std::string(Text(83)) + " " + Oder_Offen(Spielstart_Level_Name(level))).c_str());
    if (level >= 0) Bild_Blit(SLAVE + START_BILD_LEVEL + level, UEBERSICHT_BILD_X, 127);

    Text_Drucken(f8, "%s", UEBERSICHT_X, 250, farbe(2), (std::string(Text(71)) + " " + Oder_Offen(w.name)).c_str());
    if (w.portrait >= 0 && w.portrait < SPIELSTART_PORTRAITS)
        Bild_Blit(SLAVE + START_BILD_PORTRAIT + w.portrait, UEBERSICHT_BILD_X, 206);
    if (g.seite == 3) Bild_Blit(SLAVE + START_BILD_BILDRAHMEN, UEBERSICHT_BILD_X - 2, 206);

    static const SchattenParameter schatten{2, 2, 3, 0};
    const char* land = w.nation >= 0 ? Team_String(TS_NAME, w.nation, 0, 0) : nullptr;
    Text_Drucken(f8, "%s", UEBERSICHT_X, 330, farbe(4), (std::string(Text(84)) + " " + Oder_Offen(land)).c_str());
    Bild_Blit(SLAVE + START_BILD_WAPPENRAHMEN, UEBERSICHT_BILD_X, 285);
    if (w.nation >= 0) Wappen_Zeichnen(w.nation, ziel, UEBERSICHT_BILD_X + 6, 291, 62, 62, &schatten);

    const char* verein = w.team >= 0 ? Team_String(TS_NAME, w.team, 0, 0) : nullptr;
    Text_Drucken(f8, "%s", UEBERSICHT_X, 410, farbe(5), (std::string(Text(85)) + " " + Oder_Offen(verein)).c_str());
    Bild_Blit(SLAVE + START_BILD_WAPPENRAHMEN, UEBERSICHT_BILD_X, 364);
    if (w.team >= 0) Wappen_Zeichnen(w.team, ziel, UEBERSICHT_BILD_X + 6, 370, 62, 62, &schatten);

    const char* liga = w.wettbewerb >= 0 ? Wettbewerb_Get_Landespokal(w.wettbewerb, 0, 0) : nullptr;
    Text_Drucken(f8, "%s", UEBERSICHT_X, 490, farbe(6), (std::string(Text(86)) + " " + Oder_Offen(liga)).c_str());
    if (w.wettbewerb >= 0) {
        const int32_t symbol = Wettbewerb_Get_Liga_Symbol(w.wettbewerb);
        if (symbol >= 0 && symbol < START_BILD_LIGEN) Bild_Blit(SLAVE + START_BILD_LIGA + symbol, UEBERSICHT_BILD_X, 443);
    }
}

namespace {

// Under the level list, what the level under the mouse (else the chosen
// one) changes: the start money before the league's share and the crowd's
// share; on the easiest level the federation's help for a poor club.
void Level_Zeilen_Zeichnen() {
    const s_icon* hover = Menue_Get_Aktuelles_Icon();
    int32_t level = Spielstart_Level();
    if (hover && hover->nummer >= ICON_WIZARD_ZEILE && hover->nummer < ICON_WIZARD_ZEILE + SPIELSTART_LEVEL)
        level = hover->nummer - ICON_WIZARD_ZEILE;
    if (level < 0 || level >= SPIELSTART_LEVEL) return;
    Font* f9 = Font_Get(9);
    const std::string geld = Text_Format(Text(TEXT_LEVEL_GELD), {Geld_Text(float(SPIELSTART_GELD[level]), -1, 0),
                                                                 Stadion_Level_Zuschauer_Prozent(level)});
    Text_Drucken(f9, "%s", LEVEL_TEXT_X, LEVEL_TEXT_Y, WEISS, geld.c_str());
    if (level == 0)
        Text_Drucken(f9, "%s", LEVEL_TEXT_X, LEVEL_TEXT_Y + 13, WEISS,
                     Text_Format(Text(TEXT_LEVEL_HILFE), {Geld_Text(BANK_STUETZE_GRENZE, -1, 0)}).c_str());
}

}  // namespace

// The column headings over the lists.
void Panel_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    struct Kopf {
        int32_t text, x;
    };
    std::vector<Kopf> koepfe;
    if (g.seite == 4) koepfe = {{87, 476}, {88, 636}};
    else if (g.seite == 5) koepfe = {{89, 476}, {90, 580}, {91, 709}};
    else if (g.seite == 6) koepfe = {{92, 476}, {93, 636}};
    for (const Kopf& k : koepfe) Text_Drucken(Font_Get(6), "^tz0000%s", k.x, 181, WEISS, Text(k.text));
    if (g.seite == 1) Level_Zeilen_Zeichnen();
}

// The club's strength as a gold bar over a dark one.
void Staerke_Balken(int32_t team, int32_t x, int32_t y) {
    Rastport* ziel = Rastport_Target();
    if (!ziel) return;
    constexpr int32_t B = 92, H = 9;
    const int32_t staerke = std::clamp(Team_Get_Staerke(team), 0, TEAM_SPIELER_MAX * 12);
    Rastport_Fill(ziel, x, y, B, H, BALKEN_LEER, nullptr);
    Rastport_Fill(ziel, x + 1, y + 1, (B - 2) * staerke / (TEAM_SPIELER_MAX * 12), H - 2, BALKEN_VOLL, nullptr);
    Rastport_Draw_Frame(ziel, x, y, B, H, FELD_RAND, 1, nullptr);
}

void Zeile_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* ziel = Rastport_Target();
    if (!icon || !ziel) return;
    const int32_t index = icon->nummer - ICON_WIZARD_ZEILE + g.versatz;
    if (index < 0 || index >= g.eintraege) return;
    const bool hover = Menue_Get_Aktuelles_Icon() == icon;
    SpielstartWahl& w = Wahl();
    auto gewaehlt = [&](bool ja) {
        if (ja) Bild_Blit(SLAVE + START_BILD_MARKE, x + 4, y + 10);
        return ja ? GEWAEHLT : WEISS;
    };
    switch (g.seite) {
    case 1: {
        if (hover) Bild_Blit(SLAVE + START_BILD_HOVER_LEVEL, x, y - 5);
        const uint16_t farbe = gewaehlt(Spielstart_Level() == index);
        Text_Drucken(Font_Get(11), "%s", x + 90, y + 22, farbe, Spielstart_Level_Name(index));
        break;
    }
    case 3: {
        Rastport* bild = Menue_Get_Slave_Rastport(SLAVE + START_BILD_PORTRAIT + index, nullptr);
        if (!bild) break;
        const bool vergeben = Vergeben_An(&SpielstartWahl::portrait, index) >= 0;
        Sperren(*icon, vergeben);
        if (vergeben) Blit_Alpha(bild, 0, 0, -1, -1, ziel, x, y, 50);
        else if (w.portrait == index || w.portrait < 0) Rastport_Blit(bild, 0, 0, -1, -1, ziel, x, y, BlitMode_Key);
        else Blit_Alpha(bild, 0, 0, -1, -1, ziel, x, y, 60);
        if (w.portrait == index) {
            Bild_Blit(SLAVE + START_BILD_BILDRAHMEN, x - 2, y);
        } else if (hover && !vergeben) {
            if (Rastport* rahmen = Menue_Get_Slave_Rastport(SLAVE + START_BILD_BILDRAHMEN, nullptr))
                Blit_Alpha(rahmen, 0, 0, -1, -1, ziel, x - 2, y, 60);
        }
        break;
    }
    case 4: {
        const int32_t land = g.laender[size_t(index)];
        if (hover) Bild_Blit(SLAVE + START_BILD_HOVER_LISTE, x, y);
        const uint16_t farbe = gewaehlt(w.nation == land);
        Text_Drucken(Font_Get(11), "%s", x + 94, y + 22, farbe, Team_String(TS_NAME, land, 0, 0));
        Wappen_Zeichnen(land, ziel, x + 38, y + 2, 28, 28, nullptr);
        break;
    }
    case 5: {
        const int32_t team = g.vereine[size_t(index)];
        if (hover) Bild_Blit(SLAVE + START_BILD_HOVER_VEREIN, x, y);
        const uint16_t farbe = gewaehlt(w.team == team);
        Staerke_Balken(team, x + 242, y + 12);
        Wappen_Zeichnen(team, ziel, x + 38, y + 2, 28, 28, nullptr);
        char name[64];
        Font* f9 = Font_Get(9);
        if (f9) Str_Auf_Breite(Team_String(TS_NAME, team, 0, 0), name, sizeof name, f9, 144);
        Text_Drucken(f9, "%s", x + 94, y + 14, farbe, f9 ? name : "");
        const int32_t anderer = Vergeben_An(&SpielstartWahl::team, team);
        const StartTeam* e = Client() ? Team_Startteam(team) : nullptr;
        const bool beim_client = e && (e->flags & STARTTEAM_CLIENT);
        Sperren(*icon, anderer >= 0 || beim_client);
        if (beim_client) {
            const std::string t = std::string("[") + e->manager + "] " + Text(141);
            Text_Drucken(f9, "%s", x + 94, y + 27, VERGEBEN, t.c_str());
        } else if (anderer >= 0) {
            Text_Drucken(f9, "[%s]", x + 94, y + 27, VERGEBEN, Spielstart_Wahl(anderer)->name);
        } else {
            const int32_t liga = Team_Wert(TW_WETTBEWERB, team, 0, OP_LESEN);
            Text_Drucken(f9, "%s", x + 94, y + 27, GESPERRT, liga >= 0 ? Wettbewerb_Get_Landespokal(liga, 0, 0) : Text(97));
        }
        break;
    }
    case 6: {
        const int32_t liga = g.ligen[size_t(index)];
        if (hover) Bild_Blit(SLAVE + START_BILD_HOVER_LISTE, x, y);
        const uint16_t farbe = gewaehlt(w.wettbewerb == liga);
        Text_Drucken(Font_Get(7), "%s", x + 94, y + 21, farbe, Wettbewerb_Get_Landespokal(liga, 0, 0));
        const int32_t land = Wettbewerb_Get_Land(liga);
        if (land >= 0)
            if (Font* f9 = Font_Get(9))
                Text_Printf(ziel, f9, "^c%05d^tr0338^gll%04d %s", x, y + 21, int32_t(GESPERRT), land,
                            Team_String(TS_NAME, land, 0, 0));
        Pokal_Zeichnen(liga, -1, ziel, x + 35, y + 2, 28, 28, nullptr);
        break;
    }
    default: break;
    }
}

void Zeile_Klick(s_icon* icon, int32_t ereignis) {
    if (!icon || !(ereignis & EV_LINKS)) return;
    SpielstartWahl& w = Wahl();
    if (icon->nummer == ICON_WIZARD_KADER) {
        w.startkader = !w.startkader;
        return;
    }
    if (icon->nummer == ICON_WIZARD_PLUS || icon->nummer == ICON_WIZARD_MINUS) {
        const int32_t n = Spielstart_Anzahl();
        const int32_t neu = n < 1 ? 1 : n + (icon->nummer == ICON_WIZARD_PLUS ? 1 : -1);
        Spielstart_Anzahl_Setzen(std::clamp(neu, 1, SPIELSTART_MANAGER_MAX));
        return;
    }
    const int32_t index = icon->nummer - ICON_WIZARD_ZEILE + g.versatz;
    if (index < 0 || index >= g.eintraege) return;   // below the last entry: nothing to choose
    switch (g.seite) {
    case 1: Spielstart_Level_Setzen(index); break;
    case 3:
        if (Vergeben_An(&SpielstartWahl::portrait, index) >= 0) return;
        w.portrait = index;
        break;
    case 4:
        w.nation = g.laender[size_t(index)];
        w.team = w.wettbewerb = -1;
        break;
    case 5: {
        const StartTeam* e = Client() ? Team_Startteam(g.vereine[size_t(index)]) : nullptr;
        if (Vergeben_An(&SpielstartWahl::team, g.vereine[size_t(index)]) >= 0 || (e && (e->flags & STARTTEAM_CLIENT)))
            return;
        w.team = g.vereine[size_t(index)];
        w.wettbewerb = Team_Wert(TW_WETTBEWERB, w.team, 0, OP_LESEN);
        break;
    }
    case 6: w.wettbewerb = g.ligen[size_t(index)]; break;
    default: return;
    }
    Spielstart_Seite_Wechseln(1);
}

// The count of managers as a scoreboard digit, 0 while none is chosen.
void Anzahl_Zeichnen(s_icon*, int32_t, int32_t, int32_t) {
    const int32_t n = std::max(Spielstart_Anzahl(), 0);
    Rastport* ziel = Rastport_Target();
    Rastport* ziffern = ziel ? Menue_Get_Slave_Rastport(SLAVE + START_BILD_ZIFFERN, nullptr) : nullptr;
    if (ziffern && n < START_ZIFFERN)
        Rastport_Blit(ziffern, 0, n * START_ZIFFER_H, START_ZIFFER_B, START_ZIFFER_H, ziel, 557, 301, BlitMode_Key);
}

void Kader_Zeichnen(s_icon* icon, int32_t, int32_t, int32_t) {
    const bool an = Wahl().startkader != 0;
    if (Menue_Get_Aktuelles_Icon() == icon) Bild_Blit(SLAVE + START_BILD_HOVER_KADER, 449, 396);
    if (an) Bild_Blit(SLAVE + START_BILD_HAKEN, 427, 396);
    Text_Drucken(Font_Get(9), "%s", 456, 410, an ? GEWAEHLT : WEISS, Text(94));
}

// The name page: the question and the text entry on a card of its own.
void Name_Zeichnen(s_icon* icon, int32_t x, int32_t y, int32_t) {
    Rastport* ziel = Rastport_Target();
    Font* f = Font_Get(11);
    if (!ziel || !f || !icon) return;
    Rastport_Fill(ziel, x, y, icon->br, icon->ho, FELD_RAND, nullptr);
    Rastport_Fill(ziel, x + 2, y + 2, icon->br - 4, icon->ho - 4, KARTE, nullptr);
    const std::string frage = Text_Format(Text(70), {Spielstart_Aktuell() + 1});
    Text_Drucken(f, "%s", x + 16, y + 30, WEISS, frage.c_str());
    constexpr int32_t FELD_X = 435, FELD_Y = 310, FELD_B = 300, FELD_H = 26;
    Rastport_Fill(ziel, FELD_X - 2, FELD_Y - 2, FELD_B + 4, FELD_H + 4, FELD_RAND, nullptr);
    Rastport_Fill(ziel, FELD_X, FELD_Y, FELD_B, FELD_H, FELD, nullptr);
    SpielstartWahl& w = Wahl();
    const int32_t r = Texteingabe_Edit(f, w.name, int32_t(sizeof w.name), SPIELSTART_NAME_MAX,
                                       TEXTEINGABE_NAME | TEXTEINGABE_MAUS | TEXTEINGABE_ALLES_MARKIERT, FELD_X, FELD_Y, FELD_B, FELD_H, 6, 3,
                                       nullptr, 0, 0, nullptr, WEISS);
    if (r == TEXTEINGABE_ENTER && w.name[0]) Spielstart_Seite_Wechseln(1);
}

}  // namespace velmora::spielstart_intern

// matchview/ankuendigung_seiten.cpp - the picture pages of the sequence: "VOR
// DEM MENUE" before a manager's turn and the three "NACH DEM SPIEL" pages of a
// match report (goals, statistics, finances).
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bilder/wappen.h"
#include "club/spieler.h"
#include "club/team.h"
#include "gfx/bild.h"
#include "gfx/blit.h"
#include "gfx/font.h"
#include "gfx/schatten.h"
#include "gfx/shade.h"
#include "gfx/text_markup.h"
#include "gui/menue_lokal.h"
#include "matchview/ankuendigung_intern.h"
#include "media/sound.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/statistik.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t SAMPLE_NACH_SPIEL = 7;
constexpr int32_t TORE_ZEILEN_MAX = 25;
// The goals' rows start at x TORE_X, in the box that spans the page below the
// crests; their columns from there: the name, the minute's right edge at the
// least, and the box's right edge.
constexpr int32_t TORE_X = 99;
constexpr int32_t TORE_NAME_X = 70, TORE_MINUTE_X = 284, TORE_RECHTS = 650;
const SchattenParameter WAPPEN_SCHATTEN{3, 3, 5, 0};

Font* F(int32_t n) { return Font_Get(n); }

// The competition line: its round and its name, centred at x.
void Wettbewerb_Zeile(Rastport* rp, int32_t font, int32_t x, int32_t y, int32_t wettbewerb, int32_t runde,
                      int32_t spieltag) {
    Text_Schatten_Print(rp, F(font), "^c%05d^tz%04d%s, %s", 0, y, ANK_TEXT, x,
                        Wettbewerb_Get_Rundentext(wettbewerb, runde, spieltag), Wettbewerb_Get_Landespokal(wettbewerb, 0, 0));
}

// A count with thousands separators: 12.345.
std::string Tausender(int32_t wert) {
    const std::string ziffern = std::to_string(wert < 0 ? -int64_t(wert) : int64_t(wert));
    std::string s = wert < 0 ? "-" : "";
    for (size_t i = 0; i < ziffern.size(); ++i) {
        if (i > 0 && (ziffern.size() - i) % 3 == 0) s += '.';
        s += ziffern[i];
    }
    return s;
}

// The best players' lines of one team under its heading; filled up from the
// table of all kinds when the kind's table has fewer than three.
void Beste_Spieler(Rastport* rp, int32_t team, int32_t art, int32_t y) {
    Text_Schatten_Print(rp, F(9), "^c%05d^tl%04d%s: %s", 0, y, ANK_TEXT, 10, Ankuendigung_Text(ANK_TEXTE, 12),
                        Team_String(TS_NAME_KURZ, team, 0, 0));
    char zeilen[6][STATISTIK_ZEILE];
    int32_t n = Statistik_Tabelle_Erstellen(-1, team, -1, art, -1, zeilen, 3);
    if (n < 3) {
        // The table of all kinds begins with the lines already shown: those are skipped.
        char alle[6][STATISTIK_ZEILE];
        const int32_t m = Statistik_Tabelle_Erstellen(-1, team, -1, STATISTIK_TABELLE_ALLE, -1, alle, 6);
        for (int32_t i = 0; i < m && n < 3; ++i) {
            bool schon = false;
            for (int32_t j = 0; j < n; ++j) schon = schon || std::strcmp(zeilen[j], alle[i]) == 0;
            if (!schon) std::memcpy(zeilen[n++], alle[i], STATISTIK_ZEILE);
        }
    }
    Font* f = F(9);
    const int32_t zeile = f && f->bogen ? int32_t(f->bogen->height) : 13;
    if (n == 0) {
        Text_Schatten_Print(rp, f, "^c%05d^tl%04d%s", 0, y + 18, ANK_TEXT, 20, Ankuendigung_Text(ANK_TEXTE, 11));
        return;
    }
    for (int32_t i = 0; i < n; ++i)
        Text_Schatten_Print(rp, f, "^c%05d^tl%04d%s", 0, y + 18 + i * zeile, ANK_TEXT, 20, zeilen[i]);
}

void Wappen(int32_t team, Rastport* rp, int32_t x, int32_t y) {
    if (team >= 0 && team < Team_Anzahl()) Wappen_Zeichnen(team, rp, x, y, 66, 66, &WAPPEN_SCHATTEN);
}

// ---- "NACH DEM SPIEL" ----

void Tore_Seite(Rastport* rp, const Ankuendigung& s) {
    Text_Schatten_Print(rp, F(3), "^c%05d%s", TORE_X, 237, ANK_WEISS, Ankuendigung_Text(ANK_TEXTE, 138));
    const Spiel_Lock h = Spiele_Lock(int32_t(s.wettbewerb), int32_t(s.runde), int32_t(s.paarung), int32_t(s.spieltag));
    int32_t tore = 0, cursor = 0;
    if (h)
        for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &cursor); e; e = Spiele_Ereignis_Naechstes(h, &cursor))
            if ((e->art & EREIGNIS_TOR) && (e->art & EREIGNIS_SCHUSS)) ++tore;
    if (tore == 0) {
        Text_Schatten_Print(rp, F(2), "^c%05d^tl0070%s", TORE_X, 267, ANK_TEXT, Ankuendigung_Text(ANK_TEXTE, 140));
        if (h) Spiele_Unlock(h);
        return;
    }
    const int32_t font = tore < 12 ? 2 : tore <= 16 ? 1 : 9;
    // The minute's column moves right from 284 as far as the longest name
    // needs and the longest tail after it ("Min., Eigentor") leaves room
    // before the box's right edge, so a name is cut only when the box is full.
    const int32_t minute_b = Text_Width(F(font), "^fb001288^fe") + 16;   // two digits and a gap before them
    int32_t name_max = 0, schwanz_max = 0;
    cursor = 0;
    for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &cursor); e; e = Spiele_Ereignis_Naechstes(h, &cursor)) {
        if (!(e->art & EREIGNIS_TOR) || !(e->art & EREIGNIS_SCHUSS)) continue;
        if (e->spieler != SPIEL_KEIN_SPIELER)
            name_max = std::max(name_max, Text_Width(F(font), Spieler_String(SPS_NAME, e->spieler, 0, 0)));
        const int32_t zusatz = (e->art & EREIGNIS_EIGENTOR) ? 185 : (e->art & TORART_STANDARD_8000) ? 186 : -1;
        std::string schwanz = Ankuendigung_Text(ANK_TEXTE, 139);
        if (zusatz >= 0) schwanz = schwanz + ", " + Ankuendigung_Text(ANK_ZUSATZ, zusatz);
        schwanz_max = std::max(schwanz_max, Text_Width(F(font), schwanz.c_str()));
    }
    const int32_t tab = std::max(TORE_MINUTE_X, std::min(TORE_NAME_X + name_max + minute_b, TORE_RECHTS - 4 - schwanz_max));
    int32_t stand[2] = {0, 0}, zeile = 0;
    cursor = 0;
    for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &cursor); e && zeile < TORE_ZEILEN_MAX;
         e = Spiele_Ereignis_Naechstes(h, &cursor)) {
        if (!(e->art & EREIGNIS_TOR) || !(e->art & EREIGNIS_SCHUSS)) continue;
        ++stand[(e->art & EREIGNIS_HEIM) ? 0 : 1];
        const int32_t y = tore < 12 ? 267 + 30 * zeile : tore <= 16 ? 267 + 20 * zeile : 267 + 13 * (zeile - 1);
        // The name fits before the minute's column.
        char name[64] = {};
        if (e->spieler != SPIEL_KEIN_SPIELER)
            Str_Auf_Breite(Spieler_String(SPS_NAME, e->spieler, 0, 0), name, sizeof name, F(font),
                           tab - TORE_NAME_X - minute_b);
        // An own goal names the side that profits; a penalty is the set piece its taker scores.
        const int32_t zusatz = (e->art & EREIGNIS_EIGENTOR) ? 185 : (e->art & TORART_STANDARD_8000) ? 186 : -1;
        if (zusatz >= 0)
            Text_Schatten_Print(rp, F(font), "^c%05d^fb0012%d:%d^fe^tl0070%s^fb0012^tr%04d%d^fe^tl%04d%s, %s", TORE_X, y,
                                ANK_WEISS, stand[0], stand[1], name, tab, e->minute, tab + 4,
                                Ankuendigung_Text(ANK_TEXTE, 139), Ankuendigung_Text(ANK_ZUSATZ, zusatz));
        else
            Text_Schatten_Print(rp, F(font), "^c%05d^fb0012%d:%d^fe^tl0070%s^fb0012^tr%04d%d^fe^tl%04d%s", TORE_X, y,
                                ANK_WEISS, stand[0], stand[1], name, tab, e->minute, tab + 4,
                                Ankuendigung_Text(ANK_TEXTE, 139));
        ++zeile;
    }
    Spiele_Unlock(h);
}

void Statistik_Seite(Rastport* rp, const Ankuendigung& s) {
    // Per side from the game's events: bookings, sendings-off, injuries, offsides, fouls.
    int32_t gelb[2] = {}, rot[2] = {}, verletzt[2] = {}, abseits[2] = {}, fouls[2] = {};
    const Spiel_Lock h = Spiele_Lock(int32_t(s.wettbewerb), int32_t(s.runde), int32_t(s.paarung), int32_t(s.spieltag));
    int32_t cursor = 0;
    if (h) {
        for (const SpielEreignis* e = Spiele_Ereignis_Erstes(h, &cursor); e; e = Spiele_Ereignis_Naechstes(h, &cursor)) {
            const int32_t seite = (e->art & EREIGNIS_HEIM) ? 0 : 1;
            if (e->art & EREIGNIS_GELB) ++gelb[seite];
            if (e->art & EREIGNIS_GELBROT) --gelb[seite], ++rot[seite];
            if (e->art & EREIGNIS_ROT) ++rot[seite];
            if (e->art & EREIGNIS_VERLETZUNG) ++verletzt[seite];
            if (e->art & 0x80000) ++abseits[seite];
            if (e->art & EREIGNIS_FOUL) ++fouls[seite];
        }
        Spiele_Unlock(h);
    }
    if (gelb[0] < 0)
        for (int32_t* z : {gelb, rot, verletzt, abseits}) z[0] = z[1] = 0;
    int32_t c[2][6] = {};
    for (int32_t i = 0; i < ANKUENDIGUNG_SPIELER; ++i)
        for (int32_t k = 0; k < 6; ++k) c[i < ANKUENDIGUNG_SPIELER / 2 ? 0 : 1][k] += s.daten.spieler[i].c[k];
    // The players' counters and the corners come with a match computed live;
    // without them their rows say so instead of showing 0.
    const bool gemessen = Ankuendigung_Daten_Gemessen(s.daten);
    const int32_t ecken[2] = {s.daten.zustand[0] - 1, s.daten.zustand[1] - 1};
    Text_Schatten_Print(rp, F(1), "^c%05d^tz0400%s %s", 0, 223, ANK_WERT, Tausender(int32_t(s.daten.spiel_wort)).c_str(),
                        Ankuendigung_Text(ANK_TEXTE, 141));
    struct Zeile {
        int32_t y, heim, gast;
        bool live;   // counted by the live match only
    };
    const Zeile zeilen[] = {{291, c[0][2], c[1][2], true},        {311, ecken[0], ecken[1], true},
                            {331, abseits[0], abseits[1], false},  {367, gelb[0], gelb[1], false},
                            {387, rot[0], rot[1], false},          {407, verletzt[0], verletzt[1], false},
                            {443, fouls[0], fouls[1], false},      {463, c[0][4] - c[0][3], c[1][4] - c[1][3], true},
                            {483, c[0][3], c[1][3], true}};
    auto beschriften = [&](int32_t y, int32_t text) {
        Text_Schatten_Print(rp, F(1), "^c%05d^tz0400%s", 0, y - 3, ANK_TEXT, Ankuendigung_Text(ANK_ZUSATZ, text));
    };
    auto ungemessen = [&](int32_t y) { Text_Schatten_Print(rp, F(1), "^c%05d^tz0150-^tz0650-", 0, y, ANK_WERT); };
    for (int32_t i = 0; i < 9; ++i) {
        beschriften(zeilen[i].y, 187 + i);
        if (zeilen[i].live && !gemessen) ungemessen(zeilen[i].y);
        else
            Text_Schatten_Print(rp, F(1), "^c%05d^tz0150%d^tz0650%d", 0, zeilen[i].y, ANK_WERT, zeilen[i].heim,
                                zeilen[i].gast);
    }
    beschriften(519, 196);
    beschriften(539, 197);
    beschriften(559, 198);
    if (!gemessen) {
        for (int32_t y : {519, 539, 559}) ungemessen(y);
        return;
    }
    Text_Schatten_Print(rp, F(1), "^c%05d^tz0150%d%s%d^tz0650%d%s%d", 0, 519, ANK_WERT, c[0][1] - c[0][0], "/", c[0][1],
                        c[1][1] - c[1][0], "/", c[1][1]);
    Text_Schatten_Print(rp, F(1), "^c%05d^tz0150%d^tz0650%d", 0, 539, ANK_WERT, c[0][5], c[1][5]);
    const int32_t summe = c[0][5] + c[1][5];
    const int32_t heim = summe ? 100 * c[0][5] / summe : 50;
    Text_Schatten_Print(rp, F(1), "^c%05d^tz0150%d%%^tz0650%d%%", 0, 559, ANK_WERT, heim, 100 - heim);
}

void Finanz_Seite(Rastport* rp, const Ankuendigung& s) {
    const char* label[11] = {};
    int32_t wert[11] = {};
    const int32_t team = int32_t(s.heim);
    const AnkuendigungHooks& h = Ankuendigung_Hooks();
    if (!h.finanzen || !h.finanzen(team, -1, label, wert)) return;
    auto geld = [&](int32_t betrag) -> std::string {
        return h.geld_text ? h.geld_text(float(betrag), team) : std::to_string(betrag);
    };
    int32_t einnahmen = 0, ausgaben = 0;
    for (int32_t i = 0; i < 11; ++i) {
        const bool ein = i < 4;
        (ein ? einnahmen : ausgaben) += wert[i];
        Text_Schatten_Print(rp, F(9), "^c%05d^tl0128%s^fb0009^tr%04d%s^fe", 0, ein ? 264 + 17 * i : 382 + 17 * (i - 4),
                            ANK_WEISS, label[i] ? label[i] : "", ein ? 514 : 714, geld(wert[i]).c_str());
    }
    const char* finanz = "FINANZ_SCREEN";
    Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s", 0, 247, ANK_WEISS, Ankuendigung_Text(finanz, 4));
    Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s", 0, 365, ANK_WEISS, Ankuendigung_Text(finanz, 5));
    Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s^fb0012^tr0514%s^fe", 0, 335, ANK_WEISS, Ankuendigung_Text(finanz, 6),
                        geld(einnahmen).c_str());
    Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s^fb0012^tr0714%s^fe", 0, 504, ANK_WEISS, Ankuendigung_Text(finanz, 6),
                        geld(ausgaben).c_str());
    if (ausgaben > einnahmen)
        Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s^fb0012^tr0714%s^fe", 0, 544, ANK_MINUS,
                            Ankuendigung_Text(finanz, 7), geld(ausgaben - einnahmen).c_str());
    else
        Text_Schatten_Print(rp, F(11), "^c%05d^tl0128%s^fb0012^tr0514%s^fe", 0, 544, ANK_PLUS,
                            Ankuendigung_Text(finanz, 7), geld(einnahmen - ausgaben).c_str());
}

// The score: the goal digit cells, or the text when a count lies beyond them.
void Ergebnis(Rastport* rp, const AnkuendigungDaten& d) {
    Rastport* ziffern = Bild_Res_Laden(ANK_RES_PIRAK, ANK_BILD_ZIFFERN);
    const int32_t th = d.tore_heim, tg = d.tore_gast;
    const bool zellen = ziffern && th >= 0 && tg >= 0 && th <= ANK_ZIFFER_MAX && tg <= ANK_ZIFFER_MAX &&
                        int32_t(ziffern->height) >= ANK_ZIFFER_H * (ANK_ZIFFER_MAX + 1);
    if (zellen) {
        Rastport_Blit(ziffern, 0, th * ANK_ZIFFER_H, ANK_ZIFFER_B, ANK_ZIFFER_H, rp, 344, 118, BlitMode_Key);
        Rastport_Blit(ziffern, ANK_ZIFFER_B, tg * ANK_ZIFFER_H, ANK_ZIFFER_B, ANK_ZIFFER_H, rp, 400, 118, BlitMode_Key);
    } else {
        Text_Schatten_Print(rp, F(3), "^c%05d^tz%04d%d : %d", 0, 142, ANK_WERT, 400, std::max(th, 0), std::max(tg, 0));
    }
    Rastport_Free(ziffern);
}

}  // namespace

Rastport* Ankuendigung_Vor_Menue_Bauen() {
    const int32_t team = Menue_Lokal().team;
    int32_t seite = 0, wettbewerb = -1, spiel = 0;
    const int32_t gegner = Ankuendigung_Heutiger_Gegner(team, &seite, &wettbewerb, &spiel);
    if (gegner < 0) return nullptr;
    Rastport* rp = Bild_Res_Laden(ANK_RES_PIRAK, ANK_BILD_VOR_MENUE);
    if (!rp) {
        Spiele_Unlock(spiel);
        return nullptr;
    }
    Ankuendigung_Seite_Gebaut();
    Ankuendigung_Gegner_Gezeigt(gegner);
    // The home team stands left.
    const int32_t links = seite == 1 ? gegner : team, rechts = seite == 1 ? team : gegner;
    char zeile1[STATISTIK_ZEILE], zeile2[STATISTIK_ZEILE];
    Statistik_Zusammenfassung_Text(-1, links, rechts, zeile1, zeile2, 0);
    Text_Schatten_Print(rp, F(9), "^c%05d^tl%04d%s", 0, 267, ANK_TEXT, 10, zeile1);
    Text_Schatten_Print(rp, F(9), "^c%05d^tl%04d%s", 0, 283, ANK_TEXT, 10, zeile2);
    // Each name is cut to its plate (x 100 to 305 and 424 to 633 of the page).
    constexpr int32_t PLATTE_BREITE = 186;
    char name[2][128];
    Str_Auf_Breite(Team_String(TS_NAME_KURZ, links, 0, 0), name[0], sizeof name[0], F(14), PLATTE_BREITE);
    Str_Auf_Breite(Team_String(TS_NAME_KURZ, rechts, 0, 0), name[1], sizeof name[1], F(14), PLATTE_BREITE);
    Text_Schatten_Print(rp, F(14), "^c%05d^tz%04d%s", 0, 156, ANK_WEISS, 202, name[0]);
    Text_Schatten_Print(rp, F(14), "^c%05d^tz%04d%s", 0, 201, ANK_WEISS, 532, name[1]);
    Wappen(links, rp, 20, 133);
    Wappen(rechts, rp, 648, 142);
    Text_Schatten_Print(rp, F(13), "^c%05d^tz%04d%s", 0, 31, ANK_WEISS, 368, Kalender_Tag_Name(-1, 1));
    if (const SpielDatensatz* sp = Spiele_Get_Spiel(spiel, 0)) {
        Wettbewerb_Zeile(rp, 14, 368, 65, wettbewerb, sp->runde, sp->spieltag);
        Beste_Spieler(rp, links, STATISTIK_TABELLE_TORE, 303);
        Beste_Spieler(rp, rechts, STATISTIK_TABELLE_VORLAGEN, 374);
    }
    Spiele_Unlock(spiel);
    return rp;
}

Rastport* Ankuendigung_Nach_Spiel_Bauen(int32_t art) {
    if (art < ANK_TORE || art > ANK_FINANZEN) return nullptr;
    // A new page: the shadowed captions cached for the last one (the same
    // places on another match's page, the same widths for single digits or
    // names as long) would stand in for this match's.
    Schatten_Cache_Leeren();
    Rastport* rp = Bild_Res_Laden(ANK_RES_PIRAK, ANK_BILD_NACH_SPIEL + art);
    if (!rp) return nullptr;
    Ankuendigung_Seite_Gebaut();
    const Ankuendigung& s = Ankuendigung_Staging();
    const AnkuendigungDaten& d = s.daten;
    const int32_t mitte = int32_t(rp->width) / 2;
    Text_Schatten_Print(rp, F(13), "^c%05d^tz%04d%s", 0, 26, ANK_WEISS, 400, Kalender_Tag_Name(int32_t(s.tag), 1));
    Wettbewerb_Zeile(rp, 13, 400, 60, int32_t(d.wettbewerb), int32_t(s.runde), int32_t(s.spieltag));
    Wappen(int32_t(d.heim), rp, 52, 95);
    Wappen(int32_t(d.gast), rp, 681, 103);
    // Each name is cut to its plate, clear of the score's box between them.
    constexpr int32_t PLATTE_BREITE = 182;
    char name[128];
    if (int32_t(d.heim) >= 0 && int32_t(d.heim) < Team_Anzahl()) {
        Str_Auf_Breite(Team_String(TS_NAME_KURZ, int32_t(d.heim), 0, 0), name, sizeof name, F(2), PLATTE_BREITE);
        Text_Schatten_Print(rp, F(2), "^c%05d^tz%04d%s", 0, 118, ANK_TEXT, mitte - 165, name);
    }
    if (int32_t(d.gast) >= 0 && int32_t(d.gast) < Team_Anzahl()) {
        Str_Auf_Breite(Team_String(TS_NAME_KURZ, int32_t(d.gast), 0, 0), name, sizeof name, F(2), PLATTE_BREITE);
        Text_Schatten_Print(rp, F(2), "^c%05d^tz%04d%s", 0, 162, ANK_TEXT, mitte + 165, name);
    }
    Ergebnis(rp, d);
    if (!Ankuendigung_Ton_Gespielt()) {
        Sample_Spielen(SAMPLE_NACH_SPIEL, false);
        Ankuendigung_Ton_Setzen(true);
    }
    if (art == ANK_TORE) Tore_Seite(rp, s);
    else if (art == ANK_STATISTIK) Statistik_Seite(rp, s);
    else Finanz_Seite(rp, s);
    return rp;
}

}  // namespace velmora
